// The option and help menus of the main window: language, preferences, the manual and the
// online reference, the update check and the about box.
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "about_dlg.h"
#include "desktop.h"
#include "help_files.h"
#include "msg_box.h"
#include "restart.h"
#include "sys_config.h"
#include "sys_pre_dlg.h"
#include "update_check.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

namespace {
// Base address of the online reference; the paths below it are fixed per language.
const char online_reference_base[] = "https://docs.velastudio.invalid";
} // namespace

void MainWindow::build_options()
{
    connect(ui->zh_act, &QAction::triggered, this, &MainWindow::lang_zh);
    connect(ui->en_act, &QAction::triggered, this, &MainWindow::lang_en);
    connect(ui->fr_act, &QAction::triggered, this, &MainWindow::lang_fr);
    connect(ui->jp_act, &QAction::triggered, this, &MainWindow::lang_jp);
    connect(ui->preference_act, &QAction::triggered, this, &MainWindow::preference);
    connect(ui->local_act, &QAction::triggered, this, &MainWindow::help_local);
    connect(ui->online_act, &QAction::triggered, this, &MainWindow::help_online);
    connect(ui->update_act, &QAction::triggered, this, &MainWindow::update);
    connect(ui->about_act, &QAction::triggered, this, &MainWindow::about);

    const int lang = g_config.language;
    ui->zh_act->setChecked(lang == 0);
    ui->en_act->setChecked(lang == 1);
    ui->fr_act->setChecked(lang == 2);
    ui->jp_act->setChecked(lang == 3);

    // Once the window is up, so that it shows before the question is asked.
    if (g_config.check_update) QTimer::singleShot(0, this, &MainWindow::update);
}

void MainWindow::switch_language(int index)
{
    g_config.language = index;
    ui->zh_act->setChecked(index == 0);
    ui->en_act->setChecked(index == 1);
    ui->fr_act->setChecked(index == 2);
    ui->jp_act->setChecked(index == 3);

    QString text;
    switch (index) {
    case 0:
        text = tr("the language change to 中文, the application need restart, restart now?");
        break;
    case 1:
        text = tr("the language change to English, the application need restart, restart now?");
        break;
    case 2:
        text = tr("the language change to Français, the application need restart, restart now?");
        break;
    default:
        text = tr("the language change to Japanese, the application need restart, restart now?");
        break;
    }
    if (ask(this, tr("language changed"), text, QMessageBox::Yes | QMessageBox::No,
            msg_kind::information, QMessageBox::No) != QMessageBox::Yes)
        return;

    // Quitting for the restart passes by what closing the window does first: pending table
    // edits are settled, the scripts saved, a running script kept. Refused, the program stays
    // and the language applies at the next start.
    if (!may_close_all_tabs() || !save_before_quit()) return;
    // The new process reads the settings file at once: write it before starting it, not
    // only on the way out, or it could still find the old language.
    save_config("config");
    if (!start_detached(restart_command_line())) {
        inform(this, tr("language changed"),
               tr("the application could not be restarted, the language changes at the next "
                  "start!"),
               msg_kind::warning);
        return;
    }
    QCoreApplication::exit(0);
}

void MainWindow::lang_zh()
{
    switch_language(0);
}

void MainWindow::lang_en()
{
    switch_language(1);
}

void MainWindow::lang_fr()
{
    switch_language(2);
}

void MainWindow::lang_jp()
{
    switch_language(3);
}

void MainWindow::preference()
{
    sys_pre_dlg dlg(this);
    dlg.exec();
}

void MainWindow::help_local()
{
    const QString code = language_code(g_config.language);
    if (code.isEmpty()) return;
    const QString path = manual_path(g_config.language);
    if (path.isEmpty()) {
        inform(this, tr("help"),
               tr("the manual '%1' is not found!")
                   .arg(QStringLiteral("doc/%1/vela_cli.pdf").arg(code)),
               msg_kind::warning);
        return;
    }
    if (!open_document(path))
        inform(this, tr("help"), tr("no program opens '%1'!").arg(path), msg_kind::warning);
}

void MainWindow::help_online()
{
    const QString code = language_code(g_config.language);
    if (code.isEmpty()) return;
    const QString url = QString::fromLatin1(online_reference_base) +
                        QStringLiteral("/%1/sql_d_ref_0.2.3.html").arg(code);
    if (!open_address(url))
        inform(this, tr("help"), tr("no program opens '%1'!").arg(url), msg_kind::warning);
}

void MainWindow::update()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    uint32_t crc = 0;
    update::verdict v = update::verdict::failed;
    if (update::file_crc32(QCoreApplication::applicationFilePath().toStdString(), crc)) {
        const update::endpoint at = update::where();
        v = update::check(at.host, at.port, crc);
    }
    QApplication::restoreOverrideCursor();

    QString text;
    switch (v) {
    case update::verdict::newer:
        text = tr("there is new version, please update from website!");
        break;
    case update::verdict::latest:
        text = tr("the current version is latest version!");
        break;
    case update::verdict::failed:
        text = tr("check version failed!");
        break;
    }
    inform(this, tr("version infomation"), text);
}

void MainWindow::about()
{
    about_dlg dlg(this);
    dlg.exec();
}
