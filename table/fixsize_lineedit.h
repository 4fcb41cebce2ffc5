#pragma once
// Line edit for string cells: the text may not grow beyond the column's capacity in UTF-8
// bytes (not characters); a change that would goes back to the last accepted text. A
// stored value already over the limit can be shortened but not lengthened.

#include <QLineEdit>

class fixsize_lineedit : public QLineEdit {
    Q_OBJECT
public:
    explicit fixsize_lineedit(QWidget *parent = nullptr);

    int max_bytes() const { return max_bytes_; }
    void set_max_bytes(int n);
    QString last_text() const { return last_text_; }
    // Puts a stored value in the edit as it is, even when it is longer than the limit, so
    // that opening an editor never changes a cell by itself.
    void set_initial_text(const QString &text);

public slots:
    void text_changed(const QString &text);

private:
    int max_bytes_ = 4;
    QString last_text_;
    bool reverting_ = false;
};
