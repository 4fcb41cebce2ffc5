// Fonts of the text styles and the pictures of single character cells. Painting a screen
// draws a few thousand cells; laying each out as text again would dominate a key stroke,
// so each (font, colour, character, cell size) is rendered once and then only copied.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct text_style;
class QPainter;

class glyph_cache {
public:
    // Id of the font of a style (with underline forced on when asked).
    int font_id(const text_style &style, bool underline);
    const QFont &font(int id) const { return fonts_[static_cast<size_t>(id)].font; }
    // Whether the font (with its fallbacks) has the blank mark U+2B1D.
    bool has_space_mark(int id) const { return fonts_[static_cast<size_t>(id)].space_mark; }

    // Draws `text` (the character `code`) into `cell` in `colour`. On screens the cell
    // picture comes from the cache; `direct` draws the text itself (printers, PDF).
    void draw(QPainter &p, const QRect &cell, int font_id, QRgb colour, uint32_t code,
              const QString &text, bool direct);

    static glyph_cache &instance();

    // Bytes held by the cached cell pictures.
    size_t cached_bytes() const { return bytes_; }
    // Bound of cached_bytes(); a cell whose picture alone would take more than a
    // sixteenth of it (huge point sizes) is drawn directly instead.
    static constexpr size_t max_bytes = 32u << 20;

private:
    struct font_entry {
        QFont font;
        bool space_mark = false;
    };
    struct key {
        uint64_t a, b;
        bool operator==(const key &o) const { return a == o.a && b == o.b; }
    };
    struct key_hash {
        size_t operator()(const key &k) const
        {
            return std::hash<uint64_t>()(k.a * 0x9E3779B97F4A7C15ull ^ k.b);
        }
    };

    std::unordered_map<std::string, int> font_ids_;
    std::vector<font_entry> fonts_;
    std::unordered_map<key, QImage, key_hash> cells_;
    size_t bytes_ = 0;
};
