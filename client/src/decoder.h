// The result-set decoder: bytes in, a result set out. No sockets involved.
#ifndef VELALINK_DECODER_H
#define VELALINK_DECODER_H

#include <cstddef>
#include <cstdint>

#include "result_set_rec.h"

namespace velalink {

// Decodes a statement reply's payload into out, which must be empty. Bytes left over
// after the last row are ignored. On a truncated or malformed payload out is left
// empty, *why names the problem and false is returned; nothing is ever read beyond
// data + size, and nothing is reserved for counts the payload cannot hold.
bool decode_payload(const uint8_t *data, size_t size, result_set &out, const char **why);

} // namespace velalink

#endif
