#include "search_tab_dlg.h"

#include "editor/text_match.h"
#include "msg_box.h"
#include "tab_data_model.h"
#include "ui_search_tab_dlg.h"

#include <QHeaderView>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace {

// Cells matched in one call of the text matcher; also the size of one slice of marking
// while the user types (a few milliseconds of work).
constexpr size_t chunk_cells = 4096;

} // namespace

search_tab_dlg::search_tab_dlg(QTableView *view, QWidget *parent)
    : QDialog(parent), ui_(new Ui::search_tab_dlg), view_(view), slice_timer_(new QTimer(this)),
      slice_cells_(chunk_cells)
{
    ui_->setupUi(this);
    slice_timer_->setInterval(0);
    connect(slice_timer_, &QTimer::timeout, this, &search_tab_dlg::mark_slice);
    connect(ui_->fall_pb, &QPushButton::clicked, this, [this] { search_all(false); });
    connect(ui_->next_pb, &QPushButton::clicked, this, [this] { next(); });
    connect(ui_->prev_pb, &QPushButton::clicked, this, [this] { prev(); });
    connect(ui_->rep_pb, &QPushButton::clicked, this, [this] { replace(); });
    connect(ui_->rep_all_pb, &QPushButton::clicked, this, [this] { replace_all(); });
    connect(ui_->target_le, &QLineEdit::textChanged, this, &search_tab_dlg::target_changed);
    // Return in the target goes to the next match rather than closing the dialog.
    connect(ui_->target_le, &QLineEdit::returnPressed, this, [this] { next(); });
    ui_->next_pb->setAutoDefault(false);
    for (QPushButton *b : {ui_->prev_pb, ui_->fall_pb, ui_->rep_pb, ui_->rep_all_pb})
        b->setAutoDefault(false);
}

search_tab_dlg::~search_tab_dlg() = default;

tab_data_model *search_tab_dlg::model() const
{
    return view_ ? qobject_cast<tab_data_model *>(view_->model()) : nullptr;
}

void search_tab_dlg::watch_model()
{
    tab_data_model *m = model();
    if (m == watched_) return;
    if (watched_) disconnect(watched_, nullptr, this, nullptr);
    texts_.clear();
    watched_ = m;
    if (!m) return;
    auto forget_all = [this] { texts_.clear(); };
    connect(m, &QAbstractItemModel::modelReset, this, forget_all);
    connect(m, &QAbstractItemModel::layoutChanged, this, forget_all);
    connect(m, &QAbstractItemModel::rowsInserted, this, forget_all);
    connect(m, &QAbstractItemModel::rowsRemoved, this, forget_all);
    connect(m, &QAbstractItemModel::columnsInserted, this, forget_all);
    connect(m, &QAbstractItemModel::columnsRemoved, this, forget_all);
    connect(m, &QAbstractItemModel::dataChanged, this, &search_tab_dlg::forget_texts);
    connect(m, &QObject::destroyed, this, [this] {
        watched_ = nullptr;
        texts_.clear();
    });
}

void search_tab_dlg::forget_texts(const QModelIndex &top_left, const QModelIndex &bottom_right,
                                  const QVector<int> &roles)
{
    // Marks only repaint; the texts stay what they were.
    if (!roles.isEmpty() && !roles.contains(Qt::EditRole) && !roles.contains(Qt::DisplayRole))
        return;
    const long cells = long(bottom_right.row() - top_left.row() + 1) *
                       long(bottom_right.column() - top_left.column() + 1);
    if (cells > 4096) {
        texts_.clear();
        return;
    }
    for (int c = top_left.column(); c <= bottom_right.column(); ++c) {
        if (c < 0 || size_t(c) >= texts_.size()) continue;
        column_texts &col = texts_[size_t(c)];
        for (int r = top_left.row(); r <= bottom_right.row(); ++r) {
            if (r < 0 || size_t(r) >= col.end.size()) continue;
            if (col.stale.empty()) col.stale.resize(col.end.size(), 0);
            col.stale[size_t(r)] = 1;
        }
    }
}

void search_tab_dlg::append_cell_text(tab_data_model *m, const QPoint &cell, std::string &out)
{
    const size_t c = size_t(cell.x()), r = size_t(cell.y());
    if (texts_.size() <= c) texts_.resize(size_t(m->columnCount()));
    column_texts &col = texts_[c];
    if (r >= col.end.size()) {
        // Searches walk down the rows, so the rows up to this one are read now too.
        if (col.end.empty()) col.end.reserve(size_t(m->rowCount()));
        for (size_t k = col.end.size(); k <= r; ++k) {
            m->append_display_text(int(k), int(c), col.bytes);
            col.end.push_back(col.bytes.size());
        }
        if (!col.stale.empty()) col.stale.resize(col.end.size(), 0);
    }
    if (!col.stale.empty() && col.stale[r]) {
        m->append_display_text(cell.y(), cell.x(), out);
        return;
    }
    const size_t from = r == 0 ? 0 : col.end[r - 1];
    out.append(col.bytes, from, col.end[r] - from);
}

std::string search_tab_dlg::pattern() const
{
    return ui_->target_le->text().toUtf8().toStdString();
}

int search_tab_dlg::mode() const
{
    return search_mode_of(ui_->reg_rb->isChecked(), ui_->sup_rb->isChecked());
}

int search_tab_dlg::flags() const
{
    return search_flags_of(ui_->cs_cb->isChecked(), ui_->mw_cb->isChecked());
}

search_tab_dlg::constraint search_tab_dlg::current_constraint() const
{
    if (ui_->row_rb->isChecked()) return by_row;
    if (ui_->col_rb->isChecked()) return by_column;
    return by_none;
}

std::vector<QPoint> search_tab_dlg::range_cells(int *current) const
{
    std::vector<QPoint> cells; // x = column, y = row
    if (current) *current = -1;
    tab_data_model *m = model();
    if (!m) return cells;
    const int rows = m->rowCount(), cols = m->columnCount();
    // Visible columns in the order the header shows them.
    std::vector<int> order;
    QHeaderView *h = view_->horizontalHeader();
    for (int v = 0; v < cols; ++v) {
        const int c = h->logicalIndex(v);
        if (c >= 0 && !view_->isColumnHidden(c)) order.push_back(c);
    }
    const QModelIndex cur = view_->currentIndex();
    const bool has_cur = cur.isValid() && cur.row() < rows && cur.column() < cols;
    constraint k = has_cur ? current_constraint() : by_none;
    if (k == by_column && view_->isColumnHidden(cur.column())) return cells;
    if (k == by_row) {
        for (int c : order) {
            if (c == cur.column() && current) *current = int(cells.size());
            cells.push_back(QPoint(c, cur.row()));
        }
    } else if (k == by_column) {
        if (current) *current = cur.row();
        for (int r = 0; r < rows; ++r) cells.push_back(QPoint(cur.column(), r));
    } else {
        cells.reserve(size_t(rows) * order.size());
        for (int r = 0; r < rows; ++r)
            for (int c : order) {
                if (has_cur && r == cur.row() && c == cur.column() && current)
                    *current = int(cells.size());
                cells.push_back(QPoint(c, r));
            }
        // The current cell sits in a hidden column: go on from the one before it.
        if (has_cur && current && *current < 0) {
            int i = 0;
            for (int c : order)
                if (h->visualIndex(c) < h->visualIndex(cur.column())) ++i;
            *current = int(cur.row() * order.size()) + i - 1;
        }
    }
    return cells;
}

bool search_tab_dlg::match_cells(const std::vector<QPoint> &cells, size_t from, size_t to,
                                 std::vector<char> &hit, bool quiet)
{
    hit.assign(to - from, 0);
    tab_data_model *m = model();
    if (!m || from >= to) return true;
    watch_model();
    // All cells of the slice in one text, each its own range, so that one call of the
    // matcher (one regular expression compiled) serves them all and no match crosses cells.
    std::string text;
    range_list scope;
    scope.reserve(to - from);
    for (size_t i = from; i < to; ++i) {
        const int32_t b = int32_t(text.size());
        append_cell_text(m, cells[i], text);
        scope.push_back({b, int32_t(text.size())});
        text.push_back('\n');
    }
    const match_result r = find_matches(text, pattern(), mode(), flags(), &scope);
    if (!r.ok()) {
        if (!quiet) {
            const QString why = QString::fromStdString(r.error);
            inform(this, tr("search result"),
                   r.bad_pattern ? tr("the regular expression is invalid: %1").arg(why)
                                 : tr("the search was stopped: %1").arg(why));
        }
        return false;
    }
    for (const text_range &mt : r.matches) {
        auto it = std::upper_bound(scope.begin(), scope.end(), mt.begin,
                                   [](int32_t p, const text_range &s) { return p < s.begin; });
        if (it != scope.begin()) hit[size_t(it - scope.begin()) - 1] = 1;
    }
    return true;
}

void search_tab_dlg::set_marks(const std::vector<QPoint> &cells, size_t from, size_t to,
                               const std::vector<char> &hit)
{
    tab_data_model *m = model();
    if (!m) return;
    // Marking signals nothing: one repaint for the slice instead of one per cell.
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (size_t i = from; i < to; ++i) {
        if (!hit[i - from]) continue;
        const QPoint p = cells[i];
        uint8_t *mark = m->cell_mark(p.y(), p.x());
        if (!mark) continue;
        if (!*mark) ++mark_count_;
        m->set_mark(p.y(), p.x(), true);
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
        left = std::min(left, p.x());
        right = std::max(right, p.x());
    }
    if (bottom >= 0)
        emit m->dataChanged(m->index(top, left), m->index(bottom, right),
                            {Qt::FontRole, Qt::BackgroundRole});
}

void search_tab_dlg::clear_select()
{
    drop_pending();
    mark_count_ = 0;
    clear_row_ = 0;
    clear_marks(0);
}

bool search_tab_dlg::clear_marks(size_t budget)
{
    tab_data_model *m = model();
    if (!m || clear_row_ < 0) {
        clear_row_ = -1;
        return true;
    }
    const int rows = m->rowCount(), cols = m->columnCount();
    int top = INT_MAX, bottom = -1;
    size_t cleared = 0;
    int r = clear_row_;
    for (; r < rows && (budget == 0 || cleared < budget); ++r)
        for (int c = 0; c < cols; ++c) {
            uint8_t *mark = m->cell_mark(r, c);
            if (!mark || !*mark) continue;
            m->set_mark(r, c, false);
            ++cleared;
            top = std::min(top, r);
            bottom = std::max(bottom, r);
        }
    clear_row_ = r < rows ? r : -1;
    if (bottom >= 0)
        emit m->dataChanged(m->index(top, 0), m->index(bottom, cols - 1),
                            {Qt::FontRole, Qt::BackgroundRole});
    return clear_row_ < 0;
}

void search_tab_dlg::settle_marks()
{
    if (clear_row_ >= 0) clear_marks(0);
}

void search_tab_dlg::search_all(bool notinfo)
{
    stop_marking();
    const std::vector<QPoint> cells = range_cells();
    int found = 0;
    std::vector<char> hit;
    if (!pattern().empty()) {
        for (size_t a = 0; a < cells.size(); a += chunk_cells) {
            const size_t b = std::min(cells.size(), a + chunk_cells);
            if (!match_cells(cells, a, b, hit, notinfo)) return;
            found += int(std::count(hit.begin(), hit.end(), 1));
            set_marks(cells, a, b, hit);
        }
    }
    if (notinfo) return;
    const QString target = ui_->target_le->text();
    if (found == 0)
        inform(this, tr("search result"), tr("the string '%1' not found.").arg(target));
    else
        inform(this, tr("search result"),
               tr("the string '%1' found %2 times.").arg(target).arg(found));
}

void search_tab_dlg::next(bool)
{
    step(true);
}

void search_tab_dlg::prev(bool)
{
    step(false);
}

// Next and Previous: the nearest matching cell in one direction within the constraint;
// at the end of the range, offer once to continue from the other end.
void search_tab_dlg::step(bool forward)
{
    tab_data_model *m = model();
    if (!m || pattern().empty()) return;
    // The mark set here must not fall to marks of an earlier target still being cleared.
    settle_marks();
    int cur = -1;
    std::vector<QPoint> cells = range_cells(&cur);
    const long n = long(cells.size());
    // The first cell looked at: the one after (before) the current cell.
    long at = forward ? cur + 1 : (cur < 0 ? n - 1 : cur - 1);
    for (;;) {
        std::vector<char> hit;
        long found = -1;
        if (forward) {
            for (long a = at; a < n && found < 0; a += long(chunk_cells)) {
                const long b = std::min(n, a + long(chunk_cells));
                if (!match_cells(cells, size_t(a), size_t(b), hit, false)) return;
                auto it = std::find(hit.begin(), hit.end(), 1);
                if (it != hit.end()) found = a + long(it - hit.begin());
            }
        } else {
            for (long b = at + 1; b > 0 && found < 0; b -= long(chunk_cells)) {
                const long a = std::max(0L, b - long(chunk_cells));
                if (!match_cells(cells, size_t(a), size_t(b), hit, false)) return;
                auto it = std::find(hit.rbegin(), hit.rend(), 1);
                if (it != hit.rend()) found = a + long(hit.rend() - it) - 1;
            }
        }
        if (found >= 0) {
            std::vector<char> one{1};
            set_marks(cells, size_t(found), size_t(found) + 1, one);
            const QModelIndex idx = m->index(cells[size_t(found)].y(), cells[size_t(found)].x());
            view_->setCurrentIndex(idx);
            view_->scrollTo(idx);
            return;
        }
        if (m->rowCount() == 0 || cells.empty()) return;
        const QString target = ui_->target_le->text();
        if (wrapped_) {
            wrapped_ = false;
            inform(this, forward ? tr("next research result") : tr("previous research result"),
                   tr("the string '%1' not found.").arg(target));
            return;
        }
        const QString title = forward ? tr("next search result") : tr("previous search result");
        const QString text = forward
                                 ? tr("the string '%1' not found. continue from begin?").arg(target)
                                 : tr("the string '%1' not found. continue from end?").arg(target);
        if (ask(this, title, text) != QMessageBox::Yes) return;
        wrapped_ = true;
        // The first (last) cell of the range becomes current and is itself looked at.
        const QPoint first = forward ? cells.front() : cells.back();
        view_->setCurrentIndex(m->index(first.y(), first.x()));
        at = forward ? 0 : n - 1;
    }
}

bool search_tab_dlg::replace_in(const QPoint &cell)
{
    tab_data_model *m = model();
    const QByteArray text = m->display_text(m->index(cell.y(), cell.x()));
    const std::string_view sv(text.constData(), size_t(text.size()));
    const match_result r = find_matches(sv, pattern(), mode(), flags());
    if (!r.ok() || r.matches.empty()) return false;
    const QByteArray rep = ui_->rep_le->text().toUtf8();
    QByteArray out;
    int32_t pos = 0;
    for (const text_range &mt : r.matches) {
        out.append(text.constData() + pos, mt.begin - pos);
        out.append(rep);
        pos = mt.end;
    }
    out.append(text.constData() + pos, text.size() - pos);
    // A text the column type does not take gives an invalid value, which setData refuses.
    const QVariant value = m->text_to_value(cell.x(), QString::fromUtf8(out));
    return m->set_cell(cell.y(), cell.x(), value);
}

void search_tab_dlg::replace(bool)
{
    tab_data_model *m = model();
    if (!m || pattern().empty()) return;
    const QModelIndex cur = view_->currentIndex();
    if (cur.isValid() && cur.row() < m->rowCount() && cur.column() < m->columnCount() &&
        !view_->isColumnHidden(cur.column()))
        replace_in(QPoint(cur.column(), cur.row()));
    next();
}

void search_tab_dlg::replace_all(bool)
{
    tab_data_model *m = model();
    if (!m || pattern().empty()) return;
    stop_marking();
    const std::vector<QPoint> cells = range_cells();
    int replaced = 0;
    std::vector<char> hit;
    // Every match first: each replacement changes a text the search would read again.
    std::vector<QPoint> found;
    for (size_t a = 0; a < cells.size(); a += chunk_cells) {
        const size_t b = std::min(cells.size(), a + chunk_cells);
        if (!match_cells(cells, a, b, hit, false)) return;
        for (size_t i = a; i < b; ++i)
            if (hit[i - a]) found.push_back(cells[i]);
    }
    const int matched = int(found.size());
    for (const QPoint &p : found)
        if (replace_in(p)) ++replaced;
    const QString target = ui_->target_le->text();
    // The count is of cells that took their new text; a cell whose type refused the text
    // keeps its value and is not counted.
    if (matched > 0)
        inform(this, tr("replace result"),
               tr("the string '%1' %2 times replaced.").arg(target).arg(replaced));
    else
        inform(this, tr("replace result"), tr("the string '%1' not found.").arg(target));
}

void search_tab_dlg::target_changed(const QString &text)
{
    wrapped_ = false;
    // The last target's marks go first and the new ones follow, all a slice at a time from
    // the event loop, so that no key stroke waits for a grid full of them.
    drop_pending();
    mark_count_ = 0;
    clear_row_ = 0;
    if (!text.isEmpty()) pending_cells_ = range_cells();
    mark_slice();
}

void search_tab_dlg::mark_slice()
{
    // Clearing a mark costs more than matching a cell: fewer of them to a slice.
    if (clear_row_ >= 0 && !clear_marks(std::max<size_t>(1, slice_cells_ / 4))) {
        if (!slice_timer_->isActive()) slice_timer_->start();
        return;
    }
    if (pending_at_ >= pending_cells_.size()) {
        drop_pending();
        return;
    }
    const size_t b = std::min(pending_cells_.size(), pending_at_ + slice_cells_);
    std::vector<char> hit;
    if (!match_cells(pending_cells_, pending_at_, b, hit, true)) {
        drop_pending();
        return;
    }
    set_marks(pending_cells_, pending_at_, b, hit);
    pending_at_ = b;
    if (pending_at_ >= pending_cells_.size())
        drop_pending();
    else if (!slice_timer_->isActive())
        slice_timer_->start();
}

void search_tab_dlg::drop_pending()
{
    slice_timer_->stop();
    pending_cells_.clear();
    pending_cells_.shrink_to_fit();
    pending_at_ = 0;
}

void search_tab_dlg::stop_marking()
{
    settle_marks();
    drop_pending();
}

bool search_tab_dlg::marking() const
{
    return slice_timer_->isActive();
}

void search_tab_dlg::finish_marking()
{
    while (marking()) mark_slice();
}

void search_tab_dlg::show(bool replace_mode)
{
    setWindowTitle(replace_mode ? tr("replace text in current table")
                                : tr("find text in current table"));
    if (!(windowFlags() & Qt::WindowStaysOnTopHint))
        setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    clear_select();
    ui_->none_rb->setChecked(true);
    for (QWidget *w :
         std::initializer_list<QWidget *>{ui_->rep_lbl, ui_->rep_le, ui_->rep_pb, ui_->rep_all_pb})
        w->setVisible(replace_mode);
    resize(500, replace_mode ? 100 : 80);
    QDialog::show();
    show_top();
    ui_->target_le->setFocus();
    ui_->target_le->selectAll();
}

void search_tab_dlg::show_top()
{
    raise();
    activateWindow();
}

void search_tab_dlg::reject()
{
    clear_select();
    QDialog::reject();
}
