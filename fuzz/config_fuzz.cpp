#include "sys_config.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    sys_config cfg{};
    std::vector<std::string> open_files, recent_files;
    decode_config(bytes, cfg, open_files, recent_files);

    // Whatever was accepted must survive a write and a second read unchanged.
    const std::string image = encode_config(cfg, open_files, recent_files);
    sys_config again{};
    std::vector<std::string> open_again, recent_again;
    decode_config(image, again, open_again, recent_again);
    if (encode_config(again, open_again, recent_again) != image) std::abort();
    return 0;
}
