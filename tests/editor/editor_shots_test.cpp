// Pictures of the editor for a person to look at (written only when VELA_SHOTS is set).
#include "editor/scrollarea.h"
#include "editor/search_dlg.h"
#include "editor_fixture.h"
#include "shot.h"

#include <QLineEdit>

namespace {

const char *sample =
    "// monthly totals\n"
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

    scrollarea area(true, true);
    area.resize(500, 160);
    ed->set_text(QString::fromUtf8(sample));
    area.set_widget(ed.release());
    ed.reset(static_cast<editor *>(area.widget()));
    area.show();
    ed->find();
    ed->search_dialog()->findChild<QLineEdit *>("target_le")->setText("amount");
    save_shot(&area, QStringLiteral("editor_find_area"));
    save_shot(ed->search_dialog(), QStringLiteral("editor_find_dialog"));
    ed->search_dialog()->reject();
    ed.release(); // owned by the area
}

} // namespace
