#include "editor_fixture.h"

#include "base/utf8.h"

#include <QApplication>

#include <cstdlib>

QPoint editor_test::cell_centre(int32_t p) const
{
    const text_buffer &b = ed->buffer();
    int32_t start = b.line_start(p);
    int cells = 0;
    for (int32_t q = start; q < p; q += b.char_len(q)) cells += utf8::cells(b.char_len(q));
    int line = 0;
    for (int32_t q = 0; q < start; ++q) line += b.text()[static_cast<size_t>(q)] == '\n';
    int w = utf8::cells(std::max(1, b.char_len(p))) * editor::cell_width();
    return QPoint(cells * editor::cell_width() + w / 2,
                  line * editor::line_height() + editor::line_height() / 2);
}

static bool near(QRgb px, const QColor &c, int tol)
{
    return std::abs(qRed(px) - c.red()) <= tol && std::abs(qGreen(px) - c.green()) <= tol &&
           std::abs(qBlue(px) - c.blue()) <= tol;
}

bool has_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance)
{
    QRect clip = r.intersected(img.rect());
    for (int y = clip.top(); y <= clip.bottom(); ++y)
        for (int x = clip.left(); x <= clip.right(); ++x)
            if (near(img.pixel(x, y), c, tolerance)) return true;
    return false;
}

bool all_colour(const QImage &img, const QRect &r, const QColor &c, int tolerance)
{
    QRect clip = r.intersected(img.rect());
    for (int y = clip.top(); y <= clip.bottom(); ++y)
        for (int x = clip.left(); x <= clip.right(); ++x)
            if (!near(img.pixel(x, y), c, tolerance)) return false;
    return true;
}

QImage grab_image(QWidget *w)
{
    QApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
