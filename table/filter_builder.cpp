#include "filter_builder.h"

#include <cstring>

const std::vector<builder_entry> &filter_entries()
{
    static const std::vector<builder_entry> entries{
        {"==", "ftr_eq", "{N} == {V}", false},
        {"!=", "ftr_nq", "{N} != {V}", false},
        {"<", "ftr_lt", "{N} < {V}", false},
        {"<=", "ftr_le", "{N} <= {V}", false},
        {">", "ftr_gt", "{N} > {V}", false},
        {">=", "ftr_ge", "{N} >= {V}", false},
        {"(1,3)", "ftr_ltgt", "{L1} < {N} < {L3}", false},
        {"(1,3]", "ftr_legt", "{L1} < {N} <= {L3}", false},
        {"[1,3)", "ftr_ltge", "{L1} <= {N} < {L3}", false},
        {"[1,3]", "ftr_lege", "{L1} <= {N} <= {L3}", false},
        {"min", "ftr_min", "{N} min", true},
        {"max", "ftr_max", "{N} max", false},
        {"min 3", "ftr_min_k", "{N} min 3", false},
        {"max 3", "ftr_max_k", "{N} max 3", false},
        {"(1,2,3)", "ftr_in_set", "{N} in (1, 2, 3)", true},
        {"in table", "ftr_in_tab", "{N} in (select id from tab where id min 3)", false},
        {"first", "ftr_fst", " first", true},
        {"last", "ftr_lst", " last", false},
        {"first 3", "ftr_fst_k", " first 3", false},
        {"last 3", "ftr_lst_k", " last 3", false},
        {"nth 3", "ftr_nth_k", " nth 3", false},
        {"2~5", "ftr_range", " range 2 5", false},
    };
    return entries;
}

const std::vector<builder_entry> &post_entries()
{
    static const std::vector<builder_entry> entries{
        {"ascending", "post_asc", "order by {N} asc", false},
        {"descending", "post_dsc", "order by {N} desc", false},
        {"project", "post_prj", "project {N}", false},
        {"except", "post_epj", "project except {N}", false},
        {"rename", "post_ren", "rename {N} newname", false},
        {"compute", "post_com", "recompute {N} += 1", false},
        {"group", "post_grp", "group sum({N}) by id, name", false},
        {"first", "post_fst", "first", true},
        {"last", "post_lst", "last", false},
        {"first 3", "post_fst_k", "first 3", false},
        {"last 3", "post_lst_k", "last 3", false},
        {"nth 3", "post_nth_k", "nth 2", false},
        {"2~5", "post_range", "range 2 5", false},
        {"inner condition", "post_line_inr", "inner on {N}== 10", true},
        {"adjacent condition", "post_line_adj", "adj on {N} > _{N} + 10", false},
        {"between condition", "post_line_int", "all_each on {N}== _{N}", false},
        {"exists condition", "post_exts", "exists (select id from tab where id == nid)", false},
        {"not exists condition", "post_nxts", "not exists (select id from tab where id == nid)",
         false},
    };
    return entries;
}

const builder_entry *find_entry(const char *slot)
{
    for (const auto *list : {&filter_entries(), &post_entries()})
        for (const builder_entry &e : *list)
            if (std::strcmp(e.slot, slot) == 0) return &e;
    return nullptr;
}

QString fill_piece(const char *piece, const QString &name, const QString &value, const QString &low,
                   const QString &high)
{
    // One pass, so that a name or value holding "{V}" is never filled in again.
    const QString p = QString::fromLatin1(piece);
    QString out;
    for (int i = 0; i < p.size();) {
        const struct {
            const char *token;
            const QString *with;
        } tokens[] = {{"{N}", &name}, {"{V}", &value}, {"{L1}", &low}, {"{L3}", &high}};
        bool hit = false;
        for (const auto &t : tokens) {
            const QLatin1String tok(t.token);
            if (p.midRef(i).startsWith(tok)) {
                out += *t.with;
                i += tok.size();
                hit = true;
                break;
            }
        }
        if (!hit) out += p[i++];
    }
    return out;
}

QString join_filter(filter_join mode, const QString &current, const QString &piece)
{
    if (mode == filter_join::replace || current.isEmpty()) return piece;
    return current + (mode == filter_join::and_ ? " && " : " || ") + piece;
}

QString join_post(post_join mode, const QString &current, const QString &piece)
{
    if (mode == post_join::replace || current.isEmpty()) return piece;
    return current + " " + piece;
}
