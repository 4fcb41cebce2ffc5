#include "save_tab_dlg.h"

#include "msg_box.h"
#include "replace_mode.h"
#include "ui_save_tab_dlg.h"

save_tab_dlg::save_tab_dlg(QWidget *parent) : QDialog(parent), ui_(new Ui::save_tab_dlg)
{
    ui_->setupUi(this);
    connect(ui_->rep_cb, &QCheckBox::stateChanged, this, &save_tab_dlg::change_replace_mode);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &save_tab_dlg::accept);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &save_tab_dlg::reject);
    ui_->c_path_le->setFocus();
}

save_tab_dlg::~save_tab_dlg() = default;

QString save_tab_dlg::path() const
{
    return ui_->c_path_le->text();
}

bool save_tab_dlg::replace() const
{
    return ui_->rep_cb->isChecked();
}

void save_tab_dlg::change_replace_mode(int)
{
    confirm_replace_mode(this, ui_->rep_cb, ask_);
}

void save_tab_dlg::accept()
{
    if (path().isEmpty()) {
        inform(this, tr("path information"), tr("the input path is empty."));
        ui_->c_path_le->setFocus();
        return;
    }
    QDialog::accept();
}

void save_tab_dlg::set_path(const QString &path)
{
    ui_->c_path_le->setText(path);
}
