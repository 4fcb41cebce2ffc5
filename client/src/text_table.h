// The console dump of a result set, built as text so that it can be checked
// without a console.
#ifndef VELALINK_TEXT_TABLE_H
#define VELALINK_TEXT_TABLE_H

#include <cstddef>
#include <functional>
#include <string>

#include "result_set_rec.h"

namespace velalink {

// Display columns of UTF-8 text: printable ASCII 1, other single bytes 0, every
// multi-byte character 2; an invalid sequence ends the count.
size_t display_width(const char *text, size_t size);

// The text a cell shows in the dump.
std::string cell_text(const cell_value *cell);

// Renders the table and hands it to sink in pieces: a piece goes out as soon as
// more than piece_limit bytes are pending before the next row, the rest at the end.
// Nothing is produced for a result set without columns.
void render_table(const result_set &rs, const std::function<void(const std::string &)> &sink,
                  size_t piece_limit = 4096);

} // namespace velalink

#endif
