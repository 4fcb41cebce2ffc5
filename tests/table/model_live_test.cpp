// The grid model against a running velaserver: loading, edits and their styling, inserted
// and deleted rows, the commit text and what it does on the server, immediate updates,
// sorting, and texts that try to break out of their literals.
#include "db_access.h"
#include "server_fixture.h"
#include "shot.h"
#include "tab_data_model.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QIcon>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

namespace {

class ModelLive : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server_ = new server_fixture();
        connected_ = db_access::login("127.0.0.1", server_->port(), "admin", "admin");
    }
    static void TearDownTestSuite()
    {
        db_access::logout();
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(connected_); }

    bool run(const QByteArray &sql)
    {
        result_set *rs = db_.run_sql(sql);
        if (!rs) return false;
        db_access::release(rs);
        return true;
    }
    // A fresh table per test: id i32, name of the given string type, rows (1, a) ... in order.
    QString people(const QString &name, const QStringList &names,
                   const QString &str_type = "string08")
    {
        EXPECT_TRUE(db_.make_table(name, {"id", "name"}, {"i32", str_type}, {"false", "true"}));
        for (int i = 0; i < names.size(); ++i)
            EXPECT_TRUE(run("insert into " + db_access::quote_name(name) +
                            " ( id, name ) values ( " + QByteArray::number(i + 1) + ", " +
                            db_access::quote_str(names[i]) + " );"));
        return name;
    }
    static QByteArray select_all(const QString &table)
    {
        return "select * from " + db_access::quote_name(table);
    }
    // The column's edit values in row order.
    static QVariantList column(const tab_data_model &m, int col)
    {
        QVariantList out;
        for (int r = 0; r < m.rowCount(); ++r) out << m.data(m.index(r, col), Qt::EditRole);
        return out;
    }

    static server_fixture *server_;
    static bool connected_;
    db_access db_;
};

server_fixture *ModelLive::server_ = nullptr;
bool ModelLive::connected_ = false;

} // namespace

TEST_F(ModelLive, LoadShowsRowsHeadersAndIds)
{
    const QString t = people("load_t", {"ann", "bob", "cid"});
    tab_data_model m(t, &db_);
    bool editable = false;
    QString log;
    ASSERT_TRUE(m.load_rows(select_all(t), true, &editable, log));
    EXPECT_TRUE(editable);
    EXPECT_TRUE(log.contains("successful"));
    ASSERT_EQ(m.rowCount(), 3);
    ASSERT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::DisplayRole), QVariant("name"));
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::EditRole), QVariant("name"));
    EXPECT_FALSE(m.headerData(0, Qt::Horizontal, Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_EQ(m.headerData(2, Qt::Vertical), QVariant("3"));
    EXPECT_FALSE(m.headerData(3, Qt::Vertical).isValid());
    EXPECT_EQ(m.type_name(0), "i32");
    EXPECT_EQ(m.type_name(1), "string08");
    EXPECT_EQ(m.data(m.index(1, 1)), QVariant("bob"));
    EXPECT_EQ(m.data(m.index(0, 0)), QVariant("1"));
    EXPECT_EQ(m.data(m.index(0, 0), Qt::TextAlignmentRole), QVariant(132));
    EXPECT_EQ(int(m.flags(m.index(2, 1))), 35);
    EXPECT_FALSE(m.column_read_only(1));
    EXPECT_EQ(m.display_text(m.index(2, 1)), "cid");
    std::set<uint64_t> ids(m.row_ids().begin(), m.row_ids().end());
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids.count(tab_data_model::new_row_id), 0u);

    // A query the server refuses leaves the model empty.
    EXPECT_FALSE(m.load_rows("select * from no_such_table", true));
    EXPECT_EQ(m.columnCount(), 0);
    EXPECT_EQ(m.rowCount(), 0);
}

TEST_F(ModelLive, EmptyResultTakesTypesFromTheFieldList)
{
    const QString t = people("empty_t", {});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    EXPECT_EQ(m.rowCount(), 0);
    ASSERT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.type_name(0), "i32");
    EXPECT_EQ(m.type_name(1), "string08");
    // A projection finds its types by name.
    ASSERT_TRUE(m.load_rows("select name from " + t.toUtf8(), true));
    ASSERT_EQ(m.columnCount(), 1);
    EXPECT_EQ(m.type_name(0), "string08");
    // Rows can be added to an empty result and committed.
    ASSERT_TRUE(m.insertRows(0, 1));
    EXPECT_EQ(m.data(m.index(0, 0)), QVariant("abc"));
}

TEST_F(ModelLive, EditRestyleAndRevert)
{
    const QString t = people("edit_t", {"ann", "bob"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    QSignalSpy spy(&m, &tab_data_model::changed);
    const QModelIndex i = m.index(1, 1);
    ASSERT_TRUE(m.setData(i, QString("zed")));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_TRUE(spy.takeFirst().at(0).toBool());
    EXPECT_TRUE(m.data(i, Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(m.data(i, Qt::BackgroundRole).value<QColor>(), QColor(Qt::darkGreen));
    EXPECT_EQ(m.modified_count(), 1);
    // Editing the same cell again changes nothing in the counts.
    ASSERT_TRUE(m.setData(i, QString("zoe")));
    EXPECT_EQ(m.modified_count(), 1);
    spy.clear();
    // Typing the loaded value back: no longer pending.
    ASSERT_TRUE(m.setData(i, QString("bob")));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_FALSE(spy.takeFirst().at(0).toBool());
    EXPECT_FALSE(m.data(i, Qt::FontRole).value<QFont>().italic());
    EXPECT_EQ(m.data(i, Qt::BackgroundRole).value<QColor>(), QColor(Qt::white));
    EXPECT_EQ(m.modified_count(), 0);
    EXPECT_TRUE(m.commit_text().isEmpty());
    // A marked cell is yellow whatever else it is.
    *m.cell_mark(1, 1) = 1;
    ASSERT_TRUE(m.setData(i, QString("zed")));
    EXPECT_EQ(m.data(i, Qt::BackgroundRole).value<QColor>(), QColor(Qt::yellow));
    // Other roles are stored as they come; invalid values are refused.
    EXPECT_TRUE(m.setData(i, QColor(Qt::red), Qt::ForegroundRole));
    EXPECT_EQ(m.itemData(i).value(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(m.setData(i, QVariant()));
    EXPECT_FALSE(m.setData(m.index(5, 0), 1));
}

TEST_F(ModelLive, InsertedAndDeletedRowsKeepIdsAligned)
{
    const QString t = people("rows_t", {"ann", "bob", "cid"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    const std::vector<uint64_t> loaded = m.row_ids();
    ASSERT_TRUE(m.insertRows(1, 2));
    ASSERT_EQ(m.rowCount(), 5);
    EXPECT_EQ(m.row_id(1), tab_data_model::new_row_id);
    EXPECT_EQ(m.row_id(2), tab_data_model::new_row_id);
    EXPECT_EQ(m.row_id(3), loaded[1]);
    EXPECT_EQ(m.new_count(), 4);
    EXPECT_EQ(m.data(m.index(1, 0), Qt::FontRole).value<QFont>().weight(), 75);
    EXPECT_EQ(m.data(m.index(2, 1)), QVariant("abc"));

    // Deleting one of the new rows leaves no trace of it.
    ASSERT_TRUE(m.removeRows(2, 1));
    EXPECT_EQ(m.deleted_count(), 0);
    EXPECT_EQ(m.new_count(), 2);
    // Deleting loaded rows, the later one first: ids go out in ascending order.
    ASSERT_TRUE(m.removeRows(3, 1));
    ASSERT_TRUE(m.removeRows(0, 1));
    ASSERT_EQ(m.rowCount(), 2);
    ASSERT_EQ(m.row_ids().size(), 2u);
    EXPECT_EQ(m.row_id(0), tab_data_model::new_row_id);
    EXPECT_EQ(m.row_id(1), loaded[1]);
    EXPECT_EQ(m.data(m.index(1, 1)), QVariant("bob"));
    const QByteArray text = m.commit_text();
    EXPECT_EQ(text.count("insert into"), 1);
    const uint64_t lo = std::min(loaded[0], loaded[2]), hi = std::max(loaded[0], loaded[2]);
    EXPECT_TRUE(text.contains(
        "delete from rows_t where __id == " + QByteArray::number(qulonglong(lo)) +
        ";delete from rows_t where __id == " + QByteArray::number(qulonglong(hi)) + ";"))
        << text.constData();
}

TEST_F(ModelLive, RemovingPastTheLastRowIsRefused)
{
    const QString t = people("past_t", {"ann", "bob"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    QSignalSpy spy(&m, &tab_data_model::changed);
    EXPECT_FALSE(m.removeRows(2, 1));
    EXPECT_FALSE(m.removeRows(1, 2));
    EXPECT_FALSE(m.removeRows(-1, 1));
    EXPECT_FALSE(m.removeRows(0, 0));
    EXPECT_FALSE(m.insertRows(3, 1));
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.deleted_count(), 0);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(m.removeRows(0, 2));
    EXPECT_EQ(m.deleted_count(), 2);
}

TEST_F(ModelLive, CommitSendsTheOneTextAndTheServerApplies)
{
    const QString t = people("t", {"ann", "bob", "cid"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    const uint64_t id_bob = m.row_id(1), id_cid = m.row_id(2);
    ASSERT_TRUE(m.insertRows(0, 1));
    ASSERT_TRUE(m.setData(m.index(2, 1), QString("x")));
    ASSERT_TRUE(m.removeRows(3, 1));
    EXPECT_EQ(
        m.commit_text(),
        "atom_exec  insert into t ( id, name ) values ( 0, \"abc\" ); update t set name = \"x\" "
        "where __id == " +
            QByteArray::number(qulonglong(id_bob)) +
            ";delete from t where __id == " + QByteArray::number(qulonglong(id_cid)) + "; commit;");
    ASSERT_TRUE(m.commit_changes());
    ASSERT_TRUE(m.load_rows(select_all(t) + " order by id asc", true));
    EXPECT_EQ(column(m, 1), QVariantList({"abc", "ann", "x"}));
    EXPECT_EQ(column(m, 0), QVariantList({0, 1, 2}));
    EXPECT_EQ(m.modified_count() + m.new_count() + m.deleted_count(), 0);
}

TEST_F(ModelLive, FailedCommitKeepsThePendingChanges)
{
    const QString t = people("fail_t", {"ann"}, "string04");
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    ASSERT_TRUE(m.setData(m.index(0, 1), QString("abcd"))); // four bytes: too long for string04
    EXPECT_FALSE(m.commit_changes());
    EXPECT_EQ(m.modified_count(), 1);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    EXPECT_EQ(column(m, 1), QVariantList({"ann"}));
}

TEST_F(ModelLive, HostileTextsStayData)
{
    const QString table = "odd]\"t";
    const QString field = "we[ird\"\\";
    ASSERT_TRUE(db_.make_table(table, {"id", field}, {"i32", "string64"}, {"false", "false"}));
    ASSERT_TRUE(run("insert into " + db_access::quote_name(table) + " ( id, " +
                    db_access::quote_name(field) + " ) values ( 1, \"plain\" );"));
    tab_data_model m(table, &db_);
    ASSERT_TRUE(m.load_rows(select_all(table), true));
    ASSERT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.column_name(1), field);
    const QStringList hostile = {
        "a\"b", "x\\y\\", "line\nfeed", "\"); delete from t; (\"", "] [ \\x22", "end\"",
    };
    ASSERT_TRUE(m.setData(m.index(0, 1), hostile[0]));
    ASSERT_TRUE(m.insertRows(1, hostile.size() - 1));
    for (int i = 1; i < hostile.size(); ++i) {
        ASSERT_TRUE(m.setData(m.index(i, 0), i + 1));
        ASSERT_TRUE(m.setData(m.index(i, 1), hostile[i]));
    }
    ASSERT_TRUE(m.commit_changes()) << m.commit_text().constData();
    ASSERT_TRUE(m.load_rows(select_all(table) + " order by id asc", true));
    EXPECT_EQ(column(m, 1), QVariantList(hostile.begin(), hostile.end()));

    // The same through immediate updates.
    m.set_immediate(true);
    ASSERT_TRUE(m.setData(m.index(0, 1), QString("\"; drop table t;\n")));
    ASSERT_TRUE(m.load_rows(select_all(table) + " order by id asc", true));
    EXPECT_EQ(m.data(m.index(0, 1)), QVariant("\"; drop table t;\n"));
    EXPECT_EQ(m.rowCount(), hostile.size());
}

TEST_F(ModelLive, ImmediateUpdateRefusedByTheServerRestoresTheCell)
{
    const QString t = people("now_t", {"ann", "bob"}, "string04");
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    m.set_immediate(true);
    QSignalSpy data_spy(&m, &QAbstractItemModel::dataChanged);
    EXPECT_FALSE(m.setData(m.index(0, 1), QString("abcd")));
    EXPECT_EQ(m.data(m.index(0, 1), Qt::EditRole), QVariant("ann"));
    EXPECT_EQ(data_spy.count(), 0);
    EXPECT_EQ(m.update_text(0, 1), "update now_t set name = \"ann\" where __id == " +
                                       QByteArray::number(qulonglong(m.row_id(0))));
    ASSERT_TRUE(m.setData(m.index(0, 1), QString("ab")));
    EXPECT_EQ(data_spy.count(), 1);
    EXPECT_EQ(m.modified_count(), 0);
    EXPECT_TRUE(m.commit_text().isEmpty()); // already on the server
    // Setting the value it already has sends nothing and is not a change.
    ASSERT_TRUE(m.setData(m.index(0, 1), QString("ab")));
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    EXPECT_EQ(column(m, 1), QVariantList({"ab", "bob"}));
}

TEST_F(ModelLive, SortIsStableAndDescendingIsItsReverse)
{
    const QString t = people("sort_t", {"b", "a", "b", "a", "c"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    std::map<int, uint64_t> id_of;
    for (int r = 0; r < m.rowCount(); ++r)
        id_of[m.data(m.index(r, 0), Qt::EditRole).toInt()] = m.row_id(r);
    m.sort(1, Qt::AscendingOrder);
    EXPECT_EQ(column(m, 0), QVariantList({2, 4, 1, 3, 5}));
    m.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(column(m, 0), QVariantList({5, 3, 1, 4, 2}));
    for (int r = 0; r < m.rowCount(); ++r)
        EXPECT_EQ(m.row_id(r), id_of[m.data(m.index(r, 0), Qt::EditRole).toInt()]);
    m.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(column(m, 0), QVariantList({5, 4, 3, 2, 1}));
    m.sort(7); // out of range: nothing happens
    EXPECT_EQ(column(m, 0), QVariantList({5, 4, 3, 2, 1}));
}

TEST_F(ModelLive, SortOrdersTextsAsTheToolkitComparesThem)
{
    // Texts order without regard to case, and texts that differ only in case are ties.
    const QString t =
        people("case_t", {"b", "A", "a", "B", "c", QString::fromUtf8("\xc3\xa9"), "D"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    m.sort(1, Qt::AscendingOrder);
    EXPECT_EQ(column(m, 0), QVariantList({2, 3, 1, 4, 5, 7, 6}));
    m.sort(1, Qt::DescendingOrder);
    EXPECT_EQ(column(m, 0), QVariantList({6, 7, 5, 4, 1, 3, 2}));
    // The same order the toolkit's own comparison gives, pair by pair.
    m.sort(1, Qt::AscendingOrder);
    for (int r = 1; r < m.rowCount(); ++r) {
        const QVariant a = m.data(m.index(r - 1, 1), Qt::EditRole),
                       b = m.data(m.index(r, 1), Qt::EditRole);
        EXPECT_LE(a.toString().compare(b.toString(), Qt::CaseInsensitive), 0) << r;
    }
}

TEST_F(ModelLive, GroupedBinaryTextsCommitAndTypesRoundTrip)
{
    const QString t = "types_t";
    ASSERT_TRUE(db_.make_table(t, {"b", "u", "f", "d", "dt", "tm", "ts"},
                               {"u08", "u64", "float", "double", "date", "time", "datetime"},
                               {"false", "false", "false", "false", "false", "false", "false"}));
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    ASSERT_EQ(m.columnCount(), 7);
    ASSERT_TRUE(m.set_number_mode("Bin"));
    ASSERT_TRUE(m.insertRows(0, 1));
    ASSERT_TRUE(m.setData(m.index(0, 0), 10));
    EXPECT_EQ(m.data(m.index(0, 0)), QVariant("0b0000 1010"));
    ASSERT_TRUE(m.setData(m.index(0, 1), qulonglong(18446744073709551615ull)));
    ASSERT_TRUE(m.setData(m.index(0, 3), -1.25));
    ASSERT_TRUE(m.setData(m.index(0, 5), QTime(1, 2, 3, 456)));
    ASSERT_TRUE(m.commit_changes()) << m.commit_text().constData();
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    ASSERT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.data(m.index(0, 0), Qt::EditRole).toInt(), 10);
    EXPECT_EQ(m.data(m.index(0, 1), Qt::EditRole).toULongLong(), 18446744073709551615ull);
    EXPECT_EQ(m.data(m.index(0, 2), Qt::EditRole).toFloat(), 0.0f);
    EXPECT_EQ(m.data(m.index(0, 3), Qt::EditRole).toDouble(), -1.25);
    EXPECT_EQ(m.data(m.index(0, 4), Qt::EditRole).toDate(), QDate(2019, 4, 23));
    EXPECT_EQ(m.data(m.index(0, 5), Qt::EditRole).toTime(), QTime(1, 2, 3, 456));
    EXPECT_EQ(m.data(m.index(0, 6), Qt::EditRole).toDateTime(),
              QDateTime(QDate(2019, 4, 23), QTime(10, 11, 12)));

    // In immediate mode the plain text of a date-time goes out, and the server takes it.
    m.set_immediate(true);
    const QDateTime later(QDate(2024, 2, 29), QTime(23, 59, 58, 5));
    ASSERT_TRUE(m.setData(m.index(0, 6), later));
    ASSERT_TRUE(m.setData(m.index(0, 0), 255));
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    EXPECT_EQ(m.data(m.index(0, 6), Qt::EditRole).toDateTime(), later);
    EXPECT_EQ(m.data(m.index(0, 0), Qt::EditRole).toInt(), 255);
}

TEST_F(ModelLive, SmallRealsAreNotCommittedAsZero)
{
    // The grid writes reals with a fixed number of decimals; a value that text cannot carry
    // goes out in a form that keeps it.
    const QString t = "small_t";
    ASSERT_TRUE(db_.make_table(t, {"f", "d"}, {"float", "double"}, {"false", "false"}));
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    ASSERT_TRUE(m.insertRows(0, 2));
    ASSERT_TRUE(m.setData(m.index(0, 0), 1.5e-12f));
    ASSERT_TRUE(m.setData(m.index(0, 1), -1e-20));
    ASSERT_TRUE(m.setData(m.index(1, 0), 2.5f));
    ASSERT_TRUE(m.setData(m.index(1, 1), 0.125));
    const QByteArray text = m.commit_text();
    EXPECT_TRUE(text.contains("( 2.500000000, 0.12500000000000000 )")) << text.constData();
    EXPECT_FALSE(text.contains("0.000000000,")) << text.constData();
    ASSERT_TRUE(m.commit_changes()) << text.constData();
    ASSERT_TRUE(m.load_rows(select_all(t) + " order by f asc", true));
    ASSERT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.data(m.index(0, 0), Qt::EditRole).toFloat(), 1.5e-12f);
    EXPECT_EQ(m.data(m.index(0, 1), Qt::EditRole).toDouble(), -1e-20);
    EXPECT_EQ(m.data(m.index(1, 1), Qt::EditRole).toDouble(), 0.125);

    // An edited cell of a loaded row likewise.
    ASSERT_TRUE(m.setData(m.index(1, 1), 1.0 / 3e10));
    ASSERT_TRUE(m.commit_changes()) << m.commit_text().constData();
    ASSERT_TRUE(m.load_rows(select_all(t) + " order by f asc", true));
    EXPECT_EQ(m.data(m.index(1, 1), Qt::EditRole).toDouble(), 1.0 / 3e10);
}

TEST_F(ModelLive, EditingThroughATableView)
{
    const QString t = people("view_t", {"ann", "bob"});
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    QTableView view;
    view.setModel(&m);
    for (int c = 0; c < m.columnCount(); ++c)
        view.setItemDelegateForColumn(c, m.column_delegate(c));
    view.resize(500, 300);
    view.show();

    view.edit(m.index(0, 1));
    auto *ed = view.findChild<QLineEdit *>();
    ASSERT_NE(ed, nullptr);
    ed->selectAll();
    QTest::keyClicks(ed, "ivy-long-name"); // cut at eight bytes by the editor
    QTest::keyClick(ed, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(m.data(m.index(0, 1), Qt::EditRole), QVariant("ivy-long"));
    EXPECT_EQ(m.modified_count(), 1);
    ASSERT_TRUE(m.insertRows(2, 1));
    save_shot(&view, "table_grid_edited");
    ASSERT_TRUE(m.removeRows(2, 1));

    // Read-only columns still open an editor, which takes no typing.
    m.set_read_only(true);
    view.edit(m.index(1, 1));
    QLineEdit *ro = nullptr;
    for (QLineEdit *e : view.findChildren<QLineEdit *>())
        if (e->isVisible()) ro = e;
    ASSERT_NE(ro, nullptr);
    EXPECT_TRUE(ro->isReadOnly());
    QTest::keyClicks(ro, "zz");
    QTest::keyClick(ro, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(m.data(m.index(1, 1), Qt::EditRole), QVariant("bob"));

    // Sorting from the view keeps the selection on its row.
    view.selectionModel()->select(m.index(1, 0), QItemSelectionModel::Select);
    m.sort(1, Qt::DescendingOrder);
    const QModelIndexList sel = view.selectionModel()->selectedIndexes();
    ASSERT_EQ(sel.size(), 1);
    EXPECT_EQ(m.data(sel[0].sibling(sel[0].row(), 1), Qt::EditRole), QVariant("bob"));
}

TEST_F(ModelLive, SortOrdersEveryTypeByValue)
{
    const QString t = "sort_types_t";
    ASSERT_TRUE(db_.make_table(t, {"k", "u", "d", "day", "at"},
                               {"i32", "u64", "double", "date", "datetime"},
                               {"false", "true", "true", "true", "true"}));
    ASSERT_TRUE(
        run("insert into sort_types_t ( k, u, d, day, at ) values"
            " ( 1, 18446744073709551615, 2.5, \"2020-01-02\", \"2020-01-02 00:00:01\" )"
            " ( 2, 7, -10.0, \"1999-12-31\", \"2020-01-02 00:00:00.5\" )"
            " ( 3, 9223372036854775808, 100.25, \"2020-01-01\", \"1970-01-01 00:00:00\" );"));
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    ASSERT_EQ(m.rowCount(), 3);
    m.sort(1); // unsigned beyond the signed range
    EXPECT_EQ(column(m, 0), QVariantList({2, 3, 1}));
    m.sort(2);
    EXPECT_EQ(column(m, 0), QVariantList({2, 1, 3}));
    m.sort(3);
    EXPECT_EQ(column(m, 0), QVariantList({2, 3, 1}));
    m.sort(4);
    EXPECT_EQ(column(m, 0), QVariantList({3, 2, 1}));
    // A cell edited with a value of another type still sorts by number.
    ASSERT_TRUE(m.setData(m.index(0, 2), 50)); // row k = 3: 100.25 becomes the integer 50
    m.sort(2, Qt::DescendingOrder);
    EXPECT_EQ(column(m, 0), QVariantList({3, 1, 2}));
}

TEST_F(ModelLive, EditsInsertsAndDeletesAcrossSortsReachTheServer)
{
    const QStringList names = {"kim", "Ann", "bob", "ann", "Zoe", "cid", "eve", "dan"};
    const QString t = people("mixed_t", names, "string16");
    tab_data_model m(t, &db_);
    ASSERT_TRUE(m.load_rows(select_all(t), true));
    // What the table should hold afterwards, by id.
    std::map<int, QString> want;
    for (int i = 0; i < names.size(); ++i) want[i + 1] = names[i];
    auto row_of = [&m](int id) {
        for (int r = 0; r < m.rowCount(); ++r)
            if (m.data(m.index(r, 0), Qt::EditRole).toInt() == id) return r;
        return -1;
    };

    m.sort(1);
    ASSERT_TRUE(m.setData(m.index(row_of(3), 1), QString("bobby")));
    m.sort(1, Qt::DescendingOrder);
    ASSERT_TRUE(m.insertRows(2, 2));
    ASSERT_TRUE(m.setData(m.index(2, 0), 20));
    ASSERT_TRUE(m.setData(m.index(2, 1), QString("new-a")));
    ASSERT_TRUE(m.setData(m.index(3, 0), 21));
    ASSERT_TRUE(m.setData(m.index(3, 1), QString("new-b")));
    want[20] = "new-a";
    want[21] = "new-b";
    want[3] = "bobby";
    m.sort(0);
    ASSERT_TRUE(m.removeRows(row_of(5), 1));
    want.erase(5);
    ASSERT_TRUE(m.setData(m.index(row_of(7), 1), QString("eva")));
    want[7] = "eva";
    m.sort(1);
    ASSERT_TRUE(m.removeRows(row_of(21), 1)); // an inserted row: no trace on the server
    want.erase(21);
    ASSERT_TRUE(m.setData(m.index(row_of(1), 0), 11)); // the id column itself
    want[11] = want[1];
    want.erase(1);
    EXPECT_EQ(m.new_count(), 2);
    EXPECT_EQ(m.deleted_count(), 1);

    ASSERT_TRUE(m.commit_changes()) << m.commit_text().constData();
    ASSERT_TRUE(m.load_rows(select_all(t) + " order by id asc", true));
    QVariantList ids, texts;
    for (const auto &entry : want) {
        ids << entry.first;
        texts << entry.second;
    }
    EXPECT_EQ(column(m, 0), ids);
    EXPECT_EQ(column(m, 1), texts);
}
