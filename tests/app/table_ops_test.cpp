// The main window's table operations against velaserver with the demo database: the forms
// in tabs, the questions, the transfer commands and the refresh after each of them.
#include <gtest/gtest.h>

#include <functional>

#include "col_info.h"
#include "data_view.h"
#include "db_access.h"
#include "mainwindow.h"
#include "msg_box.h"
#include "search_tab_dlg.h"
#include "server_fixture.h"
#include "server_suite.h"
#include "shot.h"
#include "sys_config.h"
#include "tab_data_model.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

namespace {

class table_ops : public server_suite<true> {
protected:
    void SetUp() override
    {
        server_suite::SetUp();
        if (HasFatalFailure()) return;
        win = std::make_unique<MainWindow>("127.0.0.1", server->port(), "admin", "admin");
        tree = win->findChild<QTreeWidget *>("treeWidget");
        tabs = win->findChild<QTabWidget *>("tabWidget");
    }
    void TearDown() override
    {
        win.reset();
        server_suite::TearDown();
    }
    QTreeWidgetItem *item(const QString &table, const QString &field = QString())
    {
        auto *root = tree->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i) {
            QTreeWidgetItem *t = root->child(i);
            if (t->text(0) != table) continue;
            if (field.isEmpty()) return t;
            for (int j = 0; j < t->childCount(); ++j)
                if (t->child(j)->text(0) == field) return t->child(j);
        }
        return nullptr;
    }
    void select(const QString &table, const QString &field = QString())
    {
        QTreeWidgetItem *it = item(table, field);
        ASSERT_TRUE(it) << table.toStdString();
        tree->setCurrentItem(it);
    }
    QStringList titles() const
    {
        QStringList out;
        for (int i = 0; i < tabs->count(); ++i) out << tabs->tabText(i);
        return out;
    }

    std::unique_ptr<MainWindow> win;
    QTreeWidget *tree = nullptr;
    QTabWidget *tabs = nullptr;
};

} // namespace

TEST_F(table_ops, ViewDataOpensOneTabAndAsksBeforeClosingEdits)
{
    EXPECT_FALSE(win->view_data_act->isEnabled());
    select("people");
    ASSERT_TRUE(win->view_data_act->isEnabled());
    win->view_data_act->trigger();
    win->view_data_act->trigger();
    ASSERT_EQ(titles(), QStringList({"data of table: people"}));
    auto *view = qobject_cast<data_view *>(tabs->widget(0));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->model()->rowCount(), 1000);
    EXPECT_EQ(view->status_text(), "1000 rows (limit reached)");
    win->showNormal();
    win->resize(1280, 800);
    QTest::qWait(20);
    save_shot(win.get(), "main_window_view_data");

    ASSERT_TRUE(view->model()->setData(view->model()->index(0, 1), QString("changed")));
    msg_recorder rec;
    rec.queue_answer(QMessageBox::Cancel);
    emit tabs->tabCloseRequested(0);
    EXPECT_EQ(tabs->count(), 1);
    EXPECT_EQ(rec.last().text, "apply the pending changes?");
    // Closing the window asks too; Cancel keeps it open.
    rec.queue_answer(QMessageBox::Cancel);
    EXPECT_FALSE(win->close());
    rec.queue_answer(QMessageBox::Discard);
    emit tabs->tabCloseRequested(0);
    EXPECT_EQ(tabs->count(), 0);
}

namespace {

// Runs `fill` on the next modal dialog as soon as it is open (the slots run it with exec).
void on_dialog(std::function<void(QDialog *)> fill)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, fill] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d) return;
        timer->stop();
        timer->deleteLater();
        fill(d);
    });
    timer->start();
}

// Types `path` into the dialog, picks format and separator when asked, and presses OK.
void fill_path(const QString &path, int separator = -1, bool csvs = false,
               QString *proposed = nullptr)
{
    on_dialog([=](QDialog *d) {
        auto *le = d->findChild<QLineEdit *>("c_path_le");
        if (proposed) *proposed = le->text();
        le->setText(path);
        if (separator >= 0) d->findChild<QComboBox *>("sp_cmb")->setCurrentIndex(separator);
        if (csvs) d->findChild<QRadioButton *>("csvs_rb")->setChecked(true);
        d->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
}

int row_count(const QString &table)
{
    db_access db;
    QStringList names, types;
    table_rows rows;
    QString log;
    if (!db.run_sql_table(("select * from " + table + ";").toUtf8(), names, rows, types, log, true))
        return -1;
    return rows.size();
}

QStringList all_rows(const QString &table)
{
    db_access db;
    QStringList names, types, out;
    table_rows rows;
    QString log;
    db.run_sql_table(("select * from " + table + " order by id asc;").toUtf8(), names, rows, types,
                     log, true);
    for (const QVariantList &r : rows) {
        QStringList cells;
        for (const QVariant &v : r) cells << v.toString();
        out << cells.join('|');
    }
    return out;
}

} // namespace

TEST_F(table_ops, DropTruncateAndDeleteFieldAskFirst)
{
    db_access db;
    ASSERT_TRUE(db.make_table("q1", {"id", "s"}, {"i32", "string16"}, {"true", "true"}));
    ASSERT_TRUE(db.make_table("q2", {"id"}, {"i32"}, {"true"}));
    db_access::release(db.run_sql("insert into q2 ( id ) values ( 1 );"));
    win->refresh();
    struct {
        QMessageBox::StandardButton answer;
        bool goes_on;
    } answers[] = {{QMessageBox::No, false},
                   {QMessageBox::NoButton, false}, // the box closed without an answer
                   {QMessageBox::Cancel, false},
                   {QMessageBox::Yes, true}};
    for (const auto &a : answers) {
        msg_recorder rec;
        rec.set_default_answer(a.answer);
        select("q1", "s");
        win->delete_col_act->trigger();
        EXPECT_EQ(rec.shown().front().title, "delete field warnning");
        EXPECT_EQ(rec.shown().front().text,
                  "delete field will delete field from table, do your want to delete field 's' "
                  "from table 'q1' really?");
        EXPECT_EQ(item("q1", "s") == nullptr, a.goes_on);
        select("q2");
        win->truncate_act->trigger();
        EXPECT_EQ(row_count("q2"), a.goes_on ? 0 : 1);
        select("q2");
        win->drop_act->trigger();
        EXPECT_EQ(item("q2") == nullptr, a.goes_on);
        if (a.goes_on) {
            EXPECT_EQ(rec.last().title, "drop table result");
            EXPECT_EQ(rec.last().text, "drop table 'q2' from database is successful!");
        } else {
            EXPECT_EQ(rec.shown().size(), 3u); // the questions only
        }
    }
    // A real box: Escape and the window's close button are No.
    select("q1");
    for (bool escape : {true, false}) {
        on_dialog([escape](QDialog *box) {
            if (escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        win->drop_act->trigger();
        EXPECT_TRUE(item("q1"));
    }
}

TEST_F(table_ops, BackupDropRestore)
{
    select("all_types");
    QString proposed;
    msg_recorder rec;
    fill_path("b1.vbk", -1, false, &proposed);
    win->backup_act->trigger();
    EXPECT_TRUE(QRegularExpression("^vela_db_\\d\\d-\\d\\d-\\d\\d_\\d\\d_\\d\\d_\\d\\d\\.vbk$")
                    .match(proposed)
                    .hasMatch())
        << proposed.toStdString();
    EXPECT_EQ(rec.last().text, "backup database to file 'b1.vbk' is successful!");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(server->data_dir()) + "/files/b1.vbk"))
        << server->data_dir();
    select("all_types");
    win->drop_act->trigger();
    EXPECT_FALSE(item("all_types"));
    fill_path("b1.vbk");
    win->restore_act->trigger();
    EXPECT_EQ(rec.last().title, "restore result(local)");
    EXPECT_EQ(rec.last().text, "restore database frome file 'b1.vbk' is successful!");
    EXPECT_TRUE(item("all_types"));
    EXPECT_EQ(row_count("all_types"), 1000);
    // Cancelled: nothing is sent, nothing is told.
    rec.clear();
    on_dialog([](QDialog *d) { d->reject(); });
    win->backup_act->trigger();
    EXPECT_TRUE(rec.empty());
}

TEST_F(table_ops, SaveAndLoadUnderTheFilesName)
{
    db_access db;
    ASSERT_TRUE(db.make_table("kept", {"id", "s"}, {"i32", "string16"}, {"true", "true"}));
    db_access::release(db.run_sql("insert into kept ( id, s ) values ( 1, \"one\" ), ( 2, "
                                  "\"two\" );"));
    win->refresh();
    select("kept");
    msg_recorder rec;
    QString proposed;
    fill_path("kept.sql", -1, false, &proposed);
    win->save_tab_act->trigger();
    EXPECT_TRUE(proposed.startsWith("kept_") && proposed.endsWith(".sql"));
    EXPECT_EQ(rec.last().text, "save table 'kept' to file 'kept.sql' is successful!");
    select("kept");
    win->drop_act->trigger();
    ASSERT_FALSE(item("kept"));
    // An empty load path sends nothing and shows nothing.
    rec.clear();
    on_dialog([](QDialog *d) { d->reject(); });
    win->load_act->trigger();
    EXPECT_TRUE(rec.empty());
    fill_path("kept.sql");
    win->load_act->trigger();
    EXPECT_EQ(rec.last().text, "load file 'kept.sql' as table is successful!");
    EXPECT_EQ(all_rows("kept"), QStringList({"1|one", "2|two"}));
}

TEST_F(table_ops, ExportAndImportEveryFormatAndSeparator)
{
    db_access db;
    ASSERT_TRUE(db.make_table("csv_t", {"id", "s"}, {"i32", "string64"}, {"true", "true"}));
    db_access::release(db.run_sql(
        "insert into csv_t ( id, s ) values ( 1, \"a,b;c d-e:f\\tg\" ), ( 2, \"say \\\"hi\\\"\" "
        "), ( 3, \"two\\nlines\" ), ( 4, \"\" );"));
    win->refresh();
    const QStringList original = all_rows("csv_t");
    ASSERT_EQ(original.size(), 4);
    for (bool csvs : {false, true})
        for (int sep = 0; sep < 6; ++sep) {
            SCOPED_TRACE(QString("csvs %1 separator %2").arg(csvs).arg(sep).toStdString());
            const QString file = QString("t_%1_%2.csv").arg(csvs).arg(sep);
            msg_recorder rec;
            select("csv_t");
            fill_path(file, sep, csvs);
            win->export_act->trigger();
            EXPECT_EQ(rec.last().text,
                      QString("export table 'csv_t' to file '%1' is successful!").arg(file));
            select("csv_t");
            win->truncate_act->trigger();
            ASSERT_EQ(row_count("csv_t"), 0);
            select("csv_t");
            fill_path(file, sep, csvs);
            win->import_act->trigger();
            EXPECT_EQ(rec.last().text,
                      QString("import file '%1' to table 'csv_t' is successful!").arg(file));
            EXPECT_EQ(all_rows("csv_t"), original);
        }
}

namespace {

class reconnect_ops : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved = g_config;
        g_config = sys_config::initial();
    }
    void TearDown() override
    {
        db_access::logout();
        g_config = saved;
    }
    sys_config saved;
};

} // namespace

TEST_F(reconnect_ops, AfterARestartAndWhileDown)
{
    server_fixture server(true);
    ASSERT_TRUE(db_access::login("127.0.0.1", server.port(), "admin", "admin"));
    MainWindow win("127.0.0.1", server.port(), "admin", "admin");
    auto *conn = win.findChild<QPushButton *>("conn_btn");
    ASSERT_TRUE(server.restart());
    msg_recorder rec;
    win.reconnect_act->trigger();
    EXPECT_EQ(rec.last().title, "reconnect information");
    EXPECT_EQ(rec.last().text, "reconnect sussesful!");
    EXPECT_TRUE(conn->property("connected").toBool());
    db_access db;
    QStringList tables;
    EXPECT_TRUE(db.table_names(tables));

    server.stop();
    win.reconnect_act->trigger();
    EXPECT_EQ(rec.last().text, "reconnect failed!");
    EXPECT_FALSE(conn->property("connected").toBool());
    EXPECT_FALSE(db.table_names(tables));
    // Later statements keep failing until a reconnect succeeds.
    ASSERT_TRUE(server.restart());
    EXPECT_FALSE(db.table_names(tables));
    win.reconnect_act->trigger();
    EXPECT_EQ(rec.last().text, "reconnect sussesful!");
    EXPECT_TRUE(db.table_names(tables));
}

// A new user's round: open a table, filter by a cell with the builder, sort by a header
// click, edit two cells by typing, insert and delete a row, Apply; then find and replace,
// and export what is shown.
TEST_F(table_ops, DataViewRoundWithRealInput)
{
    db_access db;
    ASSERT_TRUE(db.make_table("round", {"id", "city", "n"}, {"i32", "string16", "u08"},
                              {"true", "true", "true"}));
    db_access::release(db.run_sql("insert into round ( id, city, n ) values ( 1, \"Paris\", 5 ), "
                                  "( 2, \"Lyon\", 7 ), ( 3, \"Paris\", 9 ), ( 4, \"Rome\", 1 );"));
    win->refresh();
    select("round");
    win->view_data_act->trigger();
    auto *view = qobject_cast<data_view *>(tabs->currentWidget());
    ASSERT_TRUE(view);
    win->showNormal();
    win->resize(1280, 800);
    QApplication::setActiveWindow(win.get());
    auto *dv = view->findChild<QTableView *>("dv");
    tab_data_model *m = view->model();

    // Filter by the cell "Paris" through the context menu's builder.
    dv->setCurrentIndex(m->index(0, 1));
    view->ftr_eq(true);
    ASSERT_EQ(m->rowCount(), 2);
    // Sort by n, descending, with two header clicks.
    QHeaderView *h = dv->horizontalHeader();
    const QPoint n_header(h->sectionViewportPosition(2) + 5, 5);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, n_header);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, n_header);
    ASSERT_EQ(m->data(m->index(0, 0)).toString(), "3");
    // Type into two cells: any key opens the typed editor, Return keeps the value.
    auto type_into = [&](int row, int col, const QString &text) {
        dv->setCurrentIndex(m->index(row, col));
        dv->setFocus();
        // The first key opens the editor; the rest go where the focus went.
        QTest::keyClicks(dv, text.left(1));
        QWidget *editor = QApplication::focusWidget();
        ASSERT_TRUE(editor && editor != dv);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the delegate commits from the event loop
    };
    type_into(0, 1, "Nice");
    type_into(1, 2, "66");
    EXPECT_EQ(m->modified_count(), 2);
    // Insert a row, change its id, delete the other Paris row.
    QTest::mouseClick(view->findChild<QPushButton *>("add_btn"), Qt::LeftButton);
    ASSERT_EQ(m->rowCount(), 3);
    type_into(2, 0, "9");
    dv->setCurrentIndex(m->index(1, 0));
    QTest::mouseClick(view->findChild<QPushButton *>("delete_btn"), Qt::LeftButton);
    QTest::mouseClick(view->findChild<QPushButton *>("apply_btn"), Qt::LeftButton);
    EXPECT_EQ(all_rows("round"), QStringList({"2|Lyon|7", "3|Nice|9", "4|Rome|1", "9|abc|0"}));
    save_shot(win.get(), "data_view_round_applied");

    // Find and replace in what is shown now (the filter still asks for Paris: no rows).
    auto *filter = view->findChild<QComboBox *>("filter_cb");
    filter->setEditText("");
    QTest::keyClick(filter->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(m->rowCount(), 4);
    msg_recorder rec;
    dv->setFocus();
    QTest::keyClick(dv, Qt::Key_H, Qt::ControlModifier);
    search_tab_dlg *find = view->search_dialog();
    ASSERT_TRUE(find->isVisible());
    QTest::keyClicks(find->findChild<QLineEdit *>("target_le"), "Rome");
    find->findChild<QLineEdit *>("rep_le")->setText("Roma");
    QTest::mouseClick(find->findChild<QPushButton *>("rep_all_pb"), Qt::LeftButton);
    EXPECT_EQ(rec.last().text, "the string 'Rome' 1 times replaced.");
    find->reject();
    QTest::mouseClick(view->findChild<QPushButton *>("apply_btn"), Qt::LeftButton);
    EXPECT_EQ(all_rows("round")[2], "4|Roma|1");

    // Export exactly the shown rows.
    filter->setEditText("n < 8");
    QTest::keyClick(filter->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(m->rowCount(), 3);
    fill_path("round_view.csv");
    QTest::mouseClick(view->findChild<QPushButton *>("export_btn"), Qt::LeftButton);
    EXPECT_EQ(rec.last().text, "export table 'round' to file 'round_view.csv' is successful!");
    QFile f(QString::fromStdString(server->data_dir()) + "/files/round_view.csv");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts),
              QStringList({"2,Lyon,7", "4,Roma,1", "9,abc,0"}));
}

TEST_F(table_ops, FormTabsOneTitleEachAndClosedAfterSuccess)
{
    win->create_table_act->trigger();
    win->create_table_act->trigger();
    select("people");
    win->view_cols_act->trigger();
    win->view_cols_act->trigger();
    select("people", "age");
    win->modify_col_act->trigger();
    win->rename_col_act->trigger();
    win->rename_col_act->trigger();
    EXPECT_EQ(titles(), QStringList({"new table", "new table", "view fields of table: people",
                                     "modify field 'age' of table: people",
                                     "rename field 'age' of table: people"}));
    // A failed create keeps its tab; a successful one closes it and the tree shows the table.
    tabs->setCurrentIndex(0);
    auto *form = qobject_cast<col_info *>(tabs->widget(0));
    ASSERT_TRUE(form);
    msg_recorder rec;
    form->findChild<QLineEdit *>("table_le")->setText("people");
    form->apply();
    EXPECT_EQ(rec.last().text, "create table 'people' is failed!");
    EXPECT_EQ(tabs->count(), 5);
    form->findChild<QLineEdit *>("table_le")->setText("from_form");
    form->apply();
    EXPECT_EQ(rec.last().text, "create table 'from_form' is successful!");
    QApplication::processEvents(); // the form goes once its slot has returned
    EXPECT_EQ(tabs->count(), 4);
    EXPECT_TRUE(item("from_form", "f1"));
}
