#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "db_access.h"
#include "exec_log.h"
#include "log_view.h"
#include "sys_config.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>

#include <algorithm>

namespace {

// Depth of a tree item: 0 for the database, 1 for a table, 2 for a field.
int depth_of(const QTreeWidgetItem *item)
{
    int depth = 0;
    for (auto *p = item->parent(); p; p = p->parent()) ++depth;
    return depth;
}

QString parent_text(const QTreeWidgetItem *item)
{
    return item->parent() ? item->parent()->text(0) : QString();
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : MainWindow(QString(), 0, QString(), QString(), parent) {}

MainWindow::MainWindow(const QString &ip, int port, const QString &user, const QString &passwd,
                       QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), ip_(ip), port_(port), user_(user),
      passwd_(passwd)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(":/img/db.svg"));
    build();
}

MainWindow::~MainWindow()
{
    // The form's widgets outlive this body; what they signal while being torn down must not
    // reach a half-destroyed window.
    for (QObject *sender : std::initializer_list<QObject *>{ui->treeWidget, ui->tabWidget,
                                                            ui->tabWidget->tabBar(), ui->toolBar})
        disconnect(sender, nullptr, this, nullptr);
    // The log view belongs to the form; the access object must not outlive it.
    db_.reset();
    delete ui;
}

void MainWindow::build()
{
    build_actions();
    build_menus();

    // All four language entries are checkable, so that the configured one shows its mark
    // whichever it is.
    switch (g_config.language) {
    case 0:
        ui->zh_act->setChecked(true);
        break;
    case 1:
        ui->en_act->setChecked(true);
        break;
    case 2:
        ui->fr_act->setChecked(true);
        break;
    case 3:
        ui->jp_act->setChecked(true);
        break;
    default:
        break;
    }

    // The log view shows the execution log's text, newest line on top.
    log_ = std::make_unique<exec_log>();
    log_view_ = new log_view(log_.get(), ui->textEdit);
    db_ = std::make_unique<db_access>(QByteArrayLiteral("vela_db"), log_.get());

    connect(ui->treeWidget, &QTreeWidget::currentItemChanged, this,
            &MainWindow::currentItemChanged);
    connect(ui->tabWidget, &QTabWidget::tabCloseRequested, this, &MainWindow::close_tab);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::currentChanged);
    connect(ui->tabWidget, &QTabWidget::tabBarClicked, this, [this](int index) {
        if (index >= 0) ui->tabWidget->setCurrentIndex(index);
    });
    connect(ui->toolBar, &QToolBar::visibilityChanged, this, &MainWindow::visibility_changed);
    connect(goto_err_act, &QAction::changed, this, &MainWindow::change_es);

    connect(ui->big_act, &QAction::triggered, this, &MainWindow::view_big);
    connect(ui->normal_act, &QAction::triggered, this, &MainWindow::view_normal);
    connect(ui->small_act, &QAction::triggered, this, &MainWindow::view_small);
    connect(ui->db_act, &QAction::triggered, this, &MainWindow::view_db);
    connect(ui->log_act, &QAction::triggered, this, &MainWindow::view_log);
    connect(ui->toolbar_act, &QAction::triggered, this, &MainWindow::view_toolbar);
    connect(ui->statusbar_act, &QAction::triggered, this, &MainWindow::view_statusbar);
    connect(ui->fullscreen_act, &QAction::triggered, this, &MainWindow::view_fullscreen);

    refresh();

    build_status_bar();

    // Both the empty strip and the tabs themselves take the double click.
    ui->tabWidget->installEventFilter(this);
    ui->tabWidget->tabBar()->installEventFilter(this);
    ui->tabWidget->tabBar()->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->tabWidget->tabBar()->addActions({close_file_act, close_all_act, close_except_act});
    build_files();

    ui->splitter->setSizes({ui->splitter->height(), 150});
    // The tree keeps room for its names when a wide form opens beside it.
    ui->treeWidget->setMinimumWidth(ui->treeWidget->fontMetrics().horizontalAdvance('x') * 17);
    log_->clear();
    apply_config();
    build_options();
    showMaximized();
}

QAction *MainWindow::make_action(const char *name, const QString &text, const char *shortcut,
                                 const char *icon, bool enabled)
{
    auto *act = new QAction(text, this);
    act->setObjectName(QString::fromLatin1(name));
    if (shortcut) act->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    if (icon) act->setIcon(QIcon(QString::fromLatin1(icon)));
    act->setEnabled(enabled);
    return act;
}

QAction *MainWindow::separator()
{
    auto *act = new QAction(this);
    act->setSeparator(true);
    return act;
}

void MainWindow::build_actions()
{
    new_file_act =
        make_action("new_file_act", tr("new file(&n)"), "ctrl+n", ":/img/new_file.svg", true);
    open_file_act =
        make_action("open_file_act", tr("open file(&o)"), "ctrl+o", ":/img/open_file.svg", true);
    save_file_act =
        make_action("save_file_act", tr("save file(&s)"), "ctrl+s", ":/img/save_file.svg", false);
    save_all_act = make_action("save_all_act", tr("save all files(&a)"), "ctrl+shift+s",
                               ":/img/save_all_file.svg", false);
    save_as_act = make_action("save_as_act", tr("save as (&b)"), nullptr, nullptr, false);
    close_file_act = make_action("close_file_act", tr("close file(&c)"), "ctrl+w", nullptr, false);
    close_all_act =
        make_action("close_all_act", tr("close all files(&f)"), "ctrl+shift+w", nullptr, false);
    close_except_act =
        make_action("close_except_act", tr("close except file(&e)"), nullptr, nullptr, false);
    print_act =
        make_action("print_act", tr("print file(&p)"), "ctrl+p", ":/img/print_file.svg", false);
    quit_act = make_action("quit_act", tr("quit(&q)"), "ctrl+q", nullptr, true);

    refresh_act = make_action("refresh_act", tr("refresh(&r)"), "f5", ":/img/refresh.svg", true);
    create_table_act = make_action("create_table_act", tr("create table(&c)"), "f4",
                                   ":/img/create_table.svg", true);
    reconnect_act =
        make_action("reconnect_act", tr("reconnect(&r)"), nullptr, ":/img/reconnect.svg", true);
    status_act = make_action("status_act", tr("status(&s)"), nullptr, ":/img/status.svg", false);
    backup_act = make_action("backup_act", tr("backup(&b)"), nullptr, ":/img/backup.svg", true);
    restore_act = make_action("restore_act", tr("restore(&r)"), nullptr, ":/img/restore.svg", true);
    exec_sql_act =
        make_action("exec_sql_act", tr("execute sql(&e)"), "f6", ":/img/exe_sql.svg", true);
    load_act = make_action("load_act", tr("load table(&l)"), nullptr, ":/img/load_tab.svg", true);

    drop_act = make_action("drop_act", tr("drop(&d)"), nullptr, ":/img/drop.svg", false);
    truncate_act =
        make_action("truncate_act", tr("truncate(&t)"), nullptr, ":/img/truncate_table.svg", false);
    new_field_act =
        make_action("new_field_act", tr("create field(&c)"), nullptr, ":/img/new_field.svg", false);
    view_data_act =
        make_action("view_data_act", tr("view data(&v)"), nullptr, ":/img/view_data.svg", false);
    view_cols_act =
        make_action("view_cols_act", tr("view field(&v)"), nullptr, ":/img/view_field.svg", false);
    import_act = make_action("import_act", tr("import(&i)"), nullptr, ":/img/import.svg", false);
    export_act = make_action("export_act", tr("export(&e)"), nullptr, ":/img/export.svg", false);
    save_tab_act =
        make_action("save_tab_act", tr("save table(&s)"), nullptr, ":/img/save_tab.svg", false);

    delete_col_act =
        make_action("delete_col_act", tr("delete(&d)"), nullptr, ":/img/delete.svg", false);
    rename_col_act =
        make_action("rename_col_act", tr("rename(&r)"), nullptr, ":/img/rename.svg", false);
    modify_col_act =
        make_action("modify_col_act", tr("modify(&m)"), nullptr, ":/img/modify.svg", false);

    cut_act = make_action("cut_act", tr("cut(&t)"), "ctrl+x", ":/img/cut.svg", false);
    copy_act = make_action("copy_act", tr("copy(&c)"), "ctrl+c", ":/img/copy.svg", false);
    paste_act = make_action("paste_act", tr("paste(&p)"), "ctrl+v", ":/img/paste.svg", false);
    redo_act = make_action("redo_act", tr("redo(&r)"), "ctrl+y", ":/img/redo.svg", false);
    undo_act = make_action("undo_act", tr("undo(&u)"), "ctrl+z", ":/img/undo.svg", false);
    goto_err_act =
        make_action("goto_err_act", tr("goto error(&g)"), "ctrl+e", ":/img/goto_err.svg", false);
    goto_lineb_act = make_action("goto_lineb_act", tr("line begin"), nullptr, nullptr, false);
    goto_linee_act = make_action("goto_linee_act", tr("line end"), nullptr, nullptr, false);
    goto_wordb_act = make_action("goto_wordb_act", tr("word begin"), nullptr, nullptr, false);
    goto_worde_act = make_action("goto_worde_act", tr("word end"), nullptr, nullptr, false);
    del_sel_act =
        make_action("del_sel_act", tr("delete selection"), nullptr, ":/img/delete_sel.svg", false);
    sel_beside_act = make_action("sel_beside_act", tr("select beside"), nullptr, nullptr, false);
    sel_all_act = make_action("sel_all_act", tr("select all"), "ctrl+a", nullptr, false);
    sel_line_act = make_action("sel_line_act", tr("select line"), nullptr, nullptr, false);
    sel_word_act = make_action("sel_word_act", tr("select word"), nullptr, nullptr, false);
    find_act = make_action("find_act", tr("find"), "ctrl+f", ":/img/find.svg", false);
    replace_act = make_action("replace_act", tr("replace"), "ctrl+h", ":/img/replace.svg", false);
    exec_sel_act =
        make_action("exec_sel_act", tr("execute selection"), nullptr, ":/img/exe_sel.svg", false);
    exec_cur_act =
        make_action("exec_cur_act", tr("execute current line"), "f7", ":/img/exe_cur.svg", false);
    format_sel_act =
        make_action("format_sel_act", tr("format selection"), nullptr, ":/img/format.svg", false);

    for (int i = 0; i < 3; ++i) tree_separators_.push_back(separator());

    // The rest of the file, database, table, field and edit actions are wired up by the
    // script-file, database-operation and script-editor code.
    connect(quit_act, &QAction::triggered, this, &MainWindow::quit);
    connect(refresh_act, &QAction::triggered, this, &MainWindow::refresh);
    connect_table_operations();
}

void MainWindow::build_menus()
{
    auto *file = ui->file_menu;
    file->addActions({new_file_act, open_file_act});
    auto *recent = file->addMenu(tr("open recent files(&r)"));
    recent->setObjectName("recent_menu");
    recent_menu_ = recent;
    file->addSeparator();
    file->addActions({close_file_act, close_all_act, close_except_act});
    file->addSeparator();
    file->addActions({save_file_act, save_as_act, save_all_act});
    file->addSeparator();
    file->addAction(print_act);
    file->addSeparator();
    file->addAction(quit_act);

    auto *db = ui->database_menu;
    db->addActions({reconnect_act, refresh_act, create_table_act, status_act, backup_act,
                    restore_act, exec_sql_act, drop_act, truncate_act});
    db->addSeparator();
    db->addActions({new_field_act, view_data_act, view_cols_act, import_act, export_act,
                    save_tab_act, load_act});
    db->addSeparator();
    db->addActions({delete_col_act, rename_col_act, modify_col_act});

    auto *edit = ui->edit_menu;
    edit->addActions({redo_act, undo_act});
    edit->addSeparator();
    edit->addActions({cut_act, copy_act, paste_act});
    edit->addSeparator();
    edit->addActions(
        {goto_err_act, goto_lineb_act, goto_linee_act, goto_wordb_act, goto_worde_act});
    edit->addSeparator();
    edit->addActions({sel_beside_act, sel_all_act, sel_line_act, sel_word_act});
    edit->addSeparator();
    edit->addActions({del_sel_act, exec_sel_act, exec_cur_act, format_sel_act});
    edit->addSeparator();
    edit->addActions({find_act, replace_act});

    auto *tb = ui->toolBar;
    tb->addActions({new_file_act, open_file_act, save_file_act, save_all_act});
    tb->addSeparator();
    tb->addActions({reconnect_act, refresh_act, create_table_act, status_act, backup_act,
                    restore_act, exec_sql_act, load_act});
    tb->addSeparator();
    tb->addActions({save_tab_act, drop_act, new_field_act, view_data_act, truncate_act,
                    view_cols_act, import_act, export_act});
    tb->addSeparator();
    tb->addActions({delete_col_act, rename_col_act, modify_col_act});
}

void MainWindow::build_status_bar()
{
    conn_btn_ = new QPushButton(this);
    conn_btn_->setObjectName("conn_btn");
    conn_btn_->setFlat(true);
    conn_btn_->setIcon(QIcon(":/img/connect.svg"));
    conn_btn_->setIconSize(QSize(20, 20));
    conn_btn_->setToolTip(tr("connected to %1:%2").arg(ip_).arg(port_));
    ui->statusbar->addWidget(conn_btn_);

    syntax_btn_ = new QPushButton(this);
    syntax_btn_->setObjectName("syntax_btn");
    syntax_btn_->setFlat(true);
    syntax_btn_->setIcon(QIcon(":/img/correct.svg"));
    syntax_btn_->setIconSize(QSize(20, 20));
    ui->statusbar->addPermanentWidget(syntax_btn_);
}

void MainWindow::apply_config()
{
    switch (g_config.icon_size) {
    case 48:
        ui->big_act->setChecked(true);
        ui->normal_act->setChecked(false);
        set_icon_size(48);
        break;
    case 32:
        ui->normal_act->setChecked(true);
        set_icon_size(32);
        break;
    case 24:
        ui->small_act->setChecked(true);
        ui->normal_act->setChecked(false);
        set_icon_size(24);
        break;
    default:
        break;
    }
    // The panels come back as they were left.
    ui->db_act->setChecked(g_config.show_db);
    ui->treeWidget->setVisible(g_config.show_db);
    ui->log_act->setChecked(g_config.show_log);
    ui->textEdit->setVisible(g_config.show_log);
    ui->statusbar_act->setChecked(g_config.show_status);
    ui->statusbar->setVisible(g_config.show_status);
    ui->toolbar_act->setChecked(g_config.show_toolbar);
    ui->toolBar->setVisible(g_config.show_toolbar);
}

QList<QAction *> MainWindow::table_actions() const
{
    return {drop_act,      truncate_act, new_field_act, view_data_act,
            view_cols_act, import_act,   export_act,    save_tab_act};
}

QList<QAction *> MainWindow::field_actions() const
{
    return {delete_col_act, rename_col_act, modify_col_act};
}

QList<QAction *> MainWindow::edit_actions() const
{
    return {cut_act,      copy_act,       paste_act,      redo_act,       undo_act,
            goto_err_act, goto_lineb_act, goto_linee_act, goto_wordb_act, goto_worde_act,
            del_sel_act,  sel_beside_act, sel_all_act,    sel_line_act,   sel_word_act,
            find_act,     replace_act,    exec_sel_act,   exec_cur_act,   format_sel_act};
}

void MainWindow::refresh()
{
    auto *tree = ui->treeWidget;
    QString cur_text, cur_parent;
    bool cur_expanded = false, had_current = false;
    if (auto *cur = tree->currentItem()) {
        had_current = true;
        cur_text = cur->text(0);
        cur_parent = parent_text(cur);
        cur_expanded = cur->isExpanded();
    }

    tree->clear();
    tables_.clear();
    names_.clear();

    auto *root = new QTreeWidgetItem(tree, {QString::fromUtf8(db_->name())});
    root->setIcon(0, QIcon(":/img/db.svg"));

    QStringList tables;
    db_->table_names(tables);
    for (const QString &table : tables) {
        auto *item = new QTreeWidgetItem(root, {table});
        item->setIcon(0, QIcon(":/img/tab.svg"));
        item->setExpanded(true);
        QStringList fields;
        db_->field_names(table, fields);
        for (const QString &field : fields) {
            auto *child = new QTreeWidgetItem(item, {field});
            child->setIcon(0, QIcon(":/img/col.svg"));
        }
        tables_ << table;
        names_.insert(table, fields);
    }

    QTreeWidgetItem *found = nullptr;
    if (had_current) {
        for (QTreeWidgetItemIterator it(tree); *it && !found; ++it) {
            if ((*it)->text(0) == cur_text && parent_text(*it) == cur_parent &&
                (cur_parent.isEmpty() == ((*it)->parent() == nullptr)))
                found = *it;
        }
    }
    if (found) {
        tree->setCurrentItem(found);
        found->setExpanded(cur_expanded);
        for (auto *p = found->parent(); p; p = p->parent()) p->setExpanded(true);
    }
    // Last, so that a database item that was current and closed opens again too.
    root->setExpanded(true);
    // Clearing the tree does not report a change of the current item; the enabled actions
    // must never point at an item that is gone.
    currentItemChanged(tree->currentItem(), nullptr);

    // Table forms whose table has gone are closed.
    for (int i = ui->tabWidget->count() - 1; i >= 0; --i) {
        if (editor_at(i)) continue;
        const QString title = ui->tabWidget->tabText(i);
        const int colon = title.indexOf(QLatin1String(": "));
        if (colon < 0) continue;
        if (!tables_.contains(title.mid(colon + 2)))
            remove_tab_later(i); // the form may be the one that asked for the refresh
    }
    hand_names();
}

void MainWindow::currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *)
{
    auto *tree = ui->treeWidget;
    for (auto *act : tree->actions()) tree->removeAction(act);
    for (auto *act : table_actions() + field_actions()) act->setEnabled(false);
    if (!current) return;

    auto &sep = tree_separators_;
    switch (depth_of(current)) {
    case 0:
        for (auto *act : {refresh_act, create_table_act, exec_sql_act, backup_act, restore_act})
            act->setEnabled(true);
        tree->addActions({refresh_act, create_table_act, load_act, sep[0], backup_act, restore_act,
                          sep[1], exec_sql_act, sep[2], status_act});
        break;
    case 1:
        for (auto *act : table_actions()) act->setEnabled(true);
        tree->addActions({drop_act, truncate_act, new_field_act, view_cols_act, view_data_act,
                          sep[0], import_act, export_act, sep[1], save_tab_act});
        break;
    case 2:
        for (auto *act : field_actions()) act->setEnabled(true);
        tree->addActions(field_actions());
        break;
    default:
        break;
    }
}

void MainWindow::currentChanged(int index)
{
    // Script editors are the only tabs that take the edit and file actions; table forms
    // leave them off.
    auto *bar = ui->tabWidget->tabBar();
    for (auto *act : {close_file_act, close_all_act, close_except_act}) bar->removeAction(act);
    for (auto *act : edit_actions()) act->setEnabled(false);
    for (auto *act :
         {save_file_act, save_as_act, print_act, close_file_act, close_all_act, close_except_act})
        act->setEnabled(false);
    script_tab_changed(index);
}

void MainWindow::remove_tab(int index)
{
    QWidget *page = ui->tabWidget->widget(index);
    ui->tabWidget->removeTab(index);
    delete page;
}

void MainWindow::remove_tab_later(int index)
{
    QWidget *page = ui->tabWidget->widget(index);
    ui->tabWidget->removeTab(index);
    if (page) page->deleteLater();
}

void MainWindow::close_tab(int index)
{
    if (index < 0 || index >= ui->tabWidget->count()) return;
    if (editor_at(index)) {
        close_script_at(index);
        return;
    }
    if (!may_close_tab(index)) return;
    remove_tab(index);
    const int left = ui->tabWidget->count();
    if (left > 0) ui->tabWidget->setCurrentIndex(std::min(index, left - 1));
}

// A form signals accepted or rejected from inside its own slots, which are still running
// when these return: its widget is deleted once control is back in the event loop.
void MainWindow::tab_accepted()
{
    const int index = ui->tabWidget->currentIndex();
    if (index >= 0) remove_tab_later(index);
    refresh();
}

void MainWindow::tab_rejected()
{
    const int index = ui->tabWidget->currentIndex();
    if (index >= 0) remove_tab_later(index);
}

void MainWindow::change_es()
{
    syntax_btn_->setIcon(
        QIcon(goto_err_act->isEnabled() ? ":/img/error.svg" : ":/img/correct.svg"));
}

void MainWindow::visibility_changed(bool visible)
{
    ui->toolbar_act->setChecked(visible);
}

void MainWindow::set_icon_size(int size)
{
    ui->toolBar->setIconSize(QSize(size, size));
    ui->treeWidget->setIconSize(QSize(size, size));
}

void MainWindow::view_big()
{
    ui->big_act->setChecked(true);
    ui->normal_act->setChecked(false);
    ui->small_act->setChecked(false);
    g_config.icon_size = 48;
    set_icon_size(48);
}

void MainWindow::view_normal()
{
    ui->big_act->setChecked(false);
    ui->normal_act->setChecked(true);
    ui->small_act->setChecked(false);
    g_config.icon_size = 32;
    set_icon_size(32);
}

void MainWindow::view_small()
{
    ui->big_act->setChecked(false);
    ui->normal_act->setChecked(false);
    ui->small_act->setChecked(true);
    g_config.icon_size = 24;
    set_icon_size(24);
}

void MainWindow::view_db(bool checked)
{
    g_config.show_db = checked;
    ui->treeWidget->setVisible(checked);
}

void MainWindow::view_log(bool checked)
{
    g_config.show_log = checked;
    ui->textEdit->setVisible(checked);
}

void MainWindow::view_toolbar(bool checked)
{
    g_config.show_toolbar = checked;
    ui->toolBar->setVisible(checked);
}

void MainWindow::view_statusbar(bool checked)
{
    g_config.show_status = checked;
    ui->statusbar->setVisible(checked);
}

void MainWindow::view_fullscreen()
{
    // Leaving full screen returns to the state before it (usually maximized).
    setWindowState(windowState() ^ Qt::WindowFullScreen);
    ui->fullscreen_act->setChecked(isFullScreen());
}

void MainWindow::quit()
{
    close();
}

int MainWindow::strip_height() const
{
    // Without tabs the bar has no height of its own; the strip is then as high as a bar
    // holding one tab would be.
    const QTabBar *bar = ui->tabWidget->tabBar();
    if (bar->count() > 0) return bar->geometry().bottom() + 1;
    QTabBar probe;
    probe.setFont(bar->font());
    probe.addTab(QStringLiteral("x"));
    return probe.sizeHint().height();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *tabs = ui->tabWidget;
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == tabs || watched == tabs->tabBar())) {
        auto *me = static_cast<QMouseEvent *>(event);
        const QPoint pos = static_cast<QWidget *>(watched)->mapTo(tabs, me->pos());
        if (pos.y() >= 0 && pos.y() < strip_height()) new_file_act->trigger();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A running script is never torn down under its own feet; Stop ends it first. Table
    // forms ask about their pending edits before the scripts are saved.
    if (!may_close_all_tabs() || !save_before_quit()) {
        event->ignore();
        return;
    }
    save_config("config");
    event->accept();
}
