#include "frame_reader.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
std::string u32(uint32_t v)
{
    return std::string(reinterpret_cast<const char *>(&v), 4);
}
} // namespace

// First byte: the length limit (in 16-byte steps); second: the size of the pieces the rest is
// fed in. Everything the reader hands out, framed again, is a prefix of what it was fed.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2) return 0;
    uint32_t max_len = uint32_t(data[0]) * 16;
    size_t piece = size_t(data[1]) + 1;
    const std::string stream(reinterpret_cast<const char *>(data + 2), size - 2);
    vela::frame_reader reader(max_len);
    std::string again, body;
    bool stopped = false;
    for (size_t at = 0; at < stream.size() && !stopped; at += piece) {
        reader.feed(stream.data() + at, std::min(piece, stream.size() - at));
        for (;;) {
            vela::frame_status s = reader.next(body);
            if (s == vela::frame_status::need_more) {
                if (reader.wanted() == 0) std::abort(); // it would wait for nothing
                break;
            }
            if (s == vela::frame_status::ok) {
                if (body.size() > max_len) std::abort();
                again += u32(uint32_t(body.size())) + body;
            } else if (s == vela::frame_status::logout) {
                again += u32(0xFFFFFFFFu);
            } else {
                stopped = true; // too long: the stream cannot be followed further
                break;
            }
        }
    }
    if (stream.compare(0, again.size(), again) != 0) std::abort();
    return 0;
}
