// The line-number gutter beside the editor.
#pragma once

#include <QRect>
#include <QWidget>

class linenumber_wt : public QWidget {
    Q_OBJECT
public:
    explicit linenumber_wt(QWidget *parent = nullptr);

    // Sets the number of lines and resizes to fit their numbers.
    void set_line_count(int n);
    void set_current_line(int index);
    // The rectangle the scroll area reported; then repaints.
    void set_visible_rect(const QRect &r);

    int line_count() const { return count_; }
    int current_line() const { return current_; }
    int digit_width() const;
    static int digits(int n);

protected:
    void paintEvent(QPaintEvent *ev) override;

private:
    int count_ = 0;
    int current_ = 0;
    QRect visible_;
};
