#pragma once
// The rows of one table in a grid: a select built from the checked fields, an optional
// row limit, a filter and a post-processing text; edits, inserted and deleted rows stay
// pending until Apply (or go out one by one in immediate mode). Nothing pending is ever
// dropped without asking.

#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class data_view;
}
class QAction;
class QActionGroup;
class QMenu;
class QTimer;
class db_access;
class search_tab_dlg;
class tab_data_model;

class data_view : public QWidget {
    Q_OBJECT
public:
    data_view(QWidget *parent, const QString &table, db_access *db);
    ~data_view() override;

    tab_data_model *model() const { return model_; }
    search_tab_dlg *search_dialog() const { return search_; }
    QMenu *context_menu() const { return menu_; }
    // The select the form runs now, without its closing ";".
    QByteArray query_text() const;
    // What the last reload sent, with its ";".
    const QByteArray &last_query() const { return last_query_; }
    bool has_pending() const;
    // Asks what to do with pending edits before they would be dropped: true when the
    // caller may go on (applied or discarded), false when the user cancelled or the
    // changes could not be applied.
    bool settle_pending();
    // The line under the grid: the row count, or why the last reload or Apply failed.
    QString status_text() const;
    // Opens the context menu at a cell (as a right click there does).
    void open_context_menu(const QPoint &pos);

    // Pause after the last key stroke in the filter or post text before the query runs.
    static constexpr int typing_pause_ms = 400;

signals:
    void accepted();
    void rejected();

public slots:
    void add(bool = false);
    void del(bool = false);
    void apply(bool = false);
    void cancel(bool = false);
    void post_changed();
    void filter_changed();
    void check_limit(int state);
    void change_limit(int value);
    void export_data(bool = false);
    void find_txt(bool = false);
    void rep_txt(bool = false);
    void row_changed();
    void current_changed();
    void im_changed(int state);
    void enable_apply(const bool &on);
    void update_tab();
    void field_changed();
    void mode_toggled(bool checked);

    void ftr_eq(bool);
    void ftr_nq(bool);
    void ftr_lt(bool);
    void ftr_le(bool);
    void ftr_gt(bool);
    void ftr_ge(bool);
    void ftr_ltgt(bool);
    void ftr_legt(bool);
    void ftr_ltge(bool);
    void ftr_lege(bool);
    void ftr_min(bool);
    void ftr_max(bool);
    void ftr_min_k(bool);
    void ftr_max_k(bool);
    void ftr_in_set(bool);
    void ftr_in_tab(bool);
    void ftr_fst(bool);
    void ftr_lst(bool);
    void ftr_fst_k(bool);
    void ftr_lst_k(bool);
    void ftr_nth_k(bool);
    void ftr_range(bool);

    void post_asc(bool);
    void post_dsc(bool);
    void post_prj(bool);
    void post_epj(bool);
    void post_ren(bool);
    void post_com(bool);
    void post_grp(bool);
    void post_fst(bool);
    void post_lst(bool);
    void post_fst_k(bool);
    void post_lst_k(bool);
    void post_nth_k(bool);
    void post_range(bool);
    void post_line_inr(bool);
    void post_line_adj(bool);
    void post_line_int(bool);
    void post_exts(bool);
    void post_nxts(bool);

private:
    // The state of the controls that the grid was last loaded with.
    struct controls {
        bool limit_on = true;
        int limit = 1000;
        QString filter, post;
        QStringList fields;
        bool immediate = false;
    };
    controls current_controls() const;
    void restore_controls(const controls &c);
    // Reloads when the query changed; asks first about pending edits, and puts the
    // controls back when the user cancels.
    void reload_if_changed();
    bool load();
    void set_row_buttons();
    void show_apply_failure();
    void fit_columns();
    void build_menu();
    void filter_entry(const char *slot);
    void post_entry(const char *slot);
    bool cell_parts(QString &name, QString &value, QString &low, QString &high) const;

    std::unique_ptr<Ui::data_view> ui_;
    db_access *db_;
    tab_data_model *model_;
    search_tab_dlg *search_;
    QMenu *menu_ = nullptr;
    QAction *find_act_ = nullptr;
    QAction *rep_act_ = nullptr;
    QActionGroup *filter_mode_ = nullptr;
    QActionGroup *post_mode_ = nullptr;
    QAction *filter_and_ = nullptr;
    QAction *filter_or_ = nullptr;
    QAction *post_append_ = nullptr;
    QTimer *filter_timer_;
    QTimer *post_timer_;
    controls loaded_;
    QByteArray last_query_;
    bool editable_ = false;
    bool limit_reached_ = false;
    QString status_;
};
