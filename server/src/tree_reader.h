#pragma once
// Reading the dialect's parse trees: the meaningful children of a node (anonymous groups
// opened, ignorable runs dropped), names and literals decoded into bytes and values.
#include "value.h"

#include "lang/parser.h"
#include "lang/sql_engine.h"

#include <string>
#include <vector>

namespace vela {

using lang::parse_node;
namespace id = lang::sql_id;

// Children of n, with anonymous nodes opened and ignorable runs left out.
std::vector<const parse_node *> items(const parse_node *n);
// The first item with that id, or null.
const parse_node *item(const parse_node *n, lang::node_id which);
// Whether n is a terminal leaf with exactly this text.
bool is_word(const parse_node *n, const char *text);
std::string text_of(const parse_node *n);

// A field or table name: bare, or bracketed with its escapes decoded.
std::string name_of(const parse_node *n);

// The text of a string literal (its pieces joined, escapes decoded).
std::string string_of(const parse_node *string);

// Literals. False with a reason when the literal is well-formed but unusable (an integer
// too large, an unsigned suffix on a negative number).
bool constant_value(const parse_node *constant, value &out, std::string &err);
uint64_t uint_of(const parse_node *uint_dec, bool &overflow);

} // namespace vela
