#include "storage.h"
#include "statement_budget.h"
#include "refuse.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

namespace vela {

namespace {
std::string data_table(const table_def &t)
{
    return "d" + std::to_string(t.tid);
}
std::string column(const field_def &f)
{
    return "c" + std::to_string(f.fid);
}
std::string unique_index(const table_def &t, const field_def &f)
{
    return "u" + std::to_string(t.tid) + "_" + std::to_string(f.fid);
}

struct stmt_reset {
    sqlite3_stmt *s;
    ~stmt_reset()
    {
        if (s) {
            sqlite3_reset(s);
            sqlite3_clear_bindings(s);
        }
    }
};

void bind_value(sqlite3_stmt *s, int idx, const value &v)
{
    if (is_int(v.type))
        sqlite3_bind_int64(s, idx, v.i);
    else if (is_real(v.type))
        sqlite3_bind_double(s, idx, v.d);
    else if (is_str(v.type)) // every caller steps and resets before the value goes
        sqlite3_bind_blob(s, idx, v.s.data(), int(v.s.size()), SQLITE_STATIC);
    else {
        std::string text = v.type == col_type::date   ? format_date(v.dt)
                           : v.type == col_type::time ? format_time(v.dt)
                                                      : format_datetime(v.dt);
        sqlite3_bind_text(s, idx, text.data(), int(text.size()), SQLITE_TRANSIENT);
    }
}

// Reads into v in place, so that a row object read again and again keeps its texts' storage.
void read_into(sqlite3_stmt *s, int idx, col_type t, value &v)
{
    v.type = t;
    if (is_int(t)) {
        v.i = sqlite3_column_int64(s, idx);
    } else if (is_real(t)) {
        v.d = sqlite3_column_double(s, idx);
    } else if (is_str(t)) {
        const void *p = sqlite3_column_blob(s, idx);
        int n = sqlite3_column_bytes(s, idx);
        if (p && n > 0)
            v.s.assign(static_cast<const char *>(p), size_t(n));
        else
            v.s.clear();
    } else {
        const unsigned char *p = sqlite3_column_text(s, idx);
        std::string text = p ? reinterpret_cast<const char *>(p) : "";
        v.dt = date_time{};
        if (t == col_type::date)
            parse_date(text, v.dt);
        else if (t == col_type::time)
            parse_time(text, v.dt);
        else
            parse_datetime(text, v.dt);
    }
}
} // namespace

int table_def::field_index(const std::string &n) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == n) return int(i);
    return -1;
}

storage::storage() = default;
storage::~storage()
{
    close();
}

void storage::close()
{
    for (auto &c : cache_) sqlite3_finalize(c.second);
    cache_.clear();
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
    }
}

std::string storage::reason(const table_def *t)
{
    // The storage's own words name its internal tables and columns; a user knows only the
    // tables and fields they made.
    std::string where = t ? " of table " + t->name : std::string();
    switch (sqlite3_extended_errcode(db_) & 0xff) {
    case SQLITE_CONSTRAINT:
        if (sqlite3_extended_errcode(db_) == SQLITE_CONSTRAINT_UNIQUE)
            return "a value repeats in a field that does not allow repeats";
        return "the change" + where + " breaks a rule of the stored data";
    case SQLITE_FULL:
        return "the disk is full: the change" + where + " could not be stored";
    case SQLITE_TOOBIG:
        return "a value or row" + where + " is too large to store";
    case SQLITE_NOMEM:
        return "the server ran out of memory while storing the change" + where;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_READONLY:
        return "the server could not read or write its data files";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "the server's data files are damaged";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "the data is in use by another program";
    case SQLITE_INTERRUPT:
        return "the statement was stopped";
    default:
        if (std::strstr(sqlite3_errmsg(db_), "too many columns"))
            return "a table holds at most " + std::to_string(max_fields) + " fields";
        return "the data" + where + " could not be stored or read (storage code " +
               std::to_string(sqlite3_extended_errcode(db_)) + ")";
    }
}

bool storage::exec(const std::string &sql, std::string &err, const table_def *t)
{
    char *msg = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
        err = reason(t);
        sqlite3_free(msg);
        return false;
    }
    return true;
}

sqlite3_stmt *storage::prepare(const std::string &sql, std::string &err)
{
    auto it = cache_.find(sql);
    if (it != cache_.end()) return it->second;
    if (cache_.size() > 512) {
        for (auto &c : cache_) sqlite3_finalize(c.second);
        cache_.clear();
    }
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), int(sql.size()), &s, nullptr) != SQLITE_OK) {
        err = reason();
        sqlite3_finalize(s);
        return nullptr;
    }
    cache_[sql] = s;
    return s;
}

bool storage::open(const std::string &path, std::string &err)
{
    if (sqlite3_open_v2(path.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        err = "cannot open " + path + ": " + (db_ ? sqlite3_errmsg(db_) : "out of memory");
        close();
        return false;
    }
    // WAL with synchronous NORMAL: a commit is in the log before the reply goes out, so it
    // survives the end of the process (kill -9 included).
    // After a large commit (a bulk insert) the pages are copied back into the database and the
    // log is emptied at once: until the log is reset, every read looks each page up in it and
    // reads it from there, which makes the first selects after a bulk insert slow. Small
    // commits are checkpointed as SQLite does by itself, every 1000 pages.
    sqlite3_wal_hook(
        db_,
        [](void *, sqlite3 *db, const char *name, int pages) {
            if (pages >= 1000)
                sqlite3_wal_checkpoint_v2(db, name,
                                          pages >= 4096 ? SQLITE_CHECKPOINT_TRUNCATE
                                                        : SQLITE_CHECKPOINT_PASSIVE,
                                          nullptr, nullptr);
            return SQLITE_OK;
        },
        nullptr);
    if (!exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=OFF;",
              err) ||
        !exec("CREATE TABLE IF NOT EXISTS vela_tables(tid INTEGER PRIMARY KEY AUTOINCREMENT, "
              "name BLOB NOT NULL UNIQUE);"
              "CREATE TABLE IF NOT EXISTS vela_fields(tid INTEGER NOT NULL, pos INTEGER NOT NULL, "
              "fid INTEGER NOT NULL, name BLOB NOT NULL, type TEXT NOT NULL, rep INTEGER NOT NULL, "
              "auto_inc INTEGER NOT NULL, PRIMARY KEY(tid, pos));"
              "CREATE TABLE IF NOT EXISTS vela_privileges(user BLOB NOT NULL, priv TEXT NOT NULL, "
              "tab BLOB NOT NULL, allowed INTEGER NOT NULL, PRIMARY KEY(user, priv, tab));",
              err) ||
        !load_catalogue(err)) {
        close();
        return false;
    }
    return true;
}

bool storage::reload(std::string &err)
{
    for (auto &c : cache_) sqlite3_finalize(c.second);
    cache_.clear();
    return exec("CREATE TABLE IF NOT EXISTS vela_privileges(user BLOB NOT NULL, priv TEXT NOT "
                "NULL, tab BLOB NOT NULL, allowed INTEGER NOT NULL, PRIMARY KEY(user, priv, tab));",
                err) &&
           load_catalogue(err);
}

bool storage::load_catalogue(std::string &err)
{
    tables_.clear();
    sqlite3_stmt *s = prepare("SELECT tid, name FROM vela_tables ORDER BY tid", err);
    if (!s) return false;
    {
        stmt_reset r{s};
        while (sqlite3_step(s) == SQLITE_ROW) {
            table_def t;
            t.tid = sqlite3_column_int64(s, 0);
            const void *p = sqlite3_column_blob(s, 1);
            t.name.assign(p ? static_cast<const char *>(p) : "",
                          size_t(sqlite3_column_bytes(s, 1)));
            tables_.push_back(std::move(t));
        }
    }
    sqlite3_stmt *f = prepare(
        "SELECT fid, name, type, rep, auto_inc FROM vela_fields WHERE tid = ? ORDER BY pos", err);
    if (!f) return false;
    for (auto &t : tables_) {
        stmt_reset r{f};
        sqlite3_bind_int64(f, 1, t.tid);
        while (sqlite3_step(f) == SQLITE_ROW) {
            field_def fd;
            fd.fid = sqlite3_column_int64(f, 0);
            const void *p = sqlite3_column_blob(f, 1);
            fd.name.assign(p ? static_cast<const char *>(p) : "",
                           size_t(sqlite3_column_bytes(f, 1)));
            const unsigned char *tn = sqlite3_column_text(f, 2);
            if (!tn || !type_from_name(reinterpret_cast<const char *>(tn), fd.type)) {
                return refuse(err, "the catalogue names an unknown type for table " + t.name);
            }
            fd.repeat = sqlite3_column_int(f, 3) != 0;
            fd.auto_inc = sqlite3_column_int(f, 4) != 0;
            t.fields.push_back(fd);
        }
    }
    return true;
}

bool storage::begin(std::string &err)
{
    return exec("BEGIN IMMEDIATE", err);
}
bool storage::commit(std::string &err)
{
    return exec("COMMIT", err);
}
void storage::rollback()
{
    std::string err;
    if (sqlite3_get_autocommit(db_) == 0) exec("ROLLBACK", err);
    load_catalogue(err);
}

const table_def *storage::find_table(const std::string &name) const
{
    for (const auto &t : tables_)
        if (t.name == name) return &t;
    return nullptr;
}
table_def *storage::find_mut(const std::string &name)
{
    for (auto &t : tables_)
        if (t.name == name) return &t;
    return nullptr;
}

bool storage::save_fields(const table_def &t, std::string &err)
{
    sqlite3_stmt *d = prepare("DELETE FROM vela_fields WHERE tid = ?", err);
    if (!d) return false;
    {
        stmt_reset r{d};
        sqlite3_bind_int64(d, 1, t.tid);
        if (sqlite3_step(d) != SQLITE_DONE) return refuse(err, reason(&t));
    }
    sqlite3_stmt *ins = prepare(
        "INSERT INTO vela_fields(tid, pos, fid, name, type, rep, auto_inc) VALUES(?,?,?,?,?,?,?)",
        err);
    if (!ins) return false;
    for (size_t i = 0; i < t.fields.size(); ++i) {
        const field_def &f = t.fields[i];
        stmt_reset r{ins};
        sqlite3_bind_int64(ins, 1, t.tid);
        sqlite3_bind_int64(ins, 2, int64_t(i));
        sqlite3_bind_int64(ins, 3, f.fid);
        sqlite3_bind_blob(ins, 4, f.name.data(), int(f.name.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(ins, 5, type_name(f.type), -1, SQLITE_STATIC);
        sqlite3_bind_int(ins, 6, f.repeat ? 1 : 0);
        sqlite3_bind_int(ins, 7, f.auto_inc ? 1 : 0);
        if (sqlite3_step(ins) != SQLITE_DONE) return refuse(err, reason(&t));
    }
    return true;
}

bool storage::set_unique_index(const table_def &t, const field_def &f, std::string &err)
{
    if (!exec("DROP INDEX IF EXISTS " + unique_index(t, f), err, &t)) return false;
    if (f.repeat) return true;
    if (!exec("CREATE UNIQUE INDEX " + unique_index(t, f) + " ON " + data_table(t) + "(" +
                  column(f) + ")",
              err, &t)) {
        if (err.find("repeats") != std::string::npos || err.find("UNIQUE") != std::string::npos)
            return refuse(err, "field " + f.name +
                                   " holds repeated values, so it cannot refuse repeats");
    }
    return true;
}

bool storage::create_table(const std::string &name, const std::vector<field_def> &fields_in,
                           std::string &err)
{
    if (find_table(name)) return refuse(err, "table " + name + " already exists");
    if (fields_in.size() > max_fields)
        return refuse(err, "a table holds at most " + std::to_string(max_fields) +
                               " fields; table " + name + " would have " +
                               std::to_string(fields_in.size()));
    sqlite3_stmt *s = prepare("INSERT INTO vela_tables(name) VALUES(?)", err);
    if (!s) return false;
    table_def t;
    t.name = name;
    t.fields = fields_in;
    {
        stmt_reset r{s};
        sqlite3_bind_blob(s, 1, name.data(), int(name.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(&t));
        t.tid = sqlite3_last_insert_rowid(db_);
    }
    std::string ddl = "CREATE TABLE " + data_table(t) + "(__id INTEGER PRIMARY KEY AUTOINCREMENT";
    for (size_t i = 0; i < t.fields.size(); ++i) {
        t.fields[i].fid = int64_t(i) + 1;
        ddl += ", " + column(t.fields[i]);
    }
    ddl += ")";
    if (!exec(ddl, err, &t) || !save_fields(t, err)) return false;
    for (const auto &f : t.fields)
        if (!set_unique_index(t, f, err)) return false;
    tables_.push_back(std::move(t));
    return true;
}

bool storage::drop_table(const std::string &name, std::string &err)
{
    const table_def *t = find_table(name);
    if (!t) return refuse(err, "no table " + name);
    sqlite3_stmt *s = prepare("DELETE FROM vela_tables WHERE tid = ?", err);
    if (!s) return false;
    {
        stmt_reset r{s};
        sqlite3_bind_int64(s, 1, t->tid);
        if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(t));
    }
    table_def copy = *t;
    copy.fields.clear();
    if (!save_fields(copy, err) || !exec("DROP TABLE " + data_table(*t), err, t)) return false;
    for (auto it = tables_.begin(); it != tables_.end(); ++it)
        if (it->name == name) {
            tables_.erase(it);
            break;
        }
    return true;
}

bool storage::truncate_table(const std::string &name, std::string &err)
{
    const table_def *t = find_table(name);
    if (!t) return refuse(err, "no table " + name);
    return exec("DELETE FROM " + data_table(*t), err, t);
}

bool storage::add_field(const std::string &table, const field_def &f_in, std::string &err)
{
    table_def *t = find_mut(table);
    if (!t) return refuse(err, "no table " + table);
    if (t->field_index(f_in.name) >= 0)
        return refuse(err, "table " + table + " already has a field " + f_in.name);
    if (t->fields.size() >= max_fields)
        return refuse(err, "table " + table + " already has " + std::to_string(max_fields) +
                               " fields, the most a table holds");
    field_def f = f_in;
    f.fid = 1;
    for (const auto &x : t->fields) f.fid = std::max(f.fid, x.fid + 1);
    // Existing rows get the type's zero value (auto-increment fields count up from 1).
    if (!exec("ALTER TABLE " + data_table(*t) + " ADD COLUMN " + column(f), err, t)) return false;
    t->fields.push_back(f);
    std::vector<stored_row> rows;
    if (!scan(*t, rows, err)) return false;
    value zero;
    zero.type = f.type;
    if (is_temporal(f.type)) zero.dt = date_time{};
    sqlite3_stmt *s =
        prepare("UPDATE " + data_table(*t) + " SET " + column(f) + " = ? WHERE __id = ?", err);
    if (!s) return false;
    int64_t counter = 0;
    for (const auto &r : rows) {
        if (!statement_budget::check(err)) return false;
        value v = zero;
        if (f.auto_inc) v.i = ++counter;
        stmt_reset rs{s};
        bind_value(s, 1, v);
        sqlite3_bind_int64(s, 2, int64_t(r.id));
        if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(t));
    }
    return save_fields(*t, err) && set_unique_index(*t, f, err);
}

bool storage::drop_field(const std::string &table, const std::string &field, std::string &err)
{
    table_def *t = find_mut(table);
    if (!t) return refuse(err, "no table " + table);
    int idx = t->field_index(field);
    if (idx < 0) return refuse(err, "table " + table + " has no field " + field);
    if (t->fields.size() == 1)
        return refuse(err, "cannot drop the last field of " + table + "; drop the table instead");
    field_def f = t->fields[size_t(idx)];
    if (!exec("DROP INDEX IF EXISTS " + unique_index(*t, f), err, t) ||
        !exec("ALTER TABLE " + data_table(*t) + " DROP COLUMN " + column(f), err, t))
        return false;
    t->fields.erase(t->fields.begin() + idx);
    return save_fields(*t, err);
}

bool storage::rename_field(const std::string &table, const std::string &from, const std::string &to,
                           std::string &err)
{
    table_def *t = find_mut(table);
    if (!t) return refuse(err, "no table " + table);
    int idx = t->field_index(from);
    if (idx < 0) return refuse(err, "table " + table + " has no field " + from);
    if (from == to) return true;
    if (t->field_index(to) >= 0)
        return refuse(err, "table " + table + " already has a field " + to);
    t->fields[size_t(idx)].name = to;
    return save_fields(*t, err);
}

bool storage::modify_field(const std::string &table, const field_def &f_in, std::string &err)
{
    table_def *t = find_mut(table);
    if (!t) return refuse(err, "no table " + table);
    int idx = t->field_index(f_in.name);
    if (idx < 0) return refuse(err, "table " + table + " has no field " + f_in.name);
    field_def f = f_in;
    f.fid = t->fields[size_t(idx)].fid;
    if (f.type != t->fields[size_t(idx)].type) {
        std::vector<stored_row> rows;
        if (!scan(*t, rows, err)) return false;
        sqlite3_stmt *s =
            prepare("UPDATE " + data_table(*t) + " SET " + column(f) + " = ? WHERE __id = ?", err);
        if (!s) return false;
        for (const auto &r : rows) {
            if (!statement_budget::check(err)) return false;
            value v;
            std::string why;
            if (!convert_value(r.cells[size_t(idx)], f.type, v, why))
                return refuse(err, "row " + std::to_string(r.id) + ": " + why);
            stmt_reset rs{s};
            bind_value(s, 1, v);
            sqlite3_bind_int64(s, 2, int64_t(r.id));
            if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(t));
        }
    }
    t->fields[size_t(idx)] = f;
    return save_fields(*t, err) && set_unique_index(*t, f, err);
}

bool storage::scan(const table_def &t, std::vector<stored_row> &out, std::string &err,
                   uint64_t limit, const std::vector<bool> *need, id_range range)
{
    return scan_each(
        t, limit, [&](stored_row &row) { return out.push_back(std::move(row)), true; }, err, need,
        range);
}

bool storage::scan_each(const table_def &t, uint64_t limit,
                        const std::function<bool(stored_row &)> &each, std::string &err,
                        const std::vector<bool> *need, id_range range)
{
    // Only the fields asked for are selected: the storage then stops decoding each record
    // at the last of them.
    std::string sql = "SELECT __id";
    std::vector<size_t> read; // field of each selected column after __id
    for (size_t i = 0; i < t.fields.size(); ++i)
        if (!need || (i < need->size() && (*need)[i])) {
            sql += ", " + column(t.fields[i]);
            read.push_back(i);
        }
    sql += " FROM " + data_table(t);
    // Ids are stored as signed 64-bit numbers, in which order the rows come: an id past the
    // signed range would be stored negative and so come first. A range of ids is then up to
    // two ranges of stored numbers, each sought in the table's tree.
    std::vector<std::pair<int64_t, int64_t>> parts;
    if (!range.whole()) {
        const uint64_t top = uint64_t(INT64_MAX);
        if (range.hi > top && range.lo <= range.hi)
            parts.emplace_back(int64_t(std::max(range.lo, top + 1)), int64_t(range.hi));
        if (range.lo <= top && range.lo <= range.hi)
            parts.emplace_back(int64_t(range.lo), int64_t(std::min(range.hi, top)));
        sql += " WHERE __id >= ? AND __id <= ?";
    } else {
        parts.emplace_back(INT64_MIN, INT64_MAX); // not bound: the statement has no WHERE
    }
    sql += " ORDER BY __id LIMIT ?";
    sqlite3_stmt *s = prepare(sql, err);
    if (!s) return false;
    uint64_t left = limit == 0 ? UINT64_MAX : limit;
    stored_row row;
    for (const auto &part : parts) {
        stmt_reset r{s};
        int mark = 1;
        if (!range.whole()) {
            sqlite3_bind_int64(s, mark++, part.first);
            sqlite3_bind_int64(s, mark++, part.second);
        }
        sqlite3_bind_int64(s, mark, left > uint64_t(INT64_MAX) ? -1 : int64_t(left));
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            if (!statement_budget::check(err)) return false;
            row.id = uint64_t(sqlite3_column_int64(s, 0));
            row.cells.resize(t.fields.size());
            for (size_t c = 0; c < read.size(); ++c)
                read_into(s, int(c) + 1, t.fields[read[c]].type, row.cells[read[c]]);
            if (!each(row)) return false;
            if (left != UINT64_MAX) --left;
        }
        if (rc != SQLITE_DONE) return refuse(err, reason(&t));
        if (left == 0) break;
    }
    return true;
}

bool storage::fetch(const table_def &t, uint64_t id, stored_row &out, bool &found, std::string &err)
{
    found = false;
    return fetch_each(
        t, {id},
        [&](stored_row &row) {
            out = std::move(row);
            found = true;
            return true;
        },
        err);
}

bool storage::fetch_each(const table_def &t, const std::vector<uint64_t> &ids,
                         const std::function<bool(stored_row &)> &each, std::string &err)
{
    std::string sql = "SELECT __id";
    for (const auto &f : t.fields) sql += ", " + column(f);
    sql += " FROM " + data_table(t) + " WHERE __id = ?";
    stored_row row;
    for (uint64_t id : ids) {
        if (!statement_budget::check(err)) return false;
        {
            // Looked up again for each row and done with before each runs: what each does may
            // prepare statements of its own, and a full cache is emptied.
            sqlite3_stmt *s = prepare(sql, err);
            if (!s) return false;
            stmt_reset r{s};
            sqlite3_bind_int64(s, 1, int64_t(id));
            int rc = sqlite3_step(s);
            if (rc == SQLITE_DONE) continue;
            if (rc != SQLITE_ROW) return refuse(err, reason(&t));
            row.id = id;
            row.cells.resize(t.fields.size()); // each may have taken the cells before
            for (size_t i = 0; i < t.fields.size(); ++i)
                read_into(s, int(i) + 1, t.fields[i].type, row.cells[i]);
        }
        if (!each(row)) return false;
    }
    return true;
}

bool storage::count_rows(const table_def &t, uint64_t &n, std::string &err)
{
    sqlite3_stmt *s = prepare("SELECT count(*) FROM " + data_table(t), err);
    if (!s) return false;
    stmt_reset r{s};
    if (sqlite3_step(s) != SQLITE_ROW) return refuse(err, reason(&t));
    n = uint64_t(sqlite3_column_int64(s, 0));
    return true;
}

std::string storage::insert_sql(const table_def &t, size_t rows)
{
    if (t.fields.empty()) return "INSERT INTO " + data_table(t) + " DEFAULT VALUES";
    std::string sql = "INSERT INTO " + data_table(t) + "(", marks = "(";
    for (size_t i = 0; i < t.fields.size(); ++i) {
        sql += (i ? ", " : "") + column(t.fields[i]);
        marks += i ? ", ?" : "?";
    }
    marks += ")";
    sql += ") VALUES" + marks;
    for (size_t r = 1; r < rows; ++r) sql += ", " + marks;
    return sql;
}

bool storage::insert_row(const table_def &t, const std::vector<value> &cells, uint64_t &id,
                         std::string &err)
{
    sqlite3_stmt *s = prepare(insert_sql(t, 1), err);
    if (!s) return false;
    stmt_reset r{s};
    for (size_t i = 0; i < cells.size(); ++i) bind_value(s, int(i) + 1, cells[i]);
    if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(&t));
    id = uint64_t(sqlite3_last_insert_rowid(db_));
    return true;
}

bool storage::update_row(const table_def &t, uint64_t id, const std::vector<value> &cells,
                         std::string &err)
{
    std::string sql = "UPDATE " + data_table(t) + " SET ";
    for (size_t i = 0; i < t.fields.size(); ++i)
        sql += (i ? ", " : "") + column(t.fields[i]) + " = ?";
    sql += " WHERE __id = ?";
    sqlite3_stmt *s = prepare(sql, err);
    if (!s) return false;
    stmt_reset r{s};
    for (size_t i = 0; i < cells.size(); ++i) bind_value(s, int(i) + 1, cells[i]);
    sqlite3_bind_int64(s, int(cells.size()) + 1, int64_t(id));
    if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(&t));
    return true;
}

bool storage::delete_row(const table_def &t, uint64_t id, std::string &err)
{
    sqlite3_stmt *s = prepare("DELETE FROM " + data_table(t) + " WHERE __id = ?", err);
    if (!s) return false;
    stmt_reset r{s};
    sqlite3_bind_int64(s, 1, int64_t(id));
    if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, reason(&t));
    return true;
}

bool storage::next_auto_value(const table_def &t, const field_def &f, value &out, std::string &err)
{
    // SQLite compares the stored 64-bit patterns as signed: a u64 above the i64 range is
    // stored negative, so for u64 the negative patterns are the largest values.
    auto largest = [&](const std::string &sql, bool &found, int64_t &top) {
        sqlite3_stmt *s = prepare(sql, err);
        if (!s) return false;
        stmt_reset r{s};
        if (sqlite3_step(s) != SQLITE_ROW) return refuse(err, reason(&t));
        found = sqlite3_column_type(s, 0) != SQLITE_NULL;
        if (found) top = sqlite3_column_int64(s, 0);
        return true;
    };
    bool found = false;
    int64_t top = 0;
    const std::string from = " FROM " + data_table(t);
    if (f.type == col_type::u64 &&
        !largest("SELECT max(" + column(f) + ")" + from + " WHERE " + column(f) + " < 0", found,
                 top))
        return false;
    if (!found && !largest("SELECT max(" + column(f) + ")" + from, found, top)) return false;
    value v = value::of_int(top, f.type);
    return auto_value_after(f, found ? &v : nullptr, out, err);
}

bool auto_value_after(const field_def &f, const value *largest, value &out, std::string &err)
{
    value v;
    v.type = f.type;
    if (!largest) {
        v.i = 1;
    } else if (is_unsigned(f.type) ? largest->u() == UINT64_MAX : largest->i == INT64_MAX) {
        return refuse(err, "auto-increment of " + f.name + ": the largest value of " +
                               type_name(f.type) + " is taken");
    } else {
        v.i = int64_t(largest->u() + 1);
    }
    std::string why;
    if (!convert_value(v, f.type, out, why))
        return refuse(err, "auto-increment of " + f.name + ": " + why);
    return true;
}

row_batch::row_batch(storage &st, const table_def &t) : st_(st), t_(t)
{
    // As many rows as fit the statement's marks, up to where more stop paying.
    const size_t fields = t.fields.size();
    if (fields) {
        size_t marks = size_t(std::max(1, sqlite3_limit(st.db_, SQLITE_LIMIT_VARIABLE_NUMBER, -1)));
        per_ = std::max<size_t>(1, std::min<size_t>(32, marks / fields));
    }
    rows_.resize(per_);
    tags_.resize(per_);
}

bool row_batch::add(std::vector<value> &cells, uint64_t tag, std::string &err)
{
    rows_[held_].swap(cells);
    tags_[held_] = tag;
    return ++held_ < per_ || flush(err);
}

bool row_batch::flush(std::string &err)
{
    const size_t n = held_;
    held_ = 0;
    if (n == per_ && n > 1) {
        if (store(0, n, err)) return true;
        // A failed statement takes back its own rows and no others. When the transaction is
        // still open and a row broke a rule (a repeat), the rows go one by one to find it;
        // any other failure is not one row's fault.
        bool by_row = (sqlite3_extended_errcode(st_.db_) & 0xff) == SQLITE_CONSTRAINT &&
                      sqlite3_get_autocommit(st_.db_) == 0;
        if (!by_row) {
            failed_tag_ = tags_[0];
            return false;
        }
        err.clear();
    }
    for (size_t i = 0; i < n; ++i)
        if (!store(i, 1, err)) {
            failed_tag_ = tags_[i];
            return false;
        }
    return true;
}

bool row_batch::store(size_t from, size_t count, std::string &err)
{
    std::string &sql = count == 1 ? one_sql_ : many_sql_;
    if (sql.empty()) sql = storage::insert_sql(t_, count);
    sqlite3_stmt *s = st_.prepare(sql, err);
    if (!s) return false;
    stmt_reset r{s};
    const size_t fields = t_.fields.size();
    for (size_t k = 0; k < count; ++k) {
        const std::vector<value> &row = rows_[from + k];
        for (size_t i = 0; i < fields; ++i) bind_value(s, int(k * fields + i) + 1, row[i]);
    }
    if (sqlite3_step(s) != SQLITE_DONE) return refuse(err, st_.reason(&t_));
    return true;
}

} // namespace vela
