// Between the resolver and the parser: the function that matches a node of a given kind.
#pragma once

#include "lang/grammar.h"

namespace lang {

// The matcher for n (rule references and native rules included), chosen once at resolution
// so that matching a node is one indirect call.
native_matcher matcher_for(const grammar_node &n, const grammar &g);

} // namespace lang
