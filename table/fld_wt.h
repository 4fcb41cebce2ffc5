#pragma once
// The field list of the data view: a strip that shows the checked field names joined by
// "|", and, while the mouse is over it, the whole list with a check box per field.

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

class fld_wt : public QWidget {
    Q_OBJECT
public:
    explicit fld_wt(QWidget *parent = nullptr);

    void add_fields(const QString &f, bool checked);
    void cls_fields();
    QListWidget *list() const { return list_; }
    QStringList checked_fields() const;
    // Checks exactly the given names, without signalling.
    void set_checked_fields(const QStringList &names);
    bool expanded() const { return expanded_; }
    QString summary() const;
    QSize sizeHint() const override;

signals:
    void field_changed();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void expand();
    void collapse();
    void rebuild_summary();

    QListWidget *list_;
    QLineEdit *line_;
    bool expanded_ = false;
};
