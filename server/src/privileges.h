#pragma once
// Who may do what, kept in the database (so it survives a restart and travels in a backup).
// connect and execute hold for the whole database; select, insert, update and delete hold
// per table, where the table "*" stands for every table. admin holds everything and cannot be
// denied. A user with no entry at all (as --add-user leaves one) holds connect and select on
// every table.
#include <string>

struct sqlite3;

namespace vela {

class privileges {
public:
    explicit privileges(sqlite3 *db) : db_(db) {}

    static bool valid_privilege(const std::string &priv);
    static bool database_wide(const std::string &priv); // connect, execute

    // Records a grant or a deny; the table is ignored for database-wide privileges. A grant or
    // deny on "*" replaces what was said about single tables.
    bool set(const std::string &user, const std::string &priv, const std::string &table,
             bool allowed, std::string &err);
    bool allowed(const std::string &user, const std::string &priv, const std::string &table,
                 bool &yes, std::string &err);
    // Forgets what was said about a table that is dropped.
    bool forget_table(const std::string &table, std::string &err);

private:
    sqlite3 *db_;
};

} // namespace vela
