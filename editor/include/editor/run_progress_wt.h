// The status-bar strip of a long run: "statement i of N" and a Stop button. A run calls
// step() after each statement; once the run is older than the patience time the strip shows
// and the window gets to process its events between statements.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QPushButton;

class run_progress_wt : public QWidget {
    Q_OBJECT
public:
    // After this long a run lets the window repaint and offers Stop.
    static constexpr int patience_ms = 300;
    // How often a long run lets the window process its events.
    static constexpr int events_every_ms = 15;

    explicit run_progress_wt(QWidget *parent = nullptr);

    // Starts a run of `total` statements. False when a run is already going (nothing may
    // re-enter a run).
    bool begin(int total);
    // After statement `done` (1-based) of the run: shows the strip and processes events when
    // the run has gone on long enough. False when the user asked to stop.
    bool step(int done);
    // Ends the run and hides the strip.
    void end();

    bool running() const { return running_; }
    bool stop_requested() const { return stop_; }
    // Whether the run has become long enough to show itself.
    bool shown() const { return shown_; }
    QPushButton *stop_button() const { return stop_btn_; }
    QString label_text() const;

public slots:
    void request_stop();

signals:
    // Emitted when a run starts and ends, so the window can lock what must not re-enter.
    void running_changed(bool running);

private:
    QLabel *label_;
    QPushButton *stop_btn_;
    QElapsedTimer clock_;
    qint64 last_events_ = 0;
    int total_ = 0;
    bool running_ = false;
    bool stop_ = false;
    bool shown_ = false;
};
