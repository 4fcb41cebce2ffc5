#include "int_spin_box.h"

using number_text::int_value;
using number_text::verdict;

int_spin_box::int_spin_box(int kind, QWidget *parent)
    : QLineEdit(parent), kind_(kind < 0   ? 0
                               : kind > 7 ? 7
                                          : kind)
{
    connect(this, &QLineEdit::textChanged, this, &int_spin_box::text_changed);
}

void int_spin_box::set_display_mode(int mode)
{
    form_.mode = mode < 0 || mode > 2 ? number_text::mode_dec : mode;
    rewrite();
}

void int_spin_box::set_sign_flag(bool on)
{
    form_.sign = on;
    rewrite();
}

void int_spin_box::set_suffix_flag(bool on)
{
    form_.suffix = on;
    rewrite();
}

void int_spin_box::set_raw_value(int_value v)
{
    value_ = v;
    rewrite();
}

QVariant int_spin_box::value() const
{
    return int_variant(kind_, value_);
}

void int_spin_box::set_value(const QVariant &v)
{
    set_raw_value(int_from_variant(kind_, v));
}

void int_spin_box::rewrite()
{
    const QString text = QString::fromStdString(number_text::format_int(kind_, value_, form_));
    last_text_ = text;
    setText(text);
}

void int_spin_box::text_changed(const QString &text)
{
    if (reverting_) return;
    const QByteArray bytes = text.toUtf8();
    int_value v;
    const verdict r =
        number_text::check_int(kind_, bytes.constData(), size_t(bytes.size()), form_, &v);
    if (r != verdict::rejected) {
        last_text_ = text;
        if (r == verdict::complete)
            value_ = v;
        else if (text.isEmpty())
            value_ = int_value();
        return;
    }
    // Back to the last text that passed, with the cursor where the typing happened.
    const QString back = text.size() == 1 ? QString() : last_text_;
    const int cursor = cursorPosition() - (text.size() - back.size());
    reverting_ = true;
    setText(back);
    reverting_ = false;
    last_text_ = back;
    if (back.isEmpty()) value_ = int_value();
    setCursorPosition(qBound(0, cursor, back.size()));
}

QVariant int_variant(int kind, int_value v)
{
    switch (kind) {
    case 4:
        return QVariant(uint(number_text::to_unsigned(v)));
    case 6:
        return QVariant(qulonglong(number_text::to_unsigned(v)));
    case 7:
        return QVariant(qlonglong(number_text::to_signed(v)));
    default:
        return QVariant(int(number_text::to_signed(v)));
    }
}

int_value int_from_variant(int kind, const QVariant &v)
{
    if (number_text::kind_info(kind).is_signed) return number_text::from_signed(v.toLongLong());
    // A negative value read as unsigned would turn into a huge magnitude.
    if (v.type() != QVariant::ULongLong && v.type() != QVariant::UInt && v.toLongLong() < 0)
        return number_text::from_signed(v.toLongLong());
    return number_text::from_unsigned(v.toULongLong());
}

int_spin_box *make_int_spin_box(int kind, QWidget *parent)
{
    switch (kind) {
    case 0:
        return new u08_spin_box(parent);
    case 1:
        return new i08_spin_box(parent);
    case 2:
        return new u16_spin_box(parent);
    case 3:
        return new i16_spin_box(parent);
    case 4:
        return new u32_spin_box(parent);
    case 5:
        return new i32_spin_box(parent);
    case 6:
        return new u64_spin_box(parent);
    default:
        return new i64_spin_box(parent);
    }
}
