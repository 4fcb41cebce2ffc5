#pragma once
// CSV as files hold it: RFC 4180 quoting (a field that holds the separator, a quote or a line
// break is quoted, quotes inside are doubled), UTF-8, "\n" line ends (a "\r\n" is read as
// one), and a separator that is any one character, tab included.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace vela {

// Appends one field, quoted when it must be.
void csv_put_field(std::string &out, std::string_view field, std::string_view sep);
// Appends a record and its line end.
void csv_put_record(std::string &out, const std::vector<std::string> &fields,
                    const std::string &sep);

// Reads records one at a time from a buffer that outlives the reader.
class csv_reader {
public:
    csv_reader(const std::string &data, std::string sep);
    // False at the end of the data, or on a malformed record (then err is set and names the
    // line). Blank lines are skipped; one empty field is written as "".
    // The fields point into the data, or into the reader for a field whose quotes it undid;
    // they stay valid until the next call.
    bool next(std::vector<std::string_view> &fields, std::string &err);
    // The same, copied.
    bool next(std::vector<std::string> &fields, std::string &err);
    // The line the last record started on, counting from 1.
    size_t line() const { return line_; }

private:
    bool quoted_field(std::string_view &field, std::string &err);
    bool at_sep(size_t pos) const;

    const std::string &data_;
    std::string sep_;
    size_t pos_ = 0, line_ = 0, next_line_ = 1;
    // Fields with doubled quotes, undone; a deque, so that earlier ones stay put.
    std::deque<std::string> unquoted_;
    size_t unquoted_used_ = 0;
    std::vector<std::string_view> views_;
};

// A separator is one UTF-8 character that is not a quote or a line break.
bool valid_separator(const std::string &sep, std::string &err);

} // namespace vela
