// Feeds arbitrary bytes to the payload decoder, then reads every cell of what it
// accepted with every reader and renders the dump; also runs the bytes through the
// reply assembler in pieces and the login-reply check.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "decoder.h"
#include "frames.h"
#include "text_table.h"
#include "velalink.h"

namespace {

void read_all(const result_set *rs)
{
    volatile uint64_t sink = 0;
    for (uint64_t c = 0; c < cols_of(rs); ++c) {
        int len = 0;
        const char *name = col_name(&len, rs, static_cast<int>(c));
        if (name && len > 0) sink = sink + static_cast<unsigned char>(name[len - 1]);
    }
    for (uint64_t r = 0; r < rows_of(rs); ++r) {
        sink = sink + sid_of(rs, r);
        for (uint64_t c = 0; c < cols_of(rs); ++c) {
            const cell_value *cell = at(r, c, rs);
            sink = sink + static_cast<uint64_t>(val_type(cell) + val_size(cell) + val_sign(cell));
            sink = sink + as_uint64(cell) + as_uint8(cell);
            int y, mo, d, h, mi, s, f;
            as_datetime(&y, &mo, &d, &h, &mi, &s, &f, cell);
            char *copy = nullptr;
            uint64_t n = 0;
            as_str256(&copy, &n, cell);
            if (n) sink = sink + static_cast<unsigned char>(copy[n - 1]);
            std::free(copy);
            as_str(&copy, &n, cell);
            if (n) sink = sink + static_cast<unsigned char>(copy[n - 1]);
            std::free(copy);
            const char *view = nullptr;
            int vn = as_s(&view, cell);
            if (vn > 0) sink = sink + static_cast<unsigned char>(view[vn - 1]);
            vn = as_s4(&view, cell);
            sink = sink + static_cast<unsigned char>(view[2]) + static_cast<unsigned>(vn);
        }
    }
    size_t total = 0;
    velalink::render_table(*rs, [&](const std::string &piece) { total += piece.size(); });
    sink = sink + total;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    result_set rs;
    const char *why = nullptr;
    if (velalink::decode_payload(data, size, rs, &why)) read_all(&rs);

    velalink::judge_login_reply(data, size);

    // The same bytes as a reply arriving in pieces of a size the first byte picks.
    if (size > 0) {
        size_t step = 1 + data[0] % 17;
        velalink::reply_assembler reply;
        for (size_t i = 1; i < size; i += step) {
            reply.append(data + i, std::min(step, size - i));
            velalink::reply_state st = reply.state();
            if (st == velalink::reply_state::bad) break;
            if (st == velalink::reply_state::complete) {
                result_set from_reply;
                if (reply.status() == 0 &&
                    velalink::decode_payload(reply.payload(), reply.payload_size(), from_reply,
                                             &why))
                    read_all(&from_reply);
                break;
            }
        }
    }
    return 0;
}
