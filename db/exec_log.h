// The execution log's text: one HTML line per statement, the newest on top. Views show
// html() and follow changed(); the store itself needs nothing but Qt Core.
#pragma once

#include <QObject>
#include <QString>

#include <vector>

class exec_log : public QObject {
    Q_OBJECT

public:
    // Past this many characters the log drops its oldest seven eighths.
    static constexpr int cap = 262144;

    explicit exec_log(QObject *parent = nullptr);

    // Puts `line` on top. When the text has grown past cap, only its newest eighth is kept
    // first, cut between lines (a newest line longer than that eighth is cut itself).
    void add(const QString &line);
    // Puts a run's lines on top at once, the last of the list topmost: the same text as
    // adding them joined, but the log keeps knowing where each line ends.
    void add(const std::vector<QString> &lines);
    void clear();

    const QString &html() const { return html_; }

    // How many times the text has lost its old part (a cut or a clear). A view that has
    // shown the text so far only needs what was put on top, as long as this stays the same.
    quint64 cuts() const { return cuts_; }

    // The length of the newest whole lines that fit in `chars` (a newest line longer than
    // that counts as `chars`).
    int newest_within(int chars) const;
    // The first end of a line past `chars` from the top (the text's size when none is).
    int line_end_after(int chars) const;

signals:
    void changed();

private:
    void make_room();

    QString html_;
    std::vector<int> lengths_; // of the lines in html_, the oldest first
    quint64 cuts_ = 0;
};
