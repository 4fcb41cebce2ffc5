#include "col_info.h"

#include "db_access.h"
#include "msg_box.h"
#include "ui_col_info.h"

#include <QComboBox>
#include <QHeaderView>

namespace {
enum column { name_col = 0, type_col = 1, repeat_col = 2 };
}

const QStringList &col_info::type_names()
{
    static const QStringList names{"u08",       "u16",       "u32",      "u64",      "i08",
                                   "i16",       "i32",       "i64",      "float",    "double",
                                   "string04",  "string08",  "string16", "string32", "string64",
                                   "string128", "string256", "date",     "time",     "datetime"};
    return names;
}

col_info::col_info(db_access *db, QWidget *parent) : QWidget(parent), ui_(new Ui::col_info), db_(db)
{
    ui_->setupUi(this);
    ui_->tableWidget->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    connect(ui_->add_btn, &QPushButton::clicked, this, &col_info::add);
    connect(ui_->delete_btn, &QPushButton::clicked, this, &col_info::del);
    connect(ui_->apply_btn, &QPushButton::clicked, this, &col_info::apply);
    connect(ui_->cancel_btn, &QPushButton::clicked, this, &col_info::cancel);
    connect(ui_->tableWidget, &QTableWidget::cellDoubleClicked, this, &col_info::cellDoubleClicked);
    connect(ui_->tableWidget, &QTableWidget::currentCellChanged, this,
            &col_info::currentCellChanged);
    // From the keyboard: Return on a Type or Repeat cell opens its combo box too.
    connect(ui_->tableWidget, &QTableWidget::cellActivated, this, &col_info::cellDoubleClicked);
}

col_info::~col_info() = default;

void col_info::setup(const QString &table, const QString &selected, const QStringList &names,
                     const QStringList &types, const QStringList &repeats, mode m)
{
    ui_->table_le->setText(table);
    selected_ = selected;
    mode_ = m;
    ui_->table_le->setReadOnly(m != create_table);
    const bool rows_on = m == create_table || m == add_fields;
    ui_->add_btn->setEnabled(rows_on);
    ui_->delete_btn->setEnabled(rows_on);
    ui_->apply_btn->setEnabled(m != view);
    ui_->tableWidget->setRowCount(0);
    for (int i = 0; i < names.size(); ++i) {
        const QString repeat = repeats.value(i) == QLatin1String("Yes") ? "true" : "false";
        append_row(names[i], types.value(i), repeat, false);
        const int r = i;
        // The listed cells are read-only; the mode opens the ones it changes.
        if (m == add_fields) {
            for (int c = 0; c < 3; ++c) set_editable(r, c, true);
        } else if (m == rename_field && names[i] == selected) {
            set_editable(r, name_col, true);
        }
    }
    loaded_ = names.size();
    // Remembered by position: in rename mode the name cell is what the user changes.
    selected_row_ = selected.isEmpty() ? -1 : int(names.indexOf(selected));
    if (m == create_table) add();
    const int sel = selected_row();
    if (sel >= 0) ui_->tableWidget->setCurrentCell(sel, m == rename_field ? name_col : type_col);
}

void col_info::append_row(const QString &name, const QString &type, const QString &repeat,
                          bool editable)
{
    QTableWidget *t = ui_->tableWidget;
    const int r = t->rowCount();
    t->insertRow(r);
    t->setItem(r, name_col, new QTableWidgetItem(name));
    t->setItem(r, type_col, new QTableWidgetItem(type));
    t->setItem(r, repeat_col, new QTableWidgetItem(repeat));
    // Type and Repeat change through their combo boxes only.
    for (int c = 0; c < 3; ++c) set_editable(r, c, editable && c == name_col);
}

void col_info::set_editable(int row, int column, bool on)
{
    QTableWidgetItem *it = ui_->tableWidget->item(row, column);
    if (!it) return;
    // Type and Repeat are chosen from combo boxes, never typed.
    const bool typed = on && column == name_col;
    it->setFlags(typed ? it->flags() | Qt::ItemIsEditable : it->flags() & ~Qt::ItemIsEditable);
}

int col_info::selected_row() const
{
    return selected_row_;
}

QString col_info::cell(int row, int column) const
{
    const QTableWidgetItem *it = ui_->tableWidget->item(row, column);
    return it ? it->text() : QString();
}

QStringList col_info::rows() const
{
    QStringList out;
    for (int r = 0; r < ui_->tableWidget->rowCount(); ++r)
        out << cell(r, name_col) + " " + cell(r, type_col) + " " + cell(r, repeat_col);
    return out;
}

void col_info::add(bool)
{
    if (mode_ != create_table && mode_ != add_fields) return;
    close_combo();
    const int r = ui_->tableWidget->rowCount();
    append_row(QStringLiteral("f%1").arg(r + 1), "u32", "true", true);
    ui_->tableWidget->setCurrentCell(r, name_col);
}

void col_info::del(bool)
{
    const int r = ui_->tableWidget->currentRow();
    // Fields that are on the server are not removed here.
    if (r < loaded_ || r < 0) return;
    close_combo();
    ui_->tableWidget->removeRow(r);
}

bool col_info::combo_allowed(int row, int column) const
{
    if (column != type_col && column != repeat_col) return false;
    switch (mode_) {
    case create_table:
        return true;
    case add_fields:
        return true;
    case modify_field:
        return row == selected_row();
    default:
        return false;
    }
}

void col_info::cellDoubleClicked(int r, int c)
{
    if (!combo_allowed(r, c)) return;
    close_combo();
    combo_ = new QComboBox(ui_->tableWidget);
    combo_->addItems(c == type_col ? type_names() : QStringList{"true", "false"});
    combo_->setCurrentText(cell(r, c));
    combo_row_ = r;
    combo_col_ = c;
    connect(combo_, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &col_info::currentIndexChanged);
    ui_->tableWidget->setCellWidget(r, c, combo_);
    combo_->setFocus();
}

void col_info::currentIndexChanged(int)
{
    if (!combo_) return;
    if (QTableWidgetItem *it = ui_->tableWidget->item(combo_row_, combo_col_))
        it->setText(combo_->currentText());
}

void col_info::close_combo()
{
    if (!combo_) return;
    const int r = combo_row_, c = combo_col_;
    // The view deletes it later; until then it must not show over another cell.
    combo_->hide();
    combo_ = nullptr;
    combo_row_ = combo_col_ = -1;
    ui_->tableWidget->removeCellWidget(r, c);
}

void col_info::currentCellChanged(int currentRow, int currentColumn, int previousRow,
                                  int previousColumn)
{
    if (combo_ && (currentRow != previousRow || currentColumn != previousColumn) &&
        previousRow == combo_row_ && previousColumn == combo_col_)
        close_combo();
}

void col_info::report(const QString &title, const QString &text, bool ok)
{
    inform(this, title, text, msg_kind::information, ok ? QString() : db_access::last_reason());
}

void col_info::apply(bool)
{
    close_combo();
    const QString t = ui_->table_le->text();
    const QString ok_word = tr("successful"), failed_word = tr("failed");
    bool ok = false;
    switch (mode_) {
    case create_table: {
        QStringList names, types, repeats;
        for (int r = 0; r < ui_->tableWidget->rowCount(); ++r) {
            names << cell(r, name_col);
            types << cell(r, type_col);
            repeats << cell(r, repeat_col);
        }
        ok = db_->make_table(t, names, types, repeats);
        report(tr("create table result"),
               tr("create table '%1' is %2!").arg(t, ok ? ok_word : failed_word), ok);
        break;
    }
    case add_fields: {
        int r = loaded_;
        for (; r < ui_->tableWidget->rowCount(); ++r)
            if (!db_->add_field(t, cell(r, name_col), cell(r, type_col), cell(r, repeat_col)))
                break;
        ok = r == ui_->tableWidget->rowCount();
        if (ok) {
            report(tr("create field result"), tr("create all field is %1!").arg(ok_word), true);
            break;
        }
        const QString failing = cell(r, name_col);
        report(tr("create field result"), tr("create field '%1' is %2!").arg(failing, failed_word),
               false);
        // The rows before the failure are on the server now: list the table's fields
        // again, and keep the rows that were not sent as new rows.
        QStringList unsent;
        for (int u = r; u < ui_->tableWidget->rowCount(); ++u)
            unsent << cell(u, name_col) + '\n' + cell(u, type_col) + '\n' + cell(u, repeat_col);
        QStringList names, types, repeats;
        db_->table_fields(t, names, types, repeats);
        setup(t, selected_, names, types, repeats, add_fields);
        for (const QString &row : unsent) {
            const QStringList p = row.split('\n');
            append_row(p.value(0), p.value(1), p.value(2), true);
        }
        ui_->tableWidget->setCurrentCell(loaded_, name_col);
        break;
    }
    case modify_field: {
        const int r = selected_row();
        ok = r >= 0 &&
             db_->modify_field(t, cell(r, name_col), cell(r, type_col), cell(r, repeat_col));
        report(tr("modify field result"), tr("modify field is %1!").arg(ok ? ok_word : failed_word),
               ok);
        break;
    }
    case rename_field: {
        const int row = selected_row();
        const QString new_name = row >= 0 ? cell(row, name_col) : QString();
        ok = row >= 0 && db_->rename_field(t, selected_, new_name);
        report(tr("rename field result"),
               tr("rename field '%1' to '%2' is %3!")
                   .arg(selected_, new_name, ok ? ok_word : failed_word),
               ok);
        break;
    }
    case view:
        return;
    }
    if (ok) emit accepted();
}

void col_info::cancel(bool)
{
    emit rejected();
}
