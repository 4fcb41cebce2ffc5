#pragma once
// Creates a table, or lists, adds, modifies and renames its fields: a grid of Name, Type
// and Repeat whose rows Apply turns into create and alter commands.

#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class col_info;
}
class QComboBox;
class db_access;

class col_info : public QWidget {
    Q_OBJECT
public:
    enum mode { create_table, add_fields, modify_field, rename_field, view };

    explicit col_info(db_access *db, QWidget *parent = nullptr);
    ~col_info() override;

    // Called once by the main window. `repeats` are the field list's answers ("Yes" or
    // anything else).
    void setup(const QString &table, const QString &selected, const QStringList &names,
               const QStringList &types, const QStringList &repeats, mode m);
    mode current_mode() const { return mode_; }
    int loaded_count() const { return loaded_; }
    // The grid's rows as "name type repeat".
    QStringList rows() const;

    static const QStringList &type_names();

signals:
    // Emitted only when Apply succeeded, so the form stays with its grid on a failure.
    void accepted();
    void rejected();

public slots:
    void add(bool = false);
    void del(bool = false);
    void apply(bool = false);
    void cancel(bool = false);
    void currentIndexChanged(int i);
    void cellDoubleClicked(int r, int c);
    void currentCellChanged(int currentRow, int currentColumn, int previousRow, int previousColumn);

private:
    void append_row(const QString &name, const QString &type, const QString &repeat, bool editable);
    void set_editable(int row, int column, bool on);
    bool combo_allowed(int row, int column) const;
    void close_combo();
    int selected_row() const;
    QString cell(int row, int column) const;
    void report(const QString &title, const QString &text, bool ok);

    std::unique_ptr<Ui::col_info> ui_;
    QString selected_;
    int loaded_ = 0;
    int selected_row_ = -1;
    mode mode_ = view;
    db_access *db_;
    QComboBox *combo_ = nullptr;
    int combo_row_ = -1, combo_col_ = -1;
};
