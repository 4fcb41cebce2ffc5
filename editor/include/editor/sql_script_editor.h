// One script tab: the editor with its gutter and scroll area, the execute button, and a tab
// widget of results in which every statement that returns columns gets a grid.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

#include "editor/completion.h"
#include "lang/parser.h"

class QAction;
class QPushButton;
class QTabWidget;
class QTableView;
class db_access;
class editor;
class linenumber_wt;
class run_progress_wt;
class scrollarea;
class tab_data_model;

namespace Ui {
class sql_script_editor;
}

// What the export form asks for a result tab's statement.
struct export_choice {
    QString path;
    bool csv = true; // "csv" format, else "csvs"
    QString separator;
    bool replace = false;
};

class sql_script_editor : public QWidget {
    Q_OBJECT
public:
    // `db` is not owned. `text` is loaded as the editor's whole content.
    sql_script_editor(db_access *db, const QString &text, QWidget *parent = nullptr);
    // The script as bytes, kept as they are (a file need not be UTF-8).
    sql_script_editor(db_access *db, const QByteArray &bytes, QWidget *parent = nullptr);
    ~sql_script_editor() override;

    editor *editor_widget() const { return editor_; }
    QString script_text() const;
    QByteArray script_bytes() const;
    QTabWidget *result_tabs() const;
    QPushButton *exec_button() const;

    // The status-bar strip a long run shows itself in; without one the editor keeps its own
    // (hidden) strip, so a run still stays responsive and can be stopped.
    void set_progress(run_progress_wt *progress);
    run_progress_wt *progress() const { return progress_; }
    bool running() const;

    // Table names and each table's fields, for completion.
    void set_names(const QStringList &tables, const QMap<QString, QStringList> &fields);
    const completion_names &names() const { return names_; }

    // "%1 rows, %2 columns in %3 ms" for the current result tab; empty without one.
    QString result_summary() const;

    // The statement texts of a parse: comments dropped, blanks trimmed, empty ones left out.
    static std::vector<QByteArray> statement_texts(const lang::statement_list &list, bool one_line);
    // A result tab's title without the trailing `;` and blanks.
    static QString export_statement(const QString &title);

    // How export asks for its path, separator and mode; false when cancelled. Tests set it;
    // without one the export form of the CSV dialog asks.
    using export_asker = std::function<bool(QWidget *parent, export_choice &choice)>;
    static void set_export_asker(export_asker asker);

signals:
    void executed(bool ok);
    // The summary of the current result tab changed (see result_summary).
    void result_status(const QString &text);

public slots:
    void update_ed_geo(const QRect &rect);
    void exec_sel(bool = false);
    void exec_cur(bool = false);
    void exec_sql();
    bool exec(const std::vector<QByteArray> &statements);
    void textChanged();
    void change_layout();
    void close_tab(int index);
    void copy_tab(bool = false);
    void close_tab(bool = false);
    void close_all_tab(bool = false);
    void export_data(bool = false);

protected:
    void focusInEvent(QFocusEvent *ev) override;
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseDoubleClickEvent(QMouseEvent *ev) override;
    void wheelEvent(QWheelEvent *ev) override;

private:
    void build(const QByteArray &bytes);
    void run_text(const QByteArray &text);
    void add_result_tab(tab_data_model *model, const QByteArray &statement, qint64 ms);
    void show_tabs_by_count();
    void remove_result_tab(int index);
    void lock_for_run(bool running);
    bool ask_export(export_choice &choice);

    Ui::sql_script_editor *ui;
    db_access *db_;
    editor *editor_ = nullptr;
    linenumber_wt *gutter_ = nullptr;
    scrollarea *area_ = nullptr;
    QWidget *content_ = nullptr;
    QPointer<run_progress_wt> progress_;
    run_progress_wt *own_progress_ = nullptr;
    completion_names names_;
    QAction *copy_act_ = nullptr;
    QAction *close_all_act_ = nullptr;
    QAction *close_cur_act_ = nullptr;
    QAction *export_act_ = nullptr;
};
