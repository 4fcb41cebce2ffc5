// The transfer dialogs: an empty path keeps them open with their message, the separator
// choices, and the replace-mode question asked until it is answered Yes.
#include "import_csv_dlg.h"
#include "load_tab_dlg.h"
#include "msg_box.h"
#include "save_tab_dlg.h"
#include "shot.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

template <class T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(name);
    EXPECT_TRUE(c) << name;
    return c;
}

void click_ok(QDialog *d)
{
    child<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Ok)->click();
}

} // namespace

TEST(TransferDialogs, EmptyPathKeepsTheDialogOpen)
{
    import_csv_dlg imp, exp;
    exp.set_export_mode(true);
    save_tab_dlg save;
    load_tab_dlg load;
    struct {
        QDialog *dlg;
        QString title, text;
    } cases[] = {
        {&imp, "import path information", "the input path is empty."},
        {&exp, "export path information", "the input path is empty."},
        {&save, "path information", "the input path is empty."},
        {&load, "table path information", "the input table's path is empty."},
    };
    for (const auto &c : cases) {
        msg_recorder rec;
        c.dlg->show();
        click_ok(c.dlg);
        ASSERT_EQ(rec.shown().size(), 1u) << c.title.toStdString();
        EXPECT_EQ(rec.last().title, c.title);
        EXPECT_EQ(rec.last().text, c.text);
        EXPECT_TRUE(c.dlg->isVisible());
        EXPECT_EQ(c.dlg->result(), QDialog::Rejected);
        // One blank is a path.
        child<QLineEdit>(c.dlg, "c_path_le")->setText(" ");
        click_ok(c.dlg);
        EXPECT_EQ(rec.shown().size(), 1u);
        EXPECT_EQ(c.dlg->result(), QDialog::Accepted);
    }
    EXPECT_EQ(load.path(), " ");
}

TEST(TransferDialogs, SeparatorsAndFormat)
{
    import_csv_dlg d;
    QComboBox *sp = child<QComboBox>(&d, "sp_cmb");
    const QStringList shown{",", ";", "space", "-", ":", "\\t"};
    const QStringList used{",", ";", " ", "-", ":", "\t"};
    ASSERT_EQ(sp->count(), shown.size());
    for (int i = 0; i < sp->count(); ++i) {
        sp->setCurrentIndex(i);
        EXPECT_EQ(sp->currentText(), shown[i]);
        EXPECT_EQ(d.separator(), used[i]);
    }
    EXPECT_TRUE(d.csv());
    child<QRadioButton>(&d, "csvs_rb")->setChecked(true);
    EXPECT_FALSE(d.csv());
    // The replace choice exists only for an export.
    d.show();
    EXPECT_FALSE(child<QCheckBox>(&d, "rep_cb")->isVisible());
    d.set_export_mode(true);
    EXPECT_TRUE(child<QCheckBox>(&d, "rep_cb")->isVisible());
    d.set_path("people_24-05-02_18_25_32.csv");
    save_shot(&d, "import_csv_dlg_export");
}

TEST(TransferDialogs, ReplaceModeAsksUntilYes)
{
    import_csv_dlg imp;
    imp.set_export_mode(true);
    save_tab_dlg save;
    for (QDialog *d : std::initializer_list<QDialog *>{&imp, &save}) {
        QCheckBox *rep = child<QCheckBox>(d, "rep_cb");
        msg_recorder rec(QMessageBox::No);
        rep->setChecked(true);
        ASSERT_EQ(rec.shown().size(), 1u);
        EXPECT_EQ(rec.last().title, "replace mode information");
        EXPECT_EQ(rec.last().kind, msg_kind::warning);
        EXPECT_FALSE(rep->isChecked());
        rec.set_default_answer(QMessageBox::Yes);
        rep->setChecked(true);
        EXPECT_EQ(rec.shown().size(), 2u);
        EXPECT_TRUE(rep->isChecked());
        rep->setChecked(false);
        rep->setChecked(true);
        EXPECT_EQ(rec.shown().size(), 2u);
    }
    EXPECT_TRUE(imp.replace());
    EXPECT_TRUE(save.replace());
}
