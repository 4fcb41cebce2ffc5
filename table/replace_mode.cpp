#include "replace_mode.h"

#include "msg_box.h"

#include <QCheckBox>
#include <QCoreApplication>

void confirm_replace_mode(QWidget *parent, QCheckBox *box, bool &ask_flag)
{
    if (!box->isChecked() || !ask_flag) return;
    const auto answer =
        ask(parent, QCoreApplication::translate("replace_mode", "replace mode information"),
            QCoreApplication::translate(
                "replace_mode", "note: the replace mode will <span style='color:orange'>replace "
                                "exists file</span>, continue?"),
            QMessageBox::Yes | QMessageBox::No, msg_kind::warning);
    if (answer == QMessageBox::Yes)
        ask_flag = false;
    else
        box->setChecked(false);
}
