#include "real_spin_box.h"

#include "number_text.h"

#include <cfloat>

using number_text::verdict;

real_spin_box::real_spin_box(bool is_double, QWidget *parent)
    : QLineEdit(parent), is_double_(is_double)
{
    connect(this, &QLineEdit::textChanged, this, &real_spin_box::text_changed);
}

double real_spin_box::minimum() const
{
    return is_double_ ? -DBL_MAX : -double(FLT_MAX);
}

double real_spin_box::maximum() const
{
    return is_double_ ? DBL_MAX : double(FLT_MAX);
}

void real_spin_box::set_sign_flag(bool on)
{
    sign_ = on;
    rewrite();
}

void real_spin_box::set_suffix_flag(bool on)
{
    suffix_ = on;
    rewrite();
}

QVariant real_spin_box::value() const
{
    return is_double_ ? QVariant(value_) : QVariant(float(value_));
}

void real_spin_box::set_value(const QVariant &v)
{
    const double d = v.toDouble();
    // A stored infinity or NaN is kept (and shown) as it is: it cannot be typed, but an
    // editor opened and closed without typing must not change the cell.
    value_ = is_double_ ? d : double(float(d));
    rewrite();
}

void real_spin_box::rewrite()
{
    const QString text =
        QString::fromStdString(number_text::format_real(is_double_, value_, sign_, suffix_));
    last_text_ = text;
    setText(text);
}

void real_spin_box::text_changed(const QString &text)
{
    if (reverting_) return;
    const QByteArray bytes = text.toUtf8();
    double v = 0;
    const verdict r = number_text::check_real(is_double_, bytes.constData(), size_t(bytes.size()),
                                              sign_, suffix_, &v);
    if (r != verdict::rejected) {
        last_text_ = text;
        if (r == verdict::complete)
            value_ = v;
        else if (text.isEmpty())
            value_ = 0;
        return;
    }
    const QString back = text.size() == 1 ? QString() : last_text_;
    const int cursor = cursorPosition() - (text.size() - back.size());
    reverting_ = true;
    setText(back);
    reverting_ = false;
    last_text_ = back;
    if (back.isEmpty()) value_ = 0;
    setCursorPosition(qBound(0, cursor, back.size()));
}
