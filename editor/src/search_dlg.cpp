#include "editor/search_dlg.h"

#include "editor/text_buffer.h"
#include "msg_box.h"
#include "ui_search_dlg.h"

search_dlg::search_dlg(search_host *host)
    : QDialog(host->host_widget()), ui_(new Ui::search_dlg), host_(host)
{
    ui_->setupUi(this);
    setWindowModality(Qt::WindowModal);
    connect(ui_->fall_pb, &QPushButton::clicked, this, [this] { search_all(false); });
    for (QRadioButton *rb : {ui_->reg_rb, ui_->sup_rb, ui_->normal_rb})
        connect(rb, &QRadioButton::clicked, this, [this] { search_all(true); });
    connect(ui_->next_pb, &QPushButton::clicked, this, &search_dlg::next);
    connect(ui_->prev_pb, &QPushButton::clicked, this, &search_dlg::prev);
    connect(ui_->rep_pb, &QPushButton::clicked, this, &search_dlg::replace);
    connect(ui_->rep_all_pb, &QPushButton::clicked, this, &search_dlg::replace_all);
    connect(ui_->target_le, &QLineEdit::textChanged, this, &search_dlg::target_changed);
    host_->attach_search(this);
}

search_dlg::~search_dlg() = default;

std::string search_dlg::pattern() const
{
    return ui_->target_le->text().toUtf8().toStdString();
}

int search_dlg::mode() const
{
    return search_mode_of(ui_->reg_rb->isChecked(), ui_->sup_rb->isChecked());
}

int search_dlg::flags() const
{
    return search_flags_of(ui_->cs_cb->isChecked(), ui_->mw_cb->isChecked());
}

bool search_dlg::only_selection() const
{
    return ui_->os_cb->isChecked();
}

void search_dlg::open_for(bool replace_mode, const QString &target)
{
    setWindowTitle(replace_mode ? tr("replace text in current windows")
                                : tr("find text in current windows"));
    if (!target.isEmpty()) ui_->target_le->setText(target);
    for (QWidget *w :
         std::initializer_list<QWidget *>{ui_->rep_lbl, ui_->rep_le, ui_->rep_pb, ui_->rep_all_pb})
        w->setVisible(replace_mode);
    resize(500, replace_mode ? 100 : 80);
    show();
    ui_->target_le->setFocus();
}

bool search_dlg::collect(range_list &out, bool quiet)
{
    text_buffer &buf = host_->buffer();
    match_result r = find_matches(buf.text(), pattern(), mode(), flags(),
                                  only_selection() ? &buf.selections() : nullptr);
    if (!r.ok()) {
        if (!quiet) {
            const QString why = QString::fromStdString(r.error);
            inform(this, tr("search result"),
                   r.bad_pattern ? tr("the regular expression is invalid: %1").arg(why)
                                 : tr("the search was stopped: %1").arg(why));
        }
        return false;
    }
    buf.set_marks(r.matches);
    out = std::move(r.matches);
    return true;
}

void search_dlg::go_to(const text_range &m)
{
    text_buffer &buf = host_->buffer();
    if (only_selection())
        last_match_ = m;
    else
        buf.select(m.begin, m.end);
    buf.set_cursor(m.begin);
}

void search_dlg::next(bool)
{
    step(true);
}

void search_dlg::prev(bool)
{
    step(false);
}

// Next and Previous: move to the nearest match in one direction; when there is none, offer
// once to continue from the other end of the text.
void search_dlg::step(bool forward)
{
    text_buffer &buf = host_->buffer();
    if (pattern().empty()) return;
    int32_t from = forward ? buf.cursor() + buf.char_len(buf.cursor()) : buf.cursor();
    for (;;) {
        range_list m;
        if (!collect(m, false)) return;
        if (buf.size() == 0) { // nothing to find and nothing to wrap to
            host_->marks_changed();
            return;
        }
        text_range hit;
        const step_outcome outcome = stepper_.step(m, from, forward, &hit);
        if (outcome == step_outcome::found) {
            go_to(hit);
            host_->show_match();
            return;
        }
        host_->marks_changed();
        const QString target = ui_->target_le->text();
        if (outcome == step_outcome::not_found) {
            inform(this, forward ? tr("next research result") : tr("previous research result"),
                   tr("the string '%1' not found.").arg(target));
            return;
        }
        const QString title = forward ? tr("next search result") : tr("previous search result");
        const QString text = forward
                                 ? tr("the string '%1' not found. continue from begin?").arg(target)
                                 : tr("the string '%1' not found. continue from end?").arg(target);
        if (ask(this, title, text) != QMessageBox::Yes) return;
        from = stepper_.wrap(forward, buf.size());
        buf.set_cursor(from);
    }
}

void search_dlg::search_all(bool notinfo)
{
    text_buffer &buf = host_->buffer();
    range_list m;
    if (!collect(m, notinfo)) return;
    if (only_selection()) {
        if (!m.empty()) {
            last_match_ = m.front();
            buf.set_cursor(m.front().begin);
        }
    } else {
        buf.clear_selections();
        if (!m.empty()) {
            buf.select(m.front().begin, m.front().end);
            buf.set_cursor(m.front().begin);
        }
    }
    host_->show_match();
    if (notinfo) return;
    const QString target = ui_->target_le->text();
    if (m.empty())
        inform(this, tr("search result"), tr("the string '%1' not found.").arg(target));
    else
        inform(this, tr("search result"),
               tr("the string '%1' found %2 times.").arg(target).arg(m.size()));
}

void search_dlg::target_changed(const QString &text)
{
    host_->buffer().clear_marks();
    stepper_.wrapped = false;
    if (!text.isEmpty()) search_all(true);
    host_->marks_changed();
}

void search_dlg::replace(bool)
{
    text_buffer &buf = host_->buffer();
    const QByteArray rep = ui_->rep_le->text().toUtf8();
    const std::string_view bytes(rep.constData(), static_cast<size_t>(rep.size()));
    bool done = false;
    if (only_selection()) {
        // The remembered match is only a pair of offsets: after an edit, or with another
        // target, it may cover other text by now, which must not be overwritten.
        const range_list at{last_match_};
        const match_result still = find_matches(buf.text(), pattern(), mode(), flags(), &at);
        if (last_match_.begin < last_match_.end && still.ok() && still.matches == at) {
            buf.replace_keep_selections(last_match_.begin, last_match_.end, bytes);
            last_match_ = {0, 0};
            done = true;
        }
    } else if (buf.has_selection()) {
        buf.replace_ranges(buf.selections(), bytes, false);
        done = true;
    }
    if (done) {
        // Lay the new text out first: the boxes Next may show let the editor repaint.
        host_->text_edited();
        // Go on from the end of what was written, so that a match right behind it is next.
        const int32_t from = buf.cursor();
        range_list m;
        text_range hit;
        if (!pattern().empty() && collect(m, false) &&
            find_stepper{}.step(m, from, true, &hit) == step_outcome::found) {
            go_to(hit);
            host_->show_match();
        } else {
            next();
        }
        emit replaced();
    } else {
        next();
        host_->text_edited();
    }
}

void search_dlg::replace_all(bool)
{
    text_buffer &buf = host_->buffer();
    const QByteArray rep = ui_->rep_le->text().toUtf8();
    const std::string_view bytes(rep.constData(), static_cast<size_t>(rep.size()));
    range_list m;
    if (pattern().empty() || !collect(m, false)) return;
    // One pass over the text whatever the number of matches: replacing them one by one
    // moves the tail of the text once per match, which takes minutes on a large script.
    if (only_selection()) last_match_ = {0, 0};
    buf.replace_ranges(m, bytes, only_selection());
    buf.clear_marks(); // they pointed at the replaced text
    host_->text_edited();
    const QString target = ui_->target_le->text();
    if (!m.empty()) {
        inform(this, tr("replace result"),
               tr("the string '%1' %2 times replaced.").arg(target).arg(m.size()));
        emit replaced();
    } else {
        inform(this, tr("previous search result"), tr("the string '%1' not found.").arg(target));
    }
}

void search_dlg::show_top()
{
    raise();
    activateWindow();
}

void search_dlg::reject()
{
    QDialog::reject();
    host_->search_closed();
}
