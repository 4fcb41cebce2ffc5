#pragma once
// A result set read straight into typed columns, and the cell values built from them on
// demand. The values are the ones db_access::result_to_table gives for the same cells.

#include "typed_column.h"

#include <QStringList>
#include <QVariant>

#include <vector>

struct result_set;

struct result_columns {
    QStringList names;
    // From the cells of the first row; empty when there are no rows.
    QStringList types;
    // Filled only when every column has a type.
    std::vector<typed_column> columns;
    std::vector<uint64_t> row_ids;
};

// Reads every cell of `rs` once. A cell type the grid cannot show prints "bad type" and
// leaves everything empty, as result_to_table does.
void read_result(const result_set *rs, result_columns &out);

// The value of one stored cell, of the variant type result_to_table gives it.
QVariant column_value(const typed_column &column, size_t row);
// The storage type of a column type name; false for a name the grid does not know.
bool storage_type(const QString &name, cell_type &out);
// The variant type of the values of a column.
int column_meta_type(cell_type type);
