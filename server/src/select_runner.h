#pragma once
// Runs a query as a pipeline of steps over the result so far: the source (a table with its
// where-condition, or no table), then each join, union and post-processing clause in the
// order written, then an export. Each clause is compiled here and run by its step in
// query_steps.h.
#include "query_steps.h"
#include "storage.h"
#include "where_clause.h"

#include <functional>
#include <string>

namespace vela {

// Writes a query's result to a file (the export clause); set by the statement runner.
using export_fn =
    std::function<bool(const parse_node *export_node, const std::vector<std::string> &names,
                       const row_feed &rows, std::string &err)>;

class select_runner {
public:
    // outer: the scope and row of the query this one is a sub-select of (a correlated exists).
    select_runner(storage &st, export_fn exporter, int depth = 0, const expr_scope *outer = nullptr)
        : st_(st), exporter_(std::move(exporter)), depth_(depth), outer_(outer)
    {
    }

    bool run(const parse_node *select, result_table &out, std::string &err);
    // The rows of ids (in stored order) handed to each in turn, with at least the fields of
    // need (null: all).
    bool each_row_of_ids(const table_def &t, const std::vector<uint64_t> &ids,
                         const std::vector<bool> *need,
                         const std::function<bool(stored_row &)> &each, std::string &err);
    // A plain read of one table (its fields or *, no clause but a where-condition that each
    // row decides alone) goes into the reply payload row by row as it is read, so no copy of
    // the rows is held. done is false when the query is not that plain; it then runs through
    // run(). run() writes a plain read without a condition (or with "where first k" alone)
    // followed by an export to its file the same way.
    bool stream(const parse_node *select, std::string &payload, bool &done, std::string &err);
    // Nested selects (in, any, all) give their first column.
    subselect_fn subselect();
    // The rows of t that a where-node keeps, read from storage.
    // need: the fields the query reads besides those of the where-condition (null: all).
    bool rows_for(const table_def &t, const parse_node *where, const expr_scope &scope,
                  std::vector<stored_row> &rows, std::vector<size_t> &picked, std::string &err,
                  const std::vector<bool> *need = nullptr);
    // The same for a compiled condition.
    bool rows_for(const table_def &t, const where_node &w, std::vector<stored_row> &rows,
                  std::vector<size_t> &picked, std::string &err,
                  const std::vector<bool> *need = nullptr);

    // The ids of the rows a where-node keeps (all rows when there is none), in table order,
    // with what the rows themselves would give, failures included. Only the fields the
    // condition tests are read, and no row is held when each of its parts tests rows alone
    // (with first, last, nth or range beside).
    bool ids_for(const table_def &t, const parse_node *where, const expr_scope &scope,
                 std::vector<uint64_t> &ids, std::string &err);

private:
    // ids_for over a condition whose parts each test rows alone: one pass over the table per
    // part of an ||, holding ids only.
    bool ids_by_passes(const table_def &t, const where_node &w, std::vector<uint64_t> &ids,
                       std::string &err);
    // A plain read of one table: its fields or *, no clause but a where-condition that each
    // row decides alone (with "first k" at most beside it).
    struct plain_read {
        const table_def *table = nullptr;
        std::vector<std::string> names;
        std::vector<col_type> types;
        std::vector<size_t> pick; // per column: 0 the row id, i + 1 field i
        std::vector<bool> need;   // the fields read
        uint64_t limit = 0;       // 0: every row
        bool tested = false;      // cond is tested on each row, keeping the first first_k
        where_node cond;
        uint64_t first_k = UINT64_MAX, passed = 0;
        id_range range;
    };
    bool plain_read_of(const parse_node *one, plain_read &plan);
    // Whether a plain read keeps the row; false with err when the row fails the test.
    static bool plain_keeps(plain_read &plan, const stored_row &row, bool &keep, std::string &err);
    // Exports a plain read row by row as it is read; done is false when it is not plain.
    bool stream_export(const std::vector<const parse_node *> &parts, bool &done, std::string &err);
    bool source(const parse_node *one, result_table &out, std::string &err);
    bool clause(const parse_node *post, result_table &t, std::string &err);
    // group: a group clause right after the join, run on the joined rows as they are made
    // (then grouped is true) when it can.
    bool join(const parse_node *expand, result_table &t, const parse_node *group, bool &grouped,
              std::string &err);
    bool union_(const parse_node *expand, result_table &t, std::string &err);
    bool filter(const parse_node *clause, result_table &t, std::string &err);
    struct compiled_group {
        std::vector<size_t> keys;
        expr e;
        std::string name;
    };
    bool compile_group(const parse_node *clause, const std::vector<std::string> &names,
                       compiled_group &g, std::string &err);
    bool group(const parse_node *clause, result_table &t, std::string &err);
    bool recompute(const parse_node *clause, result_table &t, std::string &err);
    bool store_into(const std::string &name, const result_table &t, std::string &err);

    storage &st_;
    export_fn exporter_;
    int depth_;
    const expr_scope *outer_;
};

// A table name, bare or bracketed, valid for the catalogue.
bool valid_name(const std::string &name, const char *what, std::string &err);

} // namespace vela
