#pragma once
// Line edits for the eight integer column types. Every change of the text is checked
// against the literal syntax and range of the type; a text that fails goes back to the
// last one that passed. There is no stepping: the name is all they share with a spin box.

#include "number_text.h"

#include <QLineEdit>
#include <QVariant>

class int_spin_box : public QLineEdit {
    Q_OBJECT
public:
    int_spin_box(int kind, QWidget *parent);

    int kind() const { return kind_; }
    int display_mode() const { return form_.mode; }
    bool sign_flag() const { return form_.sign; }
    bool suffix_flag() const { return form_.suffix; }
    // Each setter rewrites the text in the new form.
    void set_display_mode(int mode);
    void set_sign_flag(bool on);
    void set_suffix_flag(bool on);

    number_text::int_value raw_value() const { return value_; }
    void set_raw_value(number_text::int_value v);
    // The value typed for the model: int for u08 ... i16 and i32, unsigned int for u32,
    // qulonglong for u64, qlonglong for i64.
    QVariant value() const;
    void set_value(const QVariant &v);

    QString last_text() const { return last_text_; }

public slots:
    void text_changed(const QString &text);

private:
    void rewrite();

    int kind_;
    number_text::int_value value_;
    number_text::int_form form_;
    QString last_text_;
    bool reverting_ = false;
};

QVariant int_variant(int kind, number_text::int_value v);
number_text::int_value int_from_variant(int kind, const QVariant &v);

class u08_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u08_spin_box(QWidget *parent = nullptr) : int_spin_box(0, parent) {}
};
class i08_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i08_spin_box(QWidget *parent = nullptr) : int_spin_box(1, parent) {}
};
class u16_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u16_spin_box(QWidget *parent = nullptr) : int_spin_box(2, parent) {}
};
class i16_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i16_spin_box(QWidget *parent = nullptr) : int_spin_box(3, parent) {}
};
class u32_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u32_spin_box(QWidget *parent = nullptr) : int_spin_box(4, parent) {}
};
class i32_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i32_spin_box(QWidget *parent = nullptr) : int_spin_box(5, parent) {}
};
class u64_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit u64_spin_box(QWidget *parent = nullptr) : int_spin_box(6, parent) {}
};
class i64_spin_box : public int_spin_box {
    Q_OBJECT
public:
    explicit i64_spin_box(QWidget *parent = nullptr) : int_spin_box(7, parent) {}
};

// The line edit of an integer kind (0 ... 7 = u08 ... i64).
int_spin_box *make_int_spin_box(int kind, QWidget *parent);
