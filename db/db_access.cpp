#include "db_access.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTime>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "velalink.h"

#include "base/wire.h"
#include "exec_log.h"

namespace {

// The local time as "yyyy-MM-dd hh:mm:ss.zzz". The calendar part is worked out once per
// second: asking for the local date and time each time costs a look at the time zone file,
// several microseconds per statement in a long run of short ones.
QString log_stamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const long long ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
    const std::time_t secs = std::time_t(ms / 1000);
    thread_local std::time_t last = -1;
    thread_local char head[64];
    if (secs != last) {
        std::tm t{};
        localtime_r(&secs, &t);
        std::snprintf(head, sizeof head, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900,
                      t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
        last = secs;
    }
    char stamp[80];
    const int n = std::snprintf(stamp, sizeof stamp, "%s.%03d", head, int(ms % 1000));
    return QString::fromLatin1(stamp, n);
}

// Every byte of a text, a zero byte included: the QByteArray overload of
// QString::fromUtf8 stops at the first zero, and the dialect's strings and bracketed
// names may hold one.
QString utf8_text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes.constData(), bytes.size());
}

bool is_word_byte(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

QByteArray hex_escaped(const QByteArray &text)
{
    static const char digits[] = "0123456789abcdef";
    QByteArray out;
    out.reserve(text.size() * 4);
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        out += '\\';
        out += 'x';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

QByteArray name_of(const QString &s)
{
    return db_access::quote_name(s.toUtf8());
}

QByteArray path_of(const QString &s)
{
    return db_access::quote_str(s.toUtf8());
}

// "csv split by "" or "csvs split by "", before the separator.
QByteArray format_of(bool csv)
{
    return csv ? QByteArrayLiteral("csv split by \"") : QByteArrayLiteral("csvs split by \"");
}

QByteArray replace_mark(bool replace)
{
    return replace ? QByteArrayLiteral("+") : QByteArray();
}

using str_reader = void (*)(char **, uint64_t *, const cell_value *);

// The string reader of a type code 2..8, or null.
str_reader string_reader(int code)
{
    switch (code) {
    case 2:
        return as_str4;
    case 3:
        return as_str8;
    case 4:
        return as_str16;
    case 5:
        return as_str32;
    case 6:
        return as_str64;
    case 7:
        return as_str128;
    case 8:
        return as_str256;
    default:
        return nullptr;
    }
}

// The bytes of a string cell, or false when the reader handed back nothing.
bool read_string(const cell_value *cell, str_reader reader, QByteArray &out)
{
    char *copy = nullptr;
    uint64_t len = 0;
    reader(&copy, &len, cell);
    if (!copy) return false;
    // The readers never hand out more than 255 bytes; keep the bound here all the same.
    out = QByteArray(copy, static_cast<int>(len < 256 ? len : 255));
    std::free(copy);
    return true;
}

QTime time_of(const cell_value *cell)
{
    int h = 0, m = 0, s = 0, fraction = 0;
    as_time(&h, &m, &s, &fraction, cell);
    return QTime(h, m, s, fraction / 1000000);
}

// One cell as a variant, by the cell's own type; false for a type the table cannot show.
bool cell_variant(const cell_value *cell, QVariant &out)
{
    const int code = val_type(cell);
    switch (code) {
    case 0: {
        const bool is_unsigned = val_sign(cell) == 1;
        switch (val_size(cell)) {
        case 1:
            out = is_unsigned ? QVariant(static_cast<uint>(as_uint8(cell)))
                              : QVariant(static_cast<int>(as_int8(cell)));
            break;
        case 2:
            out = is_unsigned ? QVariant(static_cast<uint>(as_uint16(cell)))
                              : QVariant(static_cast<int>(as_int16(cell)));
            break;
        case 4:
            out = is_unsigned ? QVariant(static_cast<uint>(as_uint32(cell)))
                              : QVariant(static_cast<int>(as_int32(cell)));
            break;
        default:
            out = is_unsigned ? QVariant(static_cast<qulonglong>(as_uint64(cell)))
                              : QVariant(static_cast<qlonglong>(as_int64(cell)));
            break;
        }
        return true;
    }
    case 1:
        out = val_size(cell) == 4 ? QVariant(as_float(cell)) : QVariant(as_double(cell));
        return true;
    case 9: {
        int y = 0, mo = 0, d = 0;
        as_date(&y, &mo, &d, cell);
        out = QDate(y, mo, d);
        return true;
    }
    case 10:
        out = time_of(cell);
        return true;
    case 11: {
        int y = 0, mo = 0, d = 0;
        as_date(&y, &mo, &d, cell);
        out = QDateTime(QDate(y, mo, d), time_of(cell), Qt::LocalTime);
        return true;
    }
    default:
        break;
    }
    if (str_reader reader = string_reader(code)) {
        QByteArray bytes;
        // A string the reader could not copy still takes its column, so the row keeps
        // one value per column.
        out = read_string(cell, reader, bytes) ? utf8_text(bytes) : QString();
        return true;
    }
    return false;
}

void bad_type(QStringList &names, QStringList &type_names, table_rows &rows,
              std::vector<uint64_t> *row_ids)
{
    std::printf("bad type\n");
    std::fflush(stdout);
    names.clear();
    type_names.clear();
    rows.clear();
    if (row_ids) row_ids->clear();
}

} // namespace

namespace {

// The session's state, like the connection itself, belongs to the calling thread.
struct session_state {
    QByteArray ip, user, password;
    int port = 0;
    bool known = false; // a login was tried
    QString reason;
};

session_state &session()
{
    thread_local session_state s;
    return s;
}

} // namespace

db_access::db_access(const QByteArray &name, exec_log *log) : name_(name), log_(log) {}

bool db_access::login(const QString &ip, int port, const QString &user, const QString &password)
{
    session_state &s = session();
    s.ip = ip.toUtf8();
    s.port = port;
    s.user = user.toUtf8();
    s.password = password.toUtf8();
    s.known = true;
    const bool ok =
        connect_to_server(s.ip.constData(), port, s.user.constData(), s.password.constData());
    s.reason = ok ? QString() : QString::fromUtf8(last_error());
    return ok;
}

bool db_access::reconnect()
{
    session_state &s = session();
    if (!s.known) {
        s.reason = QCoreApplication::translate("db_access", "not logged in");
        return false;
    }
    exit_to_server();
    const bool ok =
        connect_to_server(s.ip.constData(), s.port, s.user.constData(), s.password.constData());
    s.reason = ok ? QString() : QString::fromUtf8(last_error());
    return ok;
}

void db_access::logout()
{
    exit_to_server();
}

QString db_access::last_reason()
{
    return session().reason;
}

void db_access::release(result_set *rs)
{
    del_datas(rs);
}

result_set *db_access::run_sql(const QByteArray &sql, QString &log_line, bool no_log)
{
    const QString started = log_stamp();
    const auto t0 = std::chrono::steady_clock::now();
    result_set *rs = exec(sql.constData(), sql.size());
    session().reason = rs ? QString() : QString::fromUtf8(last_error());
    const QString escaped = utf8_text(sql).toHtmlEscaped();
    QString outcome = rs ? QStringLiteral("<span style='color:green'>successful</span>")
                         : QStringLiteral("<span style='color:red'>failed    </span>");
    if (!rs && !session().reason.isEmpty())
        outcome += QStringLiteral(" (") + session().reason.toHtmlEscaped() + QLatin1Char(')');
    const auto t1 = std::chrono::steady_clock::now();
    const double us =
        std::chrono::duration_cast<std::chrono::nanoseconds>(t1 - t0).count() / 1000.0;
    char time_text[64];
    const int time_len = std::snprintf(time_text, sizeof time_text, "%f", us);
    // One buffer for the whole line: a long run builds one per statement.
    log_line.clear();
    log_line.reserve(started.size() + escaped.size() + outcome.size() + time_len + 96);
    log_line += started;
    log_line += QLatin1String(" execute sql:<div style='color:#52a6c4'>    ");
    log_line += escaped;
    log_line += QLatin1String("</div><br>    result: ");
    log_line += outcome;
    log_line += QLatin1String(" , use time: <b>");
    log_line += QLatin1String(time_text, time_len);
    log_line += QLatin1String("</b> us.<br>");
    if (!no_log) append_log(log_line);
    return rs;
}

result_set *db_access::run_sql(const QByteArray &sql)
{
    QString line;
    return run_sql(sql, line, false);
}

void db_access::append_log(const QString &line)
{
    if (log_) log_->add(line);
}

void db_access::append_log(const std::vector<QString> &lines)
{
    if (log_) log_->add(lines);
}

bool db_access::run_sql_table(const QByteArray &sql, QStringList &names, table_rows &rows,
                              QStringList &type_names, QString &log_line, bool no_log,
                              std::vector<uint64_t> *row_ids)
{
    result_set *rs = run_sql(sql, log_line, no_log);
    if (!rs) return false;
    result_to_table(rs, names, type_names, rows, row_ids);
    del_datas(rs);
    return true;
}

QString db_access::type_name_of(const cell_value *cell)
{
    return QString::fromLatin1(
        wire::type_name(val_type(cell), val_size(cell), val_sign(cell) == 1));
}

void db_access::result_to_table(const result_set *rs, QStringList &names, QStringList &type_names,
                                table_rows &rows, std::vector<uint64_t> *row_ids)
{
    const uint64_t cols = cols_of(rs);
    const uint64_t row_count = rows_of(rs);
    for (uint64_t c = 0; c < cols && c <= INT_MAX; ++c) {
        int len = 0;
        const char *p = col_name(&len, rs, static_cast<int>(c));
        names.append(p && len > 0 ? QString::fromUtf8(p, len) : QString());
    }
    for (uint64_t c = 0; c < cols; ++c) {
        const cell_value *cell = at(0, c, rs);
        if (!cell) break;
        const QString type = type_name_of(cell);
        if (type.isEmpty()) {
            bad_type(names, type_names, rows, row_ids);
            return;
        }
        type_names.append(type);
    }
    if (type_names.size() != names.size()) return;
    for (uint64_t r = 0; r < row_count; ++r) {
        if (row_ids) row_ids->push_back(sid_of(rs, r));
        QVariantList row;
        row.reserve(static_cast<int>(cols));
        for (uint64_t c = 0; c < cols; ++c) {
            const cell_value *cell = at(r, c, rs);
            QVariant v;
            if (!cell || !cell_variant(cell, v)) {
                bad_type(names, type_names, rows, row_ids);
                return;
            }
            row.append(v);
        }
        rows.append(row);
    }
}

QByteArray db_access::cell_text(const cell_value *cell)
{
    QByteArray out;
    if (!cell) return out;
    if (str_reader reader = string_reader(val_type(cell))) read_string(cell, reader, out);
    return out;
}

QByteArray db_access::quote_name(const QByteArray &name)
{
    if (name.isEmpty()) return name;
    bool escape = false, plain = true;
    for (char ch : name) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == '\n' || c == '[' || c == ']' || c == '\\') escape = true;
        if (!is_word_byte(c)) plain = false;
    }
    if (escape) return '[' + hex_escaped(name) + ']';
    if (!plain || (name[0] >= '0' && name[0] <= '9')) return '[' + name + ']';
    return name;
}

QByteArray db_access::quote_str(const QByteArray &text)
{
    for (char c : text)
        if (c == '\n' || c == '"' || c == '\\') return '"' + hex_escaped(text) + '"';
    return '"' + text + '"';
}

// ---- command texts ----

QByteArray db_access::make_table_text(const QString &table, const QStringList &fields,
                                      const QStringList &types, const QStringList &repeats)
{
    // The three lists are parallel; a field without a type or repeat value cannot be sent.
    if (table.isEmpty() || fields.isEmpty() || types.size() < fields.size() ||
        repeats.size() < fields.size())
        return QByteArray();
    QByteArray sql = "create table " + name_of(table) + " ( ";
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += name_of(fields[i]) + ' ' + types[i].toUtf8() + "( " + repeats[i].toUtf8() + " )";
    }
    return sql + " );";
}

QByteArray db_access::add_field_text(const QString &table, const QString &field,
                                     const QString &type, const QString &repeat)
{
    if (table.isEmpty()) return QByteArray();
    return "alter table " + name_of(table) + " add " + name_of(field) + ' ' + type.toUtf8() +
           " ( " + repeat.toUtf8() + " );";
}

QByteArray db_access::modify_field_text(const QString &table, const QString &field,
                                        const QString &type, const QString &repeat)
{
    if (table.isEmpty()) return QByteArray();
    return "alter table " + name_of(table) + " modify " + name_of(field) + ' ' + type.toUtf8() +
           " ( " + repeat.toUtf8() + " );";
}

QByteArray db_access::rename_field_text(const QString &table, const QString &old_name,
                                        const QString &new_name)
{
    if (table.isEmpty()) return QByteArray();
    return "alter table " + name_of(table) + " rename " + name_of(old_name) + ' ' +
           name_of(new_name) + ';';
}

QByteArray db_access::drop_field_text(const QString &table, const QString &field)
{
    if (table.isEmpty()) return QByteArray();
    return "alter table " + name_of(table) + " drop " + name_of(field) + ';';
}

QByteArray db_access::remove_table_text(const QString &table)
{
    if (table.isEmpty()) return QByteArray();
    return "drop table " + name_of(table) + ';';
}

QByteArray db_access::empty_table_text(const QString &table)
{
    if (table.isEmpty()) return QByteArray();
    return "truncate table " + name_of(table) + ';';
}

QByteArray db_access::fields_of_text(const QString &table)
{
    if (table.isEmpty()) return QByteArray();
    return "fields_of " + name_of(table) + ';';
}

QByteArray db_access::table_names_text()
{
    return QByteArrayLiteral("show tables;");
}

QByteArray db_access::export_query_text(const QString &query, const QString &path, bool csv,
                                        const QString &separator, bool replace)
{
    return query.toUtf8() + " export as " + format_of(csv) + separator.toUtf8() + "\" path" +
           replace_mark(replace) + '=' + path_of(path) + ';';
}

QByteArray db_access::export_table_text(const QString &table, const QString &path, bool csv,
                                        const QString &separator, bool replace)
{
    const QByteArray query = "select * from " + name_of(table);
    return export_query_text(utf8_text(query), path, csv, separator, replace);
}

QByteArray db_access::import_table_text(const QString &table, const QString &path, bool csv,
                                        const QString &separator)
{
    return "import " + name_of(table) + " from " + format_of(csv) + separator.toUtf8() +
           "\" path=" + path_of(path) + ';';
}

QByteArray db_access::load_table_text(const QString &table, const QString &path)
{
    return "load " + name_of(table) + " from sql path=" + path_of(path) + ';';
}

QByteArray db_access::save_table_text(const QString &table, const QString &path, bool replace)
{
    return "save " + name_of(table) + " as sql path" + replace_mark(replace) + '=' + path_of(path) +
           ';';
}

QByteArray db_access::backup_db_text(const QString &path, bool replace)
{
    return "backup as sql path" + replace_mark(replace) + '=' + path_of(path) + ';';
}

QByteArray db_access::restore_db_text(const QString &path)
{
    return "restore from sql path=" + path_of(path) + ';';
}

// ---- command builders ----

bool db_access::run_command(const QByteArray &sql)
{
    if (sql.isEmpty()) return false;
    result_set *rs = run_sql(sql);
    const bool ok = rs != nullptr;
    del_datas(rs);
    return ok;
}

bool db_access::collect(const QByteArray &sql, QList<QStringList *> columns)
{
    if (sql.isEmpty()) return false;
    result_set *rs = run_sql(sql);
    if (!rs) return false;
    const uint64_t rows = rows_of(rs);
    bool named = false;
    for (uint64_t r = 0; r < rows; ++r) {
        for (int c = 0; c < columns.size(); ++c)
            columns[c]->append(utf8_text(cell_text(at(r, static_cast<uint64_t>(c), rs))));
        named = named || !columns[0]->constLast().isEmpty();
    }
    del_datas(rs);
    return named;
}

bool db_access::make_table(const QString &table, const QStringList &fields,
                           const QStringList &types, const QStringList &repeats)
{
    return run_command(make_table_text(table, fields, types, repeats));
}

bool db_access::add_field(const QString &table, const QString &field, const QString &type,
                          const QString &repeat)
{
    return run_command(add_field_text(table, field, type, repeat));
}

bool db_access::modify_field(const QString &table, const QString &field, const QString &type,
                             const QString &repeat)
{
    return run_command(modify_field_text(table, field, type, repeat));
}

bool db_access::rename_field(const QString &table, const QString &old_name, const QString &new_name)
{
    return run_command(rename_field_text(table, old_name, new_name));
}

bool db_access::drop_field(const QString &table, const QString &field)
{
    return run_command(drop_field_text(table, field));
}

bool db_access::remove_table(const QString &table)
{
    return run_command(remove_table_text(table));
}

bool db_access::empty_table(const QString &table)
{
    return run_command(empty_table_text(table));
}

bool db_access::table_fields(const QString &table, QStringList &fields, QStringList &types,
                             QStringList &repeats)
{
    return collect(fields_of_text(table), {&fields, &types, &repeats});
}

bool db_access::field_names(const QString &table, QStringList &fields)
{
    return collect(fields_of_text(table), {&fields});
}

bool db_access::table_names(QStringList &tables)
{
    return collect(table_names_text(), {&tables});
}

bool db_access::export_query(const QString &query, const QString &path, bool csv,
                             const QString &separator, bool replace)
{
    return run_command(export_query_text(query, path, csv, separator, replace));
}

bool db_access::export_table(const QString &table, const QString &path, bool csv,
                             const QString &separator, bool replace)
{
    return run_command(export_table_text(table, path, csv, separator, replace));
}

bool db_access::import_table(const QString &table, const QString &path, bool csv,
                             const QString &separator)
{
    return run_command(import_table_text(table, path, csv, separator));
}

bool db_access::load_table(const QString &table, const QString &path)
{
    return run_command(load_table_text(table, path));
}

bool db_access::save_table(const QString &table, const QString &path, bool replace)
{
    return run_command(save_table_text(table, path, replace));
}

bool db_access::backup_db(const QString &path, bool replace)
{
    return run_command(backup_db_text(path, replace));
}

bool db_access::restore_db(const QString &path)
{
    return run_command(restore_db_text(path));
}
