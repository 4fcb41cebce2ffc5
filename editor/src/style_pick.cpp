#include "editor/style_pick.h"

#include "lang/sql_engine.h"
#include "sys_config.h"

namespace {

namespace sid = lang::sql_id;

bool path_has(const std::vector<const lang::parse_node *> &path,
              std::initializer_list<lang::node_id> ids)
{
    for (const lang::parse_node *n : path)
        for (lang::node_id id : ids)
            if (n->id == id) return true;
    return false;
}

} // namespace

const lang::id_set &style_ids()
{
    static const lang::id_set ids{sid::comment,   sid::fn_name,  sid::field_name, sid::table_name,
                                  sid::constant,  sid::terminal, sid::select_one, sid::backup,
                                  sid::rows_of,   sid::cols_of,  sid::fields_of,  sid::show_tabs,
                                  sid::insert,    sid::delete_,  sid::update,     sid::create,
                                  sid::truncate,  sid::import,   sid::drop,       sid::alter,
                                  sid::restore,   sid::order,    sid::filter,     sid::group,
                                  sid::recompute, sid::project,  sid::rename};
    return ids;
}

int style_slot_of(const std::vector<const lang::parse_node *> &path)
{
    if (path.empty()) return slot_default;
    if (path_has(path, {sid::comment})) return slot_comment;
    if (path_has(path, {sid::fn_name})) return slot_function;
    if (path_has(path, {sid::field_name})) return slot_field_name;
    if (path_has(path, {sid::table_name})) return slot_table_name;
    if (path_has(path, {sid::constant})) return slot_constant;
    if (!path_has(path, {sid::terminal})) return slot_default;
    if (path_has(path, {sid::select_one, sid::backup, sid::rows_of, sid::cols_of, sid::fields_of,
                        sid::show_tabs}))
        return slot_read_keyword;
    if (path_has(path, {sid::insert, sid::delete_, sid::update, sid::create, sid::truncate,
                        sid::import, sid::drop, sid::alter, sid::restore}))
        return slot_write_keyword;
    if (path_has(path,
                 {sid::order, sid::filter, sid::group, sid::recompute, sid::project, sid::rename}))
        return slot_post_keyword;
    return slot_default_keyword;
}
