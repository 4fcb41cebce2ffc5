// The data view against velaserver: the query it builds, edits reaching the server, the
// question before pending edits would be dropped, the pause before a typed filter runs,
// the builder, number display modes and what the line under the grid says.
#include "data_view.h"
#include "fld_wt.h"
#include "live_fixture.h"
#include "msg_box.h"
#include "search_tab_dlg.h"
#include "shot.h"
#include "tab_data_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>

#include <functional>

namespace {

class DataView : public live_table_test {
protected:
    // A fresh table per test: id i32, name string16, n u08; rows (1, "ann", 10), ...
    QString people3(const QString &t)
    {
        make(t, {"id", "name", "n"}, {"i32", "string16", "u08"},
             {{"1", "\"ann\"", "10"}, {"2", "\"bob\"", "20"}, {"3", "\"cid\"", "30"}});
        return t;
    }
    std::unique_ptr<data_view> open(const QString &t)
    {
        auto v = std::make_unique<data_view>(nullptr, t, &db_);
        v->resize(1000, 500);
        return v;
    }
    template <class T> static T *w(data_view *v, const char *name)
    {
        T *found = v->findChild<T *>(name);
        EXPECT_TRUE(found) << name;
        return found;
    }
    // The server's rows of a table as "id name n" lines, in id order.
    QStringList server_rows(const QString &t)
    {
        tab_data_model m(t, &db_);
        EXPECT_TRUE(m.load_rows(("select * from " + t + " order by id asc;").toUtf8(), true));
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < m.columnCount(); ++c) cells << m.data(m.index(r, c)).toString();
            out << cells.join(' ');
        }
        return out;
    }
    static void edit(data_view *v, int row, int col, const QVariant &value)
    {
        ASSERT_TRUE(v->model()->setData(v->model()->index(row, col), value));
    }
};

} // namespace

TEST_F(DataView, QueryTextFollowsTheControls)
{
    const QString t = people3("q_t");
    auto v = open(t);
    EXPECT_EQ(v->last_query(), "select id, name, n from q_t where first 1000;");
    EXPECT_EQ(v->model()->rowCount(), 3);
    EXPECT_EQ(v->status_text(), "3 rows");
    EXPECT_EQ(w<QLineEdit>(v.get(), "table_le")->text(), t);
    EXPECT_FALSE(w<QPushButton>(v.get(), "apply_btn")->isEnabled());

    auto *limit = w<QCheckBox>(v.get(), "limit_cb");
    auto *filter = w<QComboBox>(v.get(), "filter_cb");
    auto *post = w<QComboBox>(v.get(), "post_cb");
    struct {
        std::function<void()> change;
        QByteArray expected;
    } cases[] = {
        {[&] { limit->setChecked(false); }, "select id, name, n from q_t;"},
        {[&] { filter->setEditText("  id > 1\t"); }, "select id, name, n from q_t where id > 1;"},
        {[&] { limit->setChecked(true); },
         "select id, name, n from q_t where first 1000 && id > 1;"},
        {[&] { post->setEditText("order by id desc "); },
         "select id, name, n from q_t where first 1000 && id > 1 order by id desc ;"},
        {[&] { w<QSpinBox>(v.get(), "limit_sb")->setValue(1); },
         "select id, name, n from q_t where first 1 && id > 1 order by id desc ;"},
    };
    for (const auto &c : cases) {
        c.change();
        v->filter_changed(); // the pause after typing is over
        EXPECT_EQ(v->last_query(), c.expected);
    }
    EXPECT_EQ(v->model()->rowCount(), 1);
    EXPECT_EQ(v->status_text(), "1 rows (limit reached)");

    // No field checked: the server decides what such a text gives.
    v->findChild<fld_wt *>("fd_wt")->set_checked_fields({});
    v->field_changed();
    EXPECT_TRUE(v->last_query().startsWith("select  from q_t where"));
}

TEST_F(DataView, TypedFilterWaitsForAPauseOrReturn)
{
    const QString t = people3("pause_t");
    auto v = open(t);
    const QByteArray first = v->last_query();
    auto *filter = w<QComboBox>(v.get(), "filter_cb");
    filter->lineEdit()->setFocus();
    QTest::keyClicks(filter->lineEdit(), "id == 2");
    QTest::qWait(50);
    EXPECT_EQ(v->last_query(), first); // nothing sent while typing
    QTest::qWait(data_view::typing_pause_ms + 200);
    EXPECT_EQ(v->last_query(), "select id, name, n from pause_t where first 1000 && id == 2;");
    EXPECT_EQ(v->model()->rowCount(), 1);
    // Return runs the query at once.
    QTest::keyClicks(filter->lineEdit(), "0");
    QTest::keyClick(filter->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(v->last_query(), "select id, name, n from pause_t where first 1000 && id == 20;");
    EXPECT_EQ(v->model()->rowCount(), 0);
    EXPECT_EQ(v->status_text(), "0 rows");
}

TEST_F(DataView, EditInsertDeleteApplyReachTheServer)
{
    const QString t = people3("apply_t");
    auto v = open(t);
    auto *apply = w<QPushButton>(v.get(), "apply_btn");
    edit(v.get(), 0, 1, QString("ada"));
    EXPECT_TRUE(apply->isEnabled());
    v->add();
    EXPECT_EQ(v->model()->rowCount(), 4);
    edit(v.get(), 3, 0, 4);
    edit(v.get(), 3, 1, QString("dan"));
    v->findChild<QTableView *>("dv")->setCurrentIndex(v->model()->index(1, 0));
    v->del();
    v->apply();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_FALSE(v->has_pending());
    EXPECT_EQ(server_rows(t), QStringList({"1 ada 10", "3 cid 30", "4 dan 0"}));
    EXPECT_EQ(v->model()->rowCount(), 3);
}

TEST_F(DataView, RefusedApplyKeepsTheEdits)
{
    const QString t = people3("refused_t");
    auto v = open(t);
    // A string16 holds at most 15 bytes: the server refuses the whole atom_exec.
    edit(v.get(), 0, 1, QString("abcdefghijklmnop"));
    edit(v.get(), 1, 1, QString("bea"));
    v->apply();
    EXPECT_TRUE(v->has_pending());
    EXPECT_EQ(v->model()->modified_count(), 2);
    EXPECT_TRUE(w<QPushButton>(v.get(), "apply_btn")->isEnabled());
    EXPECT_TRUE(v->status_text().contains("not applied"));
    EXPECT_EQ(server_rows(t), QStringList({"1 ann 10", "2 bob 20", "3 cid 30"}));
}

TEST_F(DataView, ImmediateModeSendsEachEdit)
{
    const QString t = people3("imm_t");
    auto v = open(t);
    w<QCheckBox>(v.get(), "im_cb")->setChecked(true);
    EXPECT_TRUE(v->model()->immediate());
    EXPECT_FALSE(w<QPushButton>(v.get(), "add_btn")->isEnabled());
    v->findChild<QTableView *>("dv")->setCurrentIndex(v->model()->index(2, 1));
    EXPECT_FALSE(w<QPushButton>(v.get(), "delete_btn")->isEnabled());
    edit(v.get(), 1, 1, QString("bo"));
    EXPECT_EQ(server_rows(t)[1], "2 bo 20");
    edit(v.get(), 2, 2, 31);
    EXPECT_EQ(server_rows(t)[2], "3 cid 31");
    EXPECT_FALSE(w<QPushButton>(v.get(), "apply_btn")->isEnabled());
    w<QCheckBox>(v.get(), "im_cb")->setChecked(false);
    EXPECT_FALSE(v->model()->immediate());
    EXPECT_TRUE(w<QPushButton>(v.get(), "add_btn")->isEnabled());
}

// Every path that would reload (or close) the grid asks first; Cancel keeps the edit and
// puts the control back, Discard drops the edit, Apply sends it.
TEST_F(DataView, PendingEditsAreNeverDroppedSilently)
{
    const QString t = people3("pending_t");
    struct path {
        const char *name;
        std::function<void(data_view *)> change;
        std::function<bool(data_view *)> control_back; // after Cancel
    };
    const path paths[] = {
        {"limit check", [](data_view *v) { w<QCheckBox>(v, "limit_cb")->setChecked(false); },
         [](data_view *v) { return w<QCheckBox>(v, "limit_cb")->isChecked(); }},
        {"limit value", [](data_view *v) { w<QSpinBox>(v, "limit_sb")->setValue(2); },
         [](data_view *v) { return w<QSpinBox>(v, "limit_sb")->value() == 1000; }},
        {"filter",
         [](data_view *v) {
             w<QComboBox>(v, "filter_cb")->setEditText("id > 0");
             v->filter_changed();
         },
         [](data_view *v) { return w<QComboBox>(v, "filter_cb")->currentText().isEmpty(); }},
        {"post",
         [](data_view *v) {
             w<QComboBox>(v, "post_cb")->setEditText("order by id desc");
             v->post_changed();
         },
         [](data_view *v) { return w<QComboBox>(v, "post_cb")->currentText().isEmpty(); }},
        {"fields",
         [](data_view *v) {
             v->findChild<fld_wt *>("fd_wt")->list()->item(2)->setCheckState(Qt::Unchecked);
         },
         [](data_view *v) {
             return v->findChild<fld_wt *>("fd_wt")->checked_fields().size() == 3;
         }},
        {"immediate", [](data_view *v) { w<QCheckBox>(v, "im_cb")->setChecked(true); },
         [](data_view *v) { return !w<QCheckBox>(v, "im_cb")->isChecked(); }},
    };
    for (const path &p : paths) {
        SCOPED_TRACE(p.name);
        auto v = open(t);
        edit(v.get(), 0, 1, QString("x"));
        msg_recorder rec;
        rec.queue_answer(QMessageBox::Cancel);
        p.change(v.get());
        ASSERT_EQ(rec.shown().size(), 1u);
        EXPECT_EQ(rec.last().text, "apply the pending changes?");
        EXPECT_EQ(rec.last().buttons,
                  QMessageBox::Apply | QMessageBox::Discard | QMessageBox::Cancel);
        EXPECT_TRUE(v->has_pending());
        EXPECT_TRUE(p.control_back(v.get()));
        EXPECT_EQ(v->model()->data(v->model()->index(0, 1)).toString(), "x");

        rec.queue_answer(QMessageBox::Discard);
        p.change(v.get());
        EXPECT_EQ(rec.shown().size(), 2u);
        EXPECT_FALSE(v->has_pending());
        EXPECT_EQ(server_rows(t)[0], "1 ann 10");
    }
    // Apply from the question sends the edit before the reload.
    auto v = open(t);
    edit(v.get(), 0, 1, QString("amy"));
    msg_recorder rec;
    rec.queue_answer(QMessageBox::Apply);
    w<QCheckBox>(v.get(), "limit_cb")->setChecked(false);
    EXPECT_EQ(server_rows(t)[0], "1 amy 10");
    EXPECT_EQ(v->model()->data(v->model()->index(0, 1)).toString(), "amy");

    // Cancel and closing the tab ask too.
    QSignalSpy rejected(v.get(), &data_view::rejected);
    edit(v.get(), 1, 1, QString("y"));
    rec.queue_answer(QMessageBox::Cancel);
    v->cancel();
    EXPECT_EQ(rejected.count(), 0);
    rec.queue_answer(QMessageBox::Cancel);
    EXPECT_FALSE(v->settle_pending());
    rec.queue_answer(QMessageBox::Discard);
    v->cancel();
    EXPECT_EQ(rejected.count(), 1);
}

TEST_F(DataView, NumberModesChangeWhatApplySends)
{
    const QString t = people3("mode_t");
    auto v = open(t);
    edit(v.get(), 0, 0, 10);
    EXPECT_TRUE(v->model()->commit_text().contains("set id = 10 where"));
    w<QRadioButton>(v.get(), "hex_rb")->setChecked(true);
    EXPECT_TRUE(v->model()->commit_text().contains("set id = 0x0000000a where"))
        << v->model()->commit_text().constData();
    for (const char *rb : {"nor_rb", "hex_rb", "dec_rb", "bin_rb"}) {
        w<QRadioButton>(v.get(), rb)->setChecked(true);
        save_shot(v.get(), QString("data_view_mode_") + rb);
    }
    EXPECT_EQ(v->model()->data(v->model()->index(0, 2)).toString(), "0b0000 1010");
    v->apply();
    EXPECT_EQ(server_rows(t).last(), "10 ann 10");
}

TEST_F(DataView, BuilderEntriesInEachMode)
{
    const QString t = people3("build_t");
    auto v = open(t);
    auto *dv = v->findChild<QTableView *>("dv");
    auto *filter = w<QComboBox>(v.get(), "filter_cb");
    auto *post = w<QComboBox>(v.get(), "post_cb");
    QMenu *fm = nullptr, *pm = nullptr;
    for (QAction *a : v->context_menu()->actions()) {
        if (a->text() == "filter") fm = a->menu();
        if (a->text() == "post processing") pm = a->menu();
    }
    ASSERT_TRUE(fm && pm);
    auto pick = [](QMenu *m, const QString &text) {
        for (QAction *a : m->actions())
            if (a->text() == text) return a;
        ADD_FAILURE() << text.toStdString();
        return static_cast<QAction *>(nullptr);
    };
    dv->setCurrentIndex(v->model()->index(1, 1)); // "bob"
    pick(fm, "==")->trigger();
    EXPECT_EQ(filter->currentText(), "name == \"bob\"");
    EXPECT_EQ(v->model()->rowCount(), 1);
    // Replace mode: a second entry replaces the first.
    dv->setCurrentIndex(v->model()->index(0, 0));
    pick(fm, "!=")->trigger();
    EXPECT_EQ(filter->currentText(), "id != 2");
    EXPECT_EQ(v->model()->rowCount(), 2);
    pick(fm, "&&&&")->trigger();
    dv->setCurrentIndex(v->model()->index(0, 2));
    pick(fm, ">=")->trigger();
    EXPECT_EQ(filter->currentText(), "id != 2 && n >= 10");
    pick(fm, " || ")->trigger();
    dv->setCurrentIndex(v->model()->index(0, 2)); // a reload leaves no current cell
    pick(fm, "(1,3)")->trigger();
    EXPECT_EQ(filter->currentText(), "id != 2 && n >= 10 || 1 < n < 3");
    pick(fm, "replace")->trigger();
    dv->setCurrentIndex(v->model()->index(0, 0));
    pick(fm, "2~5")->trigger();
    EXPECT_EQ(v->last_query(), "select id, name, n from build_t where first 1000 && range 2 5;");

    // Post processing appends by default.
    filter->setEditText("");
    v->filter_changed();
    dv->setCurrentIndex(v->model()->index(0, 2));
    pick(pm, "descending")->trigger();
    EXPECT_EQ(post->currentText(), "order by n desc");
    EXPECT_EQ(v->model()->data(v->model()->index(0, 1)).toString(), "cid");
    dv->setCurrentIndex(v->model()->index(0, 1));
    pick(pm, "project")->trigger();
    EXPECT_EQ(post->currentText(), "order by n desc project name");
    EXPECT_EQ(v->model()->columnCount(), 1);
    // A projected result is read-only: no rows can be added.
    EXPECT_FALSE(w<QPushButton>(v.get(), "add_btn")->isEnabled());
    pick(pm, "replace")->trigger();
    dv->setCurrentIndex(v->model()->index(0, 0));
    pick(pm, "nth 3")->trigger();
    EXPECT_EQ(post->currentText(), "nth 2");
}

TEST_F(DataView, ContextMenuAndMarks)
{
    const QString t = people3("menu_t");
    auto v = open(t);
    v->show();
    auto *dv = v->findChild<QTableView *>("dv");
    const QPoint cell = dv->visualRect(v->model()->index(1, 1)).center();
    v->open_context_menu(cell);
    EXPECT_TRUE(v->context_menu()->isVisible());
    EXPECT_EQ(dv->currentIndex(), v->model()->index(1, 1));
    QStringList texts;
    for (QAction *a : v->context_menu()->actions())
        if (!a->isSeparator()) texts << a->text() + (a->isEnabled() ? "" : " (off)");
    EXPECT_EQ(texts, QStringList({"find text", "replace text", "filter", "post processing",
                                  "analysis (off)", "visualization (off)"}));
    save_shot(v->context_menu(), "data_view_context_menu");
    v->context_menu()->hide();

    // Marks from the find dialog, then the context menu stays shut on an empty grid.
    msg_recorder rec;
    v->find_txt();
    v->search_dialog()->findChild<QLineEdit *>("target_le")->setText("b");
    v->search_dialog()->finish_marking();
    EXPECT_EQ(v->search_dialog()->mark_count(), 1);
    dv->setCurrentIndex(v->model()->index(0, 0));
    save_shot(v.get(), "data_view_marks");
    v->search_dialog()->reject();
    w<QComboBox>(v.get(), "filter_cb")->setEditText("id > 5");
    v->filter_changed();
    ASSERT_EQ(v->model()->rowCount(), 0);
    v->open_context_menu(QPoint(5, 5));
    EXPECT_FALSE(v->context_menu()->isVisible());
}

TEST_F(DataView, FailedQueryLeavesAnEmptyGridAndSaysSo)
{
    const QString t = people3("fail_t");
    auto v = open(t);
    w<QComboBox>(v.get(), "post_cb")->setEditText("no such clause");
    v->post_changed();
    EXPECT_EQ(v->model()->columnCount(), 0);
    EXPECT_TRUE(v->status_text().contains("failed"));
    EXPECT_FALSE(w<QPushButton>(v.get(), "add_btn")->isEnabled());
    EXPECT_FALSE(w<QPushButton>(v.get(), "apply_btn")->isEnabled());
}

TEST_F(DataView, ExportWritesTheShownRows)
{
    const QString t = people3("export_t");
    auto v = open(t);
    w<QComboBox>(v.get(), "filter_cb")->setEditText("id > 1");
    v->filter_changed();
    ASSERT_EQ(v->model()->rowCount(), 2);
    QString proposed, title;
    QTimer::singleShot(0, [&] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(d);
        title = d->windowTitle();
        auto *path = d->findChild<QLineEdit *>("c_path_le");
        proposed = path->text();
        path->setText("view.csv");
        EXPECT_TRUE(d->findChild<QCheckBox *>("rep_cb")->isVisible());
        d->accept();
    });
    msg_recorder rec;
    v->export_data();
    EXPECT_EQ(title, "export view data");
    EXPECT_EQ(proposed, "export_t.csv");
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.last().title, "export table result");
    EXPECT_EQ(rec.last().text, "export table 'export_t' to file 'view.csv' is successful!");
    QFile f(QString::fromStdString(server_->data_dir()) + "/files/view.csv");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts),
              QStringList({"2,bob,20", "3,cid,30"}));
}

TEST_F(DataView, FieldListOpensUnderTheMouse)
{
    const QString t = people3("fields_t");
    auto v = open(t);
    v->show();
    auto *fields = v->findChild<fld_wt *>("fd_wt");
    EXPECT_EQ(fields->summary(), "id|name|n");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(fields, &enter);
    EXPECT_TRUE(fields->expanded());
    EXPECT_EQ(fields->list()->viewMode(), QListView::IconMode);
    EXPECT_GT(fields->height(), 30);
    save_shot(v.get(), "data_view_field_list_open");
    fields->list()->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(v->last_query(), "select id, n from fields_t where first 1000;");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(fields, &leave);
    EXPECT_FALSE(fields->expanded());
    EXPECT_EQ(fields->height(), 30);
    EXPECT_EQ(fields->summary(), "id|n");
}
