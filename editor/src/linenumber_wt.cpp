#include "editor/linenumber_wt.h"

#include "editor/editor.h"
#include "code_font.h"
#include "sys_config.h"

#include <QPainter>

#include <algorithm>

linenumber_wt::linenumber_wt(QWidget *parent) : QWidget(parent)
{
    QFont f;
    f.setFamilies({QStringLiteral("Source Code Pro"), fixed_fallback_family()});
    f.setKerning(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setStyleHint(QFont::Monospace);
    int size = g_config.current_theme().styles[slot_default].point_size;
    if (size > 0) f.setPointSize(size);
    setFont(f);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, true);
}

int linenumber_wt::digits(int n)
{
    int d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

int linenumber_wt::digit_width() const
{
    // A space's ink box is empty in most fonts; the string box carries its advance.
    int w = fontMetrics().boundingRect(QStringLiteral(" ")).width();
    return w > 0 ? w : std::max(1, fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

void linenumber_wt::set_line_count(int n)
{
    // The numbers follow the editor's text size, which Ctrl+= and Ctrl+- change.
    int size = g_config.current_theme().styles[slot_default].point_size;
    if (size > 0 && size != font().pointSize()) {
        QFont f = font();
        f.setPointSize(size);
        setFont(f);
    }
    count_ = std::max(0, n);
    long long h = static_cast<long long>(count_) * editor::line_height();
    resize((digits(count_) + 1) * digit_width(),
           static_cast<int>(std::min<long long>(h, QWIDGETSIZE_MAX)));
}

void linenumber_wt::set_current_line(int index)
{
    current_ = index;
    update();
}

void linenumber_wt::set_visible_rect(const QRect &r)
{
    visible_ = r;
    update();
}

void linenumber_wt::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(rect(), QColor(239, 239, 239));
    const int lh = editor::line_height();
    int top = visible_.y();
    int height = visible_.isNull() ? this->height() : visible_.height();
    int first = std::max(0, -top / lh);
    int last = std::min(count_ - 1, (height - top) / lh + 1);
    const int box = digits(count_) * digit_width();
    for (int i = first; i <= last; ++i) {
        p.setPen(i == current_ ? QColor(16, 16, 16) : QColor(160, 160, 160));
        p.drawText(QRect(0, i * lh, box, lh), 0, QString::number(i + 1));
    }
}
