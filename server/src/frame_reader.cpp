#include "frame_reader.h"

#include "base/wire.h"

#include <algorithm>
#include <new>

namespace vela {

namespace {
uint32_t le32(const char *p)
{
    return wire::le32(reinterpret_cast<const uint8_t *>(p));
}
const uint32_t logout_len = wire::logout_marker;
} // namespace

void frame_reader::feed(const char *data, size_t size)
{
    if (skip_ > 0) {
        size_t drop = std::min(skip_, size);
        skip_ -= drop;
        data += drop;
        size -= drop;
    }
    if (size == 0) return;
    if (pos_ > 0 && pos_ == buf_.size()) {
        buf_.clear();
        pos_ = 0;
    }
    try {
        buf_.append(data, size);
    } catch (const std::bad_alloc &) {
        // Out of memory while a large frame arrives: drop that frame (the rest of it is
        // skipped as it comes) and report it, so the session answers and goes on.
        std::string head = buf_.size() - pos_ >= 4 ? buf_.substr(pos_, 4) : std::string();
        size_t have = buf_.size() - pos_;
        buf_.clear();
        buf_.shrink_to_fit();
        pos_ = 0;
        if (head.size() == 4 && le32(head.data()) != logout_len) {
            uint64_t total = 4 + uint64_t(le32(head.data()));
            uint64_t rest = total - std::min<uint64_t>(total, have);
            size_t drop = size_t(std::min<uint64_t>(rest, size));
            skip_ = size_t(rest - drop);
            skipped_ = true;
            // Whatever followed the dropped frame in this piece is kept.
            if (drop < size) buf_.assign(data + drop, size - drop);
        } else {
            throw;
        }
    }
}

size_t frame_reader::wanted() const
{
    if (skipped_) return 0;
    if (skip_ > 0) return skip_;
    size_t have = buf_.size() - pos_;
    if (have < 4) return 4 - have;
    uint32_t n = le32(buf_.data() + pos_);
    if (n == logout_len || n > max_len_) return 0;
    return size_t(4 + uint64_t(n) - std::min<uint64_t>(have, 4 + uint64_t(n)));
}

frame_status frame_reader::next(std::string &body)
{
    if (skipped_) {
        skipped_ = false;
        return frame_status::no_memory;
    }
    size_t have = buf_.size() - pos_;
    if (have < 4) return frame_status::need_more;
    uint32_t n = le32(buf_.data() + pos_);
    if (n == logout_len) {
        pos_ += 4;
        return frame_status::logout;
    }
    if (n > max_len_) return frame_status::too_long;
    if (have - 4 < n) return frame_status::need_more;
    if (pos_ == 0 && have == 4 + size_t(n)) {
        // The usual case, one frame and nothing after it: hand over the buffer itself.
        buf_.erase(0, 4);
        body.swap(buf_);
        buf_.clear();
    } else {
        body.assign(buf_, pos_ + 4, n);
        pos_ += 4 + size_t(n);
    }
    return frame_status::ok;
}

void frame_reader::shrink()
{
    if (pos_ > 0) {
        buf_.erase(0, pos_);
        pos_ = 0;
    }
    if (buf_.capacity() > 64 * 1024) buf_.shrink_to_fit();
}

} // namespace vela
