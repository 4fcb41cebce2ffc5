// The first byte picks the separator; the rest is the file. Records that read without error
// must write back and read again to the same fields.
#include "csv.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0) return 0;
    static const char *const seps[] = {",", ";", " ", "-", ":", "\t", "\xe3\x80\x81", "x"};
    std::string sep = seps[data[0] % 8];
    std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    vela::csv_reader in(text, sep);
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> fields;
    std::string err;
    size_t last_line = 0;
    while (in.next(fields, err)) {
        if (in.line() < last_line) std::abort(); // lines only go forward
        last_line = in.line();
        records.push_back(fields);
        if (records.size() > size + 1) std::abort(); // every record consumes input
    }
    if (!err.empty()) return 0;
    std::string again;
    for (const auto &r : records) vela::csv_put_record(again, r, sep);
    vela::csv_reader back(again, sep);
    size_t i = 0;
    while (back.next(fields, err)) {
        if (i >= records.size() || fields != records[i]) std::abort();
        ++i;
    }
    if (!err.empty() || i != records.size()) std::abort();
    return 0;
}
