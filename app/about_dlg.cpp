#include "about_dlg.h"
#include "ui_about_dlg.h"

#include "help_files.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

about_dlg::about_dlg(QWidget *parent) : QDialog(parent), ui(new Ui::about_dlg)
{
    ui->setupUi(this);
    // Translated texts may take more lines than the English: each label gets the height its
    // text needs and pushes the next one down.
    int top = 0;
    for (QLabel *l : {ui->about_lbl, ui->maker_lbl, ui->version_lbl}) {
        const int y = std::max(l->y(), top);
        l->setGeometry(l->x(), y, l->width(), std::max(l->height(), l->heightForWidth(l->width())));
        top = l->geometry().bottom() + 8;
    }
    if (top > ui->lic_btn->y()) {
        ui->lic_btn->move(ui->lic_btn->x(), top);
        resize(width(), top + ui->lic_btn->height() + 35);
    }
    setFixedSize(size());
    // A translated caption wider than the button widens it, centred.
    const int w = ui->lic_btn->sizeHint().width();
    if (w > ui->lic_btn->width())
        ui->lic_btn->setGeometry((width() - w) / 2, ui->lic_btn->y(), w, ui->lic_btn->height());
    connect(ui->lic_btn, &QPushButton::clicked, this, &about_dlg::lic);
}

about_dlg::~about_dlg()
{
    delete ui;
}

QDialog *about_dlg::make_license_window(const QString &path, QWidget *parent)
{
    auto *dlg = new QDialog(parent);
    dlg->setObjectName(QStringLiteral("license_dlg"));
    dlg->resize(800, 600);
    auto *layout = new QVBoxLayout(dlg);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *view = new QPlainTextEdit(dlg);
    view->setObjectName(QStringLiteral("license_view"));
    view->setReadOnly(true);
    layout->addWidget(view);
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        view->setPlainText(QString::fromUtf8(file.readAll()));
        dlg->setWindowTitle(tr("vela database client license"));
    }
    return dlg;
}

void about_dlg::lic()
{
    std::unique_ptr<QDialog> dlg(make_license_window(licenses_path(), this));
    dlg->exec();
}
