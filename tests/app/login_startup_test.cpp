#include "startup.h"

#include <QApplication>
#include <QTranslator>
#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {
QApplication &application()
{
    return *static_cast<QApplication *>(QCoreApplication::instance());
}
} // namespace

TEST(startup, the_style_sheet_is_compiled_in_and_applied)
{
    const QString before = application().styleSheet();
    EXPECT_TRUE(apply_style_sheet(application()));
    EXPECT_FALSE(application().styleSheet().isEmpty());
    application().setStyleSheet(before);
}

TEST(startup, each_language_index_loads_its_own_files)
{
    const std::string locale_before = std::setlocale(LC_ALL, nullptr);
    const struct {
        int index;
        const char *program;
    } expected[] = {{0, ":/lang/velastudio_zh.qm"},
                    {1, ":/lang/velastudio_en.qm"},
                    {2, ":/lang/velastudio_fr.qm"},
                    {3, ":/lang/vela_usdb_cli_jp.qm"}};
    for (const auto &e : expected) {
        const language_files *files = language_of(e.index);
        ASSERT_NE(files, nullptr);
        EXPECT_STREQ(files->program, e.program);
        QTranslator toolkit, program;
        install_translators(application(), e.index, toolkit, program);
        // Chinese, French and Japanese carry real translations of both kinds.
        if (e.index != 1) {
            EXPECT_FALSE(toolkit.isEmpty()) << files->toolkit;
            EXPECT_FALSE(program.isEmpty()) << files->program;
            EXPECT_NE(QCoreApplication::translate("login_dlg", "invalid user or password"),
                      "invalid user or password")
                << e.index;
        }
        QCoreApplication::removeTranslator(&program);
        QCoreApplication::removeTranslator(&toolkit);
    }
    EXPECT_STREQ(language_of(0)->toolkit, ":/lang/qt_zh_CN.qm");
    EXPECT_STREQ(language_of(3)->toolkit, ":/lang/qt_jp.qm");

    // An unknown index loads nothing and leaves the locale as it was.
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(language_of(4), nullptr);
    EXPECT_EQ(language_of(-1), nullptr);
    QTranslator toolkit, program;
    install_translators(application(), 9, toolkit, program);
    EXPECT_TRUE(toolkit.isEmpty() && program.isEmpty());
    EXPECT_STREQ(std::setlocale(LC_ALL, nullptr), "C");
    QCoreApplication::removeTranslator(&program);
    QCoreApplication::removeTranslator(&toolkit);
    std::setlocale(LC_ALL, locale_before.c_str());
}
