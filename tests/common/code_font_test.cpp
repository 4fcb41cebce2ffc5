#include "code_font.h"
#include "sys_config.h"

#include <QFontInfo>
#include <gtest/gtest.h>

TEST(code_font, stays_monospaced_when_the_family_is_missing)
{
    text_style st = sys_config::initial().themes[0].styles[0];
    copy_text(st.font, sizeof st.font, "No Such Family 42");
    st.point_size = 15;
    const QFont f = code_font(st);
    EXPECT_TRUE(QFontInfo(f).fixedPitch()) << QFontInfo(f).family().toStdString();
    EXPECT_EQ(f.pointSize(), 15);
}

TEST(code_font, reads_a_full_description_and_applies_the_flags)
{
    text_style st = sys_config::initial().themes[0].styles[0];
    QFont described("DejaVu Sans Mono", 9);
    copy_text(st.font, sizeof st.font, described.toString().toStdString());
    st.point_size = 11;
    st.bold = true;
    st.italic = true;
    st.underline = true;
    const QFont f = code_font(st);
    EXPECT_EQ(f.family(), "DejaVu Sans Mono");
    EXPECT_EQ(f.pointSize(), 11) << "the slot's point size wins over the description's";
    EXPECT_TRUE(f.bold());
    EXPECT_TRUE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_FALSE(f.strikeOut());
    EXPECT_FALSE(f.overline());
}
