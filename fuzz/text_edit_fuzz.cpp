#include "editor/text_buffer.h"
#include "editor/text_match.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *d, size_t n)
{
    if (n < 3) return 0;
    // Byte 0: mode and replace flag, byte 1: match flags, byte 2: where pattern and text split.
    const int mode = d[0] % 3;
    const int flags = d[1] & 0x11;
    const size_t split = d[2] % (n - 2);
    std::string pat(reinterpret_cast<const char *>(d + 3), split);
    const std::string text(reinterpret_cast<const char *>(d + 3 + split), n - 3 - split);
    rewrite_escapes(pat);

    const auto half = static_cast<int32_t>(text.size() / 2);
    const range_list scope{{1, half}, {half + 1, static_cast<int32_t>(text.size())}};
    const match_result r = find_matches(text, pat, mode, flags, (flags & 1) ? &scope : nullptr, 50);
    for (const auto &m : r.matches)
        if (m.begin < 0 || m.end > static_cast<int32_t>(text.size()) || m.begin >= m.end)
            std::abort();

    int64_t now = 0;
    text_buffer b([&] { return now; });
    b.set_text(text);
    b.set_selections(r.matches);
    b.replace_ranges(r.matches, pat, d[0] & 8);
    for (size_t i = 0; i < pat.size() && i < 64; ++i) {
        const unsigned char c = pat[i];
        now += c;
        switch (c % 9) {
        case 0:
            b.insert(std::string(1, static_cast<char>(c)));
            break;
        case 1:
            b.backspace();
            break;
        case 2:
            b.del();
            break;
        case 3:
            b.set_cursor(b.down_of(b.cursor()));
            break;
        case 4:
            b.set_cursor(b.up_of(b.cursor()));
            break;
        case 5:
            b.undo();
            break;
        case 6:
            b.redo();
            break;
        case 7:
            b.add_selection(c, c * 3);
            break;
        default:
            b.paste(text.substr(0, c % 7));
            break;
        }
        if (b.snap(b.cursor()) != b.cursor()) std::abort();
    }
    while (b.can_undo()) b.undo();
    if (b.text() != text) std::abort();
    return 0;
}
