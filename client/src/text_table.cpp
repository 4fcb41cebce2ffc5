#include "text_table.h"

#include <cinttypes>
#include <cstdio>
#include <new>
#include <vector>

#include "base/utf8.h"
#include "platform.h"
#include "velalink.h"

namespace velalink {

namespace {

void append_format(std::string &out, const char *fmt, int digits, double v)
{
    int n = std::snprintf(nullptr, 0, fmt, digits, v);
    if (n <= 0) return;
    size_t old = out.size();
    out.resize(old + static_cast<size_t>(n) + 1);
    std::snprintf(&out[old], static_cast<size_t>(n) + 1, fmt, digits, v);
    out.resize(old + static_cast<size_t>(n));
}

void append_date(std::string &out, const cell_value *c)
{
    int y = 0, m = 0, d = 0;
    as_date(&y, &m, &d, c);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    out += buf;
}

void append_time(std::string &out, const cell_value *c)
{
    int h = 0, mi = 0, s = 0, frac = 0;
    as_time(&h, &mi, &s, &frac, c);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    out += buf;
    uint32_t f = static_cast<uint32_t>(frac);
    if (f == 0) return;
    std::snprintf(buf, sizeof buf, ".%09" PRIu32, f);
    std::string part(buf);
    while (part.back() == '0') part.pop_back();
    out += part;
}

} // namespace

size_t display_width(const char *text, size_t size)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
    size_t width = 0, i = 0;
    while (i < size) {
        size_t n = static_cast<size_t>(utf8::seq_len(p, size, i));
        if (n == 0) break;
        if (n == 1)
            width += (p[i] >= 0x20 && p[i] <= 0x7E) ? 1 : 0;
        else
            width += 2;
        i += n;
    }
    return width;
}

std::string cell_text(const cell_value *c)
{
    std::string out;
    switch (val_type(c)) {
    case 0: {
        char buf[32];
        bool u = val_sign(c) == 1;
        switch (val_size(c)) {
        case 1:
            u ? std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(as_uint8(c)))
              : std::snprintf(buf, sizeof buf, "%d", static_cast<int>(as_int8(c)));
            break;
        case 2:
            u ? std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(as_uint16(c)))
              : std::snprintf(buf, sizeof buf, "%d", static_cast<int>(as_int16(c)));
            break;
        case 4:
            u ? std::snprintf(buf, sizeof buf, "%" PRIu32, as_uint32(c))
              : std::snprintf(buf, sizeof buf, "%" PRId32, as_int32(c));
            break;
        default:
            u ? std::snprintf(buf, sizeof buf, "%" PRIu64, as_uint64(c))
              : std::snprintf(buf, sizeof buf, "%" PRId64, as_int64(c));
            break;
        }
        out = buf;
        break;
    }
    case 1:
        if (val_size(c) == 4)
            append_format(out, "%.*f", 9, as_float(c));
        else
            append_format(out, "%.*f", 17, as_double(c));
        break;
    case 9:
        append_date(out, c);
        break;
    case 10:
        append_time(out, c);
        break;
    case 11:
        append_date(out, c);
        out += ' ';
        append_time(out, c);
        break;
    case -1:
        break;
    default: {
        const char *p = nullptr;
        int n = as_s(&p, c);
        out.assign(p, static_cast<size_t>(n));
        break;
    }
    }
    return out;
}

void render_table(const result_set &rs, const std::function<void(const std::string &)> &sink,
                  size_t piece_limit)
{
    const size_t cols = rs.cols(), rows = rs.rows();
    if (cols == 0) return;

    std::vector<size_t> width(cols);
    std::vector<size_t> name_width(cols);
    for (size_t c = 0; c < cols; ++c) {
        name_width[c] = display_width(rs.names[c].data(), rs.names[c].size());
        width[c] = name_width[c];
    }
    // Cell texts are made twice (to measure, then to write) rather than kept, so a
    // large result costs no more memory than one row.
    std::string t;
    for (size_t r = 0; r < rows; ++r) {
        for (size_t c = 0; c < cols; ++c) {
            t = cell_text(rs.cell(r, c));
            size_t w = display_width(t.data(), t.size());
            if (w > width[c]) width[c] = w;
        }
    }

    std::string out = "\n|-";
    for (size_t c = 0; c < cols; ++c) {
        size_t before = (width[c] - name_width[c]) / 2;
        out.append(before, '-');
        out += rs.names[c];
        out.append(width[c] - name_width[c] - before, '-');
        out += c + 1 < cols ? "-|-" : "-| ";
    }
    out += '\n';
    for (size_t r = 0; r < rows; ++r) {
        if (out.size() > piece_limit) {
            sink(out);
            out.clear();
        }
        out += "| ";
        for (size_t c = 0; c < cols; ++c) {
            t = cell_text(rs.cell(r, c));
            out += t;
            out.append(width[c] - display_width(t.data(), t.size()), ' ');
            out += c + 1 < cols ? " | " : " |";
        }
        out += '\n';
    }
    if (!out.empty()) sink(out);
}

} // namespace velalink

extern "C" void print(const result_set *rs)
{
    if (!rs) return;
    try {
        velalink::render_table(*rs, [](const std::string &piece) {
            velalink::plat::console_write(piece.data(), piece.size());
        });
    } catch (const std::bad_alloc &) {
        std::printf("print failed(out of memory).\n");
    }
}
