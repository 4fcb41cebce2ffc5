#include "typed_column.h"

namespace {

size_t width_of(cell_type t)
{
    switch (t) {
    case cell_type::u8:
    case cell_type::i8:
        return 1;
    case cell_type::u16:
    case cell_type::i16:
        return 2;
    case cell_type::u32:
    case cell_type::i32:
    case cell_type::f32:
    case cell_type::date:
    case cell_type::time:
        return 4;
    case cell_type::str:
        return 0;
    default:
        return 8;
    }
}

} // namespace

typed_column::typed_column(cell_type type) : type_(type), width_(width_of(type))
{
    if (type_ == cell_type::str) offsets_.push_back(0);
}

size_t typed_column::bytes() const
{
    return fixed_.capacity() + offsets_.capacity() * sizeof(uint32_t) + arena_.capacity();
}

void typed_column::reserve(size_t rows, size_t string_bytes)
{
    if (type_ == cell_type::str) {
        offsets_.reserve(rows + 1);
        arena_.reserve(string_bytes);
    } else
        fixed_.reserve(rows * width_);
}

void typed_column::push_string(const char *bytes, size_t size)
{
    arena_.insert(arena_.end(), bytes, bytes + size);
    offsets_.push_back(uint32_t(arena_.size()));
    ++rows_;
}
