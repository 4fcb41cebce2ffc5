#include "editor/linenumber_wt.h"
#include "editor/scrollarea.h"
#include "editor/scrollbar.h"
#include "editor_fixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

void wheel(QWidget *w, int dy)
{
    QWheelEvent ev(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, dy), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &ev);
}

TEST_F(editor_test, gutter_width_grows_with_the_digit_count)
{
    linenumber_wt g;
    int d = g.digit_width();
    ASSERT_GT(d, 0);
    g.set_line_count(9);
    EXPECT_EQ(g.width(), 2 * d);
    EXPECT_EQ(g.height(), 9 * 19);
    g.set_line_count(10);
    EXPECT_EQ(g.width(), 3 * d);

    // Zoomed in, the numbers grow with the text and the gutter widens with them.
    for (text_style &st : g_config.current_theme().styles) st.point_size = 24;
    g.set_line_count(10);
    EXPECT_EQ(g.font().pointSize(), 24);
    EXPECT_GT(g.digit_width(), d);
    EXPECT_EQ(g.width(), 3 * g.digit_width());
    EXPECT_EQ(g.height(), 10 * editor::line_height());
}

TEST_F(editor_test, gutter_marks_the_current_line)
{
    linenumber_wt g;
    g.set_line_count(3);
    g.set_current_line(1);
    g.set_visible_rect(QRect(0, 0, g.width(), 3 * 19));
    QImage img = grab_image(&g);
    EXPECT_TRUE(has_colour(img, QRect(0, 19, g.width(), 19), QColor(16, 16, 16), 30));
    EXPECT_FALSE(has_colour(img, QRect(0, 0, g.width(), 19), QColor(16, 16, 16), 30));
    EXPECT_TRUE(has_colour(img, QRect(0, 0, g.width(), 19), QColor(160, 160, 160), 20));
}

TEST(scrollbar_test, position_is_clamped_and_dragging_stops_at_the_end)
{
    scrollbar bar(scrollbar::vertical);
    bar.resize(20, 200);
    bar.set_handle_length(50);
    bar.set_position(1000);
    EXPECT_DOUBLE_EQ(bar.position(), 150);
    bar.set_position(-5);
    EXPECT_DOUBLE_EQ(bar.position(), 0);
    bar.set_handle_length(500);
    EXPECT_DOUBLE_EQ(bar.handle_length(), 200);

    bar.set_handle_length(50);
    QSignalSpy spy(&bar, &scrollbar::scrolling);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPoint(10, 400), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(10, 400));
    EXPECT_DOUBLE_EQ(bar.position() + bar.handle_length(), bar.track());
    EXPECT_GE(spy.count(), 1);

    // A press beside the handle centres it there.
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 60));
    EXPECT_DOUBLE_EQ(bar.position(), 35);
    EXPECT_EQ(bar.focusPolicy(), Qt::NoFocus);
}

TEST(scrollbar_test, wheel_moves_vertical_bars_only)
{
    scrollbar v(scrollbar::vertical);
    v.resize(20, 600);
    v.set_handle_length(120);
    v.set_position(300);
    wheel(&v, -120); // one notch down: five sixths of a handle
    EXPECT_DOUBLE_EQ(v.position(), 400);
    wheel(&v, 240);
    EXPECT_DOUBLE_EQ(v.position(), 200);

    scrollbar h(scrollbar::horizontal);
    h.resize(600, 20);
    h.set_handle_length(120);
    h.set_position(300);
    wheel(&h, -120);
    EXPECT_DOUBLE_EQ(h.position(), 300);
}

struct area_fixture : editor_test {
    void build(int content_w, int content_h)
    {
        area = std::make_unique<scrollarea>(true, true);
        area->resize(400, 300);
        content = new QWidget;
        content->resize(content_w, content_h);
        gutter = new QWidget(content);
        gutter->resize(30, content_h);
        area->set_widget(content);
        area->set_pinned(gutter);
    }
    std::unique_ptr<scrollarea> area;
    QWidget *content = nullptr;
    QWidget *gutter = nullptr;
};

TEST_F(area_fixture, small_content_shows_no_bars)
{
    build(200, 100);
    EXPECT_FALSE(area->horizontal_bar()->isVisibleTo(area.get()));
    EXPECT_FALSE(area->vertical_bar()->isVisibleTo(area.get()));
}

TEST_F(area_fixture, bars_size_their_handles_and_move_the_content)
{
    build(1000, 3000);
    scrollbar *v = area->vertical_bar();
    ASSERT_TRUE(v->isVisibleTo(area.get()));
    ASSERT_TRUE(area->horizontal_bar()->isVisibleTo(area.get()));
    EXPECT_EQ(v->height(), 300 - scrollbar::thickness);
    EXPECT_NEAR(v->handle_length(), 280.0 / 3000 * 280, 1e-6);

    QSignalSpy geo(area.get(), &scrollarea::change_geo);
    v->set_position(140);
    emit v->scrolling();
    EXPECT_NEAR(area->vertical_offset(), 1500, 1e-6);
    EXPECT_EQ(content->y(), -1500);
    ASSERT_EQ(geo.count(), 1);
    EXPECT_EQ(geo.last()[0].toRect(), content->geometry());

    area->horizontal_bar()->set_position(38);
    emit area->horizontal_bar()->scrolling();
    EXPECT_EQ(gutter->x(), -content->x()); // the gutter stays at the viewport's left edge

    // On resize the offsets keep their share of the content.
    area->resize(400, 600);
    EXPECT_NEAR(area->vertical_offset(), 1500, 2);
}

TEST_F(area_fixture, ensure_visible_scrolls_by_a_sixth)
{
    build(1000, 3000);
    area->ensure_visible(QPoint(100, 2000)); // below: just brought inside
    double off = area->vertical_offset();
    EXPECT_GT(2000, off);
    EXPECT_LT(2000, off + 280);
    EXPECT_NEAR(off, 2000 - 280 + 1, 1);
    area->ensure_visible(QPoint(100, 1000)); // above: a sixth of the viewport below the top
    EXPECT_NEAR(area->vertical_offset(), 1000 - 280.0 / 6, 1);
    area->ensure_visible(QPoint(100, 20));
    EXPECT_EQ(area->vertical_offset(), 0);
}

} // namespace
