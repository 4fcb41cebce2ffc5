// The about box, with the window that shows the licences.
#pragma once

#include <QDialog>

namespace Ui {
class about_dlg;
}

class about_dlg : public QDialog {
    Q_OBJECT
public:
    explicit about_dlg(QWidget *parent = nullptr);
    ~about_dlg() override;

    // The licences window for the file at `path`: its text and title when it reads, else
    // empty and untitled. The caller runs it.
    static QDialog *make_license_window(const QString &path, QWidget *parent);

public slots:
    // Shows the licences modally.
    void lic();

private:
    Ui::about_dlg *ui;
};
