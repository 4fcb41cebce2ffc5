// The main window's table operations: the forms that open in tabs, and the questions asked
// before a tab with pending edits goes away.
#include "mainwindow.h"

#include "col_info.h"
#include "data_view.h"
#include "db_access.h"
#include "import_csv_dlg.h"
#include "load_tab_dlg.h"
#include "msg_box.h"
#include "save_tab_dlg.h"
#include "ui_mainwindow.h"

#include <QDateTime>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// A table item is a child of the root; a field item a grandchild.
int tree_depth(const QTreeWidgetItem *item)
{
    int d = 0;
    for (; item && item->parent(); item = item->parent()) ++d;
    return item ? d : -1;
}

// Default file names carry the moment the action started: 24-05-02_18_25_32.
QString stamp()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yy-MM-dd_HH_mm_ss"));
}

QString outcome(bool ok)
{
    return ok ? MainWindow::tr("successful") : MainWindow::tr("failed");
}

// A report with the server's reason as detail when the command failed.
void report(QWidget *parent, const QString &title, const QString &text, bool ok)
{
    inform(parent, title, text, msg_kind::information, ok ? QString() : db_access::last_reason());
}

} // namespace

void MainWindow::connect_table_operations()
{
    connect(reconnect_act, &QAction::triggered, this, &MainWindow::reconnect);
    connect(backup_act, &QAction::triggered, this, &MainWindow::backup);
    connect(restore_act, &QAction::triggered, this, &MainWindow::restore);
    connect(load_act, &QAction::triggered, this, &MainWindow::load);
    connect(drop_act, &QAction::triggered, this, &MainWindow::drop_table);
    connect(truncate_act, &QAction::triggered, this, &MainWindow::truncate_table);
    connect(delete_col_act, &QAction::triggered, this, &MainWindow::delete_col);
    connect(import_act, &QAction::triggered, this, &MainWindow::import_data);
    connect(export_act, &QAction::triggered, this, &MainWindow::export_data);
    connect(save_tab_act, &QAction::triggered, this, &MainWindow::save);
    connect(create_table_act, &QAction::triggered, this, &MainWindow::create_table);
    connect(new_field_act, &QAction::triggered, this, &MainWindow::new_field);
    connect(modify_col_act, &QAction::triggered, this, &MainWindow::modify_col);
    connect(rename_col_act, &QAction::triggered, this, &MainWindow::rename_col);
    connect(view_cols_act, &QAction::triggered, this, &MainWindow::view_cols);
    connect(view_data_act, &QAction::triggered, this, &MainWindow::view_data);
}

QString MainWindow::current_table() const
{
    const QTreeWidgetItem *item = ui->treeWidget->currentItem();
    return tree_depth(item) == 1 ? item->text(0) : QString();
}

bool MainWindow::current_field(QString &table, QString &field) const
{
    const QTreeWidgetItem *item = ui->treeWidget->currentItem();
    if (tree_depth(item) != 2) return false;
    table = item->parent()->text(0);
    field = item->text(0);
    return true;
}

void MainWindow::reconnect()
{
    db_access::logout();
    conn_btn_->setIcon(QIcon(":/img/disconnect.svg"));
    conn_btn_->setProperty("connected", false);
    conn_btn_->repaint();
    const bool ok = db_access::login(ip_, port_, user_, passwd_);
    if (ok) {
        inform(this, tr("reconnect information"), tr("reconnect sussesful!"));
        refresh();
        conn_btn_->setIcon(QIcon(":/img/connect.svg"));
        conn_btn_->setProperty("connected", true);
    } else {
        // The connection stays closed: every statement fails until a reconnect succeeds.
        inform(this, tr("reconnect information"), tr("reconnect failed!"), msg_kind::information,
               db_access::last_reason());
    }
}

void MainWindow::backup()
{
    save_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("backup database to file"));
    dlg.set_path("vela_db_" + stamp() + ".vbk");
    if (dlg.exec() != QDialog::Accepted) return;
    const bool ok = db_->backup_db(dlg.path(), dlg.replace());
    report(this, tr("backup result(local)"),
           tr("backup database to file '%1' is %2!").arg(dlg.path(), outcome(ok)), ok);
    refresh();
}

void MainWindow::restore()
{
    load_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("restore database from file"));
    dlg.set_path("vela_db_" + stamp() + ".vbk");
    if (dlg.exec() != QDialog::Accepted) return;
    const bool ok = db_->restore_db(dlg.path());
    report(this, tr("restore result(local)"),
           tr("restore database frome file '%1' is %2!").arg(dlg.path(), outcome(ok)), ok);
    refresh();
}

void MainWindow::load()
{
    load_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("load table from file"));
    if (dlg.exec() != QDialog::Accepted || dlg.path().isEmpty()) return;
    const bool ok = db_->load_table("ignored_table_name", dlg.path());
    report(this, tr("load table result"),
           tr("load file '%1' as table is %2!").arg(dlg.path(), outcome(ok)), ok);
    refresh();
}

void MainWindow::save()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    save_tab_dlg dlg(this);
    dlg.setWindowTitle(tr("save table '%1' to file").arg(table));
    dlg.set_path(table + "_" + stamp() + ".sql");
    if (dlg.exec() != QDialog::Accepted) return;
    const bool ok = db_->save_table(table, dlg.path(), dlg.replace());
    report(this, tr("save table result"),
           tr("save table '%1' to file '%2' is %3!").arg(table, dlg.path(), outcome(ok)), ok);
    refresh();
}

void MainWindow::export_data()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    import_csv_dlg dlg(this);
    dlg.set_export_mode(true);
    dlg.setWindowTitle(tr("export table: %1 to csv/csvs file").arg(table));
    dlg.set_path(table + "_" + stamp() + ".csv");
    if (dlg.exec() != QDialog::Accepted) return;
    const bool ok = db_->export_table(table, dlg.path(), dlg.csv(), dlg.separator(), dlg.replace());
    report(this, tr("export table result"),
           tr("export table '%1' to file '%2' is %3!").arg(table, dlg.path(), outcome(ok)), ok);
}

void MainWindow::import_data()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    import_csv_dlg dlg(this);
    dlg.setWindowTitle(tr("import data from csv/csvs file to table: %1").arg(table));
    dlg.set_path(table + "_" + stamp() + ".csv");
    if (dlg.exec() != QDialog::Accepted) return;
    const bool ok = db_->import_table(table, dlg.path(), dlg.csv(), dlg.separator());
    report(this, tr("import table result"),
           tr("import file '%1' to table '%2' is %3!").arg(dlg.path(), table, outcome(ok)), ok);
}

// Only an explicit Yes goes on: Escape and the window's close button answer No.
static bool confirmed(QWidget *parent, const QString &title, const QString &text)
{
    return ask(parent, title, text, QMessageBox::Yes | QMessageBox::No, msg_kind::question,
               QMessageBox::No) == QMessageBox::Yes;
}

void MainWindow::drop_table()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    if (!confirmed(this, tr("drop table warnning"),
                   tr("drop table will delete table from server, do your want to drop table "
                      "'%1' really?")
                       .arg(table)))
        return;
    const bool ok = db_->remove_table(table);
    report(this, tr("drop table result"),
           tr("drop table '%1' from database is %2!").arg(table, outcome(ok)), ok);
    refresh();
}

void MainWindow::truncate_table()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    if (!confirmed(this, tr("truncate table warnning"),
                   tr("truncate table will clear all table 's data, do your want to truncate "
                      "table '%1' really?")
                       .arg(table)))
        return;
    const bool ok = db_->empty_table(table);
    report(this, tr("truncate table result"),
           tr("truncate table '%1' from database is %2!").arg(table, outcome(ok)), ok);
    refresh();
}

void MainWindow::delete_col()
{
    QString table, field;
    if (!current_field(table, field)) return;
    if (!confirmed(this, tr("delete field warnning"),
                   tr("delete field will delete field from table, do your want to delete field "
                      "'%2' from table '%1' really?")
                       .arg(table, field)))
        return;
    const bool ok = db_->drop_field(table, field);
    report(this, tr("delete field result"),
           tr("delete field '%1' from table '%2' is %3!").arg(field, table, outcome(ok)), ok);
    refresh();
}

void MainWindow::open_col_info(const QString &title, const QString &table, const QString &field,
                               int mode, bool reuse)
{
    if (reuse) {
        const int open = tab_titled(title);
        if (open >= 0) {
            ui->tabWidget->setCurrentIndex(open);
            return;
        }
    }
    QStringList names, types, repeats;
    if (mode != col_info::create_table) db_->table_fields(table, names, types, repeats);
    auto *form = new col_info(db_.get(), ui->tabWidget);
    form->setup(table, field, names, types, repeats, static_cast<col_info::mode>(mode));
    connect(form, &col_info::accepted, this, &MainWindow::tab_accepted);
    connect(form, &col_info::rejected, this, &MainWindow::tab_rejected);
    add_form_tab(form, title);
}

void MainWindow::create_table()
{
    open_col_info(tr("new table"), "tab1", QString(), col_info::create_table, false);
}

void MainWindow::new_field()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    open_col_info(tr("add field to table: %1").arg(table), table, QString(), col_info::add_fields,
                  true);
}

void MainWindow::modify_col()
{
    QString table, field;
    if (!current_field(table, field)) return;
    open_col_info(tr("modify field '%2' of table: %1").arg(table, field), table, field,
                  col_info::modify_field, true);
}

void MainWindow::rename_col()
{
    QString table, field;
    if (!current_field(table, field)) return;
    open_col_info(tr("rename field '%2' of table: %1").arg(table, field), table, field,
                  col_info::rename_field, true);
}

void MainWindow::view_cols()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    open_col_info(tr("view fields of table: %1").arg(table), table, QString(), col_info::view,
                  true);
}

int MainWindow::tab_titled(const QString &title) const
{
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        if (ui->tabWidget->tabText(i) == title) return i;
    return -1;
}

void MainWindow::add_form_tab(QWidget *form, const QString &title)
{
    const int index = ui->tabWidget->addTab(form, title);
    ui->tabWidget->setCurrentIndex(index);
}

void MainWindow::view_data()
{
    const QString table = current_table();
    if (table.isEmpty()) return;
    const QString title = tr("data of table: %1").arg(table);
    const int open = tab_titled(title);
    if (open >= 0) {
        ui->tabWidget->setCurrentIndex(open);
        return;
    }
    auto *form = new data_view(ui->tabWidget, table, db_.get());
    connect(form, &data_view::accepted, this, &MainWindow::tab_accepted);
    connect(form, &data_view::rejected, this, &MainWindow::tab_rejected);
    add_form_tab(form, title);
}

bool MainWindow::may_close_tab(int index)
{
    if (auto *view = qobject_cast<data_view *>(ui->tabWidget->widget(index))) {
        ui->tabWidget->setCurrentIndex(index);
        return view->settle_pending();
    }
    return true;
}

bool MainWindow::may_close_all_tabs()
{
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        if (!may_close_tab(i)) return false;
    return true;
}
