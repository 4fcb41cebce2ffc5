#include "editor/auto_list.h"

#include "editor/completion.h"
#include "editor/editor.h"

#include <QApplication>
#include <QFont>
#include <QKeyEvent>

#include <algorithm>

auto_list::auto_list(const std::vector<std::string> &candidates, int prefix_length, QWidget *parent)
    : QListWidget(parent), prefix_(prefix_length)
{
    setObjectName(QStringLiteral("auto_list"));
    QFont f(QStringLiteral("Source Code Pro"), 10);
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    setFont(f);
    setFrameShape(QFrame::NoFrame);
    setFrameShadow(QFrame::Plain);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    all_.reserve(candidates.size());
    for (const std::string &c : candidates) all_.emplace_back(c.data(), int(c.size()));
    shown_ = all_;
    int longest = 0;
    for (const QByteArray &c : all_) {
        addItem(QString::fromUtf8(c));
        longest = std::max(longest, int(c.size()));
    }
    const int rows = std::min(int(all_.size()), max_rows);
    resize(std::max(80, 16 * longest), 20 * rows);
    setCurrentRow(0);
    installEventFilter(this); // Tab would otherwise move the focus on
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { accept_current(); });
}

auto_list *auto_list::open_on(editor *ed, const completion_names &names)
{
    const std::string &text = ed->buffer().text();
    completion_result r =
        complete_at(text, ed->buffer().cursor(), &ed->statements(), ed->parse_current(), names);
    if (r.words.empty()) return nullptr;
    auto *list = new auto_list(r.words, r.prefix_length, ed);
    connect(list, &auto_list::sel, ed, &editor::auto_sel);
    connect(list, &auto_list::not_found, ed, &editor::auto_not_found);
    connect(list, &auto_list::char_add, ed, &editor::auto_char_add);
    connect(list, &auto_list::char_del, ed, &editor::auto_char_del);
    list->move(ed->cursor_pixel() + QPoint(10, 30));
    list->show();
    list->raise();
    list->setFocus();
    return list;
}

QStringList auto_list::shown_words() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i) out << item(i)->text();
    return out;
}

void auto_list::refilter()
{
    shown_.clear();
    for (const QByteArray &c : all_)
        if (c.size() >= prefix_ && c.mid(prefix_).startsWith(typed_)) shown_.push_back(c);
    clear();
    if (shown_.empty()) {
        close_popup();
        return;
    }
    for (const QByteArray &c : shown_) addItem(QString::fromUtf8(c));
    setCurrentRow(0);
}

void auto_list::accept_current()
{
    const int row = currentRow();
    if (row >= 0 && row < int(shown_.size())) {
        const QByteArray rest = shown_[size_t(row)].mid(prefix_ + typed_.size());
        emit sel(QString::fromUtf8(rest));
    }
    close_popup();
}

void auto_list::close_popup()
{
    if (closing_) return;
    closing_ = true;
    QWidget *owner = parentWidget();
    hide();
    emit not_found();
    disconnect();
    setParent(nullptr);
    deleteLater();
    if (owner) owner->setFocus();
}

void auto_list::move_current(int delta)
{
    const int n = count();
    if (n == 0) return;
    setCurrentRow(((currentRow() + delta) % n + n) % n);
}

bool auto_list::eventFilter(QObject *obj, QEvent *ev)
{
    if (obj == this && ev->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(ev)->key() == Qt::Key_Tab) {
        accept_current();
        return true;
    }
    return QListWidget::eventFilter(obj, ev);
}

void auto_list::keyPressEvent(QKeyEvent *ev)
{
    const int key = ev->key();
    const bool ctrl = ev->modifiers() & Qt::ControlModifier;
    const QString text = ev->text();
    if (ctrl && key == Qt::Key_K) return move_current(-1);
    if (ctrl && key == Qt::Key_J) return move_current(1);
    switch (key) {
    case Qt::Key_Up:
        return move_current(-1);
    case Qt::Key_Down:
        return move_current(1);
    case Qt::Key_Home:
        setCurrentRow(0);
        return;
    case Qt::Key_End:
        setCurrentRow(count() - 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Return after a statement or after a word written out in full starts a new line,
        // as the user means, rather than adding the first keyword on offer.
        if (nothing_to_accept()) return pass_on(ev);
        return accept_current();
    case Qt::Key_Tab:
        return accept_current();
    case Qt::Key_Escape:
        return close_popup();
    case Qt::Key_Backspace:
        if (!typed_.isEmpty()) {
            emit char_del();
            typed_.chop(1);
        }
        if (typed_.isEmpty())
            close_popup();
        else
            refilter();
        return;
    case Qt::Key_Space:
        emit char_add(' ');
        return close_popup();
    default:
        break;
    }
    if (!ctrl && text.size() == 1) {
        const QChar c = text.at(0);
        const ushort u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
            u == '_') {
            const char b = char(u);
            typed_.append(b);
            emit char_add(b);
            refilter();
            return;
        }
    }
    // Anything else (punctuation, a character beyond ASCII) belongs to the editor: the popup
    // steps aside and the key goes on, so nothing typed is lost.
    if (!text.isEmpty() && !ctrl) pass_on(ev);
}

bool auto_list::nothing_to_accept() const
{
    if (prefix_ == 0 && typed_.isEmpty()) return true;
    const int row = currentRow();
    return row >= 0 && row < int(shown_.size()) &&
           shown_[size_t(row)].size() == prefix_ + typed_.size();
}

void auto_list::pass_on(QKeyEvent *ev)
{
    QWidget *owner = parentWidget();
    close_popup();
    if (owner) {
        QKeyEvent again(QEvent::KeyPress, ev->key(), ev->modifiers(), ev->text(),
                        ev->isAutoRepeat(), ushort(ev->count()));
        QApplication::sendEvent(owner, &again);
    }
}

void auto_list::focusOutEvent(QFocusEvent *ev)
{
    QListWidget::focusOutEvent(ev);
    close_popup();
}
