#pragma once
// What one statement may spend: a deadline, checked inside the long loops (rows, regular
// expression calls, parsing), and a share of it for regular expression matching summed over
// every call of the statement. The budget in force belongs to the running thread, so deep
// code checks it without it being passed through every call.
#include <chrono>
#include <cstdint>
#include <string>

namespace vela {

class statement_budget {
public:
    using clock = std::chrono::steady_clock;
    // timeout zero or less: no deadline.
    statement_budget(std::chrono::milliseconds timeout, std::chrono::milliseconds regex_time);
    ~statement_budget();
    statement_budget(const statement_budget &) = delete;
    statement_budget &operator=(const statement_budget &) = delete;

    // False with a reason once the running statement is past its deadline. Cheap enough for
    // every row: the clock is read on every 256th call only. True when no budget is in force.
    static bool check(std::string &err);
    // The same, reading the clock now.
    static bool check_now(std::string &err);
    // Whether the deadline has passed (for loops that cannot carry a reason).
    static bool expired();
    // Adds time spent matching a regular expression; false with a reason when the
    // statement's share for them is used up.
    static bool charge_regex(clock::duration spent, std::string &err);

private:
    bool past_deadline();
    clock::time_point deadline_;
    bool has_deadline_;
    std::chrono::milliseconds timeout_, regex_time_;
    clock::duration regex_spent_{0};
    uint32_t calls_ = 0;
    bool expired_ = false;
    statement_budget *outer_;
};

} // namespace vela
