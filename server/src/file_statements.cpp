#include "file_statements.h"
#include "refuse.h"

#include "csv.h"
#include "session_io.h"
#include "statement_budget.h"
#include "user_store.h"

#include "base/utf8.h"
#include <sqlite3.h>

#include <cmath>
#include <map>

namespace vela {

file_target read_target(const parse_node *n)
{
    file_target t;
    std::vector<const parse_node *> parts = items(n);
    bool split = false;
    for (size_t i = 0; i < parts.size(); ++i) {
        const parse_node *p = parts[i];
        if (is_word(p, "csvs"))
            t.csvs = true;
        else if (is_word(p, "big_") || (is_word(p, "from") && n->id == id::load_csv))
            t.create = true;
        else if (is_word(p, "split"))
            split = true;
        else if (is_word(p, "+"))
            t.replace = true;
        else if (p->id == id::string) {
            // The separator follows "split by"; the path is the last string.
            if (split) {
                t.sep = string_of(p);
                split = false;
            } else {
                t.path = string_of(p);
            }
        }
    }
    return t;
}

namespace {
// One record of cells; one empty field is written quoted, as an empty line is skipped when
// read.
void put_row(std::string &out, const std::vector<value> &cells, const std::string &sep,
             std::string &text)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        const value &v = cells[i];
        if (i) out += sep;
        if (is_str(v.type)) {
            if (cells.size() == 1 && v.s.empty()) out += "\"\"";
            csv_put_field(out, v.s, sep);
        } else {
            text.clear();
            append_value_text(text, v);
            csv_put_field(out, text, sep);
        }
    }
    out.push_back('\n');
}
} // namespace

bool export_csv(const files_dir &files, const file_target &to,
                const std::vector<std::string> &names, const row_feed &rows, std::string &err)
{
    if (!valid_separator(to.sep, err)) return false;
    atomic_file out;
    if (!out.open(files, to.path, to.replace, err)) return false;
    std::string buf, text;
    if (to.csvs) csv_put_record(buf, names, to.sep);
    bool ok = rows(
        [&](const std::vector<value> &cells) {
            if (!statement_budget::check(err)) return false;
            put_row(buf, cells, to.sep, text);
            if (buf.size() > (1u << 20)) {
                if (!out.write(buf)) return refuse(err, "cannot write " + to.path);
                buf.clear();
            }
            return true;
        },
        err);
    if (!ok) return false;
    if (!out.write(buf)) return refuse(err, "cannot write " + to.path);
    return out.commit(err);
}

bool import_csv(storage &st, const files_dir &files, const file_target &from,
                const std::string &table, std::string &err)
{
    if (!valid_separator(from.sep, err)) return false;
    std::string data;
    if (!files.read(from.path, data, err)) return false;
    csv_reader in(data, from.sep);
    std::vector<std::string> header;
    if (from.csvs) {
        if (!in.next(header, err)) return refuse(err, err.empty() ? from.path + " is empty" : err);
    }
    const table_def *t = st.find_table(table);
    if (!t) {
        if (!from.create) return refuse(err, "no table " + table);
        // A new table: string256 columns named by the header, or c1, c2, ... without one.
        std::vector<field_def> fields;
        size_t n = header.size();
        csv_reader peek(data, from.sep);
        std::vector<std::string> first;
        if (!from.csvs && peek.next(first, err)) n = first.size();
        if (!err.empty()) return false;
        if (n == 0) return refuse(err, "cannot create " + table + " from an empty file");
        for (size_t i = 0; i < n; ++i) {
            field_def f;
            f.name = from.csvs ? header[i] : "c" + std::to_string(i + 1);
            f.type = col_type::s256;
            if (f.name.empty() || f.name == "__id")
                return refuse(err, "line 1, column " + std::to_string(i + 1) +
                                       ": cannot name a field \"" + f.name + "\"");
            for (const auto &g : fields)
                if (g.name == f.name)
                    return refuse(err, "line 1: the header names " + f.name + " twice");
            fields.push_back(f);
        }
        if (!st.create_table(table, fields, err)) return false;
        t = st.find_table(table);
    }
    std::vector<int> targets;
    if (from.csvs) {
        for (size_t i = 0; i < header.size(); ++i) {
            int idx = t->field_index(header[i]);
            if (idx < 0)
                return refuse(err, "line 1, column " + std::to_string(i + 1) + ": table " +
                                       t->name + " has no field " + header[i]);
            for (int g : targets)
                if (g == idx)
                    return refuse(err, "line 1: the header names " + header[i] + " twice");
            targets.push_back(idx);
        }
    } else {
        for (size_t i = 0; i < t->fields.size(); ++i) targets.push_back(int(i));
    }
    // The fields the file leaves out.
    const size_t width = t->fields.size();
    std::vector<bool> given(width, false);
    for (int i : targets) given[size_t(i)] = true;
    std::vector<size_t> left_out;
    for (size_t i = 0; i < width; ++i)
        if (!given[i]) left_out.push_back(i);

    auto line_text = [](size_t line) { return "line " + std::to_string(line); };
    row_batch batch(st, *t);
    std::vector<std::string_view> rec;
    std::vector<value> row, last(width);
    bool counted = false;
    while (in.next(rec, err)) {
        if (!statement_budget::check(err)) return false;
        if (rec.size() != targets.size())
            return refuse(err, line_text(in.line()) + ": " + std::to_string(rec.size()) +
                                   " fields, where " + std::to_string(targets.size()) +
                                   " are expected");
        row.resize(width); // the batch hands back rows it is done with: every cell is set anew
        for (size_t i = 0; i < rec.size(); ++i) {
            const field_def &f = t->fields[size_t(targets[i])];
            std::string why;
            if (!convert_text(rec[i], f.type, row[size_t(targets[i])], why))
                return refuse(err, line_text(in.line()) + ", column " + std::to_string(i + 1) +
                                       " (" + f.name + "): " + why);
        }
        for (size_t i : left_out) {
            const field_def &f = t->fields[i];
            if (f.auto_inc) {
                // One above the largest stored: the table's for the first row, and after it
                // the previous row's, which only rows of this file have taken since.
                bool ok = counted ? auto_value_after(f, &last[i], row[i], err)
                                  : st.next_auto_value(*t, f, row[i], err);
                if (!ok) return refuse(err, line_text(in.line()) + ": " + err);
                last[i] = row[i];
            } else {
                row[i] = value();
                row[i].type = f.type;
            }
        }
        counted = true;
        if (!batch.add(row, in.line(), err))
            return refuse(err, line_text(size_t(batch.failed_tag())) + ": " + err);
    }
    if (!err.empty()) return false;
    if (!batch.flush(err)) return refuse(err, line_text(size_t(batch.failed_tag())) + ": " + err);
    return true;
}

std::string quoted_name(const std::string &name)
{
    bool bare = !name.empty() && !(name[0] >= '0' && name[0] <= '9');
    for (char c : name)
        bare = bare && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '_');
    if (bare) return name;
    std::string out = "[";
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f || c >= 0x80 || c == '[' || c == ']' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out.push_back(char(c));
        }
    }
    return out + "]";
}

namespace {
std::string quoted_text(const std::string &s)
{
    // Valid UTF-8 stays readable; control bytes, quotes, backslashes and stray bytes are
    // written as \x escapes.
    bool is_utf8 = utf8::valid(s.data(), s.size());
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c < 0x20 || c == 0x7f || c == '"' || c == '\\' || (c >= 0x80 && !is_utf8)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out.push_back(char(c));
        }
    }
    return out + "\"";
}
} // namespace

std::string literal_of(const value &v)
{
    if (is_int(v.type) || is_real(v.type)) return value_text(v);
    return quoted_text(value_text(v));
}

bool save_table(storage &st, const files_dir &files, const file_target &to, const table_def &t,
                std::string &err)
{
    std::vector<stored_row> rows;
    if (!st.scan(t, rows, err)) return false;
    std::string script = "create table " + quoted_name(t.name) + " (";
    for (size_t i = 0; i < t.fields.size(); ++i) {
        const field_def &f = t.fields[i];
        script += std::string(i ? ", " : " ") + quoted_name(f.name) + " " + type_name(f.type) +
                  "( " + (f.repeat ? "true" : "false") + ", " + (f.auto_inc ? "true" : "false") +
                  " )";
    }
    script += " );\n";
    std::string head = "insert into " + quoted_name(t.name) + " (";
    for (size_t i = 0; i < t.fields.size(); ++i)
        head += std::string(i ? ", " : " ") + quoted_name(t.fields[i].name);
    head += " ) values";
    atomic_file out;
    if (!out.open(files, to.path, to.replace, err)) return false;
    for (size_t r = 0; r < rows.size(); ++r) {
        script += r % 500 == 0 ? head + " (" : ", (";
        for (size_t c = 0; c < rows[r].cells.size(); ++c) {
            const value &v = rows[r].cells[c];
            if (is_real(v.type) && !std::isfinite(v.d))
                return refuse(err, "row " + std::to_string(rows[r].id) + ", field " +
                                       t.fields[c].name + ": " + value_text(v) +
                                       " has no literal to be saved as");
            script += (c ? ", " : " ") + literal_of(v);
        }
        script += " )";
        if (r % 500 == 499 || r + 1 == rows.size()) script += ";\n";
        if (script.size() > (1u << 20)) {
            if (!out.write(script)) return refuse(err, "cannot write " + to.path);
            script.clear();
        }
    }
    if (!out.write(script)) return refuse(err, "cannot write " + to.path);
    return out.commit(err);
}

namespace {
struct db_closer {
    sqlite3 *db = nullptr;
    ~db_closer()
    {
        if (db) sqlite3_close(db);
    }
};

bool copy_all(sqlite3 *to, sqlite3 *from, std::string &err)
{
    sqlite3_backup *b = sqlite3_backup_init(to, "main", from, "main");
    if (!b) return refuse(err, std::string("cannot copy the database: ") + sqlite3_errmsg(to));
    int rc = sqlite3_backup_step(b, -1);
    sqlite3_backup_finish(b);
    if (rc != SQLITE_DONE)
        return refuse(err, std::string("cannot copy the database: ") + sqlite3_errstr(rc));
    return true;
}

bool exec_sql(sqlite3 *db, const char *sql, std::string &err)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    return refuse(err, std::string("storage error: ") + sqlite3_errmsg(db));
}
} // namespace

bool backup_database(storage &st, const user_store *users, const files_dir &files,
                     const file_target &to, std::string &err)
{
    atomic_file out;
    if (!out.open(files, to.path, to.replace, err)) return false;
    {
        db_closer copy;
        if (sqlite3_open_v2(out.temp_path().c_str(), &copy.db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
            return refuse(err, "cannot write " + to.path);
        if (!copy_all(copy.db, st.handle(), err)) return false;
        // The users travel with the data, as their hashes.
        std::string text = users ? users->text() : std::string();
        sqlite3_stmt *s = nullptr;
        if (!exec_sql(copy.db,
                      "PRAGMA journal_mode=DELETE; DROP TABLE IF EXISTS vela_users; "
                      "CREATE TABLE vela_users(lines BLOB NOT NULL);",
                      err))
            return false;
        if (sqlite3_prepare_v2(copy.db, "INSERT INTO vela_users VALUES(?)", -1, &s, nullptr) !=
            SQLITE_OK)
            return refuse(err, std::string("storage error: ") + sqlite3_errmsg(copy.db));
        sqlite3_bind_blob(s, 1, text.data(), int(text.size()), SQLITE_TRANSIENT);
        int rc = sqlite3_step(s);
        sqlite3_finalize(s);
        if (rc != SQLITE_DONE) return refuse(err, "cannot write the users into the backup");
    }
    return out.commit(err);
}

bool restore_database(storage &st, user_store *users, const files_dir &files,
                      const file_target &from, std::string &err)
{
    std::string full;
    if (!files.resolve(from.path, full, err)) return false;
    db_closer src;
    if (sqlite3_open_v2(full.c_str(), &src.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        return refuse(err, "cannot read " + from.path);
    // Only a backup of ours is put in place of the database.
    int ours = 0;
    std::string users_text, check;
    bool has_users = false;
    auto read = [&](const char *sql, const std::function<void(sqlite3_stmt *)> &row) {
        sqlite3_stmt *s = nullptr;
        if (sqlite3_prepare_v2(src.db, sql, -1, &s, nullptr) != SQLITE_OK) {
            sqlite3_finalize(s);
            return false;
        }
        while (sqlite3_step(s) == SQLITE_ROW) row(s);
        sqlite3_finalize(s);
        return true;
    };
    bool readable = read("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                         "('vela_tables', 'vela_fields', 'vela_users')",
                         [&](sqlite3_stmt *s) { ours = sqlite3_column_int(s, 0); }) &&
                    read("PRAGMA quick_check", [&](sqlite3_stmt *s) {
                        const unsigned char *t = sqlite3_column_text(s, 0);
                        if (check.empty() && t) check = reinterpret_cast<const char *>(t);
                    });
    if (!readable || ours != 3 || check != "ok")
        return refuse(err, from.path + " is not a backup of this server");
    read("SELECT lines FROM vela_users", [&](sqlite3_stmt *s) {
        const void *p = sqlite3_column_blob(s, 0);
        if (p) users_text.assign(static_cast<const char *>(p), size_t(sqlite3_column_bytes(s, 0)));
        has_users = true;
    });
    if (!has_users || users_text.empty()) return refuse(err, from.path + " holds no users");
    // One write transaction: a failure or the end of the process before it commits leaves the
    // old database whole.
    if (!copy_all(st.handle(), src.db, err)) {
        st.reload(err);
        return false;
    }
    std::string ignored;
    exec_sql(st.handle(), "DROP TABLE IF EXISTS vela_users", ignored);
    if (!st.reload(err)) return false;
    if (users && !users->replace_all(users_text, err))
        return refuse(err, "the data is restored, but not its users: " + err);
    return true;
}

} // namespace vela
