// A window onto a content widget that is as large as the whole text, with our own scroll
// bars and an optional widget pinned to the left edge (the gutter).
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

class scrollbar;

class scrollarea : public QWidget {
    Q_OBJECT
public:
    scrollarea(bool has_horizontal, bool has_vertical, QWidget *parent = nullptr);

    // Takes the content widget: reparents and lowers it, places it at 0, 0, sizes the bars.
    void set_widget(QWidget *content);
    QWidget *widget() const { return content_; }
    // A child of the content that stays at the viewport's left edge.
    void set_pinned(QWidget *pinned);

    scrollbar *horizontal_bar() const { return hbar_; }
    scrollbar *vertical_bar() const { return vbar_; }
    double horizontal_offset() const { return hoff_; }
    double vertical_offset() const { return voff_; }
    QSize viewport_size() const;

    // Scrolls so that a point of the content is visible (see the .cpp for the rules).
    void ensure_visible(const QPoint &content_point);
    // The same for a rectangle (a cursor with its line height): its bottom edge is brought
    // in as well.
    void ensure_visible(const QRect &content_rect);

    // Re-places and re-sizes the bars after the content or the area changed size.
    void update_bars();

signals:
    void change_geo(const QRect &geometry);

public slots:
    void scroll_h();
    void scroll_v();

protected:
    void resizeEvent(QResizeEvent *ev) override;
    void wheelEvent(QWheelEvent *ev) override;
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    void place_content();
    void sync_bar(scrollbar *bar, double offset, double content, double viewport);
    double offset_from(scrollbar *bar, double content) const;

    QPointer<QWidget> content_;
    QPointer<QWidget> pinned_;
    scrollbar *hbar_ = nullptr;
    scrollbar *vbar_ = nullptr;
    double hoff_ = 0.0;
    double voff_ = 0.0;
};
