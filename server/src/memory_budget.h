#pragma once
// How much memory the process may still take, so that a statement it cannot afford is
// refused before it is tried instead of ending the whole server half-way.
#include <cstdint>

namespace vela {

// The smaller of what the address-space limit leaves and what the system reports
// available; UINT64_MAX when neither is known.
uint64_t memory_available();

// Peak parse memory per byte of statement text, measured with the dialect's parser (trees
// of short tokens are the worst case), with a margin.
const uint64_t parse_bytes_per_byte = 128;

} // namespace vela
