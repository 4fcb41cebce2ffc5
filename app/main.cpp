// Start-up: settings, application, style sheet, translations, login; the settings are
// written back at the end whether or not a login happened.
#include "login_dlg.h"

#include <program_path.h>
#include <sys_config.h>

#include <QApplication>
#include <QFile>
#include <QTextCodec>
#include <QTranslator>

#include <clocale>
#include <cstdio>

namespace {

const char config_file[] = "config";

struct language_files {
    const char *locale;
    const char *toolkit;
    const char *program;
};

const language_files languages[] = {
    {"zh_CN.UTF-8", ":/lang/qt_zh_CN.qm", ":/lang/velastudio_zh.qm"},
    {"en_US.UTF-8", ":/lang/qt_en.qm", ":/lang/velastudio_en.qm"},
    {"fr.UTF-8", ":/lang/qt_fr.qm", ":/lang/velastudio_fr.qm"},
    {"jp.UTF-8", ":/lang/qt_jp.qm", ":/lang/vela_usdb_cli_jp.qm"},
};

void load_style_sheet(QApplication &app)
{
    QFile qss(QStringLiteral(":/qss/vela_white-.qss"));
    if (qss.open(QIODevice::ReadOnly)) {
        app.setStyleSheet(QString::fromUtf8(qss.readAll()));
    } else {
        std::printf("open qss failed.\n");
        std::fflush(stdout);
        app.setStyleSheet(QString());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    set_program_path(argc > 0 && argv[0] ? argv[0] : "");
    load_config(config_file);

    QApplication app(argc, argv);
    load_style_sheet(app);

    QTranslator toolkit_tr;
    QTranslator program_tr;
    const int lang = g_config.language;
    if (lang >= 0 && lang < static_cast<int>(sizeof languages / sizeof languages[0])) {
        std::setlocale(LC_ALL, languages[lang].locale);
        // A missing file leaves its translator empty: texts then show untranslated.
        toolkit_tr.load(QString::fromLatin1(languages[lang].toolkit));
        program_tr.load(QString::fromLatin1(languages[lang].program));
    }
    app.installTranslator(&toolkit_tr);
    app.installTranslator(&program_tr);
    QTextCodec::setCodecForLocale(QTextCodec::codecForLocale());

    {
        login_dlg dlg;
        if (dlg.exec() == QDialog::Accepted)
            app.exec();
        save_config(config_file);
    }
    return 0;
}
