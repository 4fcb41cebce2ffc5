#pragma once
// Self-contained SHA-256, used only to hash user passwords (no crypto library is
// available on the build machines).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vela {

using sha256_digest = std::array<uint8_t, 32>;

class sha256 {
public:
    sha256();
    void update(const void *data, size_t len);
    sha256_digest finish();

private:
    void block(const uint8_t *p);
    uint32_t h_[8];
    uint8_t buf_[64];
    size_t buf_len_ = 0;
    uint64_t total_ = 0;
};

sha256_digest sha256_of(const std::string &bytes);
// Blocks compressed on the calling thread so far: the work of a computation, independent of
// the machine's speed (two logins must cost the same whoever asks).
uint64_t sha256_blocks_done();
std::string to_hex(const uint8_t *p, size_t n);

// Iterated, salted hash of a password: h0 = H(salt || password), hi = H(hi-1 || salt || password).
std::string hash_password(const std::string &salt, const std::string &password,
                          uint32_t iterations);

} // namespace vela
