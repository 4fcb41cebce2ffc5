// Every message box of the program goes through inform() and ask(). A test installs a
// responder (or a msg_recorder) that answers the boxes and keeps what they showed, so no
// test ever waits on a modal loop.
#pragma once

#include <QMessageBox>
#include <QString>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

enum class msg_kind { information, warning, question, critical };

// What one box showed, and what it was answered.
struct msg_record {
    msg_kind kind = msg_kind::information;
    QString title;
    QString text;
    QString detail; // shown under the text: why something failed, when known
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton answer = QMessageBox::NoButton;
};

using msg_responder = std::function<QMessageBox::StandardButton(const msg_record &)>;

// The box that inform() and ask() show for a record, not shown yet: a detail text stands
// under the text as plain text, shortened when long (the whole of it behind "Show Details").
std::unique_ptr<QMessageBox> make_box(QWidget *parent, const msg_record &rec);

// A box with one OK button. A non-empty `detail` (such as the server's reason for a failed
// statement) is shown under the text.
void inform(QWidget *parent, const QString &title, const QString &text,
            msg_kind kind = msg_kind::information, const QString &detail = QString());

// A box with the given buttons; returns the button pressed (Escape gives the box's escape
// button, which for Yes/No boxes is No).
QMessageBox::StandardButton ask(QWidget *parent, const QString &title, const QString &text,
                                QMessageBox::StandardButtons buttons = QMessageBox::Yes |
                                                                       QMessageBox::No,
                                msg_kind kind = msg_kind::question,
                                QMessageBox::StandardButton default_button = QMessageBox::NoButton);

// Replaces the real boxes by `responder` (an empty function restores them). Returns the
// responder that was installed before.
msg_responder set_msg_responder(msg_responder responder);

// For tests: while it lives, every box is recorded and answered instead of shown. Questions
// take the queued answers first, then `default_answer`; boxes that only inform get Ok.
class msg_recorder {
public:
    explicit msg_recorder(QMessageBox::StandardButton default_answer = QMessageBox::Yes);
    ~msg_recorder();
    msg_recorder(const msg_recorder &) = delete;
    msg_recorder &operator=(const msg_recorder &) = delete;

    void queue_answer(QMessageBox::StandardButton answer) { answers_.push_back(answer); }
    void set_default_answer(QMessageBox::StandardButton answer) { default_answer_ = answer; }

    const std::vector<msg_record> &shown() const { return shown_; }
    bool empty() const { return shown_.empty(); }
    // An empty record when nothing was shown, so that a test comparing it fails instead of
    // reading past the end.
    const msg_record &last() const
    {
        static const msg_record none;
        return shown_.empty() ? none : shown_.back();
    }
    void clear() { shown_.clear(); }

private:
    QMessageBox::StandardButton respond(msg_record rec);

    QMessageBox::StandardButton default_answer_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::vector<msg_record> shown_;
    msg_responder previous_;
};
