#include "privileges.h"
#include "refuse.h"

#include <sqlite3.h>

namespace vela {

namespace {
// Runs one statement with parameters, every one bound as a blob (so that names compare byte
// for byte, whatever their encoding); the caller reads rows through on_row.
template <class F>
bool run_sql(sqlite3 *db, const char *sql, std::initializer_list<std::string> params, F on_row,
             std::string &err)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
        sqlite3_finalize(s);
        return refuse(err, std::string("storage error: ") + sqlite3_errmsg(db));
    }
    int i = 0;
    for (const auto &p : params)
        sqlite3_bind_blob(s, ++i, p.data(), int(p.size()), SQLITE_TRANSIENT);
    int rc;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) on_row(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) return refuse(err, std::string("storage error: ") + sqlite3_errmsg(db));
    return true;
}
void no_rows(sqlite3_stmt *) {}
} // namespace

bool privileges::valid_privilege(const std::string &p)
{
    return p == "connect" || p == "select" || p == "insert" || p == "update" || p == "delete" ||
           p == "execute";
}

bool privileges::database_wide(const std::string &p)
{
    return p == "connect" || p == "execute";
}

bool privileges::set(const std::string &user, const std::string &priv, const std::string &table,
                     bool allowed, std::string &err)
{
    if (!valid_privilege(priv)) return refuse(err, "no privilege " + priv);
    if (user == "admin") return refuse(err, "admin holds every privilege and cannot be denied");
    std::string tab = database_wide(priv) ? "*" : table;
    // The first entry for a user starts from what an untouched user holds.
    int entries = 0;
    if (!run_sql(
            db_, "SELECT count(*) FROM vela_privileges WHERE user = ?", {user},
            [&](sqlite3_stmt *s) { entries = sqlite3_column_int(s, 0); }, err))
        return false;
    if (entries == 0)
        for (const char *p : {"connect", "select"})
            if (!run_sql(db_, "INSERT INTO vela_privileges VALUES(?, ?, ?, 1)", {user, p, "*"},
                         no_rows, err))
                return false;
    if (tab == "*" && !run_sql(db_, "DELETE FROM vela_privileges WHERE user = ? AND priv = ?",
                               {user, priv}, no_rows, err))
        return false;
    return run_sql(db_,
                   allowed ? "INSERT OR REPLACE INTO vela_privileges VALUES(?, ?, ?, 1)"
                           : "INSERT OR REPLACE INTO vela_privileges VALUES(?, ?, ?, 0)",
                   {user, priv, tab}, no_rows, err);
}

bool privileges::allowed(const std::string &user, const std::string &priv, const std::string &table,
                         bool &yes, std::string &err)
{
    yes = false;
    if (user == "admin") return yes = true;
    int entries = 0, specific = -1, every = -1;
    if (!run_sql(
            db_, "SELECT tab, allowed FROM vela_privileges WHERE user = ?", {user},
            [&](sqlite3_stmt *s) {
                ++entries;
                (void)s;
            },
            err))
        return false;
    if (entries == 0) {
        yes = priv == "connect" || priv == "select";
        return true;
    }
    std::string tab = database_wide(priv) ? "*" : table;
    if (!run_sql(
            db_, "SELECT tab, allowed FROM vela_privileges WHERE user = ? AND priv = ?",
            {user, priv},
            [&](sqlite3_stmt *s) {
                std::string t(static_cast<const char *>(sqlite3_column_blob(s, 0)),
                              size_t(sqlite3_column_bytes(s, 0)));
                int a = sqlite3_column_int(s, 1);
                if (t == "*") every = a;
                if (t == tab) specific = a;
            },
            err))
        return false;
    yes = (specific >= 0 ? specific : every) == 1;
    return true;
}

bool privileges::forget_table(const std::string &table, std::string &err)
{
    if (table == "*") return true;
    return run_sql(db_, "DELETE FROM vela_privileges WHERE tab = ?", {table}, no_rows, err);
}

} // namespace vela
