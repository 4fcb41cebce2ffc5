#include "log_view.h"

#include "exec_log.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

log_view::log_view(exec_log *log, QTextEdit *view) : QObject(view), log_(log), view_(view)
{
    // The view is a record, not a text being edited: an undo history would only grow.
    view_->document()->setUndoRedoEnabled(false);
    fill_.setSingleShot(true);
    fill_.setInterval(0);
    connect(&fill_, &QTimer::timeout, this, &log_view::fill_slice);
    connect(log_, &exec_log::changed, this, &log_view::follow);
    reload();
}

void log_view::follow()
{
    const QString &html = log_->html();
    const int fresh = html.size() - seen_;
    if (log_->cuts() != cuts_ || fresh < 0 || target_ + fresh > exec_log::cap) {
        reload();
        return;
    }
    if (fresh == 0) return;
    QTextCursor top(view_->document());
    top.insertHtml(html.left(fresh));
    shown_ += fresh;
    target_ += fresh;
    seen_ = html.size();
}

void log_view::reload()
{
    const QString &html = log_->html();
    target_ = log_->newest_within(exec_log::cap);
    shown_ = std::min(target_, log_->line_end_after(slice));
    view_->setHtml(html.left(shown_));
    seen_ = html.size();
    cuts_ = log_->cuts();
    fill_later();
}

void log_view::hold(bool on)
{
    held_ = on;
    fill_later();
}

void log_view::fill_later()
{
    if (shown_ < target_ && !held_)
        fill_.start();
    else
        fill_.stop();
}

void log_view::fill_slice()
{
    const QString &html = log_->html();
    const int end = std::min(target_, log_->line_end_after(shown_ + slice));
    if (end <= shown_) return;
    QTextCursor bottom(view_->document());
    bottom.movePosition(QTextCursor::End);
    bottom.insertHtml(html.mid(shown_, end - shown_));
    shown_ = end;
    fill_later();
}
