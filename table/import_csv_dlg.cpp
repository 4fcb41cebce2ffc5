#include "import_csv_dlg.h"

#include "msg_box.h"
#include "replace_mode.h"
#include "ui_import_csv_dlg.h"

import_csv_dlg::import_csv_dlg(QWidget *parent) : QDialog(parent), ui_(new Ui::import_csv_dlg)
{
    ui_->setupUi(this);
    // The shown text and the separator the command carries.
    ui_->sp_cmb->addItem(QStringLiteral(","), QStringLiteral(","));
    ui_->sp_cmb->addItem(QStringLiteral(";"), QStringLiteral(";"));
    ui_->sp_cmb->addItem(tr("space"), QStringLiteral(" "));
    ui_->sp_cmb->addItem(QStringLiteral("-"), QStringLiteral("-"));
    ui_->sp_cmb->addItem(QStringLiteral(":"), QStringLiteral(":"));
    ui_->sp_cmb->addItem(QStringLiteral("\\t"), QStringLiteral("\t"));
    ui_->sp_cmb->setCurrentIndex(0);
    ui_->rep_cb->setVisible(false);
    connect(ui_->rep_cb, &QCheckBox::stateChanged, this, &import_csv_dlg::change_replace_mode);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &import_csv_dlg::accept);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &import_csv_dlg::reject);
    ui_->c_path_le->setFocus();
}

import_csv_dlg::~import_csv_dlg() = default;

void import_csv_dlg::set_export_mode(bool on)
{
    export_ = on;
    ui_->rep_cb->setVisible(on);
}

QString import_csv_dlg::path() const
{
    return ui_->c_path_le->text();
}

bool import_csv_dlg::csv() const
{
    return ui_->csv_rb->isChecked();
}

QString import_csv_dlg::separator() const
{
    return ui_->sp_cmb->currentData().toString();
}

bool import_csv_dlg::replace() const
{
    return export_ && ui_->rep_cb->isChecked();
}

void import_csv_dlg::change_replace_mode(int)
{
    confirm_replace_mode(this, ui_->rep_cb, ask_);
}

void import_csv_dlg::accept()
{
    if (path().isEmpty()) {
        inform(this, export_ ? tr("export path information") : tr("import path information"),
               tr("the input path is empty."));
        ui_->c_path_le->setFocus();
        return;
    }
    QDialog::accept();
}

void import_csv_dlg::set_path(const QString &path)
{
    ui_->c_path_le->setText(path);
}
