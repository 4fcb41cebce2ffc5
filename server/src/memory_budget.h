#pragma once
// How much memory the process may still take, so that a statement it cannot afford is
// refused before it is tried instead of ending the whole server half-way.
#include <cstdint>

namespace vela {

// The smaller of what the address-space limit leaves and what the system reports
// available; UINT64_MAX when neither is known.
uint64_t memory_available();

// Peak parse memory per byte of statement text, measured with the dialect's parser on 8 MiB
// texts: 48 for a comment, 72 for blanks, 128 for an insert of many short rows, 176 for a
// long operator chain. With a margin above the worst.
const uint64_t parse_bytes_per_byte = 192;

} // namespace vela
