#pragma once
// A mutex that hands itself to its waiters in the order they came. Statements run one at a
// time; with a plain mutex a client that sends its next statement the moment it has a reply
// can take the lock again and again while others wait, and one slow client in a loop
// starves everyone else. Here a statement waits at most for those queued before it.
#include <condition_variable>
#include <deque>
#include <mutex>

namespace vela {

class fair_mutex {
public:
    void lock()
    {
        std::unique_lock<std::mutex> l(mu_);
        if (!busy_ && waiting_.empty()) {
            busy_ = true;
            return;
        }
        std::condition_variable mine;
        waiting_.push_back(&mine);
        mine.wait(l, [&] { return !busy_ && waiting_.front() == &mine; });
        waiting_.pop_front();
        busy_ = true;
    }
    void unlock()
    {
        std::lock_guard<std::mutex> l(mu_);
        busy_ = false;
        if (!waiting_.empty()) waiting_.front()->notify_one();
    }

    size_t waiting()
    {
        std::lock_guard<std::mutex> l(mu_);
        return waiting_.size();
    }

private:
    std::mutex mu_;
    bool busy_ = false;
    std::deque<std::condition_variable *> waiting_;
};

} // namespace vela
