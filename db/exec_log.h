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
    void clear();

    const QString &html() const { return html_; }

signals:
    void changed();

private:
    QString html_;
    std::vector<int> lengths_; // of the lines in html_, the oldest first
};
