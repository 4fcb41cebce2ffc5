// Start-up: settings, application, style sheet, translations, login; the settings are
// written back at the end whether or not a login happened.
#include "login_dlg.h"

#include "program_path.h"
#include "startup.h"
#include "sys_config.h"

#include <QApplication>
#include <QTextCodec>
#include <QTranslator>

#include <cstdlib>

namespace {
const char config_file[] = "config";
}

int main(int argc, char *argv[])
{
    // Every local date-time of a result goes through the C library's time-zone code, which
    // re-reads the zone file on each call while TZ is unset: naming the system zone once
    // makes it read that file once. It is the same zone either way.
    setenv("TZ", ":/etc/localtime", 0);
    set_program_path(argc > 0 && argv[0] ? argv[0] : "");
    load_config(config_file);

    QApplication app(argc, argv);
    apply_style_sheet(app);
    return_focus_after_dialogs(app);
    QTranslator toolkit_tr;
    QTranslator program_tr;
    install_translators(app, g_config.language, toolkit_tr, program_tr);
    QTextCodec::setCodecForLocale(QTextCodec::codecForLocale());

    {
        login_dlg dlg;
        if (dlg.exec() == QDialog::Accepted) app.exec();
        save_config(config_file);
    }
    return 0;
}
