#include "db_access.h"
#include "exec_log.h"
#include "scripted_peer.h"
#include "velalink.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QTime>
#include <gtest/gtest.h>

#include <cstring>

using namespace vela_test;

namespace {

struct column {
    std::string name;
    uint8_t width;
    uint8_t is_unsigned;
    uint8_t kind;
};

std::string header(const std::vector<column> &cols, uint64_t rows)
{
    std::string p = le_u64(cols.size());
    for (const column &c : cols) p += le_u64(c.name.size()) + c.name;
    p += le_u64(rows);
    if (rows > 0)
        for (const column &c : cols)
            p += std::string{static_cast<char>(c.width), static_cast<char>(c.is_unsigned),
                             static_cast<char>(c.kind)};
    return p;
}

std::string str_value(const std::string &s)
{
    return le_u16(static_cast<uint16_t>(s.size())) + s;
}

std::string ok_reply(const std::string &payload)
{
    return reply_frame(0, payload);
}

// A payload of one string column named `name` holding `values`, as "show tables;" answers.
std::string string_rows(const std::string &name, const std::vector<std::vector<std::string>> &rows,
                        int cols = 1)
{
    std::vector<column> c;
    for (int i = 0; i < cols; ++i) c.push_back({name + std::to_string(i), 6, 0, 2});
    std::string p = header(c, rows.size());
    uint64_t sid = 1;
    for (const auto &row : rows) {
        p += le_u64(sid++);
        for (const std::string &v : row) p += str_value(v);
    }
    return p;
}

std::string sent_text(const std::string &frame)
{
    return frame.substr(4);
}

class db_access_peer : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        peer_ = new scripted_peer;
        peer_->answer(reply_frame(0));
        connected_ = connect_to_server("127.0.0.1", peer_->port(), "tester", "secret");
    }
    static void TearDownTestSuite()
    {
        exit_to_server();
        delete peer_;
        peer_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(connected_);
        frames_before_ = peer_->frames().size();
    }
    // The statements sent by this test so far.
    std::vector<std::string> sent() const
    {
        std::vector<std::string> out;
        const auto all = peer_->frames();
        for (std::size_t i = frames_before_; i < all.size(); ++i) out.push_back(sent_text(all[i]));
        return out;
    }

    static scripted_peer *peer_;
    static bool connected_;
    std::size_t frames_before_ = 0;
    exec_log log_;
    db_access db_{"vela_db", &log_};
};

scripted_peer *db_access_peer::peer_ = nullptr;
bool db_access_peer::connected_ = false;

const QString line_pattern =
    QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} execute sql:<div "
                   "style='color:#52a6c4'>    %1</div><br>"
                   "    result: %2 , use time: <b>\\d+\\.\\d{6}</b> us\\.<br>$");

} // namespace

TEST_F(db_access_peer, run_sql_sends_the_bytes_and_logs_one_escaped_line)
{
    peer_->answer(ok_reply(""));
    QString line;
    const QByteArray sql = "select a from t where a < 3 && b > \"x\";";
    result_set *rs = db_.run_sql(sql, line);
    ASSERT_NE(rs, nullptr);
    del_datas(rs);
    ASSERT_EQ(sent(), std::vector<std::string>{sql.toStdString()});
    const QRegularExpression re(line_pattern.arg(
        QRegularExpression::escape(
            "select a from t where a &lt; 3 &amp;&amp; b &gt; &quot;x&quot;;"),
        QRegularExpression::escape("<span style='color:green'>successful</span>")));
    EXPECT_TRUE(re.match(line).hasMatch()) << line.toStdString();
    const QDateTime stamp = QDateTime::fromString(line.left(23), "yyyy-MM-dd hh:mm:ss.zzz");
    EXPECT_LT(std::abs(stamp.msecsTo(QDateTime::currentDateTime())), 2000) << "local time now";
    EXPECT_TRUE(log_.html().contains("select a from t where a &lt; 3"))
        << "the line went to the log";
}

TEST_F(db_access_peer, a_failed_statement_is_logged_in_red_with_its_time_and_reason)
{
    struct {
        std::string reason;
        QString shown;
    } const cases[] = {
        {"no table <nope> & \"more\"", "no table <nope> & \"more\""},
        {"", "the server refused the statement"},
    };
    for (const auto &c : cases) {
        peer_->answer(reply_frame(1, c.reason));
        QString line;
        EXPECT_EQ(db_.run_sql("drop table nope;", line), nullptr);
        const QRegularExpression re(line_pattern.arg(
            "drop table nope;",
            QRegularExpression::escape("<span style='color:red'>failed    </span> (" +
                                       c.shown.toHtmlEscaped() + ")")));
        EXPECT_TRUE(re.match(line).hasMatch()) << line.toStdString();
        EXPECT_EQ(db_access::last_reason(), c.shown);
    }
    peer_->answer(reply_frame(0));
    db_access::release(db_.run_sql("select 1;"));
    EXPECT_EQ(db_access::last_reason(), "") << "a success clears the reason";
}

TEST_F(db_access_peer, no_log_hands_the_line_back_only_and_newest_lines_go_on_top)
{
    peer_->answer(ok_reply(""));
    peer_->answer(ok_reply(""));
    peer_->answer(ok_reply(""));
    QString line;
    del_datas(db_.run_sql("first;", line));
    del_datas(db_.run_sql("quiet;", line, true));
    EXPECT_TRUE(line.contains("quiet;"));
    EXPECT_FALSE(log_.html().contains("quiet;"));
    del_datas(db_.run_sql("second;"));
    const QString text = log_.html();
    ASSERT_TRUE(text.contains("first;") && text.contains("second;"));
    EXPECT_LT(text.indexOf("second;"), text.indexOf("first;"));
}

TEST_F(db_access_peer, every_column_type_becomes_its_variant)
{
    const std::vector<column> cols = {
        {"u8", 0, 1, 0},  {"i8", 0, 0, 0},           {"u16", 1, 1, 0}, {"i32", 2, 0, 0},
        {"u64", 3, 1, 0}, {"i64", 3, 0, 0},          {"f", 2, 0, 1},   {"d", 3, 0, 1},
        {"s4", 2, 0, 2},  {"s256", 10, 0, 2},        {"dt", 0, 0, 3},  {"tm", 0, 0, 4},
        {"dtm", 0, 0, 5}, {"\xe5\x90\x8d", 5, 0, 2},
    };
    std::string p = header(cols, 2);
    auto row = [&](uint64_t sid, uint8_t u8, int8_t i8, uint16_t u16, int32_t i32, uint64_t u64,
                   int64_t i64, float f, double d, const std::string &s4, const std::string &s256,
                   const std::string &name) {
        p += le_u64(sid);
        p += std::string(1, static_cast<char>(u8));
        p += std::string(1, static_cast<char>(i8));
        p += le_u16(u16);
        p += le_u32(static_cast<uint32_t>(i32));
        p += le_u64(u64);
        p += le_u64(static_cast<uint64_t>(i64));
        uint32_t fb;
        std::memcpy(&fb, &f, 4);
        p += le_u32(fb);
        uint64_t db;
        std::memcpy(&db, &d, 8);
        p += le_u64(db);
        p += str_value(s4) + str_value(s256);
        p += le_u16(2024) + "\x02\x1d";                          // date 2024-02-29
        p += std::string("\x17\x3b\x3a", 3) + le_u32(123456789); // 23:59:58.123
        p += le_u16(1999) + "\x0c\x1f" + std::string("\x01\x02\x03", 3) + le_u32(999999999);
        p += str_value(name);
    };
    row(7, 250, -5, 65535, -70000, 18446744073709551615ull, -9000000000ll, 1.5f, -2.25, "abc",
        "x y", "\xe4\xb8\xad");
    row(42, 0, 127, 0, 0, 0, 0, 0.0f, 0.0, "", "", "");
    peer_->answer(ok_reply(p));

    QStringList names, types;
    table_rows rows;
    std::vector<uint64_t> ids;
    QString line;
    ASSERT_TRUE(db_.run_sql_table("select * from t;", names, rows, types, line, false, &ids));
    EXPECT_EQ(names, (QStringList{"u8", "i8", "u16", "i32", "u64", "i64", "f", "d", "s4", "s256",
                                  "dt", "tm", "dtm", QString::fromUtf8("名")}));
    EXPECT_EQ(types,
              (QStringList{"u08", "i08", "u16", "i32", "u64", "i64", "float", "double", "string04",
                           "string256", "date", "time", "datetime", "string08"}));
    EXPECT_EQ(ids, (std::vector<uint64_t>{7, 42}));
    ASSERT_EQ(rows.size(), 2);
    const QVariantList &r = rows[0];
    ASSERT_EQ(r.size(), 14);
    EXPECT_EQ(r[0], QVariant(250u));
    EXPECT_EQ(r[1], QVariant(-5));
    EXPECT_EQ(r[2], QVariant(65535u));
    EXPECT_EQ(r[3], QVariant(-70000));
    EXPECT_EQ(r[4], QVariant(18446744073709551615ull));
    EXPECT_EQ(r[5], QVariant(-9000000000ll));
    EXPECT_EQ(r[6].userType(), QMetaType::Float);
    EXPECT_EQ(r[6].toFloat(), 1.5f);
    EXPECT_EQ(r[7].userType(), QMetaType::Double);
    EXPECT_EQ(r[7].toDouble(), -2.25);
    EXPECT_EQ(r[8], QVariant(QString("abc")));
    EXPECT_EQ(r[9], QVariant(QString("x y")));
    EXPECT_EQ(r[10], QVariant(QDate(2024, 2, 29)));
    EXPECT_EQ(r[11], QVariant(QTime(23, 59, 58, 123)));
    EXPECT_EQ(r[12], QVariant(QDateTime(QDate(1999, 12, 31), QTime(1, 2, 3, 999), Qt::LocalTime)));
    EXPECT_EQ(r[13], QVariant(QString::fromUtf8("中")));
    ASSERT_EQ(rows[1].size(), 14) << "empty strings still take their column";
    EXPECT_EQ(rows[1][8], QVariant(QString("")));
}

TEST_F(db_access_peer, zero_bytes_inside_texts_are_kept)
{
    // The dialect's strings and bracketed names may hold a zero byte; nothing after it
    // may be lost on the way to the grid, the tree or the log.
    const std::string nul_value("a\0b", 3), nul_name("t\0x", 3);
    std::string p = header({{"s", 7, 0, 2}}, 1);
    p += le_u64(1) + str_value(nul_value);
    peer_->answer(ok_reply(p));
    QStringList names, types;
    table_rows rows;
    QString line;
    ASSERT_TRUE(db_.run_sql_table(QByteArray("select * from t where s = \"a\0b\";", 32), names,
                                  rows, types, line));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0].toString(), QString::fromUtf8(nul_value.data(), 3));
    EXPECT_TRUE(line.contains("b&quot;;</div>"))
        << "the log line keeps the text after the zero byte";

    peer_->answer(ok_reply(string_rows("name", {{nul_name}, {"people"}})));
    QStringList tables;
    ASSERT_TRUE(db_.table_names(tables));
    EXPECT_EQ(tables, (QStringList{QString::fromUtf8(nul_name.data(), 3), "people"}));
}

TEST_F(db_access_peer, columns_without_rows_give_names_only)
{
    peer_->answer(ok_reply(header({{"id", 2, 1, 0}, {"name", 6, 0, 2}}, 0)));
    QStringList names, types;
    table_rows rows;
    QString line;
    ASSERT_TRUE(db_.run_sql_table("select * from empty;", names, rows, types, line));
    EXPECT_EQ(names, (QStringList{"id", "name"}));
    EXPECT_TRUE(types.isEmpty());
    EXPECT_TRUE(rows.isEmpty());
}

TEST_F(db_access_peer, an_unknown_cell_type_empties_everything)
{
    std::string p = header({{"id", 2, 1, 0}, {"odd", 0, 0, 9}}, 1);
    p += le_u64(1) + le_u32(5);
    peer_->answer(ok_reply(p));
    QStringList names, types;
    table_rows rows;
    std::vector<uint64_t> ids;
    QString line;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(db_.run_sql_table("select * from t;", names, rows, types, line, true, &ids));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "bad type\n");
    EXPECT_TRUE(names.isEmpty() && types.isEmpty() && rows.isEmpty() && ids.empty());
}

TEST_F(db_access_peer, failed_query_reports_false)
{
    peer_->answer(reply_frame(1));
    QStringList names, types;
    table_rows rows;
    QString line;
    EXPECT_FALSE(db_.run_sql_table("select * from nope;", names, rows, types, line));
    EXPECT_TRUE(names.isEmpty());
}

TEST_F(db_access_peer, table_and_field_lists)
{
    peer_->answer(ok_reply(string_rows("name", {{"people"}, {"my table"}})));
    QStringList tables;
    ASSERT_TRUE(db_.table_names(tables));
    EXPECT_EQ(tables, (QStringList{"people", "my table"}));

    peer_->answer(
        ok_reply(string_rows("c", {{"id", "u32", "true"}, {"name", "string16", "false"}}, 3)));
    QStringList fields, types, repeats;
    ASSERT_TRUE(db_.table_fields("my table", fields, types, repeats));
    EXPECT_EQ(fields, (QStringList{"id", "name"}));
    EXPECT_EQ(types, (QStringList{"u32", "string16"}));
    EXPECT_EQ(repeats, (QStringList{"true", "false"}));

    peer_->answer(ok_reply(string_rows("c", {}, 3)));
    QStringList none;
    EXPECT_FALSE(db_.field_names("people", none)) << "no field came back";

    EXPECT_EQ(sent(), (std::vector<std::string>{"show tables;", "fields_of [my table];",
                                                "fields_of people;"}));
}

TEST_F(db_access_peer, builders_send_their_text_or_nothing)
{
    peer_->answer(ok_reply(""));
    peer_->answer(reply_frame(1));
    EXPECT_TRUE(db_.add_field("people", "age", "u08", "true"));
    EXPECT_FALSE(db_.remove_table("people"));
    EXPECT_FALSE(db_.remove_table(""));
    EXPECT_FALSE(db_.make_table("t", {}, {}, {}));
    QStringList fields;
    EXPECT_FALSE(db_.field_names("", fields));
    EXPECT_EQ(sent(), (std::vector<std::string>{"alter table people add age u08 ( true );",
                                                "drop table people;"}));
    const QString log = log_.html();
    EXPECT_TRUE(log.contains("failed") && log.contains("successful"));
}

TEST(db_access_log, the_log_keeps_its_newest_lines_within_an_eighth_past_the_cap)
{
    exec_log log;
    int changes = 0;
    QObject::connect(&log, &exec_log::changed, [&] { ++changes; });
    log.add("<p>oldest</p>");
    for (int i = 0; log.html().size() <= exec_log::cap; ++i)
        log.add(QStringLiteral("<p>line %1 of the execution log</p>").arg(i));
    const int before = log.html().size();
    log.add("<p>newest</p>");
    const QString html = log.html();
    EXPECT_TRUE(html.startsWith("<p>newest</p><p>line ")) << "newest first";
    EXPECT_FALSE(html.contains("oldest"));
    EXPECT_TRUE(html.endsWith("log</p>")) << "cut between lines";
    EXPECT_LE(html.size(), before / 8 + 13);
    EXPECT_GT(html.size(), before / 8 - 40);

    // A newest line longer than the eighth is cut itself rather than dropped whole.
    log.add(QString(exec_log::cap * 2, 'x'));
    const int eighth = log.html().size() / 8;
    log.add("<p>top</p>");
    EXPECT_EQ(log.html(), "<p>top</p>" + QString(eighth, 'x'));
    EXPECT_GT(changes, 0);

    log.clear();
    EXPECT_TRUE(log.html().isEmpty());
}

TEST(db_access_log, newest_within_counts_whole_lines_from_the_top)
{
    exec_log log;
    for (const char *l : {"<p>old</p>", "<p>middle</p>", "<p>new</p>"}) log.add(l);
    const struct {
        int chars, expected;
    } cases[] = {{100, 33}, {33, 33}, {32, 23}, {23, 23}, {22, 10}, {10, 10}, {9, 9}, {0, 0}};
    for (const auto &c : cases)
        EXPECT_EQ(log.newest_within(c.chars), c.expected) << "within " << c.chars;
    const quint64 before = log.cuts();
    log.clear();
    EXPECT_NE(log.cuts(), before) << "a view must know the old text is gone";
}

TEST(db_access_log, no_log_means_nothing_is_logged)
{
    db_access db;
    db.append_log("<p>x</p>"); // must not crash
    EXPECT_EQ(db.name(), "vela_db");
}
