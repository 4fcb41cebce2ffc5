// Feeds arbitrary bytes to the dialect parser and checks what every tree must satisfy.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "lang/sql_engine.h"

namespace {

// Children lie inside their parent, in order, without overlapping.
void check_tree(const lang::parse_node *n, const char *begin, const char *end)
{
    if (n->start < begin || n->stop() > end) std::abort();
    const char *at = n->start;
    for (const lang::parse_node *c : *n) {
        if (c->start < at) std::abort();
        check_tree(c, n->start, n->stop());
        at = c->stop();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // An exact-size copy, so that any read past the end is caught.
    std::vector<char> text(data, data + size);
    const char *p = size ? text.data() : nullptr;
    const lang::sql_engine &engine = lang::sql_engine::instance();

    lang::statement_list list;
    int32_t stop = engine.parse_all(p, size, list);
    if (stop < 0 || static_cast<size_t>(stop) > size) std::abort();
    const char *at = p;
    for (const lang::parse_node *s : list) {
        if (s->start != at || s->length == 0 || s->id != lang::sql_id::sql) std::abort();
        check_tree(s, p, p + size);
        at = s->stop();
        engine.normalise_statement(s, true, true);
        engine.normalise_statement(s, false, false);
    }
    if (at != p + stop) std::abort();
    if (size) engine.node_path_at(list, size / 2);

    lang::parse_result one = engine.parse_one(p, size);
    if (one.tree) {
        if (one.result < 0 || static_cast<size_t>(one.result) > size) std::abort();
    } else if (one.result > static_cast<int32_t>(size)) {
        std::abort();
    }
    return 0;
}
