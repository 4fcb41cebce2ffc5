#include "editor/scrollbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

scrollbar::scrollbar(int orientation, QWidget *parent) : QWidget(parent), orientation_(orientation)
{
    setFocusPolicy(Qt::NoFocus);
    if (orientation_ == horizontal)
        setFixedHeight(thickness);
    else
        setFixedWidth(thickness);
}

double scrollbar::track() const
{
    return orientation_ == horizontal ? width() : height();
}

double scrollbar::along(const QPoint &p) const
{
    return orientation_ == horizontal ? p.x() : p.y();
}

void scrollbar::set_handle_length(double len)
{
    if (!std::isfinite(len) || len < 0) len = 0;
    handle_ = std::min(len, track());
    position_ = std::clamp(position_, 0.0, std::max(0.0, track() - handle_));
    update();
}

void scrollbar::set_position(double pos)
{
    if (!std::isfinite(pos)) pos = 0;
    position_ = std::clamp(pos, 0.0, std::max(0.0, track() - handle_));
    update();
}

void scrollbar::move_to(double pos)
{
    set_position(pos);
    emit scrolling();
}

void scrollbar::resizeEvent(QResizeEvent *ev)
{
    QWidget::resizeEvent(ev);
    handle_ = std::min(handle_, track());
    position_ = std::clamp(position_, 0.0, std::max(0.0, track() - handle_));
}

void scrollbar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.fillRect(rect(), QColor(239, 239, 239));
    p.setPen(QColor(128, 128, 128));
    p.setBrush(QColor(192, 192, 192));
    double len = std::max(handle_, 2.0);
    QRectF r = orientation_ == horizontal ? QRectF(position_, 0, len, thickness)
                                          : QRectF(0, position_, thickness, len);
    p.drawRect(r);
}

void scrollbar::mousePressEvent(QMouseEvent *ev)
{
    double at = along(ev->pos());
    if (at >= position_ && at < position_ + handle_) {
        dragging_ = true;
        press_at_ = at;
        press_pos_ = position_;
    } else {
        move_to(at - handle_ / 2);
    }
}

void scrollbar::mouseMoveEvent(QMouseEvent *ev)
{
    if (dragging_) move_to(press_pos_ + (along(ev->pos()) - press_at_));
}

void scrollbar::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}

void scrollbar::wheelEvent(QWheelEvent *ev)
{
    wheel(ev);
}

void scrollbar::wheel(QWheelEvent *ev)
{
    if (!ev) return;
    if (orientation_ == horizontal) {
        ev->accept(); // swallowed, so that it does not scroll the area behind the bar
        return;
    }
    int dy = ev->angleDelta().y();
    if (dy == 0) return;
    double step = std::abs(dy) * (handle_ / 2) / 72.0;
    move_to(dy > 0 ? position_ - step : position_ + step);
    ev->accept();
}
