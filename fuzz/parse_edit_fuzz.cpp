// A script followed by edits, all taken from the input: after every edit the incremental
// parse must equal a full parse of the new text, node for node.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lang/sql_engine.h"
#include "parse_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2) return 0;
    // Byte 0 and 1: the script's length; then the script; then edits of three bytes (where,
    // how many removed, how many inserted) followed by the inserted bytes.
    size_t n = (size_t(data[0]) | size_t(data[1]) << 8) % (size - 1);
    const char *in = reinterpret_cast<const char *>(data + 2);
    size_t left = size - 2;
    if (n > left) n = left;
    std::string text(in, n);
    in += n;
    left -= n;
    const lang::grammar &g = lang::sql_engine::instance().sql_grammar();
    lang::incremental_parse inc(g);
    inc.reset(text);
    auto check = [&] {
        std::string d = parse_compare::difference(g, inc, text);
        if (!d.empty()) {
            std::fprintf(stderr, "%s\n", d.c_str());
            std::abort();
        }
    };
    check();
    while (left >= 3) {
        size_t at = text.empty() ? 0 : (static_cast<unsigned char>(in[0]) * text.size()) / 255;
        size_t removed = static_cast<unsigned char>(in[1]) % 16;
        size_t inserted = static_cast<unsigned char>(in[2]) % 16;
        in += 3;
        left -= 3;
        if (removed > text.size() - at) removed = text.size() - at;
        if (inserted > left) inserted = left;
        text.replace(at, removed, in, inserted);
        in += inserted;
        left -= inserted;
        inc.apply(text, at, removed, inserted);
        check();
    }
    return 0;
}
