// The grid model over results a scripted peer serves: every cell the model shows equals what
// the database layer's rows of variants give for the same payload, sorting agrees with
// comparing those variants, sparse roles and marks follow their rows, and a million rows
// load and sort.
#include "db_access.h"
#include "client/payload_builder.h"
#include "tab_data_model.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDateTime>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

using namespace vela_test;

namespace {

// Sets TZ for the life of the object (a zone with daylight-saving changes), then puts the
// old value back.
class zone_scope {
public:
    explicit zone_scope(const char *zone)
    {
        if (const char *old = std::getenv("TZ")) old_ = old, had_ = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~zone_scope()
    {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string old_;
    bool had_ = false;
};

// Two variants hold the same value of the same type: reals bit for bit (NaN included),
// date-times in the same zone with the same wall clock and instant.
::testing::AssertionResult same(const QVariant &a, const QVariant &b)
{
    auto fail = [&]() {
        return ::testing::AssertionFailure()
               << a.typeName() << " " << a.toString().toStdString() << " vs " << b.typeName() << " "
               << b.toString().toStdString();
    };
    if (a.userType() != b.userType() || a.isNull() != b.isNull()) return fail();
    switch (a.userType()) {
    case QMetaType::Float: {
        const float x = a.toFloat(), y = b.toFloat();
        return std::memcmp(&x, &y, sizeof x) == 0 ? ::testing::AssertionSuccess() : fail();
    }
    case QMetaType::Double: {
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0 ? ::testing::AssertionSuccess() : fail();
    }
    case QMetaType::QDateTime: {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        const bool eq = x.isValid() == y.isValid() && x.timeSpec() == y.timeSpec() &&
                        x.date() == y.date() && x.time() == y.time() &&
                        (!x.isValid() || x.toMSecsSinceEpoch() == y.toMSecsSinceEpoch());
        return eq ? ::testing::AssertionSuccess() : fail();
    }
    default:
        return a == b && a.toString() == b.toString() ? ::testing::AssertionSuccess() : fail();
    }
}

// The order rows of variants had before typed storage: texts without regard to case, reals
// with NaN last, date-times by instant, everything else as the variants compare; stable.
std::vector<int> reference_order(const QList<QVariantList> &rows, int col)
{
    std::vector<int> perm(size_t(rows.size()));
    for (size_t i = 0; i < perm.size(); ++i) perm[i] = int(i);
    auto less = [&](int ia, int ib) {
        const QVariant &a = rows[ia][col], &b = rows[ib][col];
        switch (a.userType()) {
        case QMetaType::QString:
            return a.toString().compare(b.toString(), Qt::CaseInsensitive) < 0;
        case QMetaType::Float:
        case QMetaType::Double: {
            const double x = a.toDouble(), y = b.toDouble();
            if (std::isnan(x) || std::isnan(y)) return !std::isnan(x) && std::isnan(y);
            return x < y;
        }
        case QMetaType::QDateTime: {
            auto key = [](const QDateTime &d) {
                return d.isValid() ? d.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
            };
            return key(a.toDateTime()) < key(b.toDateTime());
        }
        default:
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
            return a < b;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
        }
    };
    std::stable_sort(perm.begin(), perm.end(), less);
    return perm;
}

class ModelColumns : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        peer_ = new scripted_peer;
        peer_->answer(reply_frame(0));
        connected_ = db_access::login("127.0.0.1", peer_->port(), "tester", "secret");
    }
    static void TearDownTestSuite()
    {
        db_access::logout();
        delete peer_;
        peer_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(connected_); }

    // Loads `payload` into `m` through the whole road of a query.
    static bool load(tab_data_model &m, const std::string &payload)
    {
        peer_->answer(reply_frame(0, payload));
        return m.load_rows("select * from t", true);
    }

    static scripted_peer *peer_;
    static bool connected_;
    db_access db_;
};

scripted_peer *ModelColumns::peer_ = nullptr;
bool ModelColumns::connected_ = false;

std::string raw_float(float f)
{
    return v_float(f);
}

// One column of every type the grid shows, with the values most likely to go wrong.
std::string every_type_payload()
{
    const std::vector<column_desc> cols = {
        {"u8", 0, 1, 0},  {"i8", 0, 0, 0},  {"u16", 1, 1, 0}, {"i16", 1, 0, 0},
        {"u32", 2, 1, 0}, {"i32", 2, 0, 0}, {"u64", 3, 1, 0}, {"i64", 3, 0, 0},
        {"f", 2, 0, 1},   {"d", 3, 0, 1},   {"s4", 2, 0, 2},  {"s256", 10, 0, 2},
        {"day", 0, 0, 3}, {"tm", 0, 0, 4},  {"at", 0, 0, 5},  {"[a b]", 6, 0, 2},
    };
    // Integer bytes: zero, all ones, only the top bit, all but the top bit, then mixed.
    const uint64_t ints[] = {0,       ~0ull,     1ull << 63, ~0ull >> 1, 1,
                             0x80ull, 0x7fffull, 0x8000ull,  42,         0x1234567890abcdefull};
    const float floats[] = {0.0f,     -0.0f,     std::numeric_limits<float>::quiet_NaN(),
                            INFINITY, -INFINITY, FLT_MAX,
                            1e-45f,   1.5f,      -2.25f,
                            3.0e-12f};
    const double doubles[] = {-0.0,      0.0,      std::numeric_limits<double>::quiet_NaN(),
                              -INFINITY, INFINITY, DBL_MAX,
                              4.9e-324,  -1e300,   0.1,
                              1.0 / 3};
    const std::string s4[] = {"",
                              std::string("a\0b", 3),
                              "abcdefghij", // longer than the column: cut to three bytes
                              "\xc3\x84"
                              "b",
                              "\xff\xfe",
                              "ZZ",
                              "zz",
                              "Zz",
                              std::string("\0\0", 2),
                              "a"};
    const std::string s256[] = {std::string(300, 'x'), // cut to 255 bytes
                                std::string("nul\0inside\0", 11),
                                "\xe4\xb8\xad\xe6\x96\x87",
                                "",
                                "Apple",
                                "apple",
                                "\xf0\x9f\x98\x80 smile",
                                "\xed\xa0\x80 lone surrogate",
                                "\xef\xbb\xbf"
                                "banana", // a byte order mark in front

                                "APPLE"};
    const int dates[][3] = {{1969, 12, 31},  {1900, 1, 1},  {1, 1, 1},     {2100, 3, 1},
                            {9999, 12, 31},  {0, 1, 1},     {2021, 13, 1}, {2021, 2, 29},
                            {65535, 12, 31}, {1582, 10, 10}};
    const int times[][4] = {{0, 0, 0, 0},  {23, 59, 59, 999999999}, {12, 5, 9, 120000000},
                            {24, 0, 0, 0}, {1, 2, 3, 1000000000},   {1, 2, 3, -1},
                            {0, 60, 0, 0}, {18, 0, 0, 0},           {3, 4, 5, 999999},
                            {12, 0, 0, 1}};
    // Around the changes of 2021 in Europe/Berlin, and far from 1970.
    const int stamps[][6] = {{2021, 3, 28, 1, 59, 59},  {2021, 3, 28, 2, 30, 0},
                             {2021, 3, 28, 3, 0, 0},    {2021, 10, 31, 2, 30, 0},
                             {2021, 10, 31, 1, 30, 0},  {2021, 10, 31, 3, 0, 0},
                             {1969, 7, 20, 20, 17, 40}, {2150, 6, 1, 12, 0, 0},
                             {1900, 1, 1, 0, 0, 0},     {2021, 2, 30, 25, 0, 0}};
    std::vector<row_bytes> rows;
    for (int i = 0; i < 10; ++i) {
        std::string v;
        for (int bytes : {1, 1, 2, 2, 4, 4, 8, 8}) v += v_int(ints[i], bytes);
        v += raw_float(floats[i]) + v_double(doubles[i]) + v_str(s4[i]) + v_str(s256[i]);
        v += v_date(dates[i][0], dates[i][1], dates[i][2]);
        v += v_time(times[i][0], times[i][1], times[i][2], uint32_t(times[i][3]));
        v += v_datetime(stamps[i][0], stamps[i][1], stamps[i][2], stamps[i][3], stamps[i][4],
                        stamps[i][5], uint32_t(i * 1000000));
        v += v_str(s4[9 - i] + s256[i].substr(0, 5));
        rows.push_back({uint64_t(100 + i), v});
    }
    return make_payload(cols, rows);
}

} // namespace

TEST_F(ModelColumns, EveryCellEqualsTheRowsOfVariantsAndSortsAsTheyCompare)
{
    const zone_scope berlin("Europe/Berlin");
    const std::string payload = every_type_payload();

    QStringList names, types;
    table_rows rows;
    std::vector<uint64_t> ids;
    QString log;
    peer_->answer(reply_frame(0, payload));
    ASSERT_TRUE(db_.run_sql_table("select * from t", names, rows, types, log, true, &ids));
    ASSERT_EQ(rows.size(), 10);

    tab_data_model m("t", &db_);
    ASSERT_TRUE(load(m, payload));
    ASSERT_EQ(m.rowCount(), rows.size());
    ASSERT_EQ(m.columnCount(), names.size());
    EXPECT_EQ(m.row_ids(), ids);
    for (int c = 0; c < names.size(); ++c) {
        EXPECT_EQ(m.column_name(c), names[c]);
        EXPECT_EQ(m.type_name(c), types[c]);
        for (int r = 0; r < rows.size(); ++r) {
            const QModelIndex i = m.index(r, c);
            EXPECT_TRUE(same(m.data(i, Qt::EditRole), rows[r][c])) << "row " << r << " col " << c;
            EXPECT_EQ(m.data(i).toString(), m.column_delegate(c)->to_text(rows[r][c]));
        }
    }

    for (int c = 0; c < names.size(); ++c) {
        const std::vector<int> want = reference_order(rows, c);
        for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            ASSERT_TRUE(load(m, payload));
            m.sort(c, order);
            std::vector<uint64_t> expected;
            for (int r : want) expected.push_back(ids[size_t(r)]);
            if (order == Qt::DescendingOrder) std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(m.row_ids(), expected) << "column " << names[c].toStdString();
        }
    }
}

TEST_F(ModelColumns, DisplayBytesAreTheDelegateTextsInEveryModeAndAfterEdits)
{
    // The search reads cells through the model's short way to their texts; the grid shows
    // them through the delegates. Both have to give the same bytes for every type, in every
    // number display mode, for loaded, edited, written-back, inserted and sorted cells.
    const zone_scope berlin("Europe/Berlin");
    tab_data_model m("t", &db_);
    ASSERT_TRUE(load(m, every_type_payload()));
    const int cols = m.columnCount();
    // Row 8: every cell edited to the value of row 2 (ints as int, the editors' type).
    for (int c = 0; c < cols; ++c) {
        QVariant v = m.data(m.index(2, c), Qt::EditRole);
        if (c < 6) v = QVariant(v.toInt());
        ASSERT_TRUE(m.setData(m.index(8, c), v));
    }
    // Row 3: every cell written back unchanged, as marking a match does; row 4 only styled.
    for (int c = 0; c < cols; ++c) {
        ASSERT_TRUE(m.setData(m.index(3, c), m.data(m.index(3, c), Qt::EditRole)));
        ASSERT_TRUE(m.setData(m.index(4, c), QColor(Qt::red), Qt::ForegroundRole));
    }
    // A double a hair away from its loaded 1/3: equal as variants, another text.
    ASSERT_TRUE(m.setData(m.index(9, 9), 1.0 / 3 + 1e-15));
    ASSERT_TRUE(m.insertRows(6, 2));
    ASSERT_TRUE(m.removeRows(0, 1));
    m.sort(14);

    for (const char *mode : {"Bin", "Dec", "Hex", "Nor"}) {
        ASSERT_TRUE(m.set_number_mode(mode));
        for (int r = 0; r < m.rowCount(); ++r)
            for (int c = 0; c < cols; ++c) {
                const QByteArray want = m.data(m.index(r, c)).toString().toUtf8();
                std::string got = "x";
                m.append_display_text(r, c, got);
                EXPECT_EQ(got, "x" + want.toStdString())
                    << mode << " row " << r << " column " << m.column_name(c).toStdString();
            }
    }
    std::string outside;
    m.append_display_text(m.rowCount(), 0, outside);
    m.append_display_text(0, cols, outside);
    EXPECT_EQ(outside, "");
}

TEST_F(ModelColumns, ARealEditedInItsLastDigitsIsAPendingChange)
{
    // Variants call reals equal up to about twelve digits; an edit further right is still
    // the user's change and has to be sent, and typing the loaded value back undoes it.
    const std::string payload =
        make_payload({{"d", 3, 0, 1}, {"f", 2, 0, 1}}, {{7, v_double(1.0) + raw_float(1.0f)}});
    tab_data_model m("t", &db_);
    ASSERT_TRUE(load(m, payload));
    const struct {
        int column;
        QVariant edit;
    } cases[] = {{0, 1.0000000000001}, {1, 1.0000001f}};
    for (const auto &k : cases) {
        ASSERT_TRUE(m.setData(m.index(0, k.column), k.edit));
        EXPECT_EQ(m.modified_count(), 1) << k.column;
        EXPECT_NE(m.commit_text().indexOf("where __id == 7;"), -1) << k.column;
        ASSERT_TRUE(m.setData(m.index(0, k.column), m.data(m.index(0, k.column), Qt::EditRole)));
        ASSERT_TRUE(m.setData(m.index(0, k.column), k.column ? QVariant(1.0f) : QVariant(1.0)));
        EXPECT_EQ(m.modified_count(), 0) << k.column;
    }
}

TEST_F(ModelColumns, EditedValuesOfAnotherTypeStillSortAsVariants)
{
    // A u08 column holds unsigned values; the editor writes ints. Mixed columns fall back to
    // comparing variants, texts edited into a text column take part in the text order.
    const std::string payload =
        make_payload({{"n", 0, 1, 0}, {"s", 5, 0, 2}}, {{1, v_int(5, 1) + v_str("b")},
                                                        {2, v_int(3, 1) + v_str("D")},
                                                        {3, v_int(9, 1) + v_str("\xc3\xa9")}});
    tab_data_model m("t", &db_);
    ASSERT_TRUE(load(m, payload));
    ASSERT_TRUE(m.setData(m.index(2, 0), int(1)));
    ASSERT_TRUE(m.setData(m.index(0, 1), QString::fromUtf8("\xc3\x89t\xc3\xa9")));
    m.sort(0);
    EXPECT_EQ(m.row_ids(), (std::vector<uint64_t>{3, 2, 1}));
    m.sort(1);
    EXPECT_EQ(m.row_ids(), (std::vector<uint64_t>{2, 3, 1}));
    m.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(m.row_ids(), (std::vector<uint64_t>{1, 3, 2}));
}

TEST_F(ModelColumns, RolesAndMarksStayWithTheirCellsAndNowhereElse)
{
    std::vector<row_bytes> rows;
    for (int i = 0; i < 50; ++i)
        rows.push_back({uint64_t(i), v_int(uint64_t(49 - i), 4) + v_str("r" + std::to_string(i))});
    const std::string payload = make_payload({{"k", 2, 0, 0}, {"name", 6, 0, 2}}, rows);
    tab_data_model m("t", &db_);
    ASSERT_TRUE(load(m, payload));

    // An untouched cell has its value and nothing else.
    EXPECT_EQ(m.itemData(m.index(7, 1)), (QMap<int, QVariant>{{Qt::EditRole, QString("r7")}}));
    EXPECT_FALSE(m.data(m.index(7, 1), Qt::FontRole).isValid());

    ASSERT_TRUE(m.setData(m.index(3, 1), QColor(Qt::red), Qt::ForegroundRole));
    *m.cell_mark(10, 0) = 1;
    ASSERT_TRUE(m.setData(m.index(10, 0), m.data(m.index(10, 0), Qt::EditRole)));
    EXPECT_EQ(m.data(m.index(10, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));

    m.sort(0); // k runs backwards: row r moves to 49 - r
    EXPECT_EQ(m.data(m.index(46, 1), Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(*m.cell_mark(39, 0), 1);
    EXPECT_EQ(m.data(m.index(39, 0), Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    int touched = 0;
    for (int r = 0; r < m.rowCount(); ++r)
        for (int c = 0; c < 2; ++c) {
            touched += m.itemData(m.index(r, c)).size() > 1;
            if (!(r == 39 && c == 0)) {
                EXPECT_EQ(*m.cell_mark(r, c), 0) << r << "," << c;
            }
        }
    EXPECT_EQ(touched, 2);

    // An inserted row takes no role, mark or value of a removed one.
    ASSERT_TRUE(m.removeRows(39, 1));
    ASSERT_TRUE(m.insertRows(39, 1));
    EXPECT_EQ(*m.cell_mark(39, 0), 0);
    EXPECT_EQ(m.data(m.index(39, 0), Qt::EditRole), QVariant(0));
    EXPECT_EQ(m.data(m.index(39, 1), Qt::EditRole), QVariant("abc"));
    EXPECT_EQ(m.data(m.index(39, 1), Qt::FontRole).value<QFont>().weight(), 75);

    // A reload forgets all of it.
    ASSERT_TRUE(load(m, payload));
    EXPECT_FALSE(m.data(m.index(3, 1), Qt::ForegroundRole).isValid());
    EXPECT_EQ(*m.cell_mark(10, 0), 0);
    EXPECT_EQ(m.modified_count() + m.new_count() + m.deleted_count(), 0);
}

TEST_F(ModelColumns, AMillionRowsLoadAndSort)
{
    const int n = std::getenv("VELA_ROWS") ? std::atoi(std::getenv("VELA_ROWS")) : 1000000;
    std::string payload = le_u64(4);
    for (const char *name : {"id", "qty", "name", "at"})
        payload += le_u64(std::strlen(name)) + name;
    payload += le_u64(n);
    payload += std::string("\x03\x00\x00", 3) + std::string("\x01\x01\x00", 3) +
               std::string("\x07\x00\x02", 3) + std::string("\x00\x00\x05", 3);
    payload.reserve(payload.size() + size_t(n) * 50);
    auto name_of = [](int i) {
        return (i % 2 ? "Name-" : "name-") + std::to_string(int64_t(i) * 7919 % 1000);
    };
    for (int i = 0; i < n; ++i) {
        payload += le_u64(uint64_t(i) + 1);
        payload += v_int(uint64_t(i), 8);
        payload += v_int(uint64_t(i % 60000), 2);
        payload += v_str(name_of(i));
        payload += v_datetime(2019, 4, 23, (i / 3600) % 24, (i / 60) % 60, i % 60, 0);
    }
    tab_data_model m("t", &db_);
    ASSERT_TRUE(load(m, payload));
    payload = std::string();
    ASSERT_EQ(m.rowCount(), n);
    for (int i : {0, 1, n / 3, n / 2 + 7, n - 1}) {
        EXPECT_EQ(m.data(m.index(i, 0), Qt::EditRole), QVariant(qlonglong(i)));
        EXPECT_EQ(m.data(m.index(i, 1), Qt::EditRole), QVariant(uint(i % 60000)));
        EXPECT_EQ(m.data(m.index(i, 2)).toString().toStdString(), name_of(i));
        EXPECT_EQ(m.data(m.index(i, 3), Qt::EditRole).toDateTime(),
                  QDateTime(QDate(2019, 4, 23), QTime((i / 3600) % 24, (i / 60) % 60, i % 60)));
        EXPECT_EQ(m.row_id(i), uint64_t(i) + 1);
    }

    // Names differ only in case between odd and even rows: ties keep the table order.
    m.sort(2);
    for (int r = 1; r < n; ++r) {
        const int cmp = m.data(m.index(r - 1, 2))
                            .toString()
                            .compare(m.data(m.index(r, 2)).toString(), Qt::CaseInsensitive);
        ASSERT_LE(cmp, 0) << r;
        if (cmp == 0) {
            ASSERT_LT(m.row_id(r - 1), m.row_id(r)) << r;
        }
    }
    m.sort(0); // back to the table order, which ties keep
    EXPECT_EQ(m.row_id(n / 2), uint64_t(n / 2) + 1);
    m.sort(0); // back to the table order, which ties keep
    EXPECT_EQ(m.row_id(n / 2), uint64_t(n / 2) + 1);
    m.sort(1, Qt::DescendingOrder);
    for (int r = 1; r < n; ++r) {
        const uint a = m.data(m.index(r - 1, 1), Qt::EditRole).toUInt(),
                   b = m.data(m.index(r, 1), Qt::EditRole).toUInt();
        ASSERT_GE(a, b) << r;
        if (a == b) {
            ASSERT_GT(m.row_id(r - 1), m.row_id(r)) << r;
        }
    }
}
