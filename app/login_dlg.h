// The frameless login form shown at start-up. A successful login opens the connection,
// creates the one main window and remembers (or resets) the default login values.
#pragma once

#include <QDialog>
#include <memory>

class MainWindow;

namespace Ui {
class login_dlg;
}

class login_dlg : public QDialog {
    Q_OBJECT

public:
    explicit login_dlg(QWidget *parent = nullptr);
    ~login_dlg() override;

    // The main window created by the first successful login, or null.
    MainWindow *main_window() const { return main_.get(); }

    // Whether a text is a dotted IPv4 address / a port the form accepts.
    static bool valid_ip(const QString &text);
    static bool valid_port(const QString &text);

public slots:
    void login();
    void ipChanged(const QString &text);
    void portChanged(const QString &text);

private:
    void store_defaults(bool keep);
    void fit_texts();

    Ui::login_dlg *ui;
    std::unique_ptr<MainWindow> main_;
};
