// The main window's script files: new, open, recent, save, close, print, the files reopened
// at start, executing a whole SQL file, and the edit actions that act on the current script.
#include "mainwindow.h"

#include "ui_mainwindow.h"

#include "db_access.h"
#include "editor/editor.h"
#include "editor/run_progress_wt.h"
#include "log_view.h"
#include "editor/sql_script_editor.h"
#include "lang/sql_engine.h"
#include "msg_box.h"
#include "sys_config.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QStatusBar>
#include <QTabBar>
#include <QTreeWidget>

#include <algorithm>

namespace {

MainWindow::file_asker &asker()
{
    static MainWindow::file_asker a;
    return a;
}

std::function<bool(const QString &)> &interrupt()
{
    static std::function<bool(const QString &)> fn;
    return fn;
}

const QString file_filter = QStringLiteral("sql files (*.sql);;all files (*.*)");

std::string path_bytes(const QString &path)
{
    return path.toUtf8().toStdString();
}

QString ask_path(QWidget *parent, bool save, const QString &title, const QString &start)
{
    if (asker()) return asker()(parent, save, title, start);
    return save ? QFileDialog::getSaveFileName(parent, title, start, file_filter)
                : QFileDialog::getOpenFileName(parent, title, start, file_filter);
}

} // namespace

void MainWindow::set_file_asker(file_asker a)
{
    asker() = std::move(a);
}

void MainWindow::set_save_interrupt(std::function<bool(const QString &)> fn)
{
    interrupt() = std::move(fn);
}

void MainWindow::build_files()
{
    progress_ = new run_progress_wt(this);
    ui->statusbar->addWidget(progress_);
    connect(progress_, &run_progress_wt::running_changed, this, &MainWindow::lock_run);

    connect(new_file_act, &QAction::triggered, this, &MainWindow::new_file);
    connect(open_file_act, &QAction::triggered, this, &MainWindow::open_file);
    connect(save_file_act, &QAction::triggered, this, &MainWindow::save_file);
    connect(save_all_act, &QAction::triggered, this, &MainWindow::save_all_files);
    connect(save_as_act, &QAction::triggered, this, &MainWindow::save_file_as);
    connect(close_file_act, &QAction::triggered, this, &MainWindow::close_file);
    connect(close_all_act, &QAction::triggered, this, &MainWindow::close_all_files);
    connect(close_except_act, &QAction::triggered, this, &MainWindow::close_files_except);
    connect(print_act, &QAction::triggered, this, &MainWindow::print);
    connect(exec_sql_act, &QAction::triggered, this, &MainWindow::exec_sql);
    connect(save_file_act, &QAction::changed, this, &MainWindow::change_save_all);

    // Every edit action works on the editor of the current script tab.
    auto on_editor = [this](QAction *act, void (editor::*fn)(bool)) {
        connect(act, &QAction::triggered, this, [this, fn] {
            sql_script_editor *s = current_script();
            if (!s || s->running()) return;
            (s->editor_widget()->*fn)(false);
            s->editor_widget()->setFocus();
        });
    };
    on_editor(cut_act, &editor::cut);
    on_editor(copy_act, &editor::copy);
    on_editor(paste_act, &editor::paste);
    on_editor(redo_act, &editor::redo);
    on_editor(undo_act, &editor::undo);
    on_editor(goto_err_act, &editor::goto_err);
    on_editor(goto_lineb_act, &editor::goto_lineb);
    on_editor(goto_linee_act, &editor::goto_linee);
    on_editor(goto_wordb_act, &editor::goto_wordb);
    on_editor(goto_worde_act, &editor::goto_worde);
    on_editor(del_sel_act, &editor::del_sel);
    on_editor(sel_beside_act, &editor::sel_beside);
    on_editor(sel_all_act, &editor::sel_all);
    on_editor(sel_line_act, &editor::sel_line);
    on_editor(sel_word_act, &editor::sel_word);
    on_editor(format_sel_act, &editor::format_sel);
    on_editor(find_act, &editor::find);
    on_editor(replace_act, &editor::replace);
    connect(exec_sel_act, &QAction::triggered, this, [this] {
        if (sql_script_editor *s = current_script()) s->exec_sel();
    });
    connect(exec_cur_act, &QAction::triggered, this, [this] {
        if (sql_script_editor *s = current_script()) s->exec_cur();
    });

    rebuild_recent_menu();
    reopen_files();
}

// --- editors and tabs ------------------------------------------------------------------------

sql_script_editor *MainWindow::editor_at(int index) const
{
    return qobject_cast<sql_script_editor *>(ui->tabWidget->widget(index));
}

sql_script_editor *MainWindow::current_script() const
{
    return editor_at(ui->tabWidget->currentIndex());
}

QString MainWindow::path_of(const sql_script_editor *ed) const
{
    for (const auto &kv : editors_)
        if (kv.second == ed) return QString::fromUtf8(kv.first);
    return QString();
}

sql_script_editor *MainWindow::open_editor(const QString &path, const QByteArray &bytes)
{
    auto *ed = new sql_script_editor(db_.get(), bytes);
    ed->set_progress(progress_);
    ed->set_names(tables_, names_);
    connect(ed, &sql_script_editor::executed, this, [this] { refresh(); });
    connect(ed, &sql_script_editor::result_status, this, [this, ed](const QString &text) {
        if (current_script() == ed) ui->statusbar->showMessage(text);
    });
    connect(ed->editor_widget(), &editor::textChanged, this, &MainWindow::change_save_all);
    editors_[path.toUtf8()] = ed;
    const int at = ui->tabWidget->addTab(ed, QFileInfo(path).fileName());
    ui->tabWidget->setTabToolTip(at, path);
    ui->tabWidget->setCurrentIndex(at);
    return ed;
}

void MainWindow::script_tab_changed(int index)
{
    // The previous editor lets go of the shared actions before the new one takes them.
    if (edit_target_) edit_target_->editor_widget()->set_actions(editor_actions{});
    edit_target_ = nullptr;
    sql_script_editor *ed = editor_at(index);
    if (!ed) {
        ui->statusbar->clearMessage();
        if (progress_ && progress_->running()) lock_run(true);
        return;
    }
    auto *bar = ui->tabWidget->tabBar();
    bar->addActions({close_file_act, close_all_act, close_except_act});
    editor_actions acts;
    acts.cut = cut_act;
    acts.copy = copy_act;
    acts.paste = paste_act;
    acts.redo = redo_act;
    acts.undo = undo_act;
    acts.goto_err = goto_err_act;
    acts.goto_lineb = goto_lineb_act;
    acts.goto_linee = goto_linee_act;
    acts.goto_wordb = goto_wordb_act;
    acts.goto_worde = goto_worde_act;
    acts.del_sel = del_sel_act;
    acts.sel_beside = sel_beside_act;
    acts.sel_all = sel_all_act;
    acts.sel_line = sel_line_act;
    acts.sel_word = sel_word_act;
    acts.find = find_act;
    acts.replace = replace_act;
    acts.exec_sel = exec_sel_act;
    acts.exec_cur = exec_cur_act;
    acts.format_sel = format_sel_act;
    acts.save = save_file_act;
    ed->editor_widget()->set_actions(acts);
    edit_target_ = ed;
    for (QAction *act : {save_as_act, print_act, close_file_act, close_all_act, close_except_act})
        act->setEnabled(true);
    change_save_all();
    const QString summary = ed->result_summary();
    if (summary.isEmpty())
        ui->statusbar->clearMessage();
    else
        ui->statusbar->showMessage(summary);
    if (progress_ && progress_->running())
        lock_run(true);
    else
        ed->editor_widget()->setFocus();
}

void MainWindow::hand_names()
{
    for (const auto &kv : editors_) kv.second->set_names(tables_, names_);
}

void MainWindow::change_save_all()
{
    bool any = false;
    for (const auto &kv : editors_)
        if (kv.second->editor_widget()->buffer().modified()) any = true;
    save_all_act->setEnabled(any && !(progress_ && progress_->running()));
}

// While a run goes on, nothing may start another, touch the running script or change the
// tree under it.
void MainWindow::lock_run(bool running)
{
    // Older log lines wait until the run is over: laying them out would slow it down.
    if (log_view_) log_view_->hold(running);
    QList<QAction *> locked = edit_actions();
    locked << new_file_act << close_file_act << close_all_act << close_except_act << save_as_act
           << print_act << refresh_act << create_table_act << reconnect_act << backup_act
           << restore_act << exec_sql_act << load_act;
    locked << table_actions() << field_actions();
    if (running) {
        for (QAction *act : locked) act->setEnabled(false);
        if (recent_menu_) recent_menu_->setEnabled(false);
        open_file_act->setEnabled(false);
        ui->treeWidget->setEnabled(false);
        return;
    }
    if (recent_menu_) recent_menu_->setEnabled(true);
    open_file_act->setEnabled(true);
    new_file_act->setEnabled(true);
    for (QAction *act : {refresh_act, create_table_act, reconnect_act, backup_act, restore_act,
                         exec_sql_act, load_act})
        act->setEnabled(true);
    ui->treeWidget->setEnabled(true);
    currentItemChanged(ui->treeWidget->currentItem(), nullptr);
    currentChanged(ui->tabWidget->currentIndex());
}

// --- lists -------------------------------------------------------------------------------------

void MainWindow::add_to_lists(const QString &path)
{
    const std::string p = path_bytes(path);
    auto &recent = g_recent_files;
    recent.erase(std::remove(recent.begin(), recent.end(), p), recent.end());
    if (recent.size() > 20) recent.pop_back();
    recent.insert(recent.begin(), p);
    auto &open = g_open_files;
    auto it = std::find(open.begin(), open.end(), p);
    if (it != open.end()) open.erase(it);
    open.push_back(p);
    rebuild_recent_menu();
}

void MainWindow::rebuild_recent_menu()
{
    if (!recent_menu_) return;
    // The entry that asked for this rebuild is still running its triggered signal.
    for (QAction *act : recent_menu_->actions()) {
        recent_menu_->removeAction(act);
        act->deleteLater();
    }
    for (const std::string &p : g_recent_files) {
        const QString path = QString::fromUtf8(p.data(), int(p.size()));
        QString text = path;
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction *act = recent_menu_->addAction(text);
        act->setData(path);
        connect(act, &QAction::triggered, this, [this, path] { open_recent(path); });
    }
    recent_menu_->addSeparator();
    QAction *clear = recent_menu_->addAction(tr("clear file list"));
    clear->setObjectName(QStringLiteral("clear_recent_act"));
    connect(clear, &QAction::triggered, this, &MainWindow::cls_recent);
}

void MainWindow::cls_recent()
{
    g_recent_files.clear();
    rebuild_recent_menu();
}

// --- reading and writing -------------------------------------------------------------------------

bool MainWindow::read_script(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    const QFileInfo info(path);
    const QString title = tr("open file failed");
    if (info.isDir()) {
        inform(this, title, tr("\"%1\" is a folder, not a script file.").arg(path),
               msg_kind::warning);
        return false;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        inform(this, title,
               tr("the file \"%1\" could not be opened: %2").arg(path, f.errorString()),
               msg_kind::warning);
        return false;
    }
    // The size is checked on the open file, and the read is bounded all the same: a file
    // may grow between the two.
    if (f.size() > script_size_limit) {
        inform(this, title,
               tr("the file \"%1\" is larger than %2 MiB and is not opened.")
                   .arg(path)
                   .arg(script_size_limit >> 20),
               msg_kind::warning);
        return false;
    }
    bytes = f.read(script_size_limit + 1);
    if (bytes.size() > script_size_limit || f.error() != QFileDevice::NoError) {
        const QString reason = bytes.size() > script_size_limit
                                   ? tr("the file grew while it was read")
                                   : f.errorString();
        bytes.clear();
        inform(this, title, tr("the file \"%1\" could not be opened: %2").arg(path, reason),
               msg_kind::warning);
        return false;
    }
    return true;
}

bool MainWindow::write_script(sql_script_editor *ed, const QString &path)
{
    // The old file stays whole until the new text is completely on disk.
    QSaveFile f(path);
    const QByteArray bytes = ed->script_bytes();
    bool ok = f.open(QIODevice::WriteOnly);
    if (ok) ok = f.write(bytes) == bytes.size();
    QString reason = f.errorString();
    if (ok && interrupt() && interrupt()(path)) return false; // as if the program died here
    if (ok) {
        ok = f.commit();
        reason = f.errorString();
    } else {
        f.cancelWriting();
    }
    if (!ok) {
        inform(this, tr("save file failed"),
               tr("the file \"%1\" could not be saved: %2").arg(path, reason), msg_kind::warning);
        return false;
    }
    ed->editor_widget()->buffer().mark_saved();
    ed->editor_widget()->refresh_actions();
    change_save_all();
    return true;
}

// --- file slots ------------------------------------------------------------------------------

void MainWindow::new_file()
{
    QStringList titles;
    for (const auto &kv : editors_) titles << QFileInfo(QString::fromUtf8(kv.first)).fileName();
    int n = 1;
    while (titles.contains(tr("scriptfile") + QString::number(n) + QStringLiteral(".sql"))) ++n;
    const QString proposed = tr("scriptfile") + QString::number(n) + QStringLiteral(".sql");
    const QString path = ask_path(this, true, tr("set sql file's location"), proposed);
    if (path.isEmpty()) return;
    auto it = editors_.find(path.toUtf8());
    if (it != editors_.end()) {
        ui->tabWidget->setCurrentWidget(it->second);
        return;
    }
    if (!QFileInfo::exists(path)) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) {
            inform(this, tr("save file failed"),
                   tr("the file \"%1\" could not be saved: %2").arg(path, f.errorString()),
                   msg_kind::warning);
            return;
        }
    } else if (QFileInfo(path).isDir()) {
        inform(this, tr("open file failed"), tr("\"%1\" is a folder, not a script file.").arg(path),
               msg_kind::warning);
        return;
    }
    add_to_lists(path);
    open_editor(path, QByteArray());
}

void MainWindow::open_file()
{
    const QString path = ask_path(this, false, tr("open sql file to script editor"), ".");
    if (path.isEmpty()) return;
    auto it = editors_.find(path.toUtf8());
    if (it != editors_.end()) {
        ui->tabWidget->setCurrentWidget(it->second);
        return;
    }
    QByteArray bytes;
    if (!read_script(path, bytes)) return;
    add_to_lists(path);
    open_editor(path, bytes);
}

void MainWindow::open_recent(const QString &path)
{
    auto it = editors_.find(path.toUtf8());
    if (it != editors_.end()) {
        ui->tabWidget->setCurrentWidget(it->second);
        return;
    }
    QByteArray bytes;
    if (!QFileInfo::exists(path)) {
        if (ask(this, tr("file not exists"),
                tr("the file is not exists do your want to create new file?")) != QMessageBox::Yes)
            return;
    } else if (!read_script(path, bytes)) {
        return;
    }
    add_to_lists(path);
    open_editor(path, bytes);
}

void MainWindow::save_file()
{
    sql_script_editor *ed = current_script();
    if (ed) write_script(ed, path_of(ed));
}

void MainWindow::save_all_files()
{
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        if (sql_script_editor *ed = editor_at(i)) write_script(ed, path_of(ed));
}

void MainWindow::save_file_as()
{
    sql_script_editor *ed = current_script();
    if (!ed) return;
    const QString old_path = path_of(ed);
    const QString path = ask_path(this, true, tr("save as sql file to location"), old_path);
    if (path.isEmpty()) return;
    if (path == old_path) {
        inform(this, tr("file path is same"), tr("the selected path is same as original!"));
        return;
    }
    if (editors_.count(path.toUtf8())) {
        // Two tabs on one file would overwrite each other's saves.
        inform(this, tr("save file failed"),
               tr("the file \"%1\" is open in another tab.").arg(path), msg_kind::warning);
        return;
    }
    if (!write_script(ed, path)) return;
    // The tab now stands for the new file.
    editors_.erase(old_path.toUtf8());
    editors_[path.toUtf8()] = ed;
    const std::string old_bytes = path_bytes(old_path);
    auto it = std::find(g_open_files.begin(), g_open_files.end(), old_bytes);
    if (it != g_open_files.end()) g_open_files.erase(it);
    add_to_lists(path);
    const int at = ui->tabWidget->indexOf(ed);
    ui->tabWidget->setTabText(at, QFileInfo(path).fileName());
    ui->tabWidget->setTabToolTip(at, path);
}

// Closes the script tab at index: a modified script is saved first; when that fails the
// user decides whether the changes go. False when the tab stays open.
bool MainWindow::close_script_at(int index)
{
    sql_script_editor *ed = editor_at(index);
    if (!ed) return true;
    if (ed->running()) return false;
    const QString path = path_of(ed);
    if (ed->editor_widget()->buffer().modified() && !write_script(ed, path)) {
        if (ask(this, tr("save file failed"),
                tr("the file \"%1\" could not be saved. close it and lose the changes?").arg(path),
                QMessageBox::Yes | QMessageBox::No, msg_kind::warning,
                QMessageBox::No) != QMessageBox::Yes)
            return false;
    }
    if (edit_target_ == ed) {
        ed->editor_widget()->set_actions(editor_actions{});
        edit_target_ = nullptr;
    }
    editors_.erase(path.toUtf8());
    ui->tabWidget->removeTab(index);
    delete ed;
    const int left = ui->tabWidget->count();
    if (left > 0) ui->tabWidget->setCurrentIndex(std::min(index, left - 1));
    const std::string p = path_bytes(path);
    auto it = std::find(g_open_files.begin(), g_open_files.end(), p);
    if (it != g_open_files.end()) g_open_files.erase(it);
    change_save_all();
    return true;
}

void MainWindow::close_file()
{
    const int index = ui->tabWidget->currentIndex();
    if (editor_at(index)) close_script_at(index);
}

void MainWindow::close_all_files()
{
    for (int i = ui->tabWidget->count() - 1; i >= 0; --i)
        if (editor_at(i)) close_script_at(i);
}

void MainWindow::close_files_except()
{
    QWidget *keep = ui->tabWidget->currentWidget();
    for (int i = ui->tabWidget->count() - 1; i >= 0; --i)
        if (ui->tabWidget->widget(i) != keep && editor_at(i)) close_script_at(i);
}

void MainWindow::print()
{
    if (sql_script_editor *ed = current_script()) ed->editor_widget()->print();
}

void MainWindow::reopen_files()
{
    const std::vector<std::string> paths = g_open_files; // opening does not reorder them
    for (const std::string &p : paths) {
        const QString path = QString::fromUtf8(p.data(), int(p.size()));
        if (!QFileInfo::exists(path) || editors_.count(path.toUtf8())) continue;
        QByteArray bytes;
        if (read_script(path, bytes)) open_editor(path, bytes);
    }
}

bool MainWindow::save_before_quit()
{
    if (progress_ && progress_->running()) return false;
    bool all = true;
    for (int i = 0; i < ui->tabWidget->count(); ++i)
        if (sql_script_editor *ed = editor_at(i))
            if (!write_script(ed, path_of(ed))) all = false;
    if (all) return true;
    return ask(this, tr("save file failed"),
               tr("some scripts could not be saved. quit and lose their changes?"),
               QMessageBox::Yes | QMessageBox::No, msg_kind::warning,
               QMessageBox::No) == QMessageBox::Yes;
}

// --- execute a SQL file
// ----------------------------------------------------------------------------

void MainWindow::exec_sql()
{
    if (progress_->running()) return;
    const QString path = ask_path(this, false, tr("open sql file to execute"), ".");
    if (path.isEmpty()) return;
    QByteArray text;
    if (!read_script(path, text) || text.isEmpty()) return;

    const lang::sql_engine &engine = lang::sql_engine::instance();
    lang::statement_list parsed;
    const int32_t stop = engine.parse_all(text.constData(), uint64_t(text.size()), parsed);
    if (stop < text.size()) {
        inform(this, tr("sql parse failed"), tr("the sql parsed failed at position: %1").arg(stop));
        return;
    }
    std::vector<QByteArray> statements;
    statements.reserve(parsed.size());
    for (const lang::parse_node *tree : parsed) {
        std::string s = engine.normalise_statement(tree, true, true);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n'))
            s.pop_back();
        size_t b = 0;
        while (b < s.size() && (s[b] == ' ' || s[b] == '\t' || s[b] == '\n')) ++b;
        if (b < s.size()) statements.emplace_back(s.data() + b, int(s.size() - b));
    }
    parsed.clear();
    text.clear();

    const int total = int(statements.size());
    progress_->begin(total);
    std::vector<QString> lines;
    auto hand_over = [&] {
        db_->append_log(lines);
        lines.clear();
    };
    int done = 0;
    QString failed, reason;
    bool stopped = false;
    for (const QByteArray &s : statements) {
        if (done % 8192 == 0) hand_over();
        QString line;
        result_set *rs = db_->run_sql(s, line, true);
        lines.push_back(line);
        ++done;
        if (!rs) {
            failed = QString::fromUtf8(s);
            reason = db_access::last_reason();
            break;
        }
        db_access::release(rs);
        if (!progress_->step(done) && done < total) {
            stopped = true;
            break;
        }
    }
    hand_over();
    progress_->end();
    if (!failed.isNull()) {
        inform(this, tr("execute infomation"), tr("the sql \"%1\" execute failed!").arg(failed),
               msg_kind::information, reason);
        return;
    }
    if (stopped)
        inform(this, tr("execute infomation"),
               tr("the run was stopped after statement %1 of %2.").arg(done).arg(total));
    else
        inform(this, tr("execute infomation"), tr("the sql execute sussesful total!"));
    refresh();
}
