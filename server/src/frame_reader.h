#pragma once
// The frame reader of one client session, free of sockets: the session feeds it the bytes
// that arrived and takes whole frames out. A frame is a 4-byte little-endian length and then
// that many bytes; the logout marker alone is the logout frame.
#include <cstddef>
#include <cstdint>
#include <string>

namespace vela {

enum class frame_status {
    ok,        // a whole frame was taken out
    need_more, // the bytes so far end inside a frame
    logout,    // the logout frame
    too_long,  // the announced length is over the limit (nothing was kept for it)
    no_memory, // the frame could not be held; its bytes are skipped as they arrive
};

class frame_reader {
public:
    explicit frame_reader(uint32_t max_len) : max_len_(max_len) {}

    void set_max_len(uint32_t max_len) { max_len_ = max_len; }
    // Takes bytes as they arrive. The buffer grows with what actually came, never with
    // what a length field announces.
    void feed(const char *data, size_t size);
    // Takes the next whole frame out into body. After too_long the stream cannot be followed
    // any further; after no_memory it can, and the frame's remaining bytes are dropped.
    frame_status next(std::string &body);
    // How many more bytes the next call of next() needs before it can answer; 0 when it can.
    size_t wanted() const;
    // Bytes held, including the ones already taken out but not yet dropped.
    size_t held() const { return buf_.capacity(); }
    // Gives back memory held for a large frame once it is no longer needed.
    void shrink();

private:
    std::string buf_;
    size_t pos_ = 0;  // start of the first frame not yet taken out
    size_t skip_ = 0; // bytes still to drop of a frame that could not be held
    bool skipped_ = false;
    uint32_t max_len_;
};

} // namespace vela
