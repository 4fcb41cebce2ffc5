// The preferences dialog against the settings record: live style edits, Apply, and every way
// of abandoning the dialog restoring the record byte for byte.
#include <gtest/gtest.h>

#include "color_wt.h"
#include "editor/editor.h"
#include "support/shot.h"
#include "sys_config.h"
#include "sys_pre_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <cstring>
#include <functional>
#include <memory>

namespace {

std::string bytes_of(const sys_config &c)
{
    return std::string(reinterpret_cast<const char *>(&c), sizeof c);
}

struct prefs_test : ::testing::Test {
    void SetUp() override
    {
        saved = g_config;
        saved_open = g_open_files;
        saved_recent = g_recent_files;
        g_config = sys_config::initial();
        for (int t = 0; t < theme_count; ++t) g_config.reset_theme(t);
        g_open_files = {"a.sql", "b.sql"};
        g_recent_files = {"c.sql"};
        previous_picker =
            color_wt::set_picker([this](const QColor &, QWidget *) { return picked; });
        dlg = std::make_unique<sys_pre_dlg>();
        dlg->show();
    }
    void TearDown() override
    {
        dlg.reset();
        color_wt::set_picker(previous_picker);
        g_config = saved;
        g_open_files = saved_open;
        g_recent_files = saved_recent;
    }
    template <typename T> T *child(const char *name)
    {
        T *w = dlg->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Chooses category row `row` and picks `c` on the swatch, as a user does.
    void pick_color(int row, const QColor &c)
    {
        auto *lw = child<QListWidget>("theme_lw");
        QListWidgetItem *item = lw->item(row);
        QTest::mouseClick(lw->viewport(), Qt::LeftButton, {}, lw->visualItemRect(item).center());
        picked = c;
        QTest::mouseClick(child<color_wt>("cwt"), Qt::LeftButton);
    }
    const text_style &function_style() const
    {
        return g_config.current_theme().styles[slot_function];
    }

    sys_config saved;
    std::vector<std::string> saved_open, saved_recent;
    color_wt::picker previous_picker;
    QColor picked;
    std::unique_ptr<sys_pre_dlg> dlg;
};

// Every way out but Apply: the cancel button, Escape and the window frame.
const std::pair<const char *, std::function<void(sys_pre_dlg &)>> abandon_ways[] = {
    {"cancel button",
     [](sys_pre_dlg &d) {
         QTest::mouseClick(d.findChild<QPushButton *>("cancel_btn"), Qt::LeftButton);
     }},
    {"escape", [](sys_pre_dlg &d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    {"window frame", [](sys_pre_dlg &d) { d.close(); }},
};

TEST_F(prefs_test, every_way_but_apply_restores_the_record_and_lists)
{
    for (const auto &way : abandon_ways) {
        SCOPED_TRACE(way.first);
        dlg = std::make_unique<sys_pre_dlg>();
        dlg->show();
        const std::string before = bytes_of(g_config);
        pick_color(5, QColor(1, 2, 3, 200));
        child<QCheckBox>("bold_cb")->click();
        child<QDoubleSpinBox>("vf_dsb")->setValue(3.0);
        child<QRadioButton>("leisurely_rb")->click();
        g_open_files.clear();
        ASSERT_NE(bytes_of(g_config), before);

        way.second(*dlg);
        EXPECT_EQ(dlg->result(), QDialog::Rejected);
        EXPECT_FALSE(dlg->isVisible());
        EXPECT_EQ(bytes_of(g_config), before);
        EXPECT_EQ(g_open_files, (std::vector<std::string>{"a.sql", "b.sql"}));
        EXPECT_EQ(g_recent_files, std::vector<std::string>{"c.sql"});
    }
}

TEST_F(prefs_test, apply_writes_each_setting_into_the_record)
{
    sys_config want = g_config;
    child<QDoubleSpinBox>("hf_dsb")->setValue(1.25);
    child<QDoubleSpinBox>("vf_dsb")->setValue(2.5);
    child<QRadioButton>("fresh_rb")->click();
    child<QComboBox>("tab_width_cb")->setCurrentText("8");
    child<QCheckBox>("insert_space_cb")->setChecked(!want.insert_space);
    child<QCheckBox>("show_space_cb")->setChecked(!want.show_space);
    child<QDoubleSpinBox>("edit_time_dsb")->setValue(2.5);
    child<QSpinBox>("cursor_width_sb")->setValue(3);
    child<QCheckBox>("auto_enable_cb")->setChecked(!want.auto_enable);
    child<QSpinBox>("least_count_sb")->setValue(4);
    child<QCheckBox>("only_sql_cb")->setChecked(!want.only_sql);
    child<QCheckBox>("update_cb")->setChecked(!want.check_update);
    QTest::mouseClick(child<QPushButton>("apply_btn"), Qt::LeftButton);

    want.hor_factor = 1.25f;
    want.ver_factor = 2.5f;
    want.theme = 1;
    want.tab_width = 8;
    want.insert_space = !want.insert_space;
    want.show_space = !want.show_space;
    want.edit_time = 2.5f;
    want.cursor_width = 3;
    want.auto_enable = !want.auto_enable;
    want.least_count = 4;
    want.only_sql = !want.only_sql;
    want.check_update = !want.check_update;
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(bytes_of(g_config), bytes_of(want));
}

TEST_F(prefs_test, opening_and_applying_unchanged_keeps_the_record)
{
    g_config.tab_width = 5; // not one of the offered widths
    g_config.edit_time = 0.5f;
    const std::string before = bytes_of(g_config);
    dlg = std::make_unique<sys_pre_dlg>();
    dlg->apply();
    EXPECT_EQ(bytes_of(g_config), before);
}

TEST_F(prefs_test, a_factor_below_the_floor_is_neither_shown_nor_stored)
{
    auto *vf = child<QDoubleSpinBox>("vf_dsb");
    vf->setValue(0.3);
    EXPECT_FLOAT_EQ(g_config.ver_factor, 0.3f);
    vf->setValue(0.05);
    EXPECT_FLOAT_EQ(g_config.ver_factor, 0.3f);
    auto *hf = child<QDoubleSpinBox>("hf_dsb");
    hf->setValue(0.0);
    dlg->apply();
    EXPECT_FLOAT_EQ(g_config.ver_factor, 0.3f);
    EXPECT_FLOAT_EQ(g_config.hor_factor, sys_config::initial().hor_factor);
    EXPECT_GE(editor::line_height(), 1);
}

TEST_F(prefs_test, apply_without_a_checked_theme_keeps_the_theme)
{
    g_config.theme = 7; // no radio matches
    dlg = std::make_unique<sys_pre_dlg>();
    for (const char *rb : {"elegant_rb", "fresh_rb", "leisurely_rb"})
        EXPECT_FALSE(child<QRadioButton>(rb)->isChecked());
    dlg->apply();
    EXPECT_EQ(g_config.theme, 7);
}

TEST_F(prefs_test, reset_restores_the_palette_of_the_checked_theme)
{
    sys_config fresh_palette = sys_config::initial();
    fresh_palette.reset_theme(1);
    g_config.themes[1].styles[slot_function].red = 9; // the fresh theme was edited
    g_config.theme = 0;
    dlg = std::make_unique<sys_pre_dlg>();
    dlg->show();
    child<QRadioButton>("fresh_rb")->click();
    EXPECT_EQ(g_config.theme, 1);
    QTest::mouseClick(child<QPushButton>("reset_btn"), Qt::LeftButton);
    EXPECT_EQ(0, std::memcmp(&g_config.themes[1], &fresh_palette.themes[1], sizeof(theme_style)));
    // The rows show the reset palette.
    EXPECT_EQ(child<QListWidget>("theme_lw")->item(5)->foreground().color(), QColor(128, 128, 0));
}

TEST_F(prefs_test, style_edits_reach_the_slot_of_the_chosen_row)
{
    // Rows list the categories in another order than the slots.
    pick_color(1, QColor(10, 20, 30, 40)); // "default keyword"
    const text_style &s = g_config.current_theme().styles[slot_default_keyword];
    EXPECT_EQ((std::vector<int>{s.red, s.green, s.blue, s.alpha}),
              (std::vector<int>{10, 20, 30, 40}));
    child<QCheckBox>("italic_cb")->click();
    child<QCheckBox>("underline_cb")->click();
    child<QSpinBox>("fs_sb")->setValue(15);
    EXPECT_TRUE(s.italic);
    EXPECT_TRUE(s.underline);
    EXPECT_FALSE(s.strike_out);
    EXPECT_EQ(s.point_size, 15);
    // The stored font text reads back as a font with those flags.
    QFont f;
    ASSERT_TRUE(f.fromString(QString::fromUtf8(field_text(s.font, sizeof s.font).c_str())));
    EXPECT_TRUE(f.italic());
    EXPECT_EQ(f.pointSize(), 15);
}

// Whether any pixel of the widget's picture has exactly this colour.
bool shows_color(QWidget &w, const QColor &c)
{
    const QImage img = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) == c) return true;
    return false;
}

TEST_F(prefs_test, an_open_editor_paints_the_live_colour_and_the_restored_one)
{
    editor open_editor;
    open_editor.set_text_utf8("select sin(1), cos(2), sqrt(3) from t;");
    open_editor.resize(600, 60);
    open_editor.show();
    const QColor red(255, 0, 0);
    ASSERT_FALSE(shows_color(open_editor, red));
    pick_color(5, red); // "function"
    EXPECT_TRUE(shows_color(open_editor, red));
    save_shot(dlg.get(), "prefs_function_red");
    dlg->cancel();
    EXPECT_FALSE(shows_color(open_editor, red));
}

} // namespace
