// A TCP peer on a free loopback port that plays a script: it records every frame
// a client sends and answers each one with bytes the test chose, whole or in
// pieces with pauses, and can hang up. Frames are length-prefixed: four bytes of
// little-endian length and that many bytes, except the four-byte logout marker
// 0xFFFFFFFF, which has no body.
#ifndef VELA_SCRIPTED_PEER_H
#define VELA_SCRIPTED_PEER_H

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vela_test {

// What the peer does after it has read one frame.
struct peer_answer {
    std::vector<std::string> pieces; // sent one after another, each with its own send
    int pause_ms = 0;                // pause before every piece but the first
    bool close_after = false;        // hang up once the pieces are sent
    bool reset = false;              // hang up with a reset instead of an orderly close
};

class scripted_peer {
public:
    // Listens at once; connections are accepted one after another until destruction.
    scripted_peer();
    ~scripted_peer();
    scripted_peer(const scripted_peer &) = delete;
    scripted_peer &operator=(const scripted_peer &) = delete;

    uint16_t port() const { return port_; }

    // Queues the answer to the next frame that has no answer yet. A frame that finds
    // the queue empty gets no answer, and a logout frame never takes one.
    void answer(const std::string &bytes);
    void answer_in_pieces(std::vector<std::string> pieces, int pause_ms = 0);
    void answer_and_close(const std::string &bytes);
    void queue(peer_answer a);
    // Hang up as soon as the next frame has been read (nothing is sent).
    void close_on_next_frame();
    // Hang up before reading anything from the next connection.
    void close_on_accept();

    // The frames received so far, each with its length field.
    std::vector<std::string> frames() const;
    // Waits until at least n frames have arrived (true) or timeout_ms passed (false).
    bool wait_frames(size_t n, int timeout_ms = 5000) const;
    // Waits until the current connection has been closed by the client.
    bool wait_disconnect(int timeout_ms = 5000) const;

private:
    void run();
    // Plays the script on one connection; true when it ends with a reset.
    bool serve(int fd);
    bool read_exact(int fd, char *buf, size_t size);
    bool send_all(int fd, const std::string &bytes);
    bool stopping() const;

    int listen_fd_ = -1;
    uint16_t port_ = 0;
    mutable std::mutex mu_;
    mutable std::condition_variable cv_;
    std::deque<peer_answer> script_;
    std::vector<std::string> frames_;
    int close_on_accept_ = 0;
    int disconnects_ = 0;
    bool connected_ = false;
    bool stop_ = false;
    std::thread thread_;
};

// A loopback port that is bound but never listens, for as long as this lives: a connect
// there is refused, and no other program can take the port meanwhile (as it could take a
// port that was merely freed).
class bound_port {
public:
    bound_port();
    ~bound_port();
    bound_port(const bound_port &) = delete;
    bound_port &operator=(const bound_port &) = delete;
    uint16_t port() const { return port_; }

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

// Byte helpers for building replies.
std::string le_u16(uint16_t v);
std::string le_u32(uint32_t v);
std::string le_u64(uint64_t v);
// A reply frame: L = payload size + 1, the status byte, the payload.
std::string reply_frame(uint8_t status, const std::string &payload = std::string());

} // namespace vela_test

#endif
