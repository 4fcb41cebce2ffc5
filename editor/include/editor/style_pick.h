// Which theme slot paints a byte of a script, from the parse path above that byte. No Qt.
#pragma once

#include "lang/parser.h"

#include <vector>

// Every rule id the choice looks for on the path above a byte: ask node_path_at for these.
const lang::id_set &style_ids();

// The theme slot (style_slot of the configuration) for a path from node_path_at: comments,
// function, field and table names and constants first, then keywords by the kind of
// statement or clause they belong to.
int style_slot_of(const std::vector<const lang::parse_node *> &path);
