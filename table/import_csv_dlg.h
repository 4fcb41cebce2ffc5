#pragma once
// Collects what a CSV import or export needs: the format (csv or csvs), the separator,
// the server-side path and, for an export, whether an existing file is replaced.

#include <QDialog>

#include <memory>

namespace Ui {
class import_csv_dlg;
}

class import_csv_dlg : public QDialog {
    Q_OBJECT
public:
    explicit import_csv_dlg(QWidget *parent = nullptr);
    ~import_csv_dlg() override;

    Ui::import_csv_dlg *form() const { return ui_.get(); }
    void set_export_mode(bool on);
    bool export_mode() const { return export_; }
    QString path() const;
    bool csv() const;          // false for csvs
    QString separator() const; // the character itself: a tab for the "\t" entry
    bool replace() const;

public slots:
    void change_replace_mode(int state);
    void accept() override;
    void set_path(const QString &path);

private:
    std::unique_ptr<Ui::import_csv_dlg> ui_;
    bool export_ = false;
    bool ask_ = true;
};
