#include "editor/scrollarea.h"

#include "editor/scrollbar.h"

#include <QEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

scrollarea::scrollarea(bool has_horizontal, bool has_vertical, QWidget *parent) : QWidget(parent)
{
    if (has_horizontal) {
        hbar_ = new scrollbar(scrollbar::horizontal, this);
        connect(hbar_, &scrollbar::scrolling, this, &scrollarea::scroll_h);
        hbar_->hide();
    }
    if (has_vertical) {
        vbar_ = new scrollbar(scrollbar::vertical, this);
        connect(vbar_, &scrollbar::scrolling, this, &scrollarea::scroll_v);
        vbar_->hide();
    }
}

void scrollarea::set_widget(QWidget *content)
{
    if (content_) content_->removeEventFilter(this);
    content_ = content;
    if (!content) return;
    content->setParent(this);
    content->lower();
    content->move(0, 0);
    content->installEventFilter(this);
    content->show();
    hoff_ = voff_ = 0.0;
    update_bars();
}

void scrollarea::set_pinned(QWidget *pinned)
{
    pinned_ = pinned;
    place_content();
}

bool scrollarea::eventFilter(QObject *obj, QEvent *ev)
{
    // The content grows and shrinks with the text; the bars follow.
    if (obj == content_ && ev->type() == QEvent::Resize) update_bars();
    return QWidget::eventFilter(obj, ev);
}

QSize scrollarea::viewport_size() const
{
    int w = width() - (vbar_ && vbar_->isVisibleTo(this) ? scrollbar::thickness : 0);
    int h = height() - (hbar_ && hbar_->isVisibleTo(this) ? scrollbar::thickness : 0);
    return QSize(std::max(0, w), std::max(0, h));
}

double scrollarea::offset_from(scrollbar *bar, double content) const
{
    double t = bar->track();
    return t > 0 ? bar->position() / t * content : 0.0;
}

void scrollarea::sync_bar(scrollbar *bar, double offset, double content, double viewport)
{
    double t = bar->track();
    bar->set_handle_length(content > 0 ? viewport / content * t : t);
    bar->set_position(content > 0 ? offset / content * t : 0.0);
}

void scrollarea::update_bars()
{
    if (!content_) return;
    const double cw = content_->width(), ch = content_->height();
    // Which bars are needed depends on each other: a shown bar narrows the viewport.
    bool need_h = false, need_v = false;
    for (int pass = 0; pass < 2; ++pass) {
        int vw = width() - (need_v ? scrollbar::thickness : 0);
        int vh = height() - (need_h ? scrollbar::thickness : 0);
        need_h = hbar_ && cw > vw;
        need_v = vbar_ && ch > vh;
    }
    // Offsets keep their share of the content across the change.
    double hfrac = hoff_ > 0 && cw > 0 ? hoff_ / cw : 0.0;
    double vfrac = voff_ > 0 && ch > 0 ? voff_ / ch : 0.0;
    if (hbar_) {
        hbar_->setVisible(need_h);
        hbar_->setGeometry(0, height() - scrollbar::thickness,
                           width() - (need_v ? scrollbar::thickness : 0), scrollbar::thickness);
    }
    if (vbar_) {
        vbar_->setVisible(need_v);
        vbar_->setGeometry(width() - scrollbar::thickness, 0, scrollbar::thickness,
                           height() - (need_h ? scrollbar::thickness : 0));
    }
    QSize vp = viewport_size();
    hoff_ = need_h ? std::clamp(hfrac * cw, 0.0, std::max(0.0, cw - vp.width())) : 0.0;
    voff_ = need_v ? std::clamp(vfrac * ch, 0.0, std::max(0.0, ch - vp.height())) : 0.0;
    if (hbar_) sync_bar(hbar_, hoff_, cw, vp.width());
    if (vbar_) sync_bar(vbar_, voff_, ch, vp.height());
    if (hbar_) hoff_ = offset_from(hbar_, cw);
    if (vbar_) voff_ = offset_from(vbar_, ch);
    place_content();
}

void scrollarea::place_content()
{
    if (!content_) return;
    content_->move(-static_cast<int>(std::lround(hoff_)), -static_cast<int>(std::lround(voff_)));
    if (pinned_ && pinned_->parentWidget() == content_)
        pinned_->move(static_cast<int>(std::lround(hoff_)), pinned_->y());
    emit change_geo(content_->geometry());
}

void scrollarea::scroll_h()
{
    if (content_ && hbar_) hoff_ = offset_from(hbar_, content_->width());
    place_content();
}

void scrollarea::scroll_v()
{
    if (content_ && vbar_) voff_ = offset_from(vbar_, content_->height());
    place_content();
}

void scrollarea::resizeEvent(QResizeEvent *ev)
{
    QWidget::resizeEvent(ev);
    update_bars();
}

void scrollarea::wheelEvent(QWheelEvent *ev)
{
    if (vbar_ && vbar_->isVisibleTo(this)) vbar_->wheel(ev);
}

void scrollarea::ensure_visible(const QPoint &pt)
{
    ensure_visible(QRect(pt, QSize(1, 1)));
}

// Per direction: a point before the viewport ends up one sixth of the viewport inside it
// (or at the content's start); a point at or beyond the viewport's end is brought just
// inside. Horizontally the pinned gutter covers the viewport's left edge, so it counts as
// outside.
void scrollarea::ensure_visible(const QRect &r)
{
    if (!content_) return;
    QSize vp = viewport_size();
    auto fit = [](double off, double lo, double hi, double start_margin, double view,
                  double content) {
        if (lo < off + start_margin)
            off = std::max(0.0, lo - start_margin - view / 6.0);
        else if (hi >= off + view)
            off = hi - view + 1;
        return std::clamp(off, 0.0, std::max(0.0, content - view));
    };
    double pin = pinned_ ? pinned_->width() : 0.0;
    if (hbar_ && hbar_->isVisibleTo(this))
        hoff_ = fit(hoff_, r.left(), r.right(), pin, vp.width(), content_->width());
    if (vbar_ && vbar_->isVisibleTo(this))
        voff_ = fit(voff_, r.top(), r.bottom(), 0.0, vp.height(), content_->height());
    if (hbar_) sync_bar(hbar_, hoff_, content_->width(), vp.width());
    if (vbar_) sync_bar(vbar_, voff_, content_->height(), vp.height());
    place_content();
}
