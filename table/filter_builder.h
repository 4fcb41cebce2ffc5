#pragma once
// The samples of filter conditions and post-processing clauses that the data view's
// context menu writes into its filter and post texts, and how a piece joins the text that
// is there.

#include <QString>
#include <vector>

struct builder_entry {
    const char *text;  // the menu text
    const char *slot;  // the data view's slot
    const char *piece; // with {N} the column name, {V} the cell's value, {L1}/{L3} the bounds
    bool separator_before;
};

// The 22 filter entries and the 18 post-processing entries, in menu order.
const std::vector<builder_entry> &filter_entries();
const std::vector<builder_entry> &post_entries();
const builder_entry *find_entry(const char *slot);

enum class filter_join { replace, and_, or_ };
enum class post_join { replace, append };

// Fills a piece's placeholders; every other character stays as it is.
QString fill_piece(const char *piece, const QString &name, const QString &value, const QString &low,
                   const QString &high);
QString join_filter(filter_join mode, const QString &current, const QString &piece);
QString join_post(post_join mode, const QString &current, const QString &piece);
