// The program's one main window: the database tree on the left, the tab area for script
// editors and table forms on the right, the execution log below the tabs.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QPushButton;
class run_progress_wt;
class sql_script_editor;
class QTreeWidgetItem;
class db_access;
class exec_log;
class log_view;

namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    // The login values are kept for reconnecting.
    MainWindow(const QString &ip, int port, const QString &user, const QString &passwd,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    db_access *database() const { return db_.get(); }
    // Table names of the last refresh, in the server's order.
    const QStringList &table_list() const { return tables_; }
    // Each table of the last refresh with its field names; handed to script editors.
    const QMap<QString, QStringList> &name_map() const { return names_; }

public slots:
    void refresh();
    void currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void currentChanged(int index);
    void close_tab(int index);
    void tab_accepted();
    void tab_rejected();
    void change_es();
    void visibility_changed(bool visible);
    void view_big();
    void view_normal();
    void view_small();
    void view_db(bool checked);
    void view_log(bool checked);
    void view_toolbar(bool checked);
    void view_statusbar(bool checked);
    void view_fullscreen();
    void quit();

    // Option and help menus (mainwindow_options.cpp). Note that `update` here is the
    // update check and hides QWidget::update(); repaint through QWidget when needed.
    void lang_zh();
    void lang_en();
    void lang_fr();
    void lang_jp();
    void preference();
    void help_local();
    void help_online();
    void update();
    void about();

    // Table operations (mainwindow_tables.cpp).
    void reconnect();
    void backup();
    void restore();
    void load();
    void drop_table();
    void truncate_table();
    void delete_col();
    void import_data();
    void export_data();
    void save();
    void create_table();
    void new_field();
    void modify_col();
    void rename_col();
    void view_cols();
    void view_data();
    // Script files (mainwindow_files.cpp).
    void new_file();
    void open_file();
    void open_recent(const QString &path);
    void cls_recent();
    void save_file();
    void save_all_files();
    void save_file_as();
    void close_file();
    void close_all_files();
    void close_files_except();
    void print();
    void exec_sql();
    void change_save_all();

public:
    // How the file actions ask for a path: (parent, save dialog?, title, start) -> path, empty
    // when cancelled. Tests replace it; the default shows the file dialogs.
    using file_asker = std::function<QString(QWidget *, bool, const QString &, const QString &)>;
    static void set_file_asker(file_asker asker);
    // For tests: called after a save has written every byte and before the new file takes
    // the old one's place; returning true abandons the save there, as a crash would.
    static void set_save_interrupt(std::function<bool(const QString &path)> fn);

    // The script editors by path, and the one in the current tab (or null).
    const std::map<QByteArray, sql_script_editor *> &script_editors() const { return editors_; }
    sql_script_editor *current_script() const;
    run_progress_wt *run_progress() const { return progress_; }
    QMenu *recent_menu() const { return recent_menu_; }
    // A script file's bytes, bounded: false with a box when it cannot be read.
    bool read_script(const QString &path, QByteArray &bytes);
    // Writes an editor's text to path through a temporary file; false with a box.
    bool write_script(sql_script_editor *ed, const QString &path);
    // Largest script file opened.
    static constexpr qint64 script_size_limit = qint64(64) << 20;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void build();
    void build_actions();
    void build_menus();
    void build_status_bar();
    void apply_config();
    void build_options();
    void switch_language(int index);
    void set_icon_size(int size);
    void remove_tab(int index);
    void remove_tab_later(int index);
    int strip_height() const;
    QAction *make_action(const char *name, const QString &text, const char *shortcut,
                         const char *icon, bool enabled);
    QAction *separator();

    // Table operations (mainwindow_tables.cpp).
    void connect_table_operations();
    QString current_table() const;
    bool current_field(QString &table, QString &field) const;
    // `mode` is a col_info::mode; `reuse` makes an open tab of that title current instead.
    void open_col_info(const QString &title, const QString &table, const QString &field, int mode,
                       bool reuse);
    int tab_titled(const QString &title) const;
    void add_form_tab(QWidget *form, const QString &title);
    // False when the tab holds edits the user chose to keep.
    bool may_close_tab(int index);
    // Asks about the pending edits of every table form; false when the user keeps one.
    bool may_close_all_tabs();
    // Script files (mainwindow_files.cpp).
    void build_files();
    void reopen_files();
    void add_to_lists(const QString &path);
    void rebuild_recent_menu();
    sql_script_editor *open_editor(const QString &path, const QByteArray &bytes);
    sql_script_editor *editor_at(int index) const;
    QString path_of(const sql_script_editor *ed) const;
    bool close_script_at(int index);
    void lock_run(bool running);
    void script_tab_changed(int index);
    void hand_names();
    bool save_before_quit();

    Ui::MainWindow *ui;

    QString ip_;
    int port_ = 0;
    QString user_;
    QString passwd_;

    std::unique_ptr<exec_log> log_;
    log_view *log_view_ = nullptr; // owned by the log's text view
    std::unique_ptr<db_access> db_;
    QStringList tables_;
    QMap<QString, QStringList> names_;

    QPushButton *conn_btn_ = nullptr;
    QPushButton *syntax_btn_ = nullptr;
    std::map<QByteArray, sql_script_editor *> editors_;
    QMenu *recent_menu_ = nullptr;
    run_progress_wt *progress_ = nullptr;
    QPointer<sql_script_editor> edit_target_;

    // Separators of the tree's context menu, reused on every selection change.
    std::vector<QAction *> tree_separators_;

public:
    // File actions.
    QAction *new_file_act = nullptr;
    QAction *open_file_act = nullptr;
    QAction *save_file_act = nullptr;
    QAction *save_all_act = nullptr;
    QAction *save_as_act = nullptr;
    QAction *close_file_act = nullptr;
    QAction *close_all_act = nullptr;
    QAction *close_except_act = nullptr;
    QAction *print_act = nullptr;
    QAction *quit_act = nullptr;
    // Database actions.
    QAction *refresh_act = nullptr;
    QAction *create_table_act = nullptr;
    QAction *reconnect_act = nullptr;
    QAction *status_act = nullptr;
    QAction *backup_act = nullptr;
    QAction *restore_act = nullptr;
    QAction *exec_sql_act = nullptr;
    QAction *load_act = nullptr;
    // Table actions.
    QAction *drop_act = nullptr;
    QAction *truncate_act = nullptr;
    QAction *new_field_act = nullptr;
    QAction *view_data_act = nullptr;
    QAction *view_cols_act = nullptr;
    QAction *import_act = nullptr;
    QAction *export_act = nullptr;
    QAction *save_tab_act = nullptr;
    // Field actions.
    QAction *delete_col_act = nullptr;
    QAction *rename_col_act = nullptr;
    QAction *modify_col_act = nullptr;
    // Edit actions; they act on the current script editor.
    QAction *cut_act = nullptr;
    QAction *copy_act = nullptr;
    QAction *paste_act = nullptr;
    QAction *redo_act = nullptr;
    QAction *undo_act = nullptr;
    QAction *goto_err_act = nullptr;
    QAction *goto_lineb_act = nullptr;
    QAction *goto_linee_act = nullptr;
    QAction *goto_wordb_act = nullptr;
    QAction *goto_worde_act = nullptr;
    QAction *del_sel_act = nullptr;
    QAction *sel_beside_act = nullptr;
    QAction *sel_all_act = nullptr;
    QAction *sel_line_act = nullptr;
    QAction *sel_word_act = nullptr;
    QAction *find_act = nullptr;
    QAction *replace_act = nullptr;
    QAction *exec_sel_act = nullptr;
    QAction *exec_cur_act = nullptr;
    QAction *format_sel_act = nullptr;

    QList<QAction *> table_actions() const;
    QList<QAction *> field_actions() const;
    QList<QAction *> edit_actions() const;
};
