// The CSV reader and writer: what is written reads back to the same records, and a broken
// file fails naming its line.
#include "csv.h"

#include <gtest/gtest.h>

using namespace vela;

namespace {

using records = std::vector<std::vector<std::string>>;

records read_all(const std::string &text, const std::string &sep, std::string &err)
{
    csv_reader in(text, sep);
    records out;
    std::vector<std::string> fields;
    while (in.next(fields, err)) out.push_back(fields);
    return out;
}

TEST(csv, records_survive_a_round_trip_with_any_separator)
{
    const records cases[] = {
        {{"a", "b"}, {"", ""}},
        {{"x,y", "q\"uo\"te", "line\nbreak", "cr\rhere"}},
        {{""}, {"only"}, {""}},
        {{"\xEF\xBB\xBFstarts with a byte order mark", "tab\there"}},
        {{"\xe4\xb8\xad\xe3\x80\x81\xe6\x96\x87", "-1", "2024-01-01 10:00:00"}},
        {{"\"", "a\"\"b", "\"\n\"", "plain", "\"end"}, {"\"again\""}},
    };
    for (const char *sep : {",", ";", " ", "-", ":", "\t", "\xe3\x80\x81"})
        for (const auto &want : cases) {
            std::string text, err;
            for (const auto &r : want) csv_put_record(text, r, sep);
            EXPECT_EQ(read_all(text, sep, err), want) << "[" << sep << "] " << text;
            EXPECT_EQ(err, "");
        }
}

TEST(csv, reading_what_others_write)
{
    std::string err;
    EXPECT_EQ(read_all("\xEF\xBB\xBF"
                       "a,b\r\n\r\n1,\"2\r\n3\"\r\n",
                       ",", err),
              (records{{"a", "b"}, {"1", "2\r\n3"}}));
    EXPECT_EQ(read_all("a,b", ",", err), (records{{"a", "b"}})) << "no line end at the end";
}

TEST(csv, broken_files_fail_naming_the_line)
{
    struct {
        const char *text, *reason;
    } cases[] = {
        {"a\nb\n\"open\nstill open\n", "line 3: a quoted field is not closed"},
        {"a\n\"q\"x,b\n", "line 2: text after the closing quote"},
        {"a\n\nb\"c\n", "line 3: a quote inside a field that is not quoted"},
    };
    for (const auto &c : cases) {
        std::string err;
        read_all(c.text, ",", err);
        EXPECT_EQ(err.rfind(c.reason, 0), 0u) << c.text << " -> " << err;
    }
    std::string err;
    for (const char *bad : {"", "ab", "\"", "\n"}) EXPECT_FALSE(valid_separator(bad, err)) << bad;
}

} // namespace
