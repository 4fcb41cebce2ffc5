#pragma once
// Find and replace in the cells of a table grid. Matches are found by the editor's text
// matcher over each cell's display text and shown through the model's cell marks (painted
// yellow); replacements go through the column delegate's from_text and setData, so they
// become ordinary pending edits (or immediate updates).

#include <QDialog>
#include <QPoint>
#include <QVector>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

namespace Ui {
class search_tab_dlg;
}
class QTableView;
class QTimer;
class tab_data_model;

class search_tab_dlg : public QDialog {
    Q_OBJECT
public:
    enum constraint { by_none, by_row, by_column };

    explicit search_tab_dlg(QTableView *view, QWidget *parent = nullptr);
    ~search_tab_dlg() override;

    Ui::search_tab_dlg *form() const { return ui_.get(); }
    bool wrapped() const { return wrapped_; }
    // True while matches typed into the target are still being marked slice by slice.
    bool marking() const;
    // Marks every match found while typing right away (tests and benchmarks).
    void finish_marking();
    int mark_count() const { return mark_count_; }
    // How many cells one slice of marking while typing matches (a quarter as many marks
    // are cleared in one); tests make it small to see the slices at work.
    void set_slice_cells(size_t n) { slice_cells_ = std::max<size_t>(1, n); }

public slots:
    void show_top();
    void search_all(bool notinfo = false);
    void next(bool = false);
    void prev(bool = false);
    void replace(bool = false);
    void replace_all(bool = false);
    void clear_select();
    void target_changed(const QString &text);
    // Opens in find mode or, with `replace_mode`, in replace mode.
    void show(bool replace_mode);
    void reject() override;

public:
    using QDialog::show;

private:
    tab_data_model *model() const;
    std::string pattern() const;
    int mode() const;
    int flags() const;
    constraint current_constraint() const;
    // The cells of the constraint's range in search order (visible columns in their
    // on-screen order); `current` is set to the current cell's place in it, or -1.
    std::vector<QPoint> range_cells(int *current = nullptr) const;
    // Which of `cells[from, to)` match; false (with a box unless quiet) on a bad pattern.
    bool match_cells(const std::vector<QPoint> &cells, size_t from, size_t to,
                     std::vector<char> &hit, bool quiet);
    void set_marks(const std::vector<QPoint> &cells, size_t from, size_t to,
                   const std::vector<char> &hit);
    void step(bool forward);
    // Replaces every match in one cell; true when the cell took the new value.
    bool replace_in(const QPoint &cell);
    void mark_slice();
    // Stops marking; marks of an earlier target still being cleared are cleared at once.
    void stop_marking();
    void drop_pending();
    // Clears marks from row clear_row_ on, at most `budget` of them unless it is 0; true
    // when none are left.
    bool clear_marks(size_t budget);
    void settle_marks();
    // Appends the display text of a cell to `out`. Texts are kept between searches, a
    // column's texts back to back in one block filled row by row as the search reaches
    // them; a cell the model changed since is read from the model again.
    void append_cell_text(tab_data_model *m, const QPoint &cell, std::string &out);
    void watch_model();
    void forget_texts(const QModelIndex &top_left, const QModelIndex &bottom_right,
                      const QVector<int> &roles);

    std::unique_ptr<Ui::search_tab_dlg> ui_;
    QTableView *view_;
    bool wrapped_ = false;
    int mark_count_ = 0;
    // Marking while typing runs in slices so that no key stroke waits for a whole grid.
    QTimer *slice_timer_;
    std::vector<QPoint> pending_cells_;
    size_t pending_at_ = 0;
    size_t slice_cells_;
    // The first row whose marks are still to be cleared, or -1.
    int clear_row_ = -1;
    struct column_texts {
        std::string bytes;       // the texts of rows 0 .. filled - 1, back to back
        std::vector<size_t> end; // where the text of each of those rows ends in `bytes`
        std::vector<char> stale; // rows changed since their text was kept (empty: none)
    };
    std::vector<column_texts> texts_;
    tab_data_model *watched_ = nullptr;
};
