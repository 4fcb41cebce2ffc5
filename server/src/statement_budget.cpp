#include "statement_budget.h"

namespace vela {

namespace {
thread_local statement_budget *current = nullptr;

std::string seconds_text(std::chrono::milliseconds ms)
{
    if (ms.count() % 1000 == 0) return std::to_string(ms.count() / 1000) + " s";
    return std::to_string(ms.count()) + " ms";
}
} // namespace

statement_budget::statement_budget(std::chrono::milliseconds timeout,
                                   std::chrono::milliseconds regex_time)
    : deadline_(clock::now() + timeout), has_deadline_(timeout.count() > 0), timeout_(timeout),
      regex_time_(regex_time), outer_(current)
{
    current = this;
}

statement_budget::~statement_budget()
{
    current = outer_;
}

bool statement_budget::past_deadline()
{
    if (!expired_ && has_deadline_ && clock::now() >= deadline_) expired_ = true;
    return expired_;
}

bool statement_budget::expired()
{
    return current && current->past_deadline();
}

bool statement_budget::check_now(std::string &err)
{
    if (!current || !current->past_deadline()) return true;
    err = "the statement ran longer than the statement time-out of " +
          seconds_text(current->timeout_) + " and was stopped";
    return false;
}

bool statement_budget::check(std::string &err)
{
    if (!current) return true;
    if (!current->expired_ && (++current->calls_ & 255) != 0) return true;
    return check_now(err);
}

bool statement_budget::charge_regex(clock::duration spent, std::string &err)
{
    if (!current) return true;
    current->regex_spent_ += spent;
    if (current->regex_time_.count() > 0 && current->regex_spent_ > current->regex_time_) {
        err = "the regular expressions of this statement need more than " +
              seconds_text(current->regex_time_) + " of matching in all";
        return false;
    }
    return check_now(err);
}

} // namespace vela
