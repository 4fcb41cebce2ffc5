#include "login_throttle.h"

namespace vela {

constexpr std::chrono::seconds login_throttle::max_delay, login_throttle::forget_after,
    login_throttle::summary_every;

std::chrono::seconds login_throttle::delay_after(unsigned failures)
{
    if (failures < free_attempts) return std::chrono::seconds(0);
    unsigned doublings = failures - free_attempts;
    if (doublings >= 6) return max_delay;
    return std::min(max_delay, std::chrono::seconds(1ll << doublings));
}

std::chrono::seconds login_throttle::wait(const std::string &address, clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mu_);
    auto it = by_address_.find(address);
    if (it == by_address_.end()) return std::chrono::seconds(0);
    auto until = it->second.last + delay_after(it->second.failures);
    if (until <= now) return std::chrono::seconds(0);
    return std::chrono::duration_cast<std::chrono::seconds>(until - now) + std::chrono::seconds(1);
}

bool login_throttle::failed(const std::string &address, clock::time_point now, bool while_waiting)
{
    std::lock_guard<std::mutex> lock(mu_);
    // A flood from ever new addresses must not grow the table without end.
    if (by_address_.size() >= 100000 && !by_address_.count(address)) by_address_.clear();
    record &r = by_address_[address];
    if (while_waiting) {
        ++r.refused;
        return false;
    }
    if (r.failures == 0) r.summarised = now;
    ++r.failures;
    r.last = now;
    if (r.failures <= free_attempts) return true;
    ++r.unlogged;
    return false;
}

void login_throttle::succeeded(const std::string &address)
{
    std::lock_guard<std::mutex> lock(mu_);
    by_address_.erase(address);
}

std::vector<std::string> login_throttle::summaries(clock::time_point now)
{
    std::vector<std::string> lines;
    std::lock_guard<std::mutex> lock(mu_);
    for (auto it = by_address_.begin(); it != by_address_.end();) {
        record &r = it->second;
        if ((r.unlogged > 0 || r.refused > 0) && now - r.summarised >= summary_every) {
            lines.push_back(it->first + ": " + std::to_string(r.unlogged) +
                            " more failed logins and " + std::to_string(r.refused) +
                            " attempts refused while waiting, since the last summary (" +
                            std::to_string(r.failures) + " failures in a row; delay now " +
                            std::to_string(delay_after(r.failures).count()) + " s)");
            r.unlogged = r.refused = 0;
            r.summarised = now;
        }
        if (r.unlogged == 0 && r.refused == 0 && now - r.last >= forget_after)
            it = by_address_.erase(it);
        else
            ++it;
    }
    return lines;
}

} // namespace vela
