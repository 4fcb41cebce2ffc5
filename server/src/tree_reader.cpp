#include "tree_reader.h"
#include "refuse.h"

#include "base/utf8.h"

#include <cstdlib>
#include <cstring>

namespace vela {

namespace {
void collect(const parse_node *n, std::vector<const parse_node *> &out)
{
    for (const parse_node *c : *n) {
        if (c->id == lang::anonymous_id)
            collect(c, out);
        else if (c->id != id::igs)
            out.push_back(c);
    }
}

int hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes an escape (the text after the backslash, as matched by esc_char).
void decode_escape(const std::string &e, std::string &out)
{
    if (e.empty()) return;
    char c = e[0];
    if ((c == 'x' || c == 'u' || c == 'U') && e.size() > 1) {
        uint32_t v = 0;
        for (size_t i = 1; i < e.size(); ++i) v = v * 16 + uint32_t(hex_digit(e[i]));
        if (c == 'x')
            out.push_back(char(v));
        else
            utf8::encode(out, v);
        return;
    }
    switch (c) {
    case 'a':
        out.push_back('\a');
        break;
    case 'b':
        out.push_back('\b');
        break;
    case 'f':
        out.push_back('\f');
        break;
    case 'n':
        out.push_back('\n');
        break;
    case 'r':
        out.push_back('\r');
        break;
    case 't':
        out.push_back('\t');
        break;
    case 'v':
        out.push_back('\v');
        break;
    default:
        out.push_back(c);
        break; // " ' and backslash stand for themselves
    }
}

// Raw string @"D( ... )D": the content lies between the first "(" and the closing ")D".
std::string raw_content(const parse_node *raw)
{
    std::string t = text_of(raw);
    size_t open = t.find('(');
    if (open == std::string::npos || t.size() < 2) return std::string();
    size_t delim = open - 1; // bytes between the opening quote and "("
    size_t close_len = 1 + delim + 1;
    if (t.size() < open + 1 + close_len) return std::string();
    return t.substr(open + 1, t.size() - (open + 1) - close_len);
}

// Walks the pieces of a quoted text (string or bracketed name) in source order.
void decode_quoted(const parse_node *n, std::string &out)
{
    std::vector<const parse_node *> parts = items(n);
    bool escape = false;
    for (const parse_node *p : parts) {
        if (p->id == id::raw_string) {
            out += raw_content(p);
        } else if (p->id == id::esc_char) {
            decode_escape(text_of(p), out);
            escape = false;
        } else if (p->id == lang::terminal_id) {
            std::string t = text_of(p);
            if (escape) {
                // An escape that the parser left as plain leaves.
                decode_escape(t, out);
                escape = false;
            } else if (t == "\\") {
                escape = true;
            }
            // quotes, brackets and @ carry no content
        } else {
            out += text_of(p); // s_char, c_char, f_char
        }
    }
}
} // namespace

std::string string_of(const parse_node *string)
{
    std::string out;
    if (string) decode_quoted(string, out);
    return out;
}

std::vector<const parse_node *> items(const parse_node *n)
{
    std::vector<const parse_node *> out;
    if (n) collect(n, out);
    return out;
}

const parse_node *item(const parse_node *n, lang::node_id which)
{
    if (!n) return nullptr;
    for (const parse_node *c : items(n))
        if (c->id == which) return c;
    return nullptr;
}

bool is_word(const parse_node *n, const char *text)
{
    return n && n->id == lang::terminal_id && n->length == std::strlen(text) &&
           std::memcmp(n->start, text, n->length) == 0;
}

std::string text_of(const parse_node *n)
{
    return n ? std::string(n->start, size_t(n->length)) : std::string();
}

std::string name_of(const parse_node *n)
{
    if (!n) return std::string();
    if (n->id == id::bare_string) return text_of(n);
    if (n->id == id::field_or_table_string) {
        std::string out;
        decode_quoted(n, out);
        return out;
    }
    // field, field_name, table_name: one child that is one of the two forms
    for (const parse_node *c : items(n))
        if (c->id == id::bare_string || c->id == id::field_or_table_string ||
            c->id == id::field_name)
            return name_of(c);
    return text_of(n);
}

uint64_t uint_of(const parse_node *n, bool &overflow)
{
    uint64_t v = 0;
    overflow = false;
    for (char c : text_of(n)) {
        if (c < '0' || c > '9') continue;
        if (v > (UINT64_MAX - uint64_t(c - '0')) / 10) {
            overflow = true;
            return UINT64_MAX;
        }
        v = v * 10 + uint64_t(c - '0');
    }
    return v;
}

bool constant_value(const parse_node *constant, value &out, std::string &err)
{
    const parse_node *lit = constant;
    if (constant->id == id::constant) {
        std::vector<const parse_node *> kids = items(constant);
        if (kids.empty()) return refuse(err, "empty constant");
        lit = kids[0];
    }
    std::string t = text_of(lit);
    switch (lit->id) {
    case id::integer: {
        size_t p = 0;
        bool neg = false;
        if (p < t.size() && (t[p] == '+' || t[p] == '-')) neg = t[p++] == '-';
        col_type type = col_type::i64;
        bool suffix = false;
        size_t end = t.size();
        if (end >= 2 && t[end - 2] == 'u' && std::strchr("1248", t[end - 1])) {
            suffix = true;
            type = t[end - 1] == '1'   ? col_type::u08
                   : t[end - 1] == '2' ? col_type::u16
                   : t[end - 1] == '4' ? col_type::u32
                                       : col_type::u64;
            end -= 2;
        }
        int base = 10;
        if (end - p > 2 && t[p] == '0' && (t[p + 1] == 'x' || t[p + 1] == 'b')) {
            base = t[p + 1] == 'x' ? 16 : 2;
            p += 2;
        }
        uint64_t mag = 0;
        for (; p < end; ++p) {
            int d = hex_digit(t[p]);
            if (d < 0 || d >= base) break;
            if (mag > (UINT64_MAX - uint64_t(d)) / uint64_t(base))
                return refuse(err, "integer " + t + " is too large");
            mag = mag * uint64_t(base) + uint64_t(d);
        }
        if (suffix) {
            if (neg && mag != 0) return refuse(err, "unsigned constant " + t + " is negative");
            value v = value::of_uint(mag, type);
            return convert_value(v, type, out, err);
        }
        if (neg) {
            if (mag > uint64_t(INT64_MAX) + 1) return refuse(err, "integer " + t + " is too small");
            out = value::of_int(int64_t(0 - mag));
        } else if (mag > uint64_t(INT64_MAX)) {
            out = value::of_uint(mag);
        } else {
            out = value::of_int(int64_t(mag));
        }
        return true;
    }
    case id::float_: {
        bool single = !t.empty() && t.back() == 'f';
        if (!t.empty() && (t.back() == 'f' || t.back() == 'd')) t.pop_back();
        out =
            value::of_real(std::strtod(t.c_str(), nullptr), single ? col_type::flt : col_type::dbl);
        if (single) out.d = double(float(out.d));
        return true;
    }
    case id::character:
    case id::string: {
        std::string s;
        decode_quoted(lit, s);
        out = value::of_str(std::move(s));
        return true;
    }
    case id::bool_:
        out = value::of_uint(t == "true" ? 1 : 0, col_type::u08);
        return true;
    default:
        return refuse(err, "unknown constant " + t);
    }
}

} // namespace vela
