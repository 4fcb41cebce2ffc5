#include "load_tab_dlg.h"

#include "msg_box.h"
#include "ui_load_tab_dlg.h"

load_tab_dlg::load_tab_dlg(QWidget *parent) : QDialog(parent), ui_(new Ui::load_tab_dlg)
{
    ui_->setupUi(this);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &load_tab_dlg::accept);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &load_tab_dlg::reject);
    ui_->c_path_le->setFocus();
}

load_tab_dlg::~load_tab_dlg() = default;

QString load_tab_dlg::path() const
{
    return ui_->c_path_le->text();
}

void load_tab_dlg::accept()
{
    if (path().isEmpty()) {
        inform(this, tr("table path information"), tr("the input table's path is empty."));
        ui_->c_path_le->setFocus();
        return;
    }
    QDialog::accept();
}

void load_tab_dlg::set_path(const QString &path)
{
    ui_->c_path_le->setText(path);
}
