// Pictures of the editor for a person to look at (written only when VELA_SHOTS is set).
#include "editor/linenumber_wt.h"
#include "editor/scrollarea.h"
#include "editor/search_dlg.h"
#include "editor_fixture.h"
#include "shot.h"

#include <QLineEdit>

namespace {

const char *sample = "// monthly totals\n"
                     "select name, abs(amount) from orders where amount > 10.5 order by name asc;\n"
                     "insert into orders(name, amount) values(\"tea\", 3);\n"
                     "delete from orders where amount < 1;\n"
                     "show tables;\n";

TEST_F(editor_test, shots_of_the_three_themes_errors_selections_and_find)
{
    for (int theme = 0; theme < theme_count; ++theme) {
        g_config.reset_theme(theme);
        g_config.theme = theme;
        ed->set_text(QString::fromUtf8(sample));
        EXPECT_FALSE(ed->parse_failed()) << ed->failure_position();
        save_shot(ed.get(), QStringLiteral("editor_theme_%1").arg(theme));
    }
    g_config.theme = 0;
    ed->set_text(QString::fromUtf8("select a from t;\nselec b from t;\nshow tables;\n"));
    EXPECT_TRUE(ed->parse_failed());
    save_shot(ed.get(), QStringLiteral("editor_parse_error"));

    ed->set_text(QString::fromUtf8(sample));
    QTest::mouseDClick(ed.get(), Qt::LeftButton, {}, cell_centre(80)); // "amount"
    EXPECT_FALSE(ed->buffer().marks().empty());
    save_shot(ed.get(), QStringLiteral("editor_selection_marks"));

    // Gutter and editor side by side in a content widget, as the script form holds them.
    scrollarea area(true, true);
    area.resize(500, 160);
    auto *content = new QWidget;
    auto *gutter = new linenumber_wt(content);
    editor *e = ed.release();
    e->setParent(content);
    e->set_text(QString::fromUtf8(sample));
    gutter->set_line_count(e->line_count());
    e->move(gutter->width() + 2, 0);
    content->resize(gutter->width() + 2 + e->width(), e->height());
    QObject::connect(&area, &scrollarea::change_geo, e, [&](const QRect &r) {
        QRect v(r.topLeft(), area.viewport_size());
        gutter->set_visible_rect(v);
        e->set_visible_rect(v);
    });
    area.set_widget(content);
    area.set_pinned(gutter);
    area.show();
    e->buffer().set_cursor(e->buffer().size() - 1);
    e->layout_text();
    gutter->set_current_line(e->current_line());
    area.ensure_visible(e->cursor_pixel() + QPoint(gutter->width() + 2, 0));
    auto *search = new search_dlg(e);
    e->find();
    search->findChild<QLineEdit *>("target_le")->setText("amount");
    save_shot(&area, QStringLiteral("editor_find_area"));
    save_shot(search, QStringLiteral("editor_find_dialog"));
    search->reject();
}

} // namespace
