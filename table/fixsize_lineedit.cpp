#include "fixsize_lineedit.h"

fixsize_lineedit::fixsize_lineedit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &fixsize_lineedit::text_changed);
}

void fixsize_lineedit::set_max_bytes(int n)
{
    max_bytes_ = n < 0 ? 0 : n;
}

void fixsize_lineedit::set_initial_text(const QString &text)
{
    reverting_ = true;
    setText(text);
    reverting_ = false;
    last_text_ = text;
}

void fixsize_lineedit::text_changed(const QString &text)
{
    if (reverting_) return;
    // A text that came in longer than the limit may still be shortened.
    const int bytes = text.toUtf8().size();
    if (bytes <= max_bytes_ || bytes < last_text_.toUtf8().size()) {
        last_text_ = text;
        return;
    }
    const int cursor = cursorPosition() - (text.size() - last_text_.size());
    reverting_ = true;
    setText(last_text_);
    reverting_ = false;
    setCursorPosition(qBound(0, cursor, last_text_.size()));
}
