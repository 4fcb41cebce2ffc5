// The main window's table operations: the forms that open in tabs, and the questions asked
// before a tab with pending edits goes away.
#include "mainwindow.h"

#include "data_view.h"
#include "ui_mainwindow.h"

#include <QTreeWidget>

namespace {

// A table item is a child of the root; a field item a grandchild.
int tree_depth(const QTreeWidgetItem *item)
{
    int d = 0;
    for (; item && item->parent(); item = item->parent()) ++d;
    return item ? d : -1;
}

} // namespace

void MainWindow::connect_table_operations()
{
    connect(view_data_act, &QAction::triggered, this, &MainWindow::view_data);
}

QString MainWindow::current_table() const
{
    const QTreeWidgetItem *item = ui->treeWidget->currentItem();
    return tree_depth(item) == 1 ? item->text(0) : QString();
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
