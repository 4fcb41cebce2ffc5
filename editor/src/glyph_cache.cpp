#include "glyph_cache.h"

#include "code_font.h"
#include "sys_config.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Bounds that keep the caches small whatever is typed or configured.
constexpr size_t max_cells = 4096;
constexpr size_t max_fonts = 256;

} // namespace

glyph_cache &glyph_cache::instance()
{
    static glyph_cache cache;
    return cache;
}

int glyph_cache::font_id(const text_style &style, bool underline)
{
    std::string k = field_text(style.font, sizeof style.font);
    k += '\x1F';
    k += std::to_string(style.point_size);
    k += style.bold ? 'b' : '-';
    k += style.italic ? 'i' : '-';
    k += style.overline ? 'o' : '-';
    k += (style.underline || underline) ? 'u' : '-';
    k += style.strike_out ? 's' : '-';
    auto it = font_ids_.find(k);
    if (it != font_ids_.end()) return it->second;
    if (fonts_.size() >= max_fonts) {
        // Zooming through many sizes: start over rather than grow.
        fonts_.clear();
        font_ids_.clear();
        cells_.clear();
        bytes_ = 0;
    }
    font_entry e;
    e.font = code_font(style);
    if (underline) e.font.setUnderline(true);
    e.space_mark = QFontMetrics(e.font).inFontUcs4(0x2B1D);
    fonts_.push_back(e);
    int id = static_cast<int>(fonts_.size()) - 1;
    font_ids_.emplace(std::move(k), id);
    return id;
}

void glyph_cache::draw(QPainter &p, const QRect &cell, int font_id, QRgb colour, uint32_t code,
                       const QString &text, bool direct)
{
    const QFont &f = font(font_id);
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    // Twice the cell's width, so that an italic overhang is kept as it would be drawn.
    const QSize pixels = QSize(cell.width() * 2, cell.height()) * dpr;
    const size_t picture_bytes = static_cast<size_t>(std::max(0, pixels.width())) *
                                 static_cast<size_t>(std::max(0, pixels.height())) * 4;
    if (direct || picture_bytes > max_bytes / 16) {
        p.setFont(f);
        p.setPen(QColor::fromRgba(colour));
        p.drawText(cell, 0, text);
        return;
    }
    key k{(static_cast<uint64_t>(font_id) << 32) | code,
          (static_cast<uint64_t>(colour) << 32) |
              (static_cast<uint64_t>(cell.width() & 0xFFFF) << 16) |
              static_cast<uint64_t>(cell.height() & 0xFFFF)};
    auto it = cells_.find(k);
    if (it == cells_.end()) {
        if (cells_.size() >= max_cells || bytes_ + picture_bytes > max_bytes) {
            cells_.clear();
            bytes_ = 0;
        }
        QImage img(pixels, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(dpr);
        img.fill(Qt::transparent);
        QPainter ip(&img);
        ip.setRenderHint(QPainter::TextAntialiasing, true);
        ip.setFont(f);
        ip.setPen(QColor::fromRgba(colour));
        ip.drawText(QRect(0, 0, cell.width(), cell.height()), 0, text);
        ip.end();
        bytes_ += picture_bytes;
        it = cells_.emplace(k, std::move(img)).first;
    }
    p.drawImage(cell.topLeft(), it->second);
}
