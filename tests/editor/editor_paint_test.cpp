#include "editor_fixture.h"
#include "glyph_cache.h"

#include <QFileInfo>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

QRect cell(int32_t col, int line = 0, int cells = 1)
{
    return QRect(col * editor::cell_width(), line * editor::line_height(),
                 cells * editor::cell_width(), editor::line_height());
}

QColor slot_colour(int slot)
{
    const text_style &s = g_config.current_theme().styles[slot];
    return QColor(s.red, s.green, s.blue);
}

// Lightest and darkest grey level inside a rectangle.
std::pair<int, int> grey_range(const QImage &img, const QRect &r)
{
    int lo = 255, hi = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            int g = qGray(img.pixel(x, y));
            lo = std::min(lo, g);
            hi = std::max(hi, g);
        }
    return {lo, hi};
}

TEST_F(editor_test, cell_geometry_follows_the_configuration)
{
    EXPECT_EQ(editor::cell_width(), 12);
    EXPECT_EQ(editor::line_height(), 19);
    ed->set_text("0123456789");
    EXPECT_EQ(ed->width(), 120 + 100);
    EXPECT_EQ(ed->height(), 19 + 100);
    ed->set_text("\xE4\xB8\xAD");
    ed->buffer().set_cursor(3);
    ed->layout_text();
    EXPECT_EQ(ed->cursor_pixel().x(), 24);
    g_config.ver_factor = 0.0f; // a damaged setting never divides by zero
    EXPECT_EQ(editor::line_height(), 1);
    EXPECT_EQ(ed->hit_test(QPoint(3, 40)), 0);
}

TEST_F(editor_test, keywords_names_and_failure_in_their_colours)
{
    g_config.reset_theme(0);
    ed->set_text("select a from t;\nselec b;");
    ASSERT_TRUE(ed->parse_failed());
    QImage img = grab_image(ed.get());
    EXPECT_TRUE(has_colour(img, cell(0), slot_colour(slot_read_keyword)));
    EXPECT_TRUE(has_colour(img, cell(14), slot_colour(slot_table_name)));
    // Everything after the failing character is black, the character itself red.
    int fail = ed->failure_position();
    int line = fail >= 17 ? 1 : 0;
    int col = line ? fail - 17 : fail;
    EXPECT_TRUE(has_colour(img, cell(col, line), QColor(255, 0, 0), 40));
    EXPECT_TRUE(has_colour(img, cell(col + 2, line), QColor(0, 0, 0), 40));
    EXPECT_FALSE(has_colour(img, cell(col + 2, line), slot_colour(slot_read_keyword), 8));
}

TEST_F(editor_test, selection_and_marks_backgrounds)
{
    g_config.reset_theme(0);
    ed->set_text("select a from t; select b from t;");
    ed->buffer().add_selection(0, 6);
    ed->buffer().add_selection(17, 23);
    ed->buffer().set_marks({{17, 23}, {26, 30}});
    QImage img = grab_image(ed.get());
    // Selected only: blue with white text.
    EXPECT_TRUE(has_colour(img, cell(0), QColor(0, 120, 215), 0));
    EXPECT_TRUE(has_colour(img, cell(0), QColor(255, 255, 255), 10));
    // Selected and marked: green with black text.
    EXPECT_TRUE(has_colour(img, cell(17), QColor(0, 255, 0), 0));
    EXPECT_TRUE(has_colour(img, cell(17), QColor(0, 0, 0), 40));
    // Marked only: yellow.
    EXPECT_TRUE(has_colour(img, cell(26), QColor(255, 255, 0), 0));
    // Neither: white behind the text.
    EXPECT_TRUE(all_colour(img, QRect(cell(7).topLeft(), QSize(2, 2)), QColor(255, 255, 255), 0));
}

TEST_F(editor_test, blanks_line_feeds_and_controls_have_faint_glyphs)
{
    ed->set_text("a b\t\x7F\nc");
    QImage img = grab_image(ed.get());
    auto [lo_nl, hi_nl] = grey_range(img, cell(5));
    EXPECT_LT(lo_nl, 245); // the line-feed mark is there
    EXPECT_GT(lo_nl, 150); // and faint
    auto [lo_sp, hi_sp] = grey_range(img, cell(1));
    EXPECT_LT(lo_sp, 250);
    EXPECT_GT(lo_sp, 150);
    auto [lo_tab, hi_tab] = grey_range(img, cell(3));
    EXPECT_LT(lo_tab, 150); // the tab picture is drawn in full colour, one cell wide
    EXPECT_EQ(ed->hit_test(QPoint(cell(4).center())), 4);

    g_config.show_space = false;
    img = grab_image(ed.get());
    EXPECT_TRUE(all_colour(img, cell(1), QColor(255, 255, 255), 0));
    EXPECT_LT(grey_range(img, cell(5)).first, 245);
    (void)hi_nl;
    (void)hi_sp;
    (void)hi_tab;
}

TEST_F(editor_test, cursor_is_a_black_line_when_shown)
{
    g_config.cursor_width = 3;
    ed->set_text("ab");
    ed->buffer().set_cursor(1);
    ed->layout_text();
    ed->show_cursor();
    QImage img = grab_image(ed.get());
    EXPECT_TRUE(all_colour(img, QRect(12, 2, 1, 15), QColor(0, 0, 0), 0));
    ed->change_cursor(); // blinks off
    img = grab_image(ed.get());
    EXPECT_FALSE(all_colour(img, QRect(12, 2, 1, 15), QColor(0, 0, 0), 0));
}

TEST_F(editor_test, only_the_visible_rectangle_is_painted)
{
    std::string many;
    for (int i = 0; i < 40; ++i) many += "select a from t;\n";
    ed->set_text_utf8(many);
    // The scroll area reports the content moved up by 10 lines, viewport 10 lines high.
    ed->set_visible_rect(QRect(0, -10 * editor::line_height(), 300, 10 * editor::line_height()));
    QImage img = grab_image(ed.get());
    EXPECT_TRUE(all_colour(img, cell(0, 2), QColor(255, 255, 255), 0));
    EXPECT_LT(grey_range(img, cell(0, 12)).first, 200);
    EXPECT_TRUE(all_colour(img, cell(0, 30), QColor(255, 255, 255), 0));
}

TEST_F(editor_test, render_to_a_printer_device)
{
    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("out.pdf"));
    ed->set_text("select a from t;");
    ed->render_to(&pdf);
    EXPECT_GT(QFileInfo(dir.filePath("out.pdf")).size(), 0);
}

TEST_F(editor_test, huge_texts_are_painted_plain)
{
    g_config.reset_theme(0);
    std::string big = "select a from t;";
    big.resize(editor::no_parse_size, ' ');
    ed->set_text_utf8(big);
    ed->set_visible_rect(QRect(0, 0, 400, 100));
    QImage img = grab_image(ed.get());
    EXPECT_FALSE(has_colour(img, cell(0), slot_colour(slot_read_keyword), 8));
    EXPECT_TRUE(has_colour(img, cell(0), QColor(0, 0, 0), 40));
}

TEST_F(editor_test, a_repaint_before_the_layout_draws_nothing_past_the_text)
{
    ed->set_text("ab\ncd\nef");
    ed->set_visible_rect(QRect(0, 0, 300, 100));
    ed->buffer().set_text("ab"); // changed, not yet laid out
    QImage img = grab_image(ed.get());
    EXPECT_TRUE(all_colour(img, QRect(2 * editor::cell_width(), 0, 200, 3 * editor::line_height()),
                           Qt::white, 0));
}

TEST_F(editor_test, cell_pictures_stay_within_their_memory_bound)
{
    // Zoomed far in, every cell picture would take megabytes: they are drawn, not kept.
    for (text_style &st : g_config.current_theme().styles) st.point_size = 200;
    g_config.hor_factor = 10.0f;
    g_config.ver_factor = 10.0f;
    ed->set_text("AB");
    ed->set_visible_rect(QRect(0, 0, 4000, 2000));
    glyph_cache &cache = glyph_cache::instance();
    QImage img = grab_image(ed.get());
    EXPECT_LE(cache.cached_bytes(), glyph_cache::max_bytes);
    EXPECT_LT(grey_range(img, QRect(0, 0, 2000, 2000)).first, 128); // the letter is there

    // At a large but cacheable size, many distinct characters and colours never hold more
    // than the bound.
    for (text_style &st : g_config.current_theme().styles) st.point_size = 40;
    g_config.hor_factor = 1.0f;
    g_config.ver_factor = 1.6f;
    std::string line;
    for (char c = '!'; c <= '~'; ++c) line += c;
    for (int i = 0; i < 24; ++i) {
        for (text_style &st : g_config.current_theme().styles) st.red = 10 * i;
        ed->set_text_utf8(line);
        ed->set_visible_rect(QRect(0, 0, ed->width(), ed->height()));
        grab_image(ed.get());
        EXPECT_LE(cache.cached_bytes(), glyph_cache::max_bytes);
    }
}

} // namespace
