#pragma once
// Asks for the server-side file a table is loaded (or the database restored) from.

#include <QDialog>

#include <memory>

namespace Ui {
class load_tab_dlg;
}

class load_tab_dlg : public QDialog {
    Q_OBJECT
public:
    explicit load_tab_dlg(QWidget *parent = nullptr);
    ~load_tab_dlg() override;

    Ui::load_tab_dlg *form() const { return ui_.get(); }
    QString path() const;

public slots:
    void accept() override;
    void set_path(const QString &path);

private:
    std::unique_ptr<Ui::load_tab_dlg> ui_;
};
