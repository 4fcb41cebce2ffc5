#include "tab_data_model.h"

#include "base/utf8.h"
#include "db_access.h"
#include "local_time_cache.h"
#include "number_text.h"
#include "result_columns.h"

#include "lang/sql_engine.h"

#include <QColor>
#include <QDateTime>
#include <QFont>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
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

bool is_real(const QVariant &v)
{
    return v.userType() == QMetaType::Double || v.userType() == QMetaType::Float;
}

// Whether an edit leaves a cell as it was. Variants call two doubles equal when they agree
// to about twelve digits, which would take an edit further right for no change and never
// send it; reals are compared exactly here (a NaN stays a NaN).
bool same_value(const QVariant &a, const QVariant &b)
{
    if (is_real(a) && is_real(b)) {
        const double x = a.toDouble(), y = b.toDouble();
        return x == y || (std::isnan(x) && std::isnan(y));
    }
    return a == b;
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

// Texts in the order the toolkit's case-insensitive comparison gives them. A text of ASCII
// characters compares as its lower-cased bytes, which is what that comparison does to
// them; its first eight bytes, big-endian, settle most comparisons as one integer. Any
// other text is compared by the toolkit itself.
class text_keys {
public:
    void add_ascii(const char *p, size_t n)
    {
        key k;
        k.from = arena_.size();
        k.size = n;
        arena_.resize(k.from + n);
        char *to = arena_.data() + k.from;
        for (size_t i = 0; i < n; ++i) to[i] = char(fold(static_cast<unsigned char>(p[i])));
        keys_.push_back(k);
    }
    void add_ascii(const QString &s)
    {
        const QByteArray b = s.toLatin1();
        add_ascii(b.constData(), size_t(b.size()));
    }
    void reserve(size_t keys, size_t bytes)
    {
        keys_.reserve(keys);
        arena_.reserve(bytes);
    }
    void add_wide(QString s)
    {
        key k;
        k.wide = int(wide_.size());
        wide_.push_back(std::move(s));
        keys_.push_back(k);
    }
    static bool is_ascii(const char *p, size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            if (static_cast<unsigned char>(p[i]) >= 0x80) return false;
        return true;
    }
    static bool is_ascii(const QString &s)
    {
        for (QChar ch : s)
            if (ch.unicode() >= 0x80) return false;
        return true;
    }

    void order(std::vector<int> &perm)
    {
        // The integer prefix starts after the bytes every ASCII text shares (codes, names
        // with a common stem), where the texts begin to differ.
        size_t shared = SIZE_MAX;
        const key *first = nullptr;
        for (const key &k : keys_) {
            if (k.wide >= 0) continue;
            if (!first) first = &k;
            size_t n = std::min({shared, k.size, first->size});
            const char *a = arena_.data() + first->from, *b = arena_.data() + k.from;
            size_t i = 0;
            while (i < n && a[i] == b[i]) ++i;
            shared = i;
        }
        for (key &k : keys_)
            if (k.wide < 0) k.prefix = prefix_of(arena_.data() + k.from + shared, k.size - shared);
        // What a comparison needs travels with the row number, so that most comparisons
        // touch nothing else: an ASCII text that ends within its prefix is all there.
        struct sort_key {
            uint64_t prefix;
            uint32_t span; // bytes past the shared ones, capped; wide for a non-ASCII text
            int32_t index;
        };
        constexpr uint32_t wide = UINT32_MAX, beyond = 9;
        std::vector<sort_key> keyed(keys_.size());
        for (size_t i = 0; i < keys_.size(); ++i) {
            const key &k = keys_[i];
            const uint32_t span =
                k.wide >= 0 ? wide : uint32_t(std::min<size_t>(k.size - shared, beyond));
            keyed[i] = {k.prefix, span, int32_t(i)};
        }
        std::stable_sort(keyed.begin(), keyed.end(),
                         [this, wide, beyond](const sort_key &a, const sort_key &b) {
                             if (a.span != wide && b.span != wide) {
                                 if (a.prefix != b.prefix) return a.prefix < b.prefix;
                                 // Equal up to where both end: the shorter comes first.
                                 if (a.span < beyond && b.span < beyond) return a.span < b.span;
                             }
                             return compare(keys_[size_t(a.index)], keys_[size_t(b.index)]) < 0;
                         });
        for (size_t i = 0; i < keyed.size(); ++i) perm[i] = keyed[i].index;
    }

private:
    struct key {
        uint64_t prefix = 0;
        size_t from = 0;
        size_t size = 0;
        int wide = -1;
    };
    static unsigned char fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
    static uint64_t prefix_of(const char *p, size_t n)
    {
        uint64_t v = 0;
        for (size_t i = 0; i < 8; ++i) v = v << 8 | (i < n ? static_cast<unsigned char>(p[i]) : 0u);
        return v;
    }
    QLatin1String latin1(const key &k) const
    {
        return QLatin1String(arena_.data() + k.from, int(k.size));
    }
    int compare(const key &a, const key &b) const
    {
        if (a.wide >= 0 && b.wide >= 0)
            return wide_[size_t(a.wide)].compare(wide_[size_t(b.wide)], Qt::CaseInsensitive);
        if (a.wide >= 0) return wide_[size_t(a.wide)].compare(latin1(b), Qt::CaseInsensitive);
        if (b.wide >= 0) return -wide_[size_t(b.wide)].compare(latin1(a), Qt::CaseInsensitive);
        const size_t n = std::min(a.size, b.size);
        const int c = n ? std::memcmp(arena_.data() + a.from, arena_.data() + b.from, n) : 0;
        if (c != 0) return c;
        return three_way(a.size, b.size);
    }

    std::vector<key> keys_;
    std::vector<char> arena_;
    std::vector<QString> wide_;
};

// The key of a value as the rows of its type are compared: dates by day, times by
// millisecond, date-times by their instant, integers by value.
qint64 signed_key(const QVariant &v, int type)
{
    switch (type) {
    case QMetaType::QDate:
        return v.toDate().toJulianDay();
    case QMetaType::QTime:
        return v.toTime().isValid() ? v.toTime().msecsSinceStartOfDay() : -1;
    case QMetaType::QDateTime:
        return v.toDateTime().isValid() ? v.toDateTime().toMSecsSinceEpoch() : INT64_MIN;
    default:
        return v.toLongLong();
    }
}

} // namespace

// A stable ascending order of the shown rows by the edit values of a column. Loaded values
// give their keys straight from the typed array; edited cells from their variants. A
// column whose edits brought in values of another type is compared variant by variant.
std::vector<int> tab_data_model::ascending_order(int column) const
{
    const size_t n = order_.size();
    std::vector<int> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    if (n == 0) return perm;
    const typed_column &col = columns_[size_t(column)];

    // Edit values of this column by stored row (inserted rows always have one).
    std::unordered_map<uint32_t, const QVariant *> edits;
    const uint64_t width = columns_.size();
    for (const auto &entry : extras_)
        if (int(entry.first % width) == column && entry.second.edit_value().isValid())
            edits.emplace(uint32_t(entry.first / width), &entry.second.edit_value());
    auto edit_of = [&](size_t row) -> const QVariant * {
        if (edits.empty()) return nullptr;
        const auto found = edits.find(order_[row]);
        return found == edits.end() ? nullptr : found->second;
    };

    const int base_type = column_meta_type(col.type());
    int type = QMetaType::UnknownType;
    bool uniform = true;
    for (size_t i = 0; i < n && uniform; ++i) {
        const QVariant *e = edit_of(i);
        const int t = e ? e->userType() : base_type;
        if (i == 0) type = t;
        uniform = t == type;
        if (edits.empty()) break;
    }
    auto loaded = [&](size_t row) { return order_[row]; };

    if (uniform) {
        switch (type) {
        case QMetaType::QString: {
            text_keys keys;
            keys.reserve(n, col.bytes());
            for (size_t i = 0; i < n; ++i) {
                if (const QVariant *e = edit_of(i)) {
                    const QString &s = *static_cast<const QString *>(e->constData());
                    if (text_keys::is_ascii(s))
                        keys.add_ascii(s);
                    else
                        keys.add_wide(s);
                    continue;
                }
                const auto s = col.string_at(loaded(i));
                if (text_keys::is_ascii(s.first, s.second))
                    keys.add_ascii(s.first, s.second);
                else
                    keys.add_wide(QString::fromUtf8(s.first, int(s.second)));
            }
            keys.order(perm);
            return perm;
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::QDate:
        case QMetaType::QTime:
        case QMetaType::QDateTime: {
            std::vector<qint64> keys(n);
            local_time_cache zone;
            for (size_t i = 0; i < n; ++i) {
                if (const QVariant *e = edit_of(i)) {
                    keys[i] = signed_key(*e, type);
                    continue;
                }
                const uint32_t r = loaded(i);
                switch (col.type()) {
                case cell_type::i8:
                    keys[i] = col.fixed<int8_t>(r);
                    break;
                case cell_type::i16:
                    keys[i] = col.fixed<int16_t>(r);
                    break;
                case cell_type::i32:
                    keys[i] = col.fixed<int32_t>(r);
                    break;
                case cell_type::i64:
                    keys[i] = col.fixed<int64_t>(r);
                    break;
                case cell_type::date: {
                    const int32_t day = col.fixed<int32_t>(r);
                    keys[i] = day == typed_column::date_invalid ? QDate().toJulianDay() : day;
                    break;
                }
                case cell_type::time:
                    keys[i] = col.fixed<int32_t>(r);
                    break;
                case cell_type::datetime: {
                    const int64_t packed = col.fixed<int64_t>(r);
                    const int32_t day = typed_column::day_of(packed);
                    const int32_t ms = typed_column::msecs_of(packed);
                    if (day == typed_column::date_invalid || ms < 0)
                        keys[i] = signed_key(column_value(col, r), type);
                    else
                        keys[i] = zone.epoch_msecs(day, ms);
                    break;
                }
                default:
                    keys[i] = signed_key(column_value(col, r), type);
                    break;
                }
            }
            order_by(perm, keys, std::less<qint64>());
            return perm;
        }
        case QMetaType::UInt:
        case QMetaType::ULongLong: {
            std::vector<quint64> keys(n);
            for (size_t i = 0; i < n; ++i) {
                if (const QVariant *e = edit_of(i)) {
                    keys[i] = e->toULongLong();
                    continue;
                }
                const uint32_t r = loaded(i);
                switch (col.type()) {
                case cell_type::u8:
                    keys[i] = col.fixed<uint8_t>(r);
                    break;
                case cell_type::u16:
                    keys[i] = col.fixed<uint16_t>(r);
                    break;
                case cell_type::u32:
                    keys[i] = col.fixed<uint32_t>(r);
                    break;
                case cell_type::u64:
                    keys[i] = col.fixed<uint64_t>(r);
                    break;
                default:
                    keys[i] = column_value(col, r).toULongLong();
                    break;
                }
            }
            order_by(perm, keys, std::less<quint64>());
            return perm;
        }
        case QMetaType::Float:
        case QMetaType::Double: {
            std::vector<double> keys(n);
            for (size_t i = 0; i < n; ++i) {
                if (const QVariant *e = edit_of(i)) {
                    keys[i] = e->toDouble();
                    continue;
                }
                const uint32_t r = loaded(i);
                if (col.type() == cell_type::f32)
                    keys[i] = double(col.fixed<float>(r));
                else if (col.type() == cell_type::f64)
                    keys[i] = col.fixed<double>(r);
                else
                    keys[i] = column_value(col, r).toDouble();
            }
            order_by(perm, keys, [](double a, double b) { return three_way_real(a, b) < 0; });
            return perm;
        }
        default:
            break;
        }
    }
    std::vector<QVariant> values(n);
    for (size_t i = 0; i < n; ++i) {
        const QVariant *e = edit_of(i);
        values[i] = e ? *e : column_value(col, loaded(i));
    }
    std::stable_sort(perm.begin(), perm.end(), [&values](int a, int b) {
        return compare_values(values[size_t(a)], values[size_t(b)]) < 0;
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
    order_.clear();
    row_ids_.clear();
    loaded_rows_ = 0;
    next_row_ = 0;
    modified_count_ = 0;
    deleted_ids_.clear();
    new_count_ = 0;
    extras_.clear();
    marks_.clear();
    text_ways_.clear();
    styles_.reset();
    zone_.clear();
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
    lang::parse_result parsed;
    auto parse = [&] {
        parsed = engine.parse_one(sql.constData(), uint64_t(sql.size()));
        if (parsed.result != sql.size()) parsed.tree = {};
        return bool(parsed.tree);
    };
    // A statement that came out of a parse is sent at once; its tree is only needed when
    // it answers with columns.
    if ((!parsed_statements_ && !parse()) || !db_) {
        endResetModel();
        return false;
    }

    // The result goes straight into typed columns and is released at once, so that the
    // rows are never held twice.
    result_columns loaded;
    result_set *rs = db_->run_sql(sql, log_text, no_log);
    const bool ran = rs != nullptr;
    if (rs) {
        read_result(rs, loaded);
        db_access::release(rs);
    }
    QStringList &names = loaded.names;
    QStringList &types = loaded.types;
    if (ran && !names.isEmpty() && !parsed.tree) parse();
    if (ran && types.isEmpty() && !names.isEmpty()) {
        // No rows to read the types from: take them from the table's field list, by name
        // when every column is found there (a query may pick and reorder fields).
        QStringList fields, field_types, repeats;
        // A result tab's model has no table of its own: the statement's table tells.
        QString lookup = table_;
        if (lookup.isEmpty() && parsed.tree)
            if (const lang::parse_node *t =
                    engine.find_first_node(parsed.tree.root(), lang::sql_id::table_name))
                if (!t->text().empty() && t->text()[0] != '[')
                    lookup = QString::fromUtf8(t->text().data(), int(t->text().size()));
        if (!lookup.isEmpty() && db_->table_fields(lookup, fields, field_types, repeats)) {
            QStringList by_name;
            for (const QString &n : names) {
                const int at = fields.indexOf(shown_name(n));
                if (at < 0 || at >= field_types.size()) break;
                by_name << field_types[at];
            }
            types = by_name.size() == names.size() ? by_name : field_types;
        }
        loaded.columns.clear();
        for (const QString &t : types) {
            cell_type storage = cell_type::str;
            storage_type(t, storage);
            loaded.columns.emplace_back(storage);
        }
    }

    if (ran && types.size() == names.size()) {
        const bool can_edit = parsed.tree && tree_editable(parsed.tree.root());
        if (editable) *editable = can_edit;

        const QSignalBlocker block(this);
        const int ncols = names.size();
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
        columns_ = std::move(loaded.columns);
        marks_.assign(columns_.size(), std::vector<uint8_t>());
        row_ids_ = std::move(loaded.row_ids);
        loaded_rows_ = uint32_t(columns_.empty() ? 0 : columns_.front().size());
        next_row_ = loaded_rows_;
        row_ids_.resize(loaded_rows_, new_row_id);
        order_.resize(loaded_rows_);
        std::iota(order_.begin(), order_.end(), uint32_t(0));
        plan_texts();
    }
    endResetModel();
    return ran;
}

// --- cells --------------------------------------------------------------------------------

const dbl_val_item *tab_data_model::extra(uint32_t stored, int column) const
{
    if (extras_.empty()) return nullptr;
    const auto found = extras_.find(cell_key(stored, column));
    return found == extras_.end() ? nullptr : &found->second;
}

dbl_val_item &tab_data_model::extra_for(uint32_t stored, int column)
{
    return extras_[cell_key(stored, column)];
}

// The value a cell was loaded with (or, after an immediate update, what the server has).
QVariant tab_data_model::base_value(uint32_t stored, int column) const
{
    const dbl_val_item *x = extra(stored, column);
    if (x && x->base().isValid()) return x->base();
    if (stored < loaded_rows_) return column_value(columns_[size_t(column)], stored);
    return QVariant();
}

QVariant tab_data_model::edit_value(int row, int column) const
{
    const uint32_t stored = order_[size_t(row)];
    const dbl_val_item *x = extra(stored, column);
    if (x && x->edit_value().isValid()) return x->edit_value();
    return base_value(stored, column);
}

// The value whose display text the grid shows. A loaded local date-time on a day without a
// daylight-saving change reads the same on every clock, so it is handed over as that wall
// clock time in UTC: formatting it then costs no time-zone lookup.
QVariant tab_data_model::shown_value(int row, int column) const
{
    const typed_column &col = columns_[size_t(column)];
    const uint32_t stored = order_[size_t(row)];
    if (col.type() != cell_type::datetime || stored >= loaded_rows_ ||
        extra(stored, column) != nullptr)
        return edit_value(row, column);
    const int64_t packed = col.fixed<int64_t>(stored);
    const int32_t day = typed_column::day_of(packed), msecs = typed_column::msecs_of(packed);
    if (day == typed_column::date_invalid || msecs < 0 || !zone_.plain_day(day))
        return edit_value(row, column);
    return QDateTime(QDate::fromJulianDay(day), QTime::fromMSecsSinceStartOfDay(msecs), Qt::UTC);
}

bool tab_data_model::is_modified(uint32_t stored, int column, const dbl_val_item &x) const
{
    return x.edit_value().isValid() && !same_value(x.edit_value(), base_value(stored, column));
}

// --- QAbstractItemModel -------------------------------------------------------------------

QModelIndex tab_data_model::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || !in_table(row, column)) return QModelIndex();
    return createIndex(row, column);
}

QModelIndex tab_data_model::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int tab_data_model::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || columns_.empty()) return 0;
    return int(order_.size());
}

int tab_data_model::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant tab_data_model::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !in_table(index.row(), index.column())) return QVariant();
    if (role == Qt::DisplayRole) {
        const QVariant v = shown_value(index.row(), index.column());
        item_dlgt *d = column_delegates_[size_t(index.column())];
        return d ? d->to_text(v) : v.toString();
    }
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    if (role == Qt::EditRole) return edit_value(index.row(), index.column());
    const dbl_val_item *x = extra(order_[size_t(index.row())], index.column());
    return x ? x->data(role) : QVariant();
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
    if (!index.isValid() || !in_table(index.row(), index.column())) return {};
    const dbl_val_item *x = extra(order_[size_t(index.row())], index.column());
    QMap<int, QVariant> roles = x ? x->roles() : QMap<int, QVariant>();
    if (!roles.contains(Qt::EditRole))
        roles.insert(Qt::EditRole, edit_value(index.row(), index.column()));
    return roles;
}

Qt::ItemFlags tab_data_model::flags(const QModelIndex &index) const
{
    if (!index.isValid() || !in_table(index.row(), index.column())) return Qt::ItemFlags();
    return Qt::ItemFlags(item_flags);
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

void tab_data_model::restyle(uint32_t stored, int column, dbl_val_item &x)
{
    const bool modified = is_modified(stored, column, x);
    if (!styles_) {
        // The four fonts and three backgrounds a cell can have, made once a load and shared
        // by every cell: a search marks and clears a hundred thousand cells at a time.
        styles_ = std::make_unique<cell_styles>();
        for (int k = 0; k < 4; ++k) {
            QFont font;
            if (k & 2) font.setWeight(75);
            font.setItalic(k & 1);
            styles_->font[k] = font;
        }
        styles_->back[0] = QColor(Qt::white);
        styles_->back[1] = QColor(Qt::darkGreen);
        styles_->back[2] = QColor(Qt::yellow);
    }
    const std::vector<uint8_t> &marks = marks_[size_t(column)];
    const bool marked = stored < marks.size() && marks[stored];
    x.set(Qt::FontRole, styles_->font[(x.in_new ? 2 : 0) | (modified ? 1 : 0)]);
    x.set(Qt::BackgroundRole, styles_->back[marked ? 2 : modified ? 1 : 0]);
    if (modified && !x.in_modified) {
        x.in_modified = true;
        ++modified_count_;
    } else if (!modified && x.in_modified) {
        x.in_modified = false;
        --modified_count_;
    }
}

bool tab_data_model::is_new_row(int row) const
{
    return row >= 0 && size_t(row) < order_.size() && order_[size_t(row)] >= loaded_rows_;
}

bool tab_data_model::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !value.isValid()) return false;
    const int row = index.row(), column = index.column();
    if (!in_table(row, column)) return false;
    const uint32_t stored = order_[size_t(row)];
    dbl_val_item &x = extra_for(stored, column);
    x.set(role, value);
    if (role != Qt::EditRole) {
        emit dataChanged(index, index, {role});
        return true;
    }
    // Rows that exist only in the grid have nothing on the server to update yet.
    if (immediate_ && !is_new_row(row)) {
        const QVariant base = base_value(stored, column);
        if (!same_value(value, base)) {
            if (!update_cell_now(row, column)) {
                x.set(Qt::EditRole, base);
                return false;
            }
            x.set_base(value);
            if (x.in_modified) {
                // It was pending from before immediate mode; now the server has it.
                restyle(stored, column, x);
                changed_rule();
                emit dataChanged(index, index, {Qt::EditRole, Qt::FontRole, Qt::BackgroundRole});
                return true;
            }
            emit dataChanged(index, index, {Qt::EditRole});
            return true;
        }
    }
    restyle(stored, column, x);
    changed_rule();
    emit dataChanged(index, index, {Qt::EditRole, Qt::FontRole, Qt::BackgroundRole});
    return true;
}

bool tab_data_model::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count <= 0 || columns_.empty())
        return false;
    // Stored row numbers are 32-bit and never reused before the next load.
    if (uint64_t(next_row_) + uint64_t(count) > UINT32_MAX) return false;
    beginInsertRows(parent, row, row + count - 1);
    QFont bold;
    bold.setWeight(75);
    for (int n = 0; n < count; ++n) {
        const uint32_t stored = next_row_++;
        for (size_t c = 0; c < columns_.size(); ++c) {
            const QVariant v = default_value(types_[int(c)]);
            dbl_val_item &x = extra_for(stored, int(c));
            x = dbl_val_item(v);
            item_dlgt *d = column_delegates_[c];
            x.set(Qt::DisplayRole, d ? d->to_text(v) : v.toString());
            x.set(Qt::FontRole, bold);
            x.in_new = true;
            ++new_count_;
            changed_rule();
        }
        order_.insert(order_.begin() + row, stored);
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
        const uint32_t stored = order_[size_t(r)];
        for (size_t c = 0; c < columns_.size(); ++c) {
            const uint64_t key = cell_key(stored, int(c));
            const auto found = extras_.find(key);
            if (found != extras_.end()) {
                if (found->second.in_modified) --modified_count_;
                if (found->second.in_new) --new_count_;
            }
            changed_rule();
            if (found != extras_.end()) extras_.erase(found);
            if (stored < marks_[c].size()) marks_[c][stored] = 0;
        }
        if (!was_new) {
            deleted_ids_.insert(row_ids_[size_t(r)]);
            moved = true;
        }
    }
    order_.erase(order_.begin() + row, order_.begin() + row + count);
    row_ids_.erase(row_ids_.begin() + row, row_ids_.begin() + row + count);
    endRemoveRows();
    if (moved) emit changed(true);
    return true;
}

void tab_data_model::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || size_t(column) >= columns_.size() || rowCount() == 0) return;
    std::vector<int> perm = ascending_order(column);
    if (order == Qt::DescendingOrder) std::reverse(perm.begin(), perm.end());

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<uint32_t> rows(perm.size());
    std::vector<uint64_t> ids(perm.size());
    for (size_t to = 0; to < perm.size(); ++to) {
        rows[to] = order_[size_t(perm[to])];
        ids[to] = row_ids_[size_t(perm[to])];
    }
    order_.swap(rows);
    row_ids_.swap(ids);
    // Selections and open editors follow their rows.
    const QModelIndexList old_list = persistentIndexList();
    if (!old_list.isEmpty()) {
        std::vector<int> where(perm.size());
        for (size_t to = 0; to < perm.size(); ++to) where[size_t(perm[to])] = int(to);
        QModelIndexList new_list;
        for (const QModelIndex &i : old_list) new_list << index(where[size_t(i.row())], i.column());
        changePersistentIndexList(old_list, new_list);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

// --- generated statements -----------------------------------------------------------------

QByteArray tab_data_model::quoted_column(int column) const
{
    return db_access::quote_name(headers_[size_t(column)].data(Qt::DisplayRole).toString());
}

QString tab_data_model::cell_text(int row, int column) const
{
    item_dlgt *d = column_delegates_[size_t(column)];
    const QVariant value = edit_value(row, column);
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
    // The modified cells of loaded rows, by stored row: only edited cells have an item.
    std::unordered_map<uint32_t, std::vector<int>> modified;
    const uint64_t width = uint64_t(cols);
    for (const auto &entry : extras_) {
        const uint32_t stored = uint32_t(entry.first / width);
        const int c = int(entry.first % width);
        if (stored < loaded_rows_ && is_modified(stored, c, entry.second))
            modified[stored].push_back(c);
    }
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
        if (modified.empty()) continue;
        const auto found = modified.find(order_[size_t(r)]);
        if (found == modified.end()) continue;
        std::vector<int> &changed_columns = found->second;
        std::sort(changed_columns.begin(), changed_columns.end());
        QByteArray sets;
        for (int c : changed_columns) {
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
    if (!in_table(row, column)) return QByteArray();
    return "update " + db_access::quote_name(table_) + " set " + quoted_column(column) + " = " +
           value_literal(types_[column], edit_value(row, column).toString()) +
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
    if (!in_table(row, column)) return nullptr;
    std::vector<uint8_t> &marks = marks_[size_t(column)];
    if (marks.size() < next_row_) marks.resize(next_row_, 0);
    return &marks[order_[size_t(row)]];
}

bool tab_data_model::set_mark(int row, int column, bool on)
{
    uint8_t *mark = cell_mark(row, column);
    if (!mark) return false;
    *mark = on ? 1 : 0;
    const uint32_t stored = order_[size_t(row)];
    restyle(stored, column, extra_for(stored, column));
    return true;
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
    std::string text;
    append_display_text(index.row(), index.column(), text);
    return QByteArray(text.data(), int(text.size()));
}

// --- display texts without the delegates ---------------------------------------------------
//
// The table search reads the display text of every cell, which through data() costs a
// variant, the delegate's QString and its UTF-8 for each one. A loaded value that nothing
// has replaced is written here from its typed array instead, into the very bytes the
// delegate would give; anything else (edits, inserted rows, values the short way does not
// cover) still goes through the delegate.

namespace {

bool is_signed_storage(cell_type t)
{
    return t == cell_type::i8 || t == cell_type::i16 || t == cell_type::i32 || t == cell_type::i64;
}

bool is_int_storage(cell_type t)
{
    return t <= cell_type::i64;
}

char *put_digits(char *p, unsigned v, int count)
{
    for (int i = count - 1; i >= 0; --i, v /= 10) p[i] = char('0' + v % 10);
    return p + count;
}

// "yyyy-MM-dd" for a day of the years 1 to 9999 (the delegate's form); null for any other.
char *put_date(char *p, int32_t julian_day)
{
    if (julian_day == typed_column::date_invalid) return nullptr;
    int y = 0, m = 0, d = 0;
    QDate::fromJulianDay(julian_day).getDate(&y, &m, &d);
    if (y < 1 || y > 9999) return nullptr;
    p = put_digits(p, unsigned(y), 4);
    *p++ = '-';
    p = put_digits(p, unsigned(m), 2);
    *p++ = '-';
    return put_digits(p, unsigned(d), 2);
}

// "HH:mm:ss.zzz"; null for a time that does not exist.
char *put_time(char *p, int32_t msecs)
{
    if (msecs < 0 || msecs >= 86400000) return nullptr;
    const unsigned ms = unsigned(msecs);
    p = put_digits(p, ms / 3600000, 2);
    *p++ = ':';
    p = put_digits(p, ms / 60000 % 60, 2);
    *p++ = ':';
    p = put_digits(p, ms / 1000 % 60, 2);
    *p++ = '.';
    return put_digits(p, ms % 1000, 3);
}

} // namespace

void tab_data_model::plan_texts()
{
    text_ways_.assign(columns_.size(), text_way::delegate);
    for (size_t c = 0; c < columns_.size(); ++c) {
        const item_dlgt *d = column_delegates_[c];
        const cell_type t = columns_[c].type();
        text_way &way = text_ways_[c];
        if (t == cell_type::str) {
            if (!d || dynamic_cast<const string_item_dlgt *>(d)) way = text_way::bytes;
        } else if (is_int_storage(t)) {
            const auto *i = dynamic_cast<const int_item_dlgt *>(d);
            if (i && number_text::kind_info(i->kind()).is_signed == is_signed_storage(t))
                way = text_way::integer;
        } else if (t == cell_type::f32) {
            if (dynamic_cast<const float_item_dlgt *>(d)) way = text_way::real;
        } else if (t == cell_type::f64) {
            if (dynamic_cast<const double_item_dlgt *>(d)) way = text_way::real;
        } else if (t == cell_type::date) {
            if (dynamic_cast<const date_item_dlgt *>(d)) way = text_way::date;
        } else if (t == cell_type::time) {
            if (dynamic_cast<const time_item_dlgt *>(d)) way = text_way::time;
        } else if (t == cell_type::datetime) {
            if (dynamic_cast<const datetime_item_dlgt *>(d)) way = text_way::datetime;
        }
    }
}

// Whether the grid shows the loaded value of a loaded cell: no item beside it, or one whose
// edit value is that same value of the same type. An unmodified real may still be -0 over
// 0, and date-times compare by their instant whatever clock they show, so an item over one
// of those always takes the long way.
bool tab_data_model::shows_loaded_value(uint32_t stored, int column) const
{
    const dbl_val_item *x = extra(stored, column);
    if (!x || !x->edit_value().isValid()) return !x || !x->base().isValid();
    if (x->in_new || x->in_modified || x->base().isValid()) return false;
    const cell_type t = columns_[size_t(column)].type();
    if (t == cell_type::f32 || t == cell_type::f64 || t == cell_type::datetime) return false;
    return x->edit_value().userType() == column_meta_type(t);
}

bool tab_data_model::append_loaded_text(uint32_t stored, int column, std::string &out) const
{
    const typed_column &col = columns_[size_t(column)];
    const item_dlgt *d = column_delegates_[size_t(column)];
    char buf[number_text::real_text_max];
    char *end = nullptr;
    switch (text_ways_[size_t(column)]) {
    case text_way::delegate:
        return false;
    case text_way::bytes: {
        const auto s = col.string_at(stored);
        // The toolkit drops a leading byte order mark and replaces broken sequences.
        if (!utf8::valid(s.first, s.second) ||
            (s.second >= 3 && std::memcmp(s.first, "\xEF\xBB\xBF", 3) == 0))
            return false;
        out.append(s.first, s.second);
        return true;
    }
    case text_way::integer: {
        number_text::int_value v;
        switch (col.type()) {
        case cell_type::u8:
            v = number_text::from_unsigned(col.fixed<uint8_t>(stored));
            break;
        case cell_type::i8:
            v = number_text::from_signed(col.fixed<int8_t>(stored));
            break;
        case cell_type::u16:
            v = number_text::from_unsigned(col.fixed<uint16_t>(stored));
            break;
        case cell_type::i16:
            v = number_text::from_signed(col.fixed<int16_t>(stored));
            break;
        case cell_type::u32:
            v = number_text::from_unsigned(col.fixed<uint32_t>(stored));
            break;
        case cell_type::i32:
            v = number_text::from_signed(col.fixed<int32_t>(stored));
            break;
        case cell_type::u64:
            v = number_text::from_unsigned(col.fixed<uint64_t>(stored));
            break;
        default:
            v = number_text::from_signed(col.fixed<int64_t>(stored));
            break;
        }
        const int kind = static_cast<const int_item_dlgt *>(d)->kind();
        number_text::int_form form;
        form.mode = d->display_mode();
        form.sign = d->sign_flag();
        form.suffix = d->suffix_flag();
        form.group = kind == 0; // as the delegate does: only u08, and only in the grid
        end = buf + number_text::write_int(kind, v, form, buf);
        break;
    }
    case text_way::real: {
        const bool is_double = col.type() == cell_type::f64;
        const double v = is_double ? col.fixed<double>(stored) : double(col.fixed<float>(stored));
        end = buf + number_text::write_real(is_double, v, d->sign_flag(), d->suffix_flag(), buf);
        break;
    }
    case text_way::date:
        end = put_date(buf, col.fixed<int32_t>(stored));
        break;
    case text_way::time:
        end = put_time(buf, col.fixed<int32_t>(stored));
        break;
    case text_way::datetime: {
        const int64_t packed = col.fixed<int64_t>(stored);
        const int32_t day = typed_column::day_of(packed), msecs = typed_column::msecs_of(packed);
        // A day with a daylight-saving change may show another wall-clock time.
        if (day == typed_column::date_invalid || msecs < 0 || !zone_.plain_day(day)) return false;
        end = put_date(buf, day);
        if (end) {
            *end++ = ' ';
            end = put_time(end, msecs);
        }
        break;
    }
    }
    if (!end) return false;
    out.append(buf, size_t(end - buf));
    return true;
}

void tab_data_model::append_display_text(int row, int column, std::string &out) const
{
    if (!in_table(row, column)) return;
    const uint32_t stored = order_[size_t(row)];
    if (stored < loaded_rows_ && shows_loaded_value(stored, column) &&
        append_loaded_text(stored, column, out))
        return;
    const QByteArray text = data(index(row, column), Qt::DisplayRole).toString().toUtf8();
    out.append(text.constData(), size_t(text.size()));
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
