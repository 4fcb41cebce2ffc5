// A colour swatch: shows its colour, and a click lets the user pick another one.
#pragma once

#include <QColor>
#include <QWidget>

#include <functional>

class color_wt : public QWidget {
    Q_OBJECT
public:
    explicit color_wt(QWidget *parent = nullptr);

    // Sets the swatch colour without signalling.
    void set_color(const QColor &c);
    QColor color() const;

    // Replaces the colour dialog (tests answer it without a modal loop). The function gets
    // the current colour and returns the chosen one, or an invalid colour when cancelled.
    using picker = std::function<QColor(const QColor &current, QWidget *parent)>;
    static picker set_picker(picker p);

signals:
    void color_changed(const QColor &c);

protected:
    void mousePressEvent(QMouseEvent *ev) override;
    void keyPressEvent(QKeyEvent *ev) override;
    void paintEvent(QPaintEvent *ev) override;

private:
    void pick();
};
