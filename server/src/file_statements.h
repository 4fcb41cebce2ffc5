#pragma once
// The statements that move data between the database and files in the files folder: export
// after a query, import and load from CSV, save of a table as a script, backup and restore of
// the whole database.
#include "files_dir.h"
#include "result_table.h"
#include "storage.h"
#include "tree_reader.h"

#include <functional>
#include <string>

namespace vela {

class user_store;

// What a file statement names: format, separator, path and replace mode.
struct file_target {
    bool csvs = false;   // with a header line
    bool create = false; // load ... from csv: the table is created when missing
    std::string sep = ",";
    std::string path;
    bool replace = false; // path+=
};
// Reads export, import, load_csv, save, load, backup, restore and exec nodes.
file_target read_target(const parse_node *n);

// Writes the rows as CSV (under a header of the names for csvs); the reply is then an empty
// table.
bool export_csv(const files_dir &files, const file_target &to,
                const std::vector<std::string> &names, const row_feed &rows, std::string &err);

// Reads a CSV file into table (created first when from.create and it is missing). Every
// value is checked against its field's type; a failure names the line and the column. The
// fields the file leaves out take their type's zero, or the next number when they count up.
bool import_csv(storage &st, const files_dir &files, const file_target &from,
                const std::string &table, std::string &err);

// Writes a script that recreates the table: its fields with their flags, then its rows.
bool save_table(storage &st, const files_dir &files, const file_target &to, const table_def &t,
                std::string &err);

// A consistent copy of the whole database with its users; restore puts one back in one
// transaction (a failure, or the end of the process half-way, leaves the old one whole).
bool backup_database(storage &st, const user_store *users, const files_dir &files,
                     const file_target &to, std::string &err);
bool restore_database(storage &st, user_store *users, const files_dir &files,
                      const file_target &from, std::string &err);

// A dialect literal for v, and a name as the dialect reads it.
std::string literal_of(const value &v);
std::string quoted_name(const std::string &name);

} // namespace vela
