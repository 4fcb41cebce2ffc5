// The incremental parse against a full parse of the same text, over random scripts and
// random edits, and the reuse that makes it worth having.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lang/incremental_parse.h"
#include "lang/sql_engine.h"
#include "parse_compare.h"

using namespace lang;

namespace {

const grammar &sql()
{
    return sql_engine::instance().sql_grammar();
}

// Statements and pieces of statements: whole ones from the golden scripts, plus fragments
// that open or close comments, strings, raw strings and brackets.
const std::vector<std::string> &pieces()
{
    static const std::vector<std::string> all = [] {
        std::vector<std::string> v;
        for (const char *name : {"queries", "changes", "broken", "tabs"}) {
            std::ifstream in(std::string(VELA_SOURCE_DIR) + "/tests/lang/golden/" + name + ".sql",
                             std::ios::binary);
            std::string line;
            while (std::getline(in, line)) v.push_back(line + "\n");
        }
        for (const char *s : {"select a from t;",
                              "select 1",
                              " ",
                              "\n",
                              ";",
                              ";;",
                              "/*",
                              "*/",
                              "/* c */",
                              "#",
                              "// x\n",
                              "\"",
                              "\"s\\\"q\"",
                              "'",
                              "'\\''",
                              "@\"(",
                              ")\"",
                              "@\"d(x)\"y)d\"",
                              "(",
                              ")",
                              "selec",
                              "t",
                              "from",
                              " where a == 1",
                              "\r",
                              "\xE2\x86\xB4",
                              "\xFF",
                              "0x1F",
                              "1.5e3",
                              "abs(",
                              "[na me]",
                              "update t set a = 1",
                              "delete from t",
                              "select *"})
            v.push_back(s);
        return v;
    }();
    return all;
}

struct edit {
    uint64_t at, removed;
    std::string inserted;
};

class edit_runner {
public:
    explicit edit_runner(uint32_t seed) : rng_(seed), inc_(sql()) {}

    std::string make_script(size_t target)
    {
        std::string s;
        while (s.size() < target) s += pick();
        return s;
    }

    // An edit somewhere in the text: at 0, at the end, just inside a comment or a string,
    // or anywhere; insertions, deletions and replacements of a few bytes or of whole lines.
    edit random_edit(const std::string &text)
    {
        uint64_t n = text.size();
        uint64_t at;
        switch (rng_() % 6) {
        case 0:
            at = 0;
            break;
        case 1:
            at = n;
            break;
        case 2: { // next to a quote, a comment opener or a line end
            size_t from = n ? rng_() % n : 0;
            size_t hit = text.find_first_of("\"'/*#\n;", from);
            at = hit == std::string::npos ? n : hit + rng_() % 2;
            if (at > n) at = n;
            break;
        }
        default:
            at = n ? rng_() % (n + 1) : 0;
        }
        edit e{at, 0, {}};
        uint64_t room = n - at;
        switch (rng_() % 3) {
        case 0:
            e.inserted = rng_() % 2 ? pick() : pick().substr(0, 1 + rng_() % 3);
            break;
        case 1:
            e.removed = std::min<uint64_t>(room, rng_() % 4 == 0 ? rng_() % 200 : 1 + rng_() % 6);
            break;
        default:
            e.removed = std::min<uint64_t>(room, rng_() % 12);
            e.inserted = pick();
        }
        return e;
    }

    // Applies e to text and to the incremental parse; returns the inverse edit.
    edit apply(std::string &text, const edit &e)
    {
        edit undo{e.at, e.inserted.size(), text.substr(e.at, e.removed)};
        text.replace(e.at, e.removed, e.inserted);
        inc_.apply(text, e.at, e.removed, e.inserted.size());
        return undo;
    }

    incremental_parse &inc() { return inc_; }

private:
    std::string pick() { return pieces()[rng_() % pieces().size()]; }
    std::mt19937 rng_;
    incremental_parse inc_;
};

std::string describe(const edit &e)
{
    return "edit at " + std::to_string(e.at) + " removing " + std::to_string(e.removed) +
           " inserting \"" + e.inserted + "\"";
}

} // namespace

TEST(incremental_parse, random_edits_give_what_a_full_parse_gives)
{
    size_t edits = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        edit_runner run(seed);
        std::string text = run.make_script(200 + seed * 300);
        run.inc().reset(text);
        ASSERT_EQ(parse_compare::difference(sql(), run.inc(), text), "") << "seed " << seed;
        for (int step = 0; step < 300; ++step) {
            edit e = run.random_edit(text);
            edit undo = run.apply(text, e);
            ++edits;
            ASSERT_EQ(parse_compare::difference(sql(), run.inc(), text), "")
                << "seed " << seed << " step " << step << " " << describe(e);
            if (step % 3 == 0) { // and back again
                run.apply(text, undo);
                ++edits;
                ASSERT_EQ(parse_compare::difference(sql(), run.inc(), text), "")
                    << "seed " << seed << " step " << step << " undoing " << describe(e);
            }
        }
    }
    EXPECT_GT(edits, 4000u);
}

TEST(incremental_parse, edits_at_the_edges_of_the_text)
{
    incremental_parse inc(sql());
    std::string text;
    inc.reset(text);
    const std::vector<edit> steps = {
        {0, 0, "select a"},  {8, 0, "b"}, {9, 0, " from t"}, {0, 0, "\n"},
        {0, 1, ""},          {0, 16, ""}, {0, 0, "/*"},      {2, 0, "*/x"},
        {0, 5, "select 1;"}, {9, 0, ";"}, {9, 1, ""},        {0, 9, ""},
    };
    for (const edit &e : steps) {
        text.replace(e.at, e.removed, e.inserted);
        inc.apply(text, e.at, e.removed, e.inserted.size());
        ASSERT_EQ(parse_compare::difference(sql(), inc, text), "") << describe(e);
    }
    // An edit that does not fit the text parses it from scratch.
    inc.apply("select q", 50, 3, 1);
    EXPECT_EQ(parse_compare::difference(sql(), inc, "select q"), "");
}

TEST(incremental_parse, keeps_the_statements_an_edit_does_not_reach)
{
    std::string unit = "select a, b from t where a == 1 order by a desc;\n";
    std::string text;
    for (int i = 0; i < 200; ++i) text += unit;
    incremental_parse inc(sql());
    inc.reset(text);
    ASSERT_EQ(inc.stop(), static_cast<int32_t>(text.size()));

    struct case_t {
        const char *what;
        uint64_t at;
        std::string inserted;
    };
    for (const case_t &c :
         {case_t{"typing at the end", text.size(), "s"}, case_t{"typing at the start", 0, " "},
          case_t{"typing in the middle", 100 * unit.size() + 8, "x"}}) {
        std::string t = text;
        inc.reset(t);
        t.insert(c.at, c.inserted);
        inc.apply(t, c.at, 0, c.inserted.size());
        EXPECT_EQ(parse_compare::difference(sql(), inc, t), "") << c.what;
        EXPECT_LE(inc.reparsed_bytes(), 3 * unit.size()) << c.what;
    }

    // A statement broken by an edit and mended by the next: the trees after it wait and are
    // taken up again.
    std::string t = text;
    inc.reset(t);
    const uint64_t at = 100 * unit.size() + 3; // inside "select"
    t.erase(at, 1);
    inc.apply(t, at, 1, 0);
    ASSERT_LT(inc.stop(), static_cast<int32_t>(t.size()));
    EXPECT_EQ(parse_compare::difference(sql(), inc, t), "");
    EXPECT_GT(inc.spare_count(), 90u);
    t.insert(at, "e");
    inc.apply(t, at, 0, 1);
    EXPECT_EQ(parse_compare::difference(sql(), inc, t), "");
    EXPECT_LE(inc.reparsed_bytes(), 3 * unit.size());
}
