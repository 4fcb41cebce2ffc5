#pragma once
// Durable storage on SQLite: a catalogue of dialect tables and fields, and one SQLite table
// per dialect table whose INTEGER PRIMARY KEY AUTOINCREMENT column is the row id __id (so an
// id is never handed out twice, even after a delete). Field names live only in the
// catalogue; the SQLite columns are named after a per-table field number, which makes a
// rename a catalogue update.
#include "value.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vela {

struct field_def {
    int64_t fid = 0;
    std::string name;
    col_type type = col_type::i64;
    bool repeat = true; // false: no two rows may hold the same value
    bool auto_inc = false;
};

struct table_def {
    int64_t tid = 0;
    std::string name;
    std::vector<field_def> fields;
    int field_index(const std::string &name) const; // -1 when absent
};

struct stored_row {
    uint64_t id = 0;
    std::vector<value> cells;
};

class row_batch;

// Row ids from lo to hi, both included.
struct id_range {
    uint64_t lo = 0, hi = UINT64_MAX;
    bool whole() const { return lo == 0 && hi == UINT64_MAX; }
};

// The value an auto-increment field takes after largest, the largest it holds (null: none).
bool auto_value_after(const field_def &f, const value *largest, value &out, std::string &err);

class storage {
public:
    // The storage keeps a row id beside the fields, within its limit of 2000 columns.
    static const size_t max_fields = 1999;
    storage();
    ~storage();
    storage(const storage &) = delete;
    storage &operator=(const storage &) = delete;

    bool open(const std::string &path, std::string &err);
    void close();
    // The SQLite connection, for work on the whole database (privileges, backup, restore).
    sqlite3 *handle() const { return db_; }
    // After the database changed under the catalogue (a restore): forgets prepared statements
    // and reads the catalogue again.
    bool reload(std::string &err);

    // Transactions: begin/commit/rollback of the whole statement, savepoints inside it.
    bool begin(std::string &err);
    bool commit(std::string &err);
    void rollback(); // also reloads the catalogue, which the failed work may have changed

    // Catalogue, in creation order.
    const std::deque<table_def> &tables() const { return tables_; }
    const table_def *find_table(const std::string &name) const;

    bool create_table(const std::string &name, const std::vector<field_def> &fields,
                      std::string &err);
    bool drop_table(const std::string &name, std::string &err);
    bool truncate_table(const std::string &name, std::string &err);
    bool add_field(const std::string &table, const field_def &f, std::string &err);
    bool drop_field(const std::string &table, const std::string &field, std::string &err);
    bool rename_field(const std::string &table, const std::string &from, const std::string &to,
                      std::string &err);
    // Changes type and flags of a field, converting every stored value; fails when one does not
    // fit.
    bool modify_field(const std::string &table, const field_def &f, std::string &err);

    // Rows in row-id order. Values come back with their field types.
    // limit: at most that many rows from the start (0: all).
    // range: only the rows whose ids lie in it are read; the others are never touched.
    bool scan(const table_def &t, std::vector<stored_row> &out, std::string &err,
              uint64_t limit = 0, const std::vector<bool> *need = nullptr,
              id_range range = id_range());
    // The same rows handed to each in turn (one row object, reused), so that none is kept.
    // need: when given, only the fields marked true are read (the others stay empty).
    bool scan_each(const table_def &t, uint64_t limit,
                   const std::function<bool(stored_row &)> &each, std::string &err,
                   const std::vector<bool> *need = nullptr, id_range range = id_range());
    bool fetch(const table_def &t, uint64_t id, stored_row &out, bool &found, std::string &err);
    // The rows of these ids, every field, handed to each in turn in one reused row; an id
    // without a row is passed over. No read is pending while each runs, so it may change
    // the table.
    bool fetch_each(const table_def &t, const std::vector<uint64_t> &ids,
                    const std::function<bool(stored_row &)> &each, std::string &err);
    bool count_rows(const table_def &t, uint64_t &n, std::string &err);
    // cells holds one value per field, already of the field's type.
    bool insert_row(const table_def &t, const std::vector<value> &cells, uint64_t &id,
                    std::string &err);
    bool update_row(const table_def &t, uint64_t id, const std::vector<value> &cells,
                    std::string &err);
    bool delete_row(const table_def &t, uint64_t id, std::string &err);
    // Next value of an auto-increment field: one above the largest stored, 1 for an empty table.
    bool next_auto_value(const table_def &t, const field_def &f, value &out, std::string &err);

private:
    friend class row_batch;
    bool exec(const std::string &sql, std::string &err, const table_def *t = nullptr);
    // INSERT of rows rows of t, with a mark for each field of each row.
    static std::string insert_sql(const table_def &t, size_t rows);
    sqlite3_stmt *prepare(const std::string &sql, std::string &err);
    bool load_catalogue(std::string &err);
    bool save_fields(const table_def &t, std::string &err);
    bool set_unique_index(const table_def &t, const field_def &f, std::string &err);
    std::string reason(const table_def *t = nullptr);
    table_def *find_mut(const std::string &name);

    sqlite3 *db_ = nullptr;
    std::map<std::string, sqlite3_stmt *> cache_;
    // A deque, so that creating a table in the middle of a statement (select into) leaves
    // the pointers the statement holds to other tables valid.
    std::deque<table_def> tables_;
};

// Inserts many rows of one table inside the running transaction, several to a statement: one
// statement per row costs SQLite more than the row itself. When a statement of several rows
// fails, its rows are tried again one at a time, so that the failure names its row.
class row_batch {
public:
    row_batch(storage &st, const table_def &t);
    // cells: one value per field, already of the field's type. The vector is swapped with one
    // the batch is done with; its contents are left to be overwritten. tag names the row when
    // it cannot be stored (failed_tag).
    bool add(std::vector<value> &cells, uint64_t tag, std::string &err);
    // Stores the rows still held.
    bool flush(std::string &err);
    uint64_t failed_tag() const { return failed_tag_; }
    size_t rows_per_statement() const { return per_; }

private:
    bool store(size_t from, size_t count, std::string &err);

    storage &st_;
    const table_def &t_;
    size_t per_ = 1, held_ = 0;
    std::vector<std::vector<value>> rows_;
    std::vector<uint64_t> tags_;
    std::string many_sql_, one_sql_;
    uint64_t failed_tag_ = 0;
};

} // namespace vela
