#include "color_wt.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
color_wt::picker &current_picker()
{
    static color_wt::picker p;
    return p;
}
} // namespace

color_wt::color_wt(QWidget *parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    // Reachable with Tab; Space or Return opens the dialog as a click does.
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(40, 20);
}

void color_wt::set_color(const QColor &c)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    update();
}

QColor color_wt::color() const
{
    return palette().color(QPalette::Window);
}

color_wt::picker color_wt::set_picker(picker p)
{
    picker old = std::move(current_picker());
    current_picker() = std::move(p);
    return old;
}

void color_wt::pick()
{
    QColor c = current_picker() ? current_picker()(color(), this)
                                : QColorDialog::getColor(color(), this, QString(),
                                                         QColorDialog::ShowAlphaChannel);
    if (!c.isValid()) return;
    set_color(c);
    emit color_changed(c);
}

void color_wt::mousePressEvent(QMouseEvent *)
{
    if (isEnabled()) pick();
}

void color_wt::keyPressEvent(QKeyEvent *ev)
{
    switch (ev->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pick();
        break;
    default:
        QWidget::keyPressEvent(ev);
    }
}

void color_wt::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), color());
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect opt;
        opt.initFrom(this);
        opt.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opt, &p, this);
    }
}
