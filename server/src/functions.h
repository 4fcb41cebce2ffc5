#pragma once
// The scalar built-in functions: mathematics, text, conversion, byte encoding, row identity
// and date and time. Aggregates live with the expression evaluator.
#include "value.h"

#include <string>
#include <vector>

namespace vela {

bool is_known_function(const std::string &name);
// row_id is null when no row is at hand (a values list, a select without a table).
bool call_function(const std::string &name, std::vector<value> &args, const uint64_t *row_id,
                   value &out, std::string &err);

} // namespace vela
