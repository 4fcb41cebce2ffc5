// Keeps a text view showing the execution log, newest line on top, and never more of it than
// the log's cap. Lines put on top are inserted as they come. After the log lost its old part,
// or when the view would grow past the cap, the view starts again from the log's text: it
// shows the newest lines at once and lays out the older ones in small slices while the
// program is idle, so that a run handing over thousands of lines does not wait for them.
#pragma once

#include <QObject>
#include <QTimer>

class QTextEdit;
class exec_log;

class log_view : public QObject {
    Q_OBJECT

public:
    log_view(exec_log *log, QTextEdit *view);

    // Characters of the log's text the view holds, from the top.
    int shown() const { return shown_; }
    // Whether older lines are still to be laid out.
    bool filling() const { return shown_ < target_; }
    // While held (during a run), older lines are not laid out; new ones still show on top.
    void hold(bool on);

    // About this much text is laid out in one go, a few milliseconds' work.
    static constexpr int slice = 16384;

private:
    void follow();
    void reload();
    void fill_slice();
    void fill_later();

    exec_log *log_;
    QTextEdit *view_;
    QTimer fill_;
    bool held_ = false;
    quint64 cuts_ = ~quint64(0);
    int seen_ = 0;   // size of the log's text at the last update
    int shown_ = 0;  // of which the view holds this much, from the top
    int target_ = 0; // and will hold this much once the older lines are laid out
};
