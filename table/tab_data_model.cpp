#include "tab_data_model.h"

#include "db_access.h"

#include <lang/sql_engine.h>

#include <QColor>
#include <QDateTime>
#include <QFont>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>

namespace {

const int item_flags = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled; // 35

bool is_string_type(const QString &t)
{
    return t.startsWith(QLatin1String("string"));
}

bool is_number_type(const QString &t)
{
    static const QStringList numbers = {"u08", "i08", "u16", "i16",   "u32",
                                        "i32", "u64", "i64", "float", "double"};
    return numbers.contains(t);
}

// The header shows "[a b]" as "a b"; quote_name puts the brackets back when the name
// needs them.
QString shown_name(const QString &name)
{
    if (name.size() > 2 && name.startsWith('[') && name.endsWith(']'))
        return name.mid(1, name.size() - 2);
    return name;
}

template <typename T> int three_way(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// Reals in a total order: NaN after every number, so that sorting stays well defined.
int three_way_real(double a, double b)
{
    if (std::isnan(a) || std::isnan(b)) return int(std::isnan(a)) - int(std::isnan(b));
    return three_way(a, b);
}

// Orders two cell values of possibly different types: the toolkit's own ordering, with
// invalid values first.
int compare_values(const QVariant &a, const QVariant &b)
{
    if (!a.isValid() || !b.isValid()) return int(a.isValid()) - int(b.isValid());
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    return a < b ? -1 : (b < a ? 1 : 0);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
}

// Stable ascending order of the rows by a key taken once per row. Keys travel with their
// row numbers, so a comparison touches nothing but the two pairs (and string bytes).
template <typename K, typename Less>
void order_by(std::vector<int> &perm, const std::vector<K> &keys, Less less)
{
    std::vector<std::pair<K, int>> keyed(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) keyed[i] = {keys[i], int(i)};
    std::stable_sort(keyed.begin(), keyed.end(),
                     [&less](const std::pair<K, int> &a, const std::pair<K, int> &b) {
                         return less(a.first, b.first);
                     });
    for (size_t i = 0; i < keyed.size(); ++i) perm[i] = keyed[i].second;
}

} // namespace

// Cells of one column share a type, so the usual case reads each value's key once into a
// plain array and sorts on that; mixed columns fall back to comparing the variants.
std::vector<int> tab_data_model::ascending_order(const cell_column &col)
{
    const size_t n = col.size();
    std::vector<int> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    if (n == 0) return perm;
    const int type = col.front().item->edit_value().userType();
    bool uniform = true;
    for (const cell &c : col)
        if (c.item->edit_value().userType() != type) {
            uniform = false;
            break;
        }
    auto value = [&col](size_t i) -> const QVariant & { return col[i].item->edit_value(); };
    if (uniform) {
        switch (type) {
        case QMetaType::QString: {
            std::vector<QStringView> keys(n);
            for (size_t i = 0; i < n; ++i)
                keys[i] = QStringView(*static_cast<const QString *>(value(i).constData()));
            // As the toolkit's variant comparison orders texts: without regard to case,
            // texts that differ only in case being ties.
            order_by(perm, keys, [](QStringView a, QStringView b) {
                return a.compare(b, Qt::CaseInsensitive) < 0;
            });
            return perm;
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::QDate:
        case QMetaType::QTime:
        case QMetaType::QDateTime: {
            std::vector<qint64> keys(n);
            for (size_t i = 0; i < n; ++i) {
                const QVariant &v = value(i);
                switch (type) {
                case QMetaType::QDate:
                    keys[i] = v.toDate().toJulianDay();
                    break;
                case QMetaType::QTime:
                    keys[i] = v.toTime().isValid() ? v.toTime().msecsSinceStartOfDay() : -1;
                    break;
                case QMetaType::QDateTime:
                    keys[i] =
                        v.toDateTime().isValid() ? v.toDateTime().toMSecsSinceEpoch() : INT64_MIN;
                    break;
                default:
                    keys[i] = v.toLongLong();
                    break;
                }
            }
            order_by(perm, keys, std::less<qint64>());
            return perm;
        }
        case QMetaType::UInt:
        case QMetaType::ULongLong: {
            std::vector<quint64> keys(n);
            for (size_t i = 0; i < n; ++i) keys[i] = value(i).toULongLong();
            order_by(perm, keys, std::less<quint64>());
            return perm;
        }
        case QMetaType::Float:
        case QMetaType::Double: {
            std::vector<double> keys(n);
            for (size_t i = 0; i < n; ++i) keys[i] = value(i).toDouble();
            order_by(perm, keys, [](double a, double b) { return three_way_real(a, b) < 0; });
            return perm;
        }
        default:
            break;
        }
    }
    std::stable_sort(perm.begin(), perm.end(), [&value](int a, int b) {
        return compare_values(value(size_t(a)), value(size_t(b))) < 0;
    });
    return perm;
}

tab_data_model::tab_data_model(const QString &table, db_access *db, QObject *parent)
    : QAbstractItemModel(parent), db_(db), table_(table)
{
    static const char *const ints[] = {"u08", "i08", "u16", "i16", "u32", "i32", "u64", "i64"};
    for (int k = 0; k < 8; ++k) delegates_[ints[k]] = std::make_unique<int_item_dlgt>(k);
    delegates_["float"] = std::make_unique<float_item_dlgt>();
    delegates_["double"] = std::make_unique<double_item_dlgt>();
    for (int n : {4, 8, 16, 32, 64, 128, 256})
        delegates_[QString("string%1").arg(n, 2, 10, QChar('0'))] =
            std::make_unique<string_item_dlgt>(n);
    delegates_["date"] = std::make_unique<date_item_dlgt>();
    delegates_["time"] = std::make_unique<time_item_dlgt>();
    delegates_["datetime"] = std::make_unique<datetime_item_dlgt>();
}

tab_data_model::~tab_data_model() = default;

// --- static helpers -----------------------------------------------------------------------

QString tab_data_model::type_icon_path(const QString &type_name)
{
    QString name = type_name;
    if (is_string_type(type_name)) {
        bool ok = false;
        const int n = type_name.mid(6).toInt(&ok);
        if (ok) name = QString("string%1").arg(n, 3, 10, QChar('0'));
    }
    return ":/img/type_" + name + ".svg";
}

QIcon tab_data_model::type_icon(const QString &type_name)
{
    return QIcon(type_icon_path(type_name));
}

QVariant tab_data_model::default_value(const QString &t)
{
    if (is_string_type(t) && t.size() > 6) return QString("abc");
    if (t == "date") return QDate(2019, 4, 23);
    if (t == "time") return QTime(18, 0, 0, 0);
    if (t == "datetime") return QDateTime(QDate(2019, 4, 23), QTime(10, 11, 12, 0), Qt::LocalTime);
    if (t == "i08" || t == "u08" || t == "i16" || t == "u16" || t == "i32") return int(0);
    if (t == "u32") return uint(0);
    if (t == "i64") return qlonglong(0);
    if (t == "u64") return qulonglong(0);
    if (t == "float") return 0.0f;
    if (t == "double") return 0.0;
    return QVariant();
}

QByteArray tab_data_model::value_literal(const QString &type_name, const QString &text)
{
    // Strings, dates and times are string literals; quote_str leaves a plain text as it is
    // between its quotes and escapes a text that could end the literal early.
    if (!is_number_type(type_name)) return db_access::quote_str(text);
    // The grid groups digits with blanks for the eye only; a literal has none.
    QByteArray b = text.toUtf8();
    b.replace(' ', QByteArray());
    for (char c : b) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return db_access::quote_str(text); // not a number: let the server refuse it as text
    }
    return b;
}

namespace {

bool tree_editable(const lang::parse_node *root)
{
    const lang::sql_engine &engine = lang::sql_engine::instance();
    for (lang::node_id id : {lang::sql_id::filter, lang::sql_id::group, lang::sql_id::recompute,
                             lang::sql_id::project, lang::sql_id::rename})
        if (engine.contains_node(root, id)) return false;
    return true;
}

} // namespace

bool tab_data_model::query_editable(const QByteArray &sql)
{
    const lang::parse_result parsed =
        lang::sql_engine::instance().parse_one(sql.constData(), uint64_t(sql.size()));
    return parsed.tree && parsed.result == sql.size() && tree_editable(parsed.tree.root());
}

// --- loading ------------------------------------------------------------------------------

void tab_data_model::clear_all()
{
    columns_.clear();
    headers_.clear();
    column_delegates_.clear();
    types_.clear();
    row_ids_.clear();
    modified_count_ = 0;
    deleted_ids_.clear();
    new_count_ = 0;
    items_.clear();
}

dbl_val_item *tab_data_model::new_item(const QVariant &value)
{
    items_.emplace_back(value);
    return &items_.back();
}

bool tab_data_model::load_rows(const QByteArray &sql, bool no_log, bool *editable)
{
    QString log_text;
    return load_rows(sql, no_log, editable, log_text);
}

bool tab_data_model::load_rows(const QByteArray &sql, bool no_log, bool *editable,
                               QString &log_text)
{
    beginResetModel();
    clear_all();
    if (editable) *editable = false;

    const lang::sql_engine &engine = lang::sql_engine::instance();
    lang::parse_result parsed = engine.parse_one(sql.constData(), uint64_t(sql.size()));
    if (!parsed.tree || parsed.result != sql.size() || !db_) {
        endResetModel();
        return false;
    }

    QStringList names, types;
    table_rows rows;
    std::vector<uint64_t> ids;
    const bool ran = db_->run_sql_table(sql, names, rows, types, log_text, no_log, &ids);
    if (ran && types.isEmpty() && !names.isEmpty()) {
        // No rows to read the types from: take them from the table's field list, by name
        // when every column is found there (a query may pick and reorder fields).
        QStringList fields, field_types, repeats;
        if (db_->table_fields(table_, fields, field_types, repeats)) {
            QStringList by_name;
            for (const QString &n : names) {
                const int at = fields.indexOf(shown_name(n));
                if (at < 0 || at >= field_types.size()) break;
                by_name << field_types[at];
            }
            types = by_name.size() == names.size() ? by_name : field_types;
        }
    }

    if (ran && types.size() == names.size()) {
        const bool can_edit = tree_editable(parsed.tree.root());
        if (editable) *editable = can_edit;

        const QSignalBlocker block(this);
        const int ncols = names.size();
        const int nrows = rows.size();
        headers_.reserve(size_t(ncols));
        for (int c = 0; c < ncols; ++c) {
            dbl_val_item h;
            h.set(Qt::EditRole, names[c]);
            h.set(Qt::DisplayRole, shown_name(names[c]));
            h.set(Qt::DecorationRole, type_icon(types[c]));
            headers_.push_back(std::move(h));
            types_ << types[c];
            item_dlgt *d = delegate_of(types[c]);
            if (d) d->set_read_only(!can_edit);
            column_delegates_.push_back(d);
        }
        columns_.assign(size_t(ncols), cell_column());
        for (cell_column &col : columns_) col.reserve(size_t(nrows));
        for (const QVariantList &row : rows) {
            // A row may come back short when a string cell could not be read; the missing
            // cells stay empty rather than shifting the others.
            for (int c = 0; c < ncols; ++c)
                columns_[size_t(c)].push_back(
                    {new_item(c < row.size() ? row[c] : QVariant()), Qt::ItemFlags(item_flags), 0});
        }
        row_ids_ = std::move(ids);
        row_ids_.resize(size_t(nrows), new_row_id);
    }
    endResetModel();
    return ran;
}

// --- QAbstractItemModel -------------------------------------------------------------------

QModelIndex tab_data_model::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex tab_data_model::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int tab_data_model::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || columns_.empty()) return 0;
    return int(columns_.front().size());
}

int tab_data_model::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

const tab_data_model::cell *tab_data_model::cell_at(int row, int column) const
{
    if (row < 0 || column < 0 || size_t(column) >= columns_.size() ||
        size_t(row) >= columns_[size_t(column)].size())
        return nullptr;
    return &columns_[size_t(column)][size_t(row)];
}

QVariant tab_data_model::data(const QModelIndex &index, int role) const
{
    const cell *c = index.isValid() ? cell_at(index.row(), index.column()) : nullptr;
    if (!c) return QVariant();
    if (role == Qt::DisplayRole) {
        item_dlgt *d = column_delegates_[size_t(index.column())];
        return d ? d->to_text(c->item->edit_value()) : c->item->edit_value().toString();
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return c->item->data(role);
}

QVariant tab_data_model::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rowCount())
            return QString::number(section + 1);
        return QVariant();
    }
    if (section < 0 || size_t(section) >= headers_.size()) return QVariant();
    return headers_[size_t(section)].data(role);
}

QMap<int, QVariant> tab_data_model::itemData(const QModelIndex &index) const
{
    const cell *c = index.isValid() ? cell_at(index.row(), index.column()) : nullptr;
    return c ? c->item->roles() : QMap<int, QVariant>();
}

Qt::ItemFlags tab_data_model::flags(const QModelIndex &index) const
{
    const cell *c = index.isValid() ? cell_at(index.row(), index.column()) : nullptr;
    return c ? c->flags : Qt::ItemFlags();
}

// --- editing ------------------------------------------------------------------------------

void tab_data_model::changed_rule()
{
    if (new_count_ == 0) {
        if (modified_count_ == 1)
            emit changed(true);
        else if (modified_count_ == 0)
            emit changed(false);
    } else if (new_count_ == 1) {
        emit changed(true);
    }
}

void tab_data_model::restyle(cell &c)
{
    dbl_val_item *item = c.item;
    const bool modified = item->modified();
    QFont font;
    if (item->in_new) font.setWeight(75);
    font.setItalic(modified);
    QColor back(Qt::white);
    if (modified) back = QColor(Qt::darkGreen);
    if (c.cell_mark) back = QColor(Qt::yellow);
    item->set(Qt::FontRole, font);
    item->set(Qt::BackgroundRole, back);
    if (modified && !item->in_modified) {
        item->in_modified = true;
        ++modified_count_;
    } else if (!modified && item->in_modified) {
        item->in_modified = false;
        --modified_count_;
    }
}

bool tab_data_model::is_new_row(int row) const
{
    const cell *c = cell_at(row, 0);
    return c && c->item->in_new;
}

bool tab_data_model::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !value.isValid()) return false;
    const cell *found = cell_at(index.row(), index.column());
    if (!found) return false;
    cell &c = columns_[size_t(index.column())][size_t(index.row())];
    dbl_val_item *item = c.item;
    item->set(role, value);
    if (role != Qt::EditRole) {
        emit dataChanged(index, index, {role});
        return true;
    }
    // Rows that exist only in the grid have nothing on the server to update yet.
    if (immediate_ && value != item->base() && !is_new_row(index.row())) {
        if (!update_cell_now(index.row(), index.column())) {
            item->set(Qt::EditRole, item->base());
            return false;
        }
        item->set_base(value);
        if (item->in_modified) {
            // It was pending from before immediate mode; now the server has it.
            restyle(c);
            changed_rule();
            emit dataChanged(index, index, {Qt::EditRole, Qt::FontRole, Qt::BackgroundRole});
            return true;
        }
        emit dataChanged(index, index, {Qt::EditRole});
        return true;
    }
    restyle(c);
    changed_rule();
    emit dataChanged(index, index, {Qt::EditRole, Qt::FontRole, Qt::BackgroundRole});
    return true;
}

bool tab_data_model::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count <= 0 || columns_.empty())
        return false;
    beginInsertRows(parent, row, row + count - 1);
    QFont bold;
    bold.setWeight(75);
    for (int n = 0; n < count; ++n) {
        for (size_t c = 0; c < columns_.size(); ++c) {
            const QVariant v = default_value(types_[int(c)]);
            dbl_val_item *item = new_item(v);
            item_dlgt *d = column_delegates_[c];
            item->set(Qt::DisplayRole, d ? d->to_text(v) : v.toString());
            item->set(Qt::FontRole, bold);
            item->in_new = true;
            ++new_count_;
            changed_rule();
            columns_[c].insert(columns_[c].begin() + row, {item, Qt::ItemFlags(item_flags), 0});
        }
        row_ids_.insert(row_ids_.begin() + row, new_row_id);
    }
    endInsertRows();
    return true;
}

bool tab_data_model::removeRows(int row, int count, const QModelIndex &parent)
{
    // The whole range has to exist: a range running past the last row would erase cells
    // that are not there.
    if (parent.isValid() || row < 0 || count <= 0 || row > rowCount() || count > rowCount() - row)
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    bool moved = false;
    for (int r = row; r < row + count; ++r) {
        const bool was_new = is_new_row(r);
        for (cell_column &col : columns_) {
            dbl_val_item *item = col[size_t(r)].item;
            if (item->in_modified) {
                item->in_modified = false;
                --modified_count_;
            }
            if (item->in_new) {
                item->in_new = false;
                --new_count_;
            }
            changed_rule();
        }
        if (!was_new) {
            deleted_ids_.insert(row_ids_[size_t(r)]);
            moved = true;
        }
    }
    for (cell_column &col : columns_) col.erase(col.begin() + row, col.begin() + row + count);
    row_ids_.erase(row_ids_.begin() + row, row_ids_.begin() + row + count);
    endRemoveRows();
    if (moved) emit changed(true);
    return true;
}

void tab_data_model::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || size_t(column) >= columns_.size() || rowCount() == 0) return;
    std::vector<int> perm = ascending_order(columns_[size_t(column)]);
    if (order == Qt::DescendingOrder) std::reverse(perm.begin(), perm.end());

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    for (cell_column &col : columns_) {
        cell_column sorted;
        sorted.reserve(col.size());
        for (int from : perm) sorted.push_back(col[size_t(from)]);
        col.swap(sorted);
    }
    std::vector<uint64_t> ids;
    ids.reserve(row_ids_.size());
    for (int from : perm) ids.push_back(row_ids_[size_t(from)]);
    row_ids_.swap(ids);
    // Selections and open editors follow their rows.
    std::vector<int> where(perm.size());
    for (size_t to = 0; to < perm.size(); ++to) where[size_t(perm[to])] = int(to);
    const QModelIndexList old_list = persistentIndexList();
    QModelIndexList new_list;
    for (const QModelIndex &i : old_list) new_list << index(where[size_t(i.row())], i.column());
    changePersistentIndexList(old_list, new_list);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// --- generated statements -----------------------------------------------------------------

QByteArray tab_data_model::quoted_column(int column) const
{
    return db_access::quote_name(headers_[size_t(column)].data(Qt::DisplayRole).toString());
}

QString tab_data_model::cell_text(int row, int column) const
{
    const cell *c = cell_at(row, column);
    item_dlgt *d = column_delegates_[size_t(column)];
    const QVariant &value = c->item->edit_value();
    if (!d) return value.toString();
    const QString text = d->to_text(value);
    // The grid writes reals with a fixed count of decimals, which turns 1e-12 into zero.
    // When that text does not read back to the cell's value, the statement gets a text
    // that does.
    const QString &type = types_[column];
    if (type == QLatin1String("float") || type == QLatin1String("double")) {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (ok && std::isfinite(v) && d->from_text(text) != value)
            return type == QLatin1String("float") ? QString::number(double(float(v)), 'g', 9)
                                                  : QString::number(v, 'g', 17);
    }
    return text;
}

QByteArray tab_data_model::commit_text() const
{
    const QByteArray table = db_access::quote_name(table_);
    QByteArray text = "atom_exec ";
    bool any = false;
    const int rows = rowCount();
    const int cols = columnCount();
    for (int r = 0; r < rows; ++r) {
        if (is_new_row(r)) {
            QByteArray names, values;
            for (int c = 0; c < cols; ++c) {
                if (c > 0) {
                    names += ", ";
                    values += ", ";
                }
                names += quoted_column(c);
                values += value_literal(types_[c], cell_text(r, c));
            }
            text += " insert into " + table + " ( " + names + " )" + " values ( " + values + " );";
            any = true;
            continue;
        }
        QByteArray sets;
        for (int c = 0; c < cols; ++c) {
            if (!columns_[size_t(c)][size_t(r)].item->modified()) continue;
            if (!sets.isEmpty()) sets += ", ";
            sets += quoted_column(c) + " = " + value_literal(types_[c], cell_text(r, c));
        }
        if (!sets.isEmpty()) {
            text += " update " + table + " set " + sets +
                    " where __id == " + QByteArray::number(qulonglong(row_ids_[size_t(r)])) + ";";
            any = true;
        }
    }
    for (uint64_t id : deleted_ids_) {
        text +=
            "delete from " + table + " where __id == " + QByteArray::number(qulonglong(id)) + ";";
        any = true;
    }
    if (!any) return QByteArray();
    return text + " commit;";
}

bool tab_data_model::commit_changes()
{
    const QByteArray text = commit_text();
    if (text.isEmpty()) return true;
    if (!db_) return false;
    QStringList names, types;
    table_rows rows;
    QString log_line;
    return db_->run_sql_table(text, names, rows, types, log_line);
}

QByteArray tab_data_model::update_text(int row, int column) const
{
    const cell *c = cell_at(row, column);
    if (!c) return QByteArray();
    return "update " + db_access::quote_name(table_) + " set " + quoted_column(column) + " = " +
           value_literal(types_[column], c->item->edit_value().toString()) +
           " where __id == " + QByteArray::number(qulonglong(row_ids_[size_t(row)]));
}

bool tab_data_model::update_cell_now(int row, int column)
{
    const QByteArray text = update_text(row, column);
    if (text.isEmpty() || !db_) return false;
    QStringList names, types;
    table_rows rows;
    QString log_line;
    return db_->run_sql_table(text, names, rows, types, log_line);
}

// --- accessors ----------------------------------------------------------------------------

void tab_data_model::set_read_only(bool on)
{
    for (item_dlgt *d : column_delegates_)
        if (d) d->set_read_only(on);
}

bool tab_data_model::set_number_mode(const QString &name)
{
    bool ok = true;
    for (auto &entry : delegates_) ok = entry.second->set_number_mode(name) && ok;
    if (ok && rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
    return ok;
}

uint8_t *tab_data_model::cell_mark(int row, int column)
{
    if (!cell_at(row, column)) return nullptr;
    return &columns_[size_t(column)][size_t(row)].cell_mark;
}

bool tab_data_model::set_cell(int row, int column, const QVariant &value, int role)
{
    return setData(index(row, column), value, role);
}

QVariant tab_data_model::text_to_value(int column, const QString &text) const
{
    item_dlgt *d = column_delegate(column);
    return d ? d->from_text(text) : QVariant();
}

QString tab_data_model::type_name(int column) const
{
    return column >= 0 && column < types_.size() ? types_[column] : QString();
}

QByteArray tab_data_model::display_text(const QModelIndex &index) const
{
    return data(index, Qt::DisplayRole).toString().toUtf8();
}

bool tab_data_model::column_read_only(int column) const
{
    item_dlgt *d = column_delegate(column);
    return d ? d->read_only() : true;
}

item_dlgt *tab_data_model::column_delegate(int column) const
{
    if (column < 0 || size_t(column) >= column_delegates_.size()) return nullptr;
    return column_delegates_[size_t(column)];
}

item_dlgt *tab_data_model::delegate_of(const QString &type_name) const
{
    auto it = delegates_.find(type_name);
    return it == delegates_.end() ? nullptr : it->second.get();
}

QString tab_data_model::column_name(int column) const
{
    if (column < 0 || size_t(column) >= headers_.size()) return QString();
    return headers_[size_t(column)].data(Qt::EditRole).toString();
}

uint64_t tab_data_model::row_id(int row) const
{
    return row >= 0 && size_t(row) < row_ids_.size() ? row_ids_[size_t(row)] : new_row_id;
}
