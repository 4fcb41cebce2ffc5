// A plain scroll bar: a grey track with a handle that is dragged, placed by a click, or
// moved by the wheel (vertical bars only).
#pragma once

#include <QWidget>

class QWheelEvent;

class scrollbar : public QWidget {
    Q_OBJECT
public:
    static constexpr int thickness = 20;
    enum { vertical = 0, horizontal = 1 };

    explicit scrollbar(int orientation, QWidget *parent = nullptr);

    int orientation() const { return orientation_; }
    double position() const { return position_; }
    double handle_length() const { return handle_; }
    double track() const;

    void set_handle_length(double len); // clamped to the track
    void set_position(double pos);      // clamped to [0, track - handle]

signals:
    void scrolling();

public slots:
    void wheel(QWheelEvent *ev);

protected:
    void paintEvent(QPaintEvent *ev) override;
    void mousePressEvent(QMouseEvent *ev) override;
    void mouseMoveEvent(QMouseEvent *ev) override;
    void mouseReleaseEvent(QMouseEvent *ev) override;
    void wheelEvent(QWheelEvent *ev) override;
    void resizeEvent(QResizeEvent *ev) override;

private:
    double along(const QPoint &p) const;
    void move_to(double pos); // clamps, signals and repaints

    int orientation_;
    double position_ = 0.0;
    double handle_ = 100.0;
    bool dragging_ = false;
    double press_at_ = 0.0;
    double press_pos_ = 0.0;
};
