#include "executor.h"
#include "refuse.h"

#include "expr.h"
#include "file_statements.h"
#include "memory_budget.h"
#include "privileges.h"
#include "statement_budget.h"
#include "select_runner.h"
#include "tree_reader.h"
#include "user_store.h"

#include <algorithm>
#include <exception>
#include <random>
#include <set>

namespace vela {

namespace {

// Parses a request or a script as the server parses everything: refused up front (-1 and a
// reason) when the parse would need more memory than is free, since running out half-way
// would take every other client's statements down with it; stopped at the deadline.
int32_t parse_bounded(const std::string &text, const std::string &what, lang::statement_list &list,
                      std::string &err)
{
    uint64_t need = uint64_t(text.size()) * parse_bytes_per_byte;
    if (text.size() > (1u << 20) && need > memory_available()) {
        err = what + " is too large: parsing it would need about " + std::to_string(need >> 20) +
              " MiB, more than the server has free";
        return -1;
    }
    lang::parse_options opts;
    opts.keep_going = [] { return !statement_budget::expired(); };
    return lang::sql_engine::instance().parse_all(text.data(), text.size(), list, opts);
}

} // namespace

namespace {

bool word(const parse_node *n, const char *w)
{
    return is_word(n, w);
}

// A script run by exec may run exec itself, this many levels deep.
constexpr int max_exec_depth = 8;

// The statement inside a sql node (the group for grant and deny), or null.
const parse_node *statement_of(const parse_node *sql)
{
    const parse_node *group = nullptr;
    for (const parse_node *p : items(sql))
        if (p->id == id::ddl || p->id == id::dml || p->id == id::dcl) group = p;
    if (!group || group->id == id::dcl) return group;
    const parse_node *s = nullptr;
    for (const parse_node *p : items(group))
        if (p->id != lang::terminal_id) s = p;
    return s;
}

struct privilege_need {
    std::string priv, table; // priv "admin": only admin may
};

// What a statement needs, read from its tree before it runs.
void needs_of(const parse_node *n, std::vector<privilege_need> &out)
{
    auto table = [&](const char *priv) {
        const parse_node *t = item(n, id::table_name);
        if (t) out.push_back({priv, name_of(t)});
    };
    switch (n->id) {
    case id::select_one:
    case id::rows_of:
    case id::cols_of:
    case id::fields_of:
        table("select");
        break;
    case id::insert:
        table("insert");
        break;
    case id::update:
    case id::alter:
        table("update");
        break;
    case id::delete_:
    case id::drop:
    case id::truncate:
        table("delete");
        break;
    case id::save:
        out.push_back({"execute", "*"});
        table("select");
        break;
    case id::import:
    case id::load_csv:
        out.push_back({"execute", "*"});
        table("insert");
        break;
    case id::export_:
    case id::exec:
    case id::load: // the script's own statements are checked as they run
        out.push_back({"execute", "*"});
        break;
    case id::backup:
    case id::restore:
    case id::dcl:
        out.push_back({"admin", ""});
        break;
    default:
        break;
    }
    for (const parse_node *p : items(n)) needs_of(p, out);
}

bool check_privileges(storage &st, const std::string &user, const parse_node *s, std::string &err)
{
    std::vector<privilege_need> needs;
    needs_of(s, needs);
    privileges priv(st.handle());
    for (const auto &n : needs) {
        if (n.priv == "admin") {
            if (user != "admin")
                return refuse(err, "only admin may " + text_of(items(s).front()) + " (user " +
                                       user + ")");
            continue;
        }
        bool yes = false;
        if (!priv.allowed(user, n.priv, n.table, yes, err)) return false;
        if (!yes)
            return refuse(err, "user " + user + " lacks the " + n.priv + " privilege" +
                                   (privileges::database_wide(n.priv) ? std::string()
                                                                      : " on table " + n.table));
    }
    return true;
}

// One statement's work inside the transaction of the request.
class statement_runner {
public:
    statement_runner(storage &st, const executor_env &env, const std::string &user, int depth = 0)
        : st_(st), env_(env), user_(user), depth_(depth)
    {
    }

    bool run(const parse_node *sql, statement_outcome &out, std::string &err);

private:
    bool run_select(const parse_node *select, result_table &out, std::string &err)
    {
        return select_runner(st_, exporter()).run(select, out, err);
    }
    // The rows an update or a delete changes: only their ids are held, 8 bytes a row.
    bool ids_for(const table_def &t, const parse_node *where, const expr_scope &scope,
                 std::vector<uint64_t> &ids, std::string &err)
    {
        return select_runner(st_, exporter()).ids_for(t, where, scope, ids, err);
    }
    export_fn exporter()
    {
        const files_dir *files = env_.files;
        return [files](const parse_node *ex, const std::vector<std::string> &names,
                       const row_feed &rows, std::string &err) {
            if (!files) return refuse(err, "this server has no files folder");
            return export_csv(*files, read_target(ex), names, rows, err);
        };
    }
    bool run_grant(const parse_node *dcl, std::string &err);
    bool run_script(const parse_node *s, statement_outcome &out, std::string &err);
    bool need_files(std::string &err)
    {
        return env_.files ? true : refuse(err, "this server has no files folder");
    }
    bool run_insert(const parse_node *n, std::string &err);
    bool run_update(const parse_node *n, std::string &err);
    bool run_delete(const parse_node *n, std::string &err);
    bool run_create(const parse_node *n, std::string &err);
    bool run_alter(const parse_node *n, std::string &err);
    bool read_field_opt(const parse_node *n, field_def &f, size_t &flags_given, std::string &err);
    bool insert_values(const table_def &t, const std::vector<int> &targets,
                       std::vector<value> &given, std::string &err);
    const table_def *table_of(const parse_node *n, std::string &err);

    storage &st_;
    const executor_env &env_;
    const std::string &user_;
    int depth_;
};

const table_def *statement_runner::table_of(const parse_node *n, std::string &err)
{
    const parse_node *tn = n->id == id::table_name ? n : item(n, id::table_name);
    std::string name = name_of(tn);
    const table_def *t = st_.find_table(name);
    if (!t) err = "no table " + name;
    return t;
}

bool statement_runner::run(const parse_node *sql, statement_outcome &out, std::string &err)
{
    const parse_node *s = statement_of(sql);
    if (!s) return refuse(err, "empty statement");
    if (!check_privileges(st_, user_, s, err)) return false;
    if (s->id == id::dcl) return run_grant(s, err);

    switch (s->id) {
    case id::show_tabs: {
        out.has_table = true;
        out.table.names = {"tables"};
        out.table.types = {col_type::s256};
        for (const auto &t : st_.tables()) {
            result_row r;
            r.sid = uint64_t(t.tid);
            r.cells.push_back(value::of_str(t.name, col_type::s256));
            out.table.rows.push_back(std::move(r));
        }
        return true;
    }
    case id::fields_of: {
        const table_def *t = table_of(s, err);
        if (!t) return false;
        out.has_table = true;
        out.table.names = {"name", "type", "repeat"};
        out.table.types = {col_type::s256, col_type::s16, col_type::s04};
        uint64_t n = 0;
        for (const auto &f : t->fields) {
            result_row r;
            r.sid = ++n;
            r.cells = {value::of_str(f.name, col_type::s256),
                       value::of_str(type_name(f.type), col_type::s16),
                       value::of_str(f.repeat ? "Yes" : "No", col_type::s04)};
            out.table.rows.push_back(std::move(r));
        }
        return true;
    }
    case id::rows_of:
    case id::cols_of: {
        const table_def *t = table_of(s, err);
        if (!t) return false;
        uint64_t n = t->fields.size();
        if (s->id == id::rows_of && !st_.count_rows(*t, n, err)) return false;
        out.has_table = true;
        out.table.names = {s->id == id::rows_of ? "rows_of" : "cols_of"};
        out.table.types = {col_type::u64};
        result_row r;
        r.cells.push_back(value::of_uint(n, col_type::u64));
        out.table.rows.push_back(std::move(r));
        return true;
    }
    case id::select: {
        out.has_table = true;
        bool streamed = false;
        select_runner runner(st_, exporter());
        if (env_.stream_replies && !runner.stream(s, out.encoded, streamed, err)) return false;
        return streamed || runner.run(s, out.table, err);
    }
    case id::insert:
        return run_insert(s, err);
    case id::update:
        return run_update(s, err);
    case id::delete_:
        return run_delete(s, err);
    case id::atom_exec:
        // The whole request is one transaction already; its parts run in order.
        for (const parse_node *a : items(s)) {
            if (a->id != id::atom_ddl) continue;
            for (const parse_node *inner : items(a)) {
                if (inner->id == lang::terminal_id) continue;
                bool ok = inner->id == id::select   ? [&] { result_table t; return run_select(inner, t, err); }()
                          : inner->id == id::insert ? run_insert(inner, err)
                          : inner->id == id::update ? run_update(inner, err)
                                                    : run_delete(inner, err);
                if (!ok) return false;
            }
        }
        return true;
    case id::create:
        return run_create(s, err);
    case id::alter:
        return run_alter(s, err);
    case id::drop: {
        const table_def *t = table_of(s, err);
        if (!t) return false;
        std::string name = t->name;
        return st_.drop_table(name, err) && privileges(st_.handle()).forget_table(name, err);
    }
    case id::truncate: {
        const table_def *t = table_of(s, err);
        return t && st_.truncate_table(t->name, err);
    }
    case id::save: {
        const table_def *t = table_of(s, err);
        return t && need_files(err) && save_table(st_, *env_.files, read_target(s), *t, err);
    }
    case id::import:
    case id::load_csv: {
        if (!need_files(err)) return false;
        return import_csv(st_, *env_.files, read_target(s), name_of(item(s, id::table_name)), err);
    }
    case id::load:
    case id::exec:
        return run_script(s, out, err);
    case id::backup:
    case id::restore:
        return refuse(err, std::string(s->id == id::backup ? "backup" : "restore") +
                               " runs as a request of its own, not with other statements or "
                               "inside a script");
    default:
        return refuse(err, "unsupported statement " + text_of(s).substr(0, 40));
    }
}

bool statement_runner::insert_values(const table_def &t, const std::vector<int> &targets,
                                     std::vector<value> &given, std::string &err)
{
    if (given.size() != targets.size())
        return refuse(err, "insert names " + std::to_string(targets.size()) + " fields but gives " +
                               std::to_string(given.size()) + " values");
    std::vector<value> cells(t.fields.size());
    std::vector<bool> set(t.fields.size(), false);
    for (size_t i = 0; i < targets.size(); ++i) {
        const field_def &f = t.fields[size_t(targets[i])];
        std::string why;
        if (!convert_value(given[i], f.type, cells[size_t(targets[i])], why))
            return refuse(err, "field " + f.name + ": " + why);
        set[size_t(targets[i])] = true;
    }
    for (size_t i = 0; i < t.fields.size(); ++i) {
        if (set[i]) continue;
        const field_def &f = t.fields[i];
        if (f.auto_inc) {
            if (!st_.next_auto_value(t, f, cells[i], err)) return false;
        } else {
            cells[i] = value();
            cells[i].type = f.type;
        }
    }
    uint64_t id;
    return st_.insert_row(t, cells, id, err);
}

bool statement_runner::run_insert(const parse_node *n, std::string &err)
{
    const table_def *t = table_of(n, err);
    if (!t) return false;
    std::vector<const parse_node *> parts = items(n);
    std::vector<int> targets;
    size_t i = 0;
    for (; i < parts.size(); ++i) {
        const parse_node *p = parts[i];
        if (p->id == id::field_name) {
            std::string name = name_of(p);
            if (name == "__id")
                return refuse(err, "__id is given by the server and cannot be inserted");
            int idx = t->field_index(name);
            if (idx < 0) return refuse(err, "no field " + name + " in table " + t->name);
            if (std::find(targets.begin(), targets.end(), idx) != targets.end())
                return refuse(err, "field " + name + " is named twice");
            targets.push_back(idx);
        } else if (p->id == id::select || word(p, "values")) {
            break;
        }
    }
    if (i >= parts.size()) return refuse(err, "malformed insert");
    if (parts[i]->id == id::select) {
        result_table rows;
        if (!run_select(parts[i], rows, err)) return false;
        if (rows.names.size() != targets.size())
            return refuse(err, "insert names " + std::to_string(targets.size()) +
                                   " fields but the select gives " +
                                   std::to_string(rows.names.size()) + " columns");
        for (auto &r : rows.rows)
            if (!statement_budget::check(err) || !insert_values(*t, targets, r.cells, err))
                return false;
        return true;
    }
    expr_scope none;
    std::vector<value> row;
    bool open = false;
    for (++i; i < parts.size(); ++i) {
        const parse_node *p = parts[i];
        if (word(p, "(")) {
            open = true;
            row.clear();
        } else if (word(p, ")") && open) {
            open = false;
            if (!insert_values(*t, targets, row, err)) return false;
        } else if (p->id == id::constant_expr) {
            expr e;
            value v;
            if (!compile_expr(p, none, e, err) || !eval_expr(e, eval_ctx(), v, err)) return false;
            row.push_back(std::move(v));
        }
    }
    return true;
}

bool statement_runner::run_update(const parse_node *n, std::string &err)
{
    const table_def *t = table_of(n, err);
    if (!t) return false;
    expr_scope scope;
    scope.table = t;
    struct assignment {
        int field;
        std::string op;
        expr e;
    };
    std::vector<assignment> sets;
    const parse_node *where = nullptr;
    for (const parse_node *p : items(n)) {
        if (p->id == id::where) where = p;
        if (p->id != id::agn_expr) continue;
        assignment a;
        std::string name;
        for (const parse_node *q : items(p)) {
            if (q->id == id::field_name)
                name = name_of(q);
            else if (q->id == lang::terminal_id)
                a.op += text_of(q);
            else if (!compile_expr(q, scope, a.e, err))
                return false;
        }
        if (name == "__id") return refuse(err, "__id is given by the server and cannot be changed");
        a.field = t->field_index(name);
        if (a.field < 0) return refuse(err, "no field " + name + " in table " + t->name);
        if (!a.op.empty()) a.op.pop_back(); // the "=" of the assignment
        if (a.e.aggregate) return refuse(err, "an aggregate cannot be assigned");
        sets.push_back(std::move(a));
    }
    // Every row is picked before the first changes: the condition sees the table as it was,
    // and fails (if it does) before any assignment could.
    std::vector<uint64_t> ids;
    if (!ids_for(*t, where, scope, ids, err)) return false;
    std::vector<value> cells;
    auto change = [&](stored_row &old) {
        cells = old.cells;
        eval_ctx ctx;
        ctx.row = &old.cells;
        ctx.row_id = old.id;
        for (const auto &a : sets) {
            value v;
            if (!eval_expr(a.e, ctx, v, err)) return false;
            const field_def &f = t->fields[size_t(a.field)];
            if (!a.op.empty()) {
                expr bin;
                bin.kind = expr::k_binary;
                bin.op = a.op;
                expr l, r;
                l.constant = old.cells[size_t(a.field)];
                r.constant = v;
                bin.args = {l, r};
                if (!eval_expr(bin, eval_ctx(), v, err))
                    return refuse(err, "field " + f.name + ": " + err);
            }
            std::string why;
            if (!convert_value(v, f.type, cells[size_t(a.field)], why))
                return refuse(err, "field " + f.name + ": " + why);
        }
        return st_.update_row(*t, old.id, cells, err);
    };
    return st_.fetch_each(*t, ids, change, err);
}

bool statement_runner::run_delete(const parse_node *n, std::string &err)
{
    const table_def *t = table_of(n, err);
    if (!t) return false;
    expr_scope scope;
    scope.table = t;
    std::vector<uint64_t> ids;
    if (!ids_for(*t, item(n, id::where), scope, ids, err)) return false;
    for (uint64_t id : ids)
        if (!statement_budget::check(err) || !st_.delete_row(*t, id, err)) return false;
    return true;
}

bool statement_runner::read_field_opt(const parse_node *n, field_def &f, size_t &flags_given,
                                      std::string &err)
{
    f = field_def();
    f.name = name_of(item(n, id::field_name));
    if (!valid_name(f.name, "field", err)) return false;
    const parse_node *opt = item(n, id::data_type_opt);
    std::vector<bool> flags;
    std::string type_text;
    for (const parse_node *p : items(opt)) {
        if (p->id >= id::dt_int && p->id <= id::dt_flt)
            type_text = text_of(p);
        else if (p->id == id::bool_)
            flags.push_back(text_of(p) == "true");
    }
    if (!type_from_name(type_text, f.type)) return refuse(err, "unknown type " + type_text);
    flags_given = flags.size();
    if (flags.size() > 0) f.repeat = flags[0];
    if (flags.size() > 1) f.auto_inc = flags[1];
    if (f.auto_inc && !is_int(f.type))
        return refuse(err, "only an integer field can count up by itself");
    return true;
}

bool statement_runner::run_create(const parse_node *n, std::string &err)
{
    std::string name = name_of(item(n, id::table_name));
    if (!valid_name(name, "table", err)) return false;
    std::vector<field_def> fields;
    for (const parse_node *p : items(n)) {
        if (p->id != id::field_opt) continue;
        field_def f;
        size_t given;
        if (!read_field_opt(p, f, given, err)) return false;
        for (const auto &g : fields)
            if (g.name == f.name) return refuse(err, "field " + f.name + " is named twice");
        fields.push_back(f);
    }
    return st_.create_table(name, fields, err);
}

bool statement_runner::run_alter(const parse_node *n, std::string &err)
{
    const table_def *t = table_of(n, err);
    if (!t) return false;
    std::string table = t->name;
    std::vector<const parse_node *> parts = items(n);
    std::string verb;
    std::vector<const parse_node *> names;
    const parse_node *fopt = nullptr;
    for (const parse_node *p : parts) {
        if (word(p, "add") || word(p, "modify") || word(p, "rename") || word(p, "drop"))
            verb = text_of(p);
        else if (p->id == id::field_name)
            names.push_back(p);
        else if (p->id == id::field_opt)
            fopt = p;
    }
    if (verb == "add" || verb == "modify") {
        field_def f;
        size_t given;
        if (!fopt || !read_field_opt(fopt, f, given, err)) return false;
        if (verb == "add") return st_.add_field(table, f, err);
        // A flag left out keeps the field's setting. The table definition form writes only
        // the repeat flag, so changing a field's type there must not end its counting up.
        int idx = t->field_index(f.name);
        if (idx >= 0 && given < 1) f.repeat = t->fields[size_t(idx)].repeat;
        if (idx >= 0 && given < 2) f.auto_inc = t->fields[size_t(idx)].auto_inc && is_int(f.type);
        return st_.modify_field(table, f, err);
    }
    if (verb == "rename" && names.size() == 2) {
        std::string to = name_of(names[1]);
        if (!valid_name(to, "field", err)) return false;
        return st_.rename_field(table, name_of(names[0]), to, err);
    }
    if (verb == "drop" && names.size() == 1) return st_.drop_field(table, name_of(names[0]), err);
    return refuse(err, "malformed alter table");
}

bool statement_runner::run_grant(const parse_node *dcl, std::string &err)
{
    std::vector<const parse_node *> parts = items(dcl);
    bool grant = !parts.empty() && is_word(parts[0], "grant");
    std::string priv, table, user;
    for (size_t i = 1; i < parts.size(); ++i) {
        const parse_node *p = parts[i];
        if (p->id == lang::terminal_id && priv.empty() && privileges::valid_privilege(text_of(p)))
            priv = text_of(p);
        else if (p->id == id::field_name || p->id == id::table_name)
            table = name_of(p);
        else if (p->id == id::user_name) {
            const parse_node *str = item(p, id::string);
            user = str ? string_of(str) : text_of(p);
        }
    }
    if (priv.empty() || user.empty()) return refuse(err, "malformed grant or deny");
    if (!user_store::valid_name(user)) return refuse(err, "no user " + user);
    if (env_.users && !env_.users->has_user(user)) return refuse(err, "no user " + user);
    if (!privileges::database_wide(priv) && table != "*" && !st_.find_table(table))
        return refuse(err, "no table " + table);
    return privileges(st_.handle()).set(user, priv, table, grant, err);
}

bool statement_runner::run_script(const parse_node *s, statement_outcome &out, std::string &err)
{
    if (!need_files(err)) return false;
    bool load = s->id == id::load;
    if (depth_ >= max_exec_depth)
        return refuse(err,
                      "exec nests more than " + std::to_string(max_exec_depth) + " scripts deep");
    file_target from = read_target(s);
    std::string text;
    if (!env_.files->read(from.path, text, err, size_t(1) << 30)) return false;
    lang::statement_list list;
    int32_t stop = parse_bounded(text, from.path, list, err);
    if (stop == -1 && !err.empty()) return false;
    if (stop < 0 || size_t(stop) != text.size())
        return refuse(err, from.path + " does not parse (stopped at byte " +
                               std::to_string(stop < 0 ? 0 : stop) + ")");
    statement_runner inner(st_, env_, user_, depth_ + 1);
    for (const lang::parse_node *one : list) {
        const parse_node *stmt = statement_of(one);
        // A table script recreates a table: its name comes from the file.
        if (load && (!stmt || (stmt->id != id::create && stmt->id != id::insert)))
            return refuse(err, from.path + " holds more than create table and insert: " +
                                   text_of(one).substr(0, 40));
        statement_outcome step;
        if (!inner.run(one, step, err)) return refuse(err, from.path + ": " + err);
        out = std::move(step);
    }
    if (load) out = statement_outcome();
    return true;
}

} // namespace

bool executor::may_connect(const std::string &user)
{
    bool yes = false;
    std::string err;
    return privileges(st_.handle()).allowed(user, "connect", "*", yes, err) && yes;
}

statement_outcome executor::run_alone(const lang::parse_node *s, const std::string &user)
{
    statement_outcome out;
    if (!check_privileges(st_, user, s, out.error)) return out;
    if (!env_.files) {
        out.error = "this server has no files folder";
        return out;
    }
    file_target target = read_target(s);
    try {
        out.ok = s->id == id::backup
                     ? backup_database(st_, env_.users, *env_.files, target, out.error)
                     : restore_database(st_, env_.users, *env_.files, target, out.error);
    } catch (const std::exception &e) {
        out.ok = false;
        out.error = std::string("the statement could not be completed: ") + e.what();
    }
    return out;
}

statement_outcome executor::run(const std::string &text, const std::string &user)
{
    statement_budget budget(timeout_, regex_time_);
    statement_outcome out;
    try {
        out = run_parsed(text, user);
    } catch (const std::exception &e) {
        // Whatever fails half-way (memory, most likely) fails this request only. The
        // transaction is closed either way: an open one would refuse every later request.
        st_.rollback();
        out = statement_outcome();
        out.error = std::string("the statement could not be completed: ") + e.what();
    }
    // A large parse leaves its node memory with this thread; an idle connection keeps none.
    if (text.size() > (64u << 10)) lang::release_spare_parse_memory();
    std::string late;
    if (!out.ok && !statement_budget::check_now(late)) out.error = late;
    return out;
}

statement_outcome executor::run_parsed(const std::string &text, const std::string &user)
{
    statement_outcome out;
    if (text.empty()) {
        out.error = "empty statement";
        return out;
    }
    lang::statement_list list;
    int32_t stop = parse_bounded(text, "the statement", list, out.error);
    if (stop == -1 && !out.error.empty()) return out;
    if (stop < 0 || size_t(stop) != text.size() || list.empty()) {
        out.error = "the statement does not parse (stopped at byte " +
                    std::to_string(stop < 0 ? 0 : stop) + ")";
        return out;
    }
    // A backup reads and a restore replaces the whole database outside any transaction.
    if (list.size() == 1) {
        const parse_node *s = statement_of(list[0]);
        if (s && (s->id == id::backup || s->id == id::restore)) return run_alone(s, user);
    }
    std::string err;
    if (!st_.begin(err)) {
        out.error = err;
        return out;
    }
    statement_runner runner(st_, env_, user);
    try {
        for (const lang::parse_node *s : list) {
            statement_outcome one;
            if (!runner.run(s, one, err)) {
                st_.rollback();
                out = statement_outcome();
                out.error = err.empty() ? "failed" : err;
                return out;
            }
            out = std::move(one);
        }
    } catch (const std::exception &e) {
        // Running out of memory half-way (a selection too large to hold) must not leave the
        // transaction open, which would refuse every later statement of every client.
        st_.rollback();
        out = statement_outcome();
        out.error = std::string("the statement could not be completed: ") + e.what();
        return out;
    }
    if (!st_.commit(err)) {
        st_.rollback();
        out = statement_outcome();
        out.error = err;
        return out;
    }
    out.ok = true;
    return out;
}

} // namespace vela
