#pragma once
// Slows down password guessing: after a few failed logins from one address, that address
// must wait a growing delay before it is heard again, and its failures are logged as one
// summary line a minute instead of one line each.
#include <chrono>
#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vela {

class login_throttle {
public:
    using clock = std::chrono::steady_clock;
    static const unsigned free_attempts = 5;
    static constexpr std::chrono::seconds max_delay{60}, forget_after{15 * 60}, summary_every{60};

    // How long the address must still wait before a login attempt is checked; zero: now.
    std::chrono::seconds wait(const std::string &address, clock::time_point now);
    // Records a failed attempt (or one refused while waiting). True when it is to be logged
    // on a line of its own; otherwise it goes into the next summary.
    bool failed(const std::string &address, clock::time_point now, bool while_waiting = false);
    void succeeded(const std::string &address);
    // One line per address with failures not yet logged, at most once a minute each; forgets
    // addresses quiet for long.
    std::vector<std::string> summaries(clock::time_point now);

private:
    struct record {
        unsigned failures = 0;
        clock::time_point last, summarised;
        unsigned unlogged = 0, refused = 0;
    };
    static std::chrono::seconds delay_after(unsigned failures);
    std::mutex mu_;
    std::map<std::string, record> by_address_;
};

} // namespace vela
