#include "csv.h"
#include "refuse.h"

#include <algorithm>
#include <cstring>

namespace vela {

namespace {
const char k_bom[] = "\xEF\xBB\xBF";
}

void csv_put_field(std::string &out, std::string_view field, std::string_view sep)
{
    bool quote = false;
    if (sep.size() == 1) {
        const char s = sep[0];
        for (char c : field)
            if (c == s || c == '"' || c == '\n' || c == '\r') {
                quote = true;
                break;
            }
    } else {
        quote = field.find(sep) != std::string_view::npos ||
                field.find_first_of("\"\n\r") != std::string_view::npos;
    }
    // A field that starts with a byte order mark is quoted too, or at the start of a file the
    // mark would be read as the file's own and dropped.
    quote = quote || field.substr(0, 3) == k_bom;
    if (!quote) {
        out += field;
        return;
    }
    out.push_back('"');
    for (char c : field) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void csv_put_record(std::string &out, const std::vector<std::string> &fields,
                    const std::string &sep)
{
    // One empty field is written quoted: an empty line is skipped when read.
    if (fields.size() == 1 && fields[0].empty()) {
        out += "\"\"\n";
        return;
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += sep;
        csv_put_field(out, fields[i], sep);
    }
    out.push_back('\n');
}

bool valid_separator(const std::string &sep, std::string &err)
{
    if (sep.empty()) return refuse(err, "the separator is empty");
    unsigned char c = (unsigned char)sep[0];
    size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (len != sep.size()) return refuse(err, "the separator is one character");
    for (size_t i = 1; i < len; ++i)
        if (((unsigned char)sep[i] >> 6) != 2) return refuse(err, "the separator is not UTF-8");
    if (sep == "\"" || sep == "\n" || sep == "\r")
        return refuse(err, "a quote or a line break cannot separate fields");
    return true;
}

csv_reader::csv_reader(const std::string &data, std::string sep) : data_(data), sep_(std::move(sep))
{
    // A byte order mark at the very start is not part of the first field.
    if (data_.compare(0, 3, k_bom) == 0) pos_ = 3;
}

bool csv_reader::at_sep(size_t pos) const
{
    return !sep_.empty() && data_.compare(pos, sep_.size(), sep_) == 0;
}

bool csv_reader::quoted_field(std::string_view &field, std::string &err)
{
    // Up to the closing quote; "" is one quote; line breaks are kept.
    const char *d = data_.data();
    const size_t n = data_.size(), start_line = next_line_, begin = ++pos_;
    std::string *undone = nullptr; // only a field with a doubled quote is copied
    for (;;) {
        const void *q = std::memchr(d + pos_, '"', n - pos_);
        if (!q)
            return refuse(err,
                          "line " + std::to_string(start_line) + ": a quoted field is not closed");
        size_t at = size_t(static_cast<const char *>(q) - d);
        next_line_ += size_t(std::count(d + pos_, d + at, '\n'));
        if (undone) undone->append(d + pos_, at - pos_);
        pos_ = at + 1;
        if (pos_ < n && d[pos_] == '"') {
            if (!undone) {
                if (unquoted_used_ == unquoted_.size()) unquoted_.emplace_back();
                undone = &unquoted_[unquoted_used_++];
                undone->assign(d + begin, at - begin);
            }
            undone->push_back('"');
            ++pos_;
            continue;
        }
        field = undone ? std::string_view(*undone) : std::string_view(d + begin, at - begin);
        break;
    }
    bool at_end = pos_ >= n || d[pos_] == '\n' ||
                  (d[pos_] == '\r' && pos_ + 1 < n && d[pos_ + 1] == '\n') || at_sep(pos_);
    if (!at_end)
        return refuse(err, "line " + std::to_string(next_line_) +
                               ": text after the closing quote of a field");
    return true;
}

bool csv_reader::next(std::vector<std::string_view> &fields, std::string &err)
{
    fields.clear();
    err.clear();
    unquoted_used_ = 0;
    for (;;) { // blank lines hold no record
        if (pos_ < data_.size() && data_[pos_] == '\n')
            ++pos_;
        else if (data_.compare(pos_, 2, "\r\n") == 0)
            pos_ += 2;
        else
            break;
        ++next_line_;
    }
    if (pos_ >= data_.size()) return false;
    line_ = next_line_;
    const char *d = data_.data();
    const size_t n = data_.size();
    const bool one_byte = sep_.size() == 1;
    const char s0 = sep_.empty() ? '\n' : sep_[0];
    for (;;) {
        std::string_view field;
        if (pos_ < n && d[pos_] == '"') {
            if (!quoted_field(field, err)) return false;
        } else {
            size_t end = pos_;
            for (; end < n; ++end) {
                char c = d[end];
                if (c == '\n' || c == '"' || (c == s0 && (one_byte || at_sep(end)))) break;
            }
            if (end < n && d[end] == '"')
                return refuse(err, "line " + std::to_string(next_line_) +
                                       ": a quote inside a field that is not quoted");
            size_t len = end - pos_;
            if (len && d[end - 1] == '\r' && end < n && d[end] == '\n') --len;
            field = std::string_view(d + pos_, len);
            pos_ = end;
        }
        fields.push_back(field);
        if (pos_ >= n) return true;
        if (at_sep(pos_)) {
            pos_ += sep_.size();
            continue;
        }
        if (d[pos_] == '\r') ++pos_;
        ++pos_; // the line feed
        ++next_line_;
        return true;
    }
}

bool csv_reader::next(std::vector<std::string> &fields, std::string &err)
{
    bool ok = next(views_, err);
    fields.assign(views_.begin(), views_.end());
    return ok;
}

} // namespace vela
