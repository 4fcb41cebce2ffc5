#include <gtest/gtest.h>

#include <QFile>
#include <QTranslator>

// The compiled resources reach every program that links the windows.
TEST(resources, style_sheet_and_translations_are_compiled_in)
{
    EXPECT_TRUE(QFile::exists(":/qss/vela_white-.qss"));
    for (const char *name :
         {":/lang/qt_zh_CN.qm", ":/lang/qt_en.qm", ":/lang/qt_fr.qm", ":/lang/qt_jp.qm",
          ":/lang/velastudio_zh.qm", ":/lang/velastudio_en.qm", ":/lang/velastudio_fr.qm",
          ":/lang/vela_usdb_cli_jp.qm"})
        EXPECT_TRUE(QFile::exists(name)) << name;
}
