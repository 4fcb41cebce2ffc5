#pragma once
// Line edits for float and double cells: every change of the text is checked against the
// decimal real literal and the type's range; a text that fails goes back to the last one
// that passed.

#include <QLineEdit>
#include <QVariant>

class real_spin_box : public QLineEdit {
    Q_OBJECT
public:
    real_spin_box(bool is_double, QWidget *parent);

    bool is_double() const { return is_double_; }
    double minimum() const;
    double maximum() const;
    bool sign_flag() const { return sign_; }
    bool suffix_flag() const { return suffix_; }
    void set_sign_flag(bool on);
    void set_suffix_flag(bool on);

    // float for a float edit, double for a double edit.
    QVariant value() const;
    void set_value(const QVariant &v);
    QString last_text() const { return last_text_; }

public slots:
    void text_changed(const QString &text);

private:
    void rewrite();

    bool is_double_;
    double value_ = 0;
    bool sign_ = false, suffix_ = false;
    QString last_text_;
    bool reverting_ = false;
};

class float_spin_box : public real_spin_box {
    Q_OBJECT
public:
    explicit float_spin_box(QWidget *parent = nullptr) : real_spin_box(false, parent) {}
};

class double_spin_box : public real_spin_box {
    Q_OBJECT
public:
    explicit double_spin_box(QWidget *parent = nullptr) : real_spin_box(true, parent) {}
};
