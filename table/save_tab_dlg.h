#pragma once
// Asks for the server-side file a table is saved (or the database backed up) to, and
// whether an existing file is replaced.

#include <QDialog>

#include <memory>

namespace Ui {
class save_tab_dlg;
}

class save_tab_dlg : public QDialog {
    Q_OBJECT
public:
    explicit save_tab_dlg(QWidget *parent = nullptr);
    ~save_tab_dlg() override;

    Ui::save_tab_dlg *form() const { return ui_.get(); }
    QString path() const;
    bool replace() const;

public slots:
    void change_replace_mode(int state);
    void accept() override;
    void set_path(const QString &path);

private:
    std::unique_ptr<Ui::save_tab_dlg> ui_;
    bool ask_ = true;
};
