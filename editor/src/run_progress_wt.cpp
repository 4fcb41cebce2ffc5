#include "editor/run_progress_wt.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

run_progress_wt::run_progress_wt(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("run_progress"));
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(4, 0, 4, 0);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("run_label"));
    stop_btn_ = new QPushButton(tr("Stop"), this);
    stop_btn_->setObjectName(QStringLiteral("stop_btn"));
    lay->addWidget(label_);
    lay->addWidget(stop_btn_);
    connect(stop_btn_, &QPushButton::clicked, this, &run_progress_wt::request_stop);
    hide();
}

bool run_progress_wt::begin(int total)
{
    if (running_) return false;
    running_ = true;
    stop_ = false;
    shown_ = false;
    total_ = total;
    clock_.start();
    emit running_changed(true);
    return true;
}

bool run_progress_wt::step(int done)
{
    if (!running_) return true;
    if (!shown_ && clock_.elapsed() > patience_ms) {
        shown_ = true;
        last_events_ = -events_every_ms;
        show();
    }
    // A few times a frame is enough to repaint and to see Stop; more would slow a run of
    // short statements down.
    if (shown_ && clock_.elapsed() - last_events_ >= events_every_ms) {
        last_events_ = clock_.elapsed();
        label_->setText(tr("statement %1 of %2").arg(done).arg(total_));
        // Only after a statement, never during one: the connection belongs to this thread
        // and each statement blocks until its whole reply is in.
        QApplication::processEvents();
    }
    return !stop_;
}

void run_progress_wt::end()
{
    if (!running_) return;
    running_ = false;
    shown_ = false;
    hide();
    emit running_changed(false);
}

QString run_progress_wt::label_text() const
{
    return label_->text();
}

void run_progress_wt::request_stop()
{
    if (running_) stop_ = true;
}
