#include "editor/editor.h"

#include "code_font.h"
#include "editor/style_pick.h"
#include "glyph_cache.h"
#include "editor/text_match.h"
#include "base/utf8.h"
#include "lang/sql_engine.h"
#include "sys_config.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

namespace sid = lang::sql_id;

int clamp_size(long long v)
{
    return static_cast<int>(std::max<long long>(0, std::min<long long>(v, QWIDGETSIZE_MAX)));
}

// The plain look of texts that are too large to highlight.
text_style plain_style()
{
    text_style s{};
    std::string family = "Source Code Pro";
    std::copy(family.begin(), family.end(), s.font);
    s.alpha = 255;
    s.point_size = 12;
    return s;
}

bool in_ranges(const range_list &ranges, int32_t p)
{
    // Ranges are kept in text order: the candidate is the last one that begins at or
    // before p.
    auto it = std::upper_bound(ranges.begin(), ranges.end(), p,
                               [](int32_t v, const text_range &r) { return v < r.begin; });
    if (it == ranges.begin()) return false;
    return std::prev(it)->contains(p);
}

const QString &ascii_glyph(unsigned char c)
{
    static const std::vector<QString> table = [] {
        std::vector<QString> t(128);
        for (int i = 0; i < 128; ++i) {
            if (i == ' ')
                t[static_cast<size_t>(i)] = QString(QChar(0x2B1D));
            else if (i == '\n')
                t[static_cast<size_t>(i)] = QString(QChar(0x21B4));
            else if (i < 0x20)
                t[static_cast<size_t>(i)] = QString(QChar(0x2400 + i));
            else if (i == 0x7F)
                t[static_cast<size_t>(i)] = QString(QChar(0x2421));
            else
                t[static_cast<size_t>(i)] = QString(QChar(i));
        }
        return t;
    }();
    return table[c];
}

} // namespace

editor::editor(QWidget *parent)
    : QWidget(parent), parse_(lang::sql_engine::instance().sql_grammar())
{
    setWindowTitle(QStringLiteral("Form"));
    resize(400, 300);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    installEventFilter(this);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    QFont f(QStringLiteral("Source Code Pro"));
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setStyleHint(QFont::Monospace);
    int size = g_config.current_theme().styles[slot_default].point_size;
    if (size > 0) f.setPointSize(size);
    setFont(f);

    blink_timer_.setInterval(500);
    connect(&blink_timer_, &QTimer::timeout, this, &editor::change_cursor);
    word_timer_.setSingleShot(true);
    word_timer_.setInterval(2000);
    connect(&word_timer_, &QTimer::timeout, this, &editor::reset_word);

    // Asking the clipboard on every refresh may wait on another program; follow its changes.
    QClipboard *clip = QApplication::clipboard();
    auto clip_changed = [this, clip] {
        const QMimeData *mime = clip->mimeData();
        clipboard_has_text_ = mime && mime->hasText() && !mime->text().isEmpty();
        refresh_actions();
    };
    connect(clip, &QClipboard::dataChanged, this, clip_changed);
    clip_changed();
    sync_settings();
    layout_text();
}

editor::~editor() = default;

// --- settings and geometry -----------------------------------------------------------------

void editor::sync_settings()
{
    double t = g_config.edit_time;
    if (!(t >= 0.0 && t <= 3600.0)) // a damaged config file must not stop undo grouping
        t = 1.0;
    buf_.set_continuous_seconds(t);
}

int editor::cell_width()
{
    double v =
        g_config.current_theme().styles[slot_default].point_size * double(g_config.hor_factor);
    if (!(v >= 1.0)) return 1;
    return static_cast<int>(std::min(v, 10000.0));
}

int editor::line_height()
{
    double v =
        g_config.current_theme().styles[slot_default].point_size * double(g_config.ver_factor);
    if (!(v >= 1.0)) return 1;
    return static_cast<int>(std::min(v, 10000.0));
}

void editor::set_visible_rect(const QRect &r)
{
    visible_ = r;
    visible_set_ = true;
    update();
}

QRect editor::visible_area() const
{
    if (!visible_set_) return rect();
    return QRect(-visible_.x(), -visible_.y(), visible_.width(), visible_.height());
}

int editor::current_line() const
{
    auto it = std::upper_bound(line_index_.begin(), line_index_.end(), buf_.cursor());
    return static_cast<int>(it - line_index_.begin()) - 1;
}

namespace {
size_t line_length(const std::vector<int32_t> &lines, size_t j, size_t text_size)
{
    size_t end = j + 1 < lines.size() ? static_cast<size_t>(lines[j + 1]) : text_size;
    return end - static_cast<size_t>(lines[j]);
}
} // namespace

// Brings the line starts up to date with what changed since the last layout. Only the lines
// the change touched are looked at again, so typing costs the same at any size.
void editor::update_lines()
{
    const text_buffer::change c = buf_.take_change(text_buffer::layout_reader);
    const std::string &t = buf_.text();
    if (c.whole) {
        line_index_.assign(1, 0);
        for (size_t start = 0;;) {
            const void *hit = std::memchr(t.data() + start, '\n', t.size() - start);
            if (!hit) break;
            start = static_cast<size_t>(static_cast<const char *>(hit) - t.data()) + 1;
            line_index_.push_back(static_cast<int32_t>(start));
        }
        longest_ = 0;
        for (size_t j = 0; j < line_index_.size(); ++j)
            longest_ = std::max(longest_, line_length(line_index_, j, t.size()));
        return;
    }
    if (!c.any) return;
    // Starts up to the change's offset stay; those whose line feed was in the removed bytes
    // go; those after it move; the inserted bytes bring their own.
    const int32_t o = c.offset, old_end = c.offset + c.removed;
    const size_t old_size =
        t.size() - static_cast<size_t>(c.inserted) + static_cast<size_t>(c.removed);
    auto gone = std::upper_bound(line_index_.begin(), line_index_.end(), o);
    auto kept = std::upper_bound(gone, line_index_.end(), old_end);
    const size_t first = static_cast<size_t>(gone - line_index_.begin()) - 1; // o's line
    const size_t last_old = static_cast<size_t>(kept - line_index_.begin());  // past touched
    size_t touched_longest = 0;
    for (size_t j = first; j < last_old; ++j)
        touched_longest = std::max(touched_longest, line_length(line_index_, j, old_size));
    std::vector<int32_t> added;
    for (int32_t q = o; q < o + c.inserted;) {
        const void *hit = std::memchr(t.data() + q, '\n', static_cast<size_t>(o + c.inserted - q));
        if (!hit) break;
        q = static_cast<int32_t>(static_cast<const char *>(hit) - t.data()) + 1;
        added.push_back(q);
    }
    const int32_t delta = c.inserted - c.removed;
    for (auto it = kept; it != line_index_.end(); ++it) *it += delta;
    const size_t at = first + 1;
    line_index_.erase(line_index_.begin() + static_cast<long>(at), kept);
    line_index_.insert(line_index_.begin() + static_cast<long>(at), added.begin(), added.end());
    if (touched_longest >= longest_) { // the longest line may have been one of them
        longest_ = 0;
        for (size_t j = 0; j < line_index_.size(); ++j)
            longest_ = std::max(longest_, line_length(line_index_, j, t.size()));
    } else {
        for (size_t j = first; j < at + added.size(); ++j)
            longest_ = std::max(longest_, line_length(line_index_, j, t.size()));
    }
}

void editor::layout_text()
{
    update_lines();
    resize(
        clamp_size(static_cast<long long>(cell_width()) * static_cast<long long>(longest_) + 100),
        clamp_size(static_cast<long long>(line_height()) *
                       static_cast<long long>(line_index_.size()) +
                   100));

    int line = current_line();
    int cells = 0;
    for (int32_t p = line_index_[static_cast<size_t>(line)]; p < buf_.cursor();) {
        int len = buf_.char_len(p);
        cells += utf8::cells(len);
        p += len;
    }
    cursor_px_ = QPoint(clamp_size(static_cast<long long>(cell_width()) * cells),
                        clamp_size(static_cast<long long>(line) * line_height()));
}

int32_t editor::hit_test(const QPoint &pt) const
{
    if (buf_.size() == 0 || pt.y() < 0) return 0;
    int line = pt.y() / line_height();
    line = std::min(line, line_count() - 1);
    int32_t p = line_index_[static_cast<size_t>(line)];
    int32_t end = buf_.line_end(p);
    long long x = 0;
    while (p < end) {
        int len = buf_.char_len(p);
        long long w = static_cast<long long>(utf8::cells(len)) * cell_width();
        if (pt.x() < x + w) return p;
        x += w;
        p += len;
    }
    return end;
}

// --- parsing -------------------------------------------------------------------------------

void editor::start_parse()
{
    parse_now();
}

void editor::auto_parse()
{
    sync_settings();
    parse_now();
    update();
    refresh_actions();
}

// Every change is parsed at once: the re-parse matches again only the statements the change
// reached, so it costs about the same at any size.
void editor::parse_now()
{
    text_buffer::change c = buf_.take_change();
    const std::string &t = buf_.text();
    const int32_t n = buf_.size();
    if (n >= no_parse_size) {
        if (parsed_) parse_.reset({});
        parsed_ = false;
        failure_pos_ = n;
        parse_failed_ = false;
        return;
    }
    if (parsed_ && !c.any) return;
    ++parse_count_;
    if (!parsed_ || c.whole)
        parse_.reset(t);
    else
        parse_.apply(t, static_cast<uint64_t>(c.offset), static_cast<uint64_t>(c.removed),
                     static_cast<uint64_t>(c.inserted));
    parsed_ = true;
    failure_pos_ = parse_.stop();
    parse_failed_ = failure_pos_ != n;
}

int editor::style_slot_at(int32_t p, int32_t *leaf_begin, int32_t *leaf_end) const
{
    *leaf_begin = *leaf_end = 0;
    std::vector<const lang::parse_node *> path;
    lang::node_path_at(parse_.statements(), static_cast<uint64_t>(p), style_ids(), &path);
    if (path.empty()) return slot_default;
    // A terminal leaf has nothing below it: every byte of it gets the same answer.
    const lang::parse_node *deepest = path.front();
    if (deepest->id == sid::terminal && deepest->child_count() == 0) {
        const lang::statement_list &list = parse_.statements();
        *leaf_begin = static_cast<int32_t>(list.offset_of(list.index_at(p), deepest));
        *leaf_end = *leaf_begin + static_cast<int32_t>(deepest->length);
    }
    return style_slot_of(path);
}

// --- painting ------------------------------------------------------------------------------

void editor::paintEvent(QPaintEvent *ev)
{
    QPainter p(this);
    paint_text(p, visible_area().intersected(ev->rect()), true);
}

void editor::paint_text(QPainter &p, const QRect &area, bool with_cursor)
{
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setBackground(Qt::white);
    p.setBrush(Qt::white);
    p.setPen(Qt::white);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);

    const int cw = cell_width();
    const int lh = line_height();
    const std::string &t = buf_.text();
    const int32_t n = buf_.size();
    const theme_style &theme = g_config.current_theme();
    const text_style plain = plain_style();
    const bool huge = n >= no_parse_size;
    const bool failed = !huge && parse_failed();
    const bool show_space = g_config.show_space;

    glyph_cache &glyphs = glyph_cache::instance();
    // Printers get real text; screens get the cached cell pictures.
    const bool direct = p.device() && p.device()->devType() != QInternal::Widget &&
                        p.device()->devType() != QInternal::Image &&
                        p.device()->devType() != QInternal::Pixmap;
    const text_style *last_style = nullptr;
    bool last_underline = false;
    int font = 0;

    // Cache of the last style lookup: a terminal leaf colours all of its bytes alike.
    int32_t cache_begin = 0, cache_end = 0;
    int cache_slot = slot_default;

    int first = std::max(0, area.top() / lh);
    for (int line = first; line < line_count(); ++line) {
        long long y = static_cast<long long>(line) * lh;
        if (y > area.bottom()) break;
        int32_t pos = line_index_[static_cast<size_t>(line)];
        // Bounded by the text as well, in case a repaint comes before the layout of a change.
        int32_t end =
            std::min(n, line + 1 < line_count() ? line_index_[static_cast<size_t>(line) + 1] : n);
        long long x = 0;
        while (pos < end) {
            int len = buf_.char_len(pos);
            int w = utf8::cells(len) * cw;
            if (x >= area.left() + static_cast<long long>(area.width())) break;
            if (x < area.left()) {
                x += w;
                pos += len;
                continue;
            }
            QRect cell(static_cast<int>(x), static_cast<int>(y), w, lh);
            bool sel = in_ranges(buf_.selections(), pos);
            bool mark = in_ranges(buf_.marks(), pos);
            if (sel && mark)
                p.fillRect(cell, QColor(0, 255, 0, 255));
            else if (mark)
                p.fillRect(cell, QColor(255, 255, 0, 255));
            else if (sel)
                p.fillRect(cell, QColor(0, 120, 215, 255));

            const text_style *style = &plain;
            if (!huge) {
                int slot;
                if (pos >= cache_begin && pos < cache_end) {
                    slot = cache_slot;
                } else {
                    slot = style_slot_at(pos, &cache_begin, &cache_end);
                    cache_slot = slot;
                }
                style = &theme.styles[slot];
            }
            QColor colour(style->red & 0xFF, style->green & 0xFF, style->blue & 0xFF,
                          style->alpha & 0xFF);
            bool underline = false;
            if (sel)
                colour =
                    mark ? QColor(0, 0, 0, colour.alpha()) : QColor(255, 255, 255, colour.alpha());
            if (failed && pos >= failure_pos_) {
                if (pos == failure_pos_) {
                    colour = QColor(255, 0, 0, colour.alpha());
                    underline = true;
                } else {
                    style = &theme.styles[slot_default];
                    colour = QColor(0, 0, 0, colour.alpha());
                }
            }
            if (style != last_style || underline != last_underline) {
                font = glyphs.font_id(*style, underline);
                last_style = style;
                last_underline = underline;
            }

            auto c = static_cast<unsigned char>(t[static_cast<size_t>(pos)]);
            if (c != ' ' || show_space) {
                QColor pen = colour;
                if (c == '\n' || c == ' ') pen.setAlpha(64);
                if (c == ' ' && !glyphs.has_space_mark(font)) {
                    // No installed font has the blank mark: draw the small square it shows.
                    int side = std::max(2, cw / 5);
                    p.fillRect(QRect(cell.center().x() - side / 2, cell.center().y() - side / 2,
                                     side, side),
                               pen);
                } else if (c < 0x80) {
                    glyphs.draw(p, cell, font, pen.rgba(), c, ascii_glyph(c), direct);
                } else if (len > 1) {
                    glyphs.draw(p, cell, font, pen.rgba(),
                                utf8::decode(t.data(), t.size(), static_cast<size_t>(pos)),
                                QString::fromUtf8(t.data() + pos, len), direct);
                } else {
                    glyphs.draw(p, cell, font, pen.rgba(), 0xFFFD, QString(QChar(0xFFFD)), direct);
                }
            }
            x += w;
            pos += len;
        }
    }

    if (with_cursor && blink_phase_ == 0) {
        int width = std::max(1, std::min(g_config.cursor_width, 100));
        p.setPen(QPen(QColor(0, 0, 0, 255), width));
        p.drawLine(cursor_px_.x(), cursor_px_.y(), cursor_px_.x(), cursor_px_.y() + lh);
        p.setPen(QPen(QColor(0, 0, 0, 255), 1));
    }
}

void editor::render_to(QPagedPaintDevice *device)
{
    QPainter p(device);
    paint_text(p, visible_area(), false);
}

void editor::print()
{
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setResolution(1200);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() == QDialog::Accepted) render_to(&printer);
}

// --- common tails of commands --------------------------------------------------------------

void editor::after_text_change()
{
    start_parse();
    layout_text();
    emit textChanged();
    update();
    refresh_actions();
}

void editor::after_move()
{
    layout_text();
    emit lineChanged();
    update();
    refresh_actions();
}

void editor::text_edited()
{
    after_text_change();
}
void editor::cursor_moved()
{
    after_move();
}

void editor::set_cursor(int32_t p)
{
    buf_.clear_selections();
    buf_.set_cursor(p);
    after_move();
}

void editor::set_text(const QString &text)
{
    set_text_utf8(text.toUtf8().toStdString());
}

void editor::set_text_utf8(std::string bytes)
{
    buf_.set_text(std::move(bytes));
    after_text_change();
}

QString editor::text() const
{
    return QString::fromUtf8(buf_.text().data(), buf_.size());
}

void editor::typed(std::string_view bytes)
{
    if (bytes.empty()) return;
    sync_settings();
    if (buf_.has_selection()) buf_.remove_selections();
    buf_.insert(bytes);
    after_text_change();
    if (g_config.auto_enable && completion_hook_) completion_hook_(this);
}

void editor::select_from_anchor()
{
    buf_.select(anchor_, buf_.cursor());
}

// --- actions -------------------------------------------------------------------------------

void editor::set_actions(const editor_actions &actions)
{
    actions_ = actions;
    refresh_actions();
}

void editor::refresh_actions()
{
    const editor_actions &a = actions_;
    if (!actions_added_ && QWidget::actions().isEmpty()) {
        const std::vector<std::vector<QPointer<QAction>>> groups{
            {a.undo, a.redo},
            {a.cut, a.copy, a.paste, a.del_sel},
            {a.sel_all, a.sel_line, a.sel_word, a.sel_beside},
            {a.find, a.replace},
            {a.goto_err, a.format_sel}};
        bool any = false;
        for (const auto &g : groups) {
            bool added = false;
            for (QAction *act : g)
                if (act) {
                    if (any && !added) {
                        auto *sep = new QAction(this);
                        sep->setSeparator(true);
                        addAction(sep);
                    }
                    addAction(act);
                    added = any = true;
                }
        }
        actions_added_ = any;
    }
    auto set = [](QAction *act, bool on) {
        if (act) act->setEnabled(on);
    };
    bool sel = buf_.has_selection();
    bool can_search = search_ && !search_->is_open();
    text_range line = buf_.line_at(buf_.cursor());
    set(a.goto_err, parse_failed());
    set(a.cut, sel);
    set(a.copy, sel);
    set(a.del_sel, sel);
    set(a.exec_sel, sel);
    set(a.format_sel, sel);
    set(a.paste, clipboard_has_text_);
    set(a.redo, buf_.can_redo());
    set(a.undo, buf_.can_undo());
    set(a.sel_line, line.begin < line.end);
    set(a.find, can_search);
    set(a.replace, can_search);
    set(a.save, buf_.modified());
    set(a.sel_all, buf_.size() > 0);
    for (QAction *act :
         std::initializer_list<QAction *>{a.goto_lineb, a.goto_linee, a.goto_wordb, a.goto_worde,
                                          a.sel_beside, a.sel_word, a.exec_cur, a.save_all})
        set(act, true);
}

// --- commands ------------------------------------------------------------------------------

void editor::cut(bool)
{
    sync_settings();
    std::string text = buf_.cut();
    if (!text.empty())
        QApplication::clipboard()->setText(
            QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    after_text_change();
}

void editor::copy(bool)
{
    std::string text = buf_.copy();
    QApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    refresh_actions();
}

void editor::paste(bool)
{
    sync_settings();
    QByteArray bytes = QApplication::clipboard()->text().toUtf8();
    if (!buf_.paste(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))))
        return refresh_actions();
    after_text_change();
}

void editor::undo(bool)
{
    buf_.undo();
    start_parse();
    layout_text();
    emit textChanged();
    update();
    refresh_actions();
}

void editor::redo(bool)
{
    buf_.redo();
    start_parse();
    layout_text();
    emit textChanged();
    update();
    refresh_actions();
}

void editor::goto_err(bool)
{
    if (parse_failed()) buf_.set_cursor(std::min(failure_pos_, buf_.size()));
    after_move();
}

void editor::goto_lineb(bool)
{
    buf_.set_cursor(buf_.line_start(buf_.cursor()));
    after_move();
}

void editor::goto_linee(bool)
{
    buf_.set_cursor(buf_.line_end(buf_.cursor()));
    after_move();
}

void editor::goto_wordb(bool)
{
    text_range r = buf_.word_at(buf_.cursor());
    if (r.begin < r.end) buf_.set_cursor(r.begin);
    after_move();
}

void editor::goto_worde(bool)
{
    text_range r = buf_.word_at(buf_.cursor());
    if (r.begin < r.end) buf_.set_cursor(r.end);
    after_move();
}

void editor::del_sel(bool)
{
    sync_settings();
    buf_.remove_selections();
    after_text_change();
}

void editor::sel_beside(bool)
{
    text_range r = buf_.beside(buf_.cursor());
    buf_.add_selection(r.begin, r.end);
    after_move();
}

void editor::sel_all(bool)
{
    buf_.clear_selections();
    buf_.clear_marks();
    buf_.add_selection(0, buf_.size());
    after_move();
}

void editor::sel_line(bool)
{
    text_range r = buf_.line_at(buf_.cursor());
    buf_.add_selection(r.begin, r.end);
    after_move();
}

void editor::sel_word(bool)
{
    text_range r = buf_.word_at(buf_.cursor());
    buf_.add_selection(r.begin, r.end);
    after_move();
}

void editor::format_sel(bool)
{
    if (!buf_.has_selection()) return refresh_actions();
    sync_settings();
    std::string src = buf_.selected_text();
    lang::statement_list list;
    const lang::sql_engine &engine = lang::sql_engine::instance();
    int32_t stop = engine.parse_all(src, list);
    if (stop == static_cast<int32_t>(src.size()) && !list.empty()) {
        std::string out;
        for (const lang::parse_node *st : list) {
            if (!out.empty()) out += '\n';
            out += engine.normalise_statement(st, false, false);
        }
        // The formatted text stands for all selections together: it replaces the first and
        // the others go, so nothing is written twice.
        range_list sel = buf_.selections();
        buf_.clear_selections();
        for (size_t i = sel.size(); i-- > 1;) buf_.remove(sel[i].begin, sel[i].end);
        buf_.replace(sel[0].begin, sel[0].end, out);
    }
    after_text_change();
}

void editor::find(bool)
{
    open_search(false);
}
void editor::replace(bool)
{
    open_search(true);
}

void editor::open_search(bool replace_mode)
{
    if (!search_ || search_->is_open()) return;
    search_->open_for(
        replace_mode,
        buf_.selections().empty()
            ? QString()
            : QString::fromUtf8(
                  buf_.slice(buf_.selections()[0].begin, buf_.selections()[0].end).data(),
                  buf_.selections()[0].end - buf_.selections()[0].begin));
    refresh_actions();
}

void editor::attach_search(search_panel *panel)
{
    search_ = panel;
    refresh_actions();
}

void editor::show_match()
{
    cursor_moved();
    show_cursor();
}

void editor::marks_changed()
{
    update();
}

void editor::search_closed()
{
    refresh_actions();
}

// --- slots ---------------------------------------------------------------------------------

void editor::change_cursor()
{
    blink_phase_ = blink_phase_ ? 0 : 1;
    update();
}

void editor::show_cursor()
{
    blink_phase_ = 0;
    if (blink_timer_.isActive()) blink_timer_.start();
    update();
}

void editor::reset_word()
{
    click_stage_ = 0;
}

void editor::auto_sel(const QString &text)
{
    QByteArray b = text.toUtf8();
    sync_settings();
    buf_.insert(std::string_view(b.constData(), static_cast<size_t>(b.size())));
    after_text_change();
    setFocus();
}

void editor::auto_not_found()
{
    setFocus();
}

void editor::auto_char_add(const char &c)
{
    sync_settings();
    buf_.insert(std::string_view(&c, 1));
    after_text_change();
}

void editor::auto_char_del()
{
    sync_settings();
    buf_.backspace();
    after_text_change();
}

// --- keyboard ------------------------------------------------------------------------------

bool editor::eventFilter(QObject *obj, QEvent *ev)
{
    if (obj == this && ev->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(ev)->key() == Qt::Key_Tab) {
        sync_settings();
        std::string ins =
            g_config.insert_space
                ? std::string(static_cast<size_t>(std::clamp(g_config.tab_width, 0, 64)), ' ')
                : std::string("\t");
        if (buf_.has_selection()) buf_.remove_selections();
        buf_.insert(ins);
        anchor_ = buf_.cursor();
        blink_phase_ = 0;
        after_text_change();
        emit lineChanged();
        return true;
    }
    return QWidget::eventFilter(obj, ev);
}

void editor::zoom(int delta)
{
    theme_style &theme = g_config.current_theme();
    if (delta < 0 && theme.styles[slot_default].point_size < 6) return;
    for (text_style &s : theme.styles) s.point_size += delta;
}

void editor::keyPressEvent(QKeyEvent *ev)
{
    sync_settings();
    if (select_state_ == dragging) {
        buf_.clear_selections();
        select_state_ = idle;
    }
    blink_phase_ = 0;

    show_cursor();

    const int key = ev->key();
    const bool ctrl = ev->modifiers() & Qt::ControlModifier;
    const bool shift = ev->modifiers() & Qt::ShiftModifier;
    const int32_t cur = buf_.cursor();

    if (ctrl) {
        buf_.clear_marks();
        if (select_state_ == anchored) select_state_ = idle;
        switch (key) {
        case Qt::Key_Minus:
            zoom(-1);
            return after_move();
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            zoom(1);
            return after_move();
        case Qt::Key_A:
            return sel_all();
        case Qt::Key_C:
            update();
            return copy();
        case Qt::Key_V:
            return paste();
        case Qt::Key_X:
            return cut();
        case Qt::Key_Up:
            buf_.clear_selections();
            buf_.set_cursor(buf_.prev_word_of(cur));
            return after_move();
        case Qt::Key_Down:
            buf_.clear_selections();
            buf_.set_cursor(buf_.next_word_of(cur));
            return after_move();
        default:
            update();
            refresh_actions();
            return QWidget::keyPressEvent(ev);
        }
    }

    int page = 8;
    if (shift) page = std::max(1, visible_area().height() / line_height());

    auto move_target = [&](int k) -> int32_t {
        switch (k) {
        case Qt::Key_Home:
            return buf_.line_start(cur);
        case Qt::Key_End:
            return buf_.line_end(cur);
        case Qt::Key_Left:
            return buf_.left_of(cur);
        case Qt::Key_Right:
            return buf_.right_of(cur);
        case Qt::Key_Up:
            return buf_.up_of(cur);
        case Qt::Key_Down:
            return buf_.down_of(cur);
        case Qt::Key_PageUp:
            return buf_.page_up_of(cur, page);
        case Qt::Key_PageDown:
            return buf_.page_down_of(cur, page);
        default:
            return -1;
        }
    };

    switch (key) {
    case Qt::Key_Shift:
        if (select_state_ == idle) {
            select_state_ = anchored;
            anchor_ = cur;
        }
        return;
    case Qt::Key_Escape:
        buf_.clear_selections();
        buf_.clear_marks();
        return after_move();
    case Qt::Key_Backspace:
        buf_.backspace();
        return after_text_change();
    case Qt::Key_Delete:
        buf_.del();
        return after_text_change();
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return typed("\n");
    default:
        break;
    }

    int32_t target = move_target(key);
    if (target >= 0) {
        if (shift) {
            if ((key == Qt::Key_Home || key == Qt::Key_End) && select_state_ == idle) {
                select_state_ = anchored;
                anchor_ = cur;
            }
            buf_.set_cursor(target);
            if (select_state_ == anchored) select_from_anchor();
        } else {
            buf_.clear_selections();
            buf_.set_cursor(target);
        }
        return after_move();
    }

    QByteArray text = ev->text().toUtf8();
    if (!text.isEmpty() && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != char(0x7F)) {
        if (shift && select_state_ == anchored) select_state_ = idle;
        return typed(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    }
    update();
    QWidget::keyPressEvent(ev);
}

void editor::keyReleaseEvent(QKeyEvent *ev)
{
    if (ev->key() == Qt::Key_Shift && select_state_ == anchored) select_state_ = idle;
    QWidget::keyReleaseEvent(ev);
}

// --- mouse ---------------------------------------------------------------------------------

void editor::mousePressEvent(QMouseEvent *ev)
{
    if (ev->button() != Qt::RightButton) buf_.clear_selections();
    buf_.set_cursor(hit_test(ev->pos()));
    // Still dragging means the last release went elsewhere (a context menu opened by a
    // right press takes it): start afresh rather than select from that press.
    if (select_state_ != anchored) {
        anchor_ = buf_.cursor();
        select_state_ = dragging;
    } else {
        select_from_anchor();
    }
    blink_phase_ = 0;
    after_move();
}

void editor::mouseMoveEvent(QMouseEvent *ev)
{
    if (select_state_ != dragging) return;
    buf_.set_cursor(hit_test(ev->pos()));
    select_from_anchor();
    after_move();
}

void editor::mouseReleaseEvent(QMouseEvent *)
{
    if (select_state_ == dragging) select_state_ = idle;
}

void editor::mouseDoubleClickEvent(QMouseEvent *ev)
{
    int32_t p = hit_test(ev->pos());
    buf_.set_cursor(p);
    buf_.clear_marks();
    buf_.clear_selections();
    if (p != click_pos_) click_stage_ = 0;
    click_pos_ = p;
    text_range r{0, 0};
    switch (click_stage_) {
    case 0:
        r = buf_.word_at(p);
        break;
    case 1:
        r = buf_.phrase_at(p);
        break;
    case 2:
        r = buf_.line_at(p);
        break;
    default:
        r = {0, buf_.size()};
        break;
    }
    buf_.add_selection(r.begin, r.end);
    if (click_stage_ <= 2 && r.begin < r.end && buf_.size() < no_parse_size) {
        std::string needle(buf_.slice(r.begin, r.end));
        buf_.set_marks(find_matches(buf_.text(), needle, search_normal, 0).matches);
    }
    click_stage_ = (click_stage_ + 1) % 4;
    word_timer_.start();
    blink_phase_ = 0;
    after_move();
}

// --- input method and focus ----------------------------------------------------------------

void editor::inputMethodEvent(QInputMethodEvent *ev)
{
    QByteArray text = ev->commitString().toUtf8();
    if (!text.isEmpty())
        typed(std::string_view(text.constData(), static_cast<size_t>(text.size())));
    ev->accept();
}

QVariant editor::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle:
        return QRect(cursor_px_, QSize(1, line_height()));
    case Qt::ImFont:
        return font();
    case Qt::ImEnabled:
        return true;
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void editor::focusInEvent(QFocusEvent *ev)
{
    blink_timer_.start();
    QWidget::focusInEvent(ev);
}

void editor::focusOutEvent(QFocusEvent *ev)
{
    blink_timer_.stop();
    QWidget::focusOutEvent(ev);
}
