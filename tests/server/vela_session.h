#pragma once
// Test side of a session: runs statements through velalink on the calling thread and turns
// result sets into texts, so that tests can compare cells and type names directly.
#include "velalink.h"

#include <cstdint>
#include <string>
#include <vector>

struct query_table {
    std::vector<std::string> names, types;
    std::vector<std::vector<std::string>> cells;
    std::vector<uint64_t> sids;
    size_t rows() const { return cells.size(); }
    // All cells of one column, top to bottom.
    std::vector<std::string> column(size_t c) const;
};

// Dialect type name of a cell, from its type code, width and signedness.
std::string cell_type_name(const cell_value *c);
// Canonical text of a cell: integers in decimal, reals with %.17g (floats %.9g), strings
// as they are, dates "yyyy-mm-dd", times "hh:mm:ss" with ".nnnnnnnnn" when the fraction is set.
std::string cell_text(const cell_value *c);

bool login(int port, const char *user = "admin", const char *password = "admin");
void logout();
// Runs sql; false when the server refused it (or the connection failed).
bool run(const std::string &sql);
bool query(const std::string &sql, query_table &out);
