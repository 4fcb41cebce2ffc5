#include "csv.h"
#include "refuse.h"

namespace vela {

void csv_put_field(std::string &out, const std::string &field, const std::string &sep)
{
    // A field that starts with a byte order mark is quoted too, or at the start of a file the
    // mark would be read as the file's own and dropped.
    bool quote = field.find(sep) != std::string::npos ||
                 field.find_first_of("\"\n\r") != std::string::npos ||
                 field.compare(0, 3, "\xEF\xBB\xBF") == 0;
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
    if (data_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

bool csv_reader::next(std::vector<std::string> &fields, std::string &err)
{
    fields.clear();
    err.clear();
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
    const size_t n = data_.size();
    std::string field;
    for (;;) {
        field.clear();
        if (pos_ < n && data_[pos_] == '"') {
            // Quoted: up to the closing quote; "" is one quote; line breaks are kept.
            size_t start_line = next_line_;
            ++pos_;
            for (;;) {
                if (pos_ >= n)
                    return refuse(err, "line " + std::to_string(start_line) +
                                           ": a quoted field is not closed");
                char c = data_[pos_++];
                if (c == '"') {
                    if (pos_ < n && data_[pos_] == '"') {
                        field.push_back('"');
                        ++pos_;
                        continue;
                    }
                    break;
                }
                if (c == '\n') ++next_line_;
                field.push_back(c);
            }
            bool at_end = pos_ >= n || data_[pos_] == '\n' ||
                          (data_[pos_] == '\r' && pos_ + 1 < n && data_[pos_ + 1] == '\n') ||
                          data_.compare(pos_, sep_.size(), sep_) == 0;
            if (!at_end)
                return refuse(err, "line " + std::to_string(next_line_) +
                                       ": text after the closing quote of a field");
        } else {
            size_t end = pos_;
            while (end < n && data_[end] != '\n' && data_.compare(end, sep_.size(), sep_) != 0)
                ++end;
            field.assign(data_, pos_, end - pos_);
            if (!field.empty() && field.back() == '\r' && end < n && data_[end] == '\n')
                field.pop_back();
            if (field.find('"') != std::string::npos)
                return refuse(err, "line " + std::to_string(next_line_) +
                                       ": a quote inside a field that is not quoted");
            pos_ = end;
        }
        fields.push_back(field);
        if (pos_ >= n) return true;
        if (data_.compare(pos_, sep_.size(), sep_) == 0) {
            pos_ += sep_.size();
            continue;
        }
        if (data_[pos_] == '\r') ++pos_;
        ++pos_; // the line feed
        ++next_line_;
        return true;
    }
}

} // namespace vela
