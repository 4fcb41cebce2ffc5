// The table definition form against velaserver: each mode's commands, what stays on
// screen after a failure, and the combo boxes each mode allows.
#include "col_info.h"
#include "live_fixture.h"
#include "msg_box.h"
#include "shot.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

namespace {

class ColInfo : public live_table_test {
protected:
    std::unique_ptr<col_info> open(const QString &table, const QString &field, col_info::mode m)
    {
        QStringList names, types, repeats;
        if (m != col_info::create_table) db_.table_fields(table, names, types, repeats);
        auto f = std::make_unique<col_info>(&db_);
        f->setup(table, field, names, types, repeats, m);
        f->resize(640, 320);
        return f;
    }
    static QTableWidget *grid(col_info *f) { return f->findChild<QTableWidget *>("tableWidget"); }
    static QPushButton *button(col_info *f, const char *name)
    {
        return f->findChild<QPushButton *>(name);
    }
    QStringList server_fields(const QString &table)
    {
        QStringList names, types, repeats, out;
        db_.table_fields(table, names, types, repeats);
        for (int i = 0; i < names.size(); ++i)
            out << names[i] + " " + types[i] + " " + (repeats[i] == "Yes" ? "true" : "false");
        return out;
    }
    // Sets a Type or Repeat cell the way a user does: double click, then pick.
    static bool pick(col_info *f, int row, int col, const QString &text)
    {
        f->cellDoubleClicked(row, col);
        auto *combo = qobject_cast<QComboBox *>(grid(f)->cellWidget(row, col));
        if (!combo) return false;
        combo->setCurrentText(text);
        return true;
    }
};

} // namespace

TEST_F(ColInfo, CreateTableSendsEveryRowAndClosesOnlyOnSuccess)
{
    auto f = open("tab1", QString(), col_info::create_table);
    EXPECT_EQ(f->rows(), QStringList({"f1 u32 true"}));
    f->add();
    grid(f.get())->item(1, 0)->setText("name");
    ASSERT_TRUE(pick(f.get(), 1, 1, "string16"));
    ASSERT_TRUE(pick(f.get(), 1, 2, "false"));
    f->findChild<QLineEdit *>("table_le")->setText("made_t");
    save_shot(f.get(), "col_info_create");
    QSignalSpy accepted(f.get(), &col_info::accepted);
    msg_recorder rec;
    f->apply();
    EXPECT_EQ(rec.last().title, "create table result");
    EXPECT_EQ(rec.last().text, "create table 'made_t' is successful!");
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(server_fields("made_t"), QStringList({"f1 u32 true", "name string16 false"}));

    // The same again: the server refuses, the form keeps its grid and stays open.
    f->apply();
    EXPECT_EQ(rec.last().text, "create table 'made_t' is failed!");
    EXPECT_FALSE(rec.last().detail.isEmpty());
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(f->rows().size(), 2);
}

TEST_F(ColInfo, AddFieldsSendsOnlyNewRowsAndShowsWhatArrived)
{
    make("add_t", {"a", "b"}, {"i32", "string08"}, {{"1", "\"x\""}});
    auto f = open("add_t", QString(), col_info::add_fields);
    ASSERT_EQ(f->loaded_count(), 2);
    f->add();
    f->add();
    EXPECT_EQ(f->rows().mid(2), QStringList({"f3 u32 true", "f4 u32 true"}));
    // "-" leaves the listed fields alone.
    grid(f.get())->setCurrentCell(0, 0);
    f->del();
    EXPECT_EQ(f->rows().size(), 4);
    save_shot(f.get(), "col_info_add_fields");
    QSignalSpy accepted(f.get(), &col_info::accepted);
    msg_recorder rec;
    f->apply();
    EXPECT_EQ(rec.last().text, "create all field is successful!");
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(server_fields("add_t").mid(2), QStringList({"f3 u32 true", "f4 u32 true"}));

    // A failure in the middle: the field before it is on the server, the rest stay new.
    auto g = open("add_t", QString(), col_info::add_fields);
    g->add();
    g->add();
    g->add();
    grid(g.get())->item(4, 0)->setText("ok1");
    grid(g.get())->item(5, 0)->setText("a"); // taken
    grid(g.get())->item(6, 0)->setText("later");
    QSignalSpy g_accepted(g.get(), &col_info::accepted);
    g->apply();
    EXPECT_EQ(rec.last().text, "create field 'a' is failed!");
    EXPECT_EQ(g_accepted.count(), 0);
    EXPECT_EQ(g->loaded_count(), 5);
    EXPECT_EQ(g->rows().mid(4), QStringList({"ok1 u32 true", "a u32 true", "later u32 true"}));
    EXPECT_EQ(server_fields("add_t").size(), 5);
    // Sending again only sends what did not arrive.
    grid(g.get())->item(5, 0)->setText("c");
    g->apply();
    EXPECT_EQ(rec.last().text, "create all field is successful!");
    EXPECT_EQ(server_fields("add_t").mid(5), QStringList({"c u32 true", "later u32 true"}));
}

TEST_F(ColInfo, ModifyRenameAndViewModes)
{
    make("mod_t", {"a", "b"}, {"i32", "u16"}, {{"1", "300"}});
    auto m = open("mod_t", "b", col_info::modify_field);
    EXPECT_FALSE(button(m.get(), "add_btn")->isEnabled());
    EXPECT_FALSE(button(m.get(), "delete_btn")->isEnabled());
    // Only the selected field's Type and Repeat open a combo.
    EXPECT_FALSE(pick(m.get(), 0, 1, "u08"));
    EXPECT_FALSE(pick(m.get(), 1, 0, "x"));
    save_shot(m.get(), "col_info_modify");
    msg_recorder rec;
    QSignalSpy accepted(m.get(), &col_info::accepted);
    // 300 does not fit a u08: refused, the form stays.
    ASSERT_TRUE(pick(m.get(), 1, 1, "u08"));
    m->apply();
    EXPECT_EQ(rec.last().title, "modify field result");
    EXPECT_EQ(rec.last().text, "modify field is failed!");
    EXPECT_EQ(accepted.count(), 0);
    ASSERT_TRUE(pick(m.get(), 1, 1, "u32"));
    m->apply();
    EXPECT_EQ(rec.last().text, "modify field is successful!");
    EXPECT_EQ(accepted.count(), 1);
    EXPECT_EQ(server_fields("mod_t")[1], "b u32 true");

    auto r = open("mod_t", "a", col_info::rename_field);
    EXPECT_FALSE(pick(r.get(), 0, 1, "u08"));
    EXPECT_TRUE(grid(r.get())->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid(r.get())->item(1, 0)->flags() & Qt::ItemIsEditable);
    grid(r.get())->item(0, 0)->setText("id");
    save_shot(r.get(), "col_info_rename");
    r->apply();
    EXPECT_EQ(rec.last().text, "rename field 'a' to 'id' is successful!");
    EXPECT_EQ(server_fields("mod_t")[0], "id i32 true");

    auto v = open("mod_t", QString(), col_info::view);
    for (const char *b : {"add_btn", "delete_btn", "apply_btn"})
        EXPECT_FALSE(button(v.get(), b)->isEnabled()) << b;
    EXPECT_FALSE(pick(v.get(), 0, 1, "u08"));
    EXPECT_TRUE(v->findChild<QLineEdit *>("table_le")->isReadOnly());
    save_shot(v.get(), "col_info_view");
}
