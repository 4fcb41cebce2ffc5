// The session's byte-level pieces and limits without a network: the frame reader fed in
// every split, log lines, login throttling, and statements stopped by their budget.
#include "executor.h"
#include "fair_mutex.h"
#include "frame_reader.h"
#include "login_throttle.h"
#include "session_io.h"
#include "scratch_db.h"
#include "storage.h"

#include "base/utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <cstdlib>
#include <filesystem>

using namespace vela;

namespace {

std::string frame(const std::string &body)
{
    uint32_t n = uint32_t(body.size());
    return std::string(reinterpret_cast<const char *>(&n), 4) + body;
}
const std::string logout_bytes("\xff\xff\xff\xff", 4);

// Feeds the stream in pieces of the given size and collects what the reader hands out.
std::vector<std::string> frames_of(const std::string &stream, size_t piece, uint32_t max_len)
{
    frame_reader r(max_len);
    std::vector<std::string> out;
    for (size_t i = 0; i < stream.size(); i += piece) {
        r.feed(stream.data() + i, std::min(piece, stream.size() - i));
        std::string body;
        for (frame_status s; (s = r.next(body)) != frame_status::need_more;) {
            if (s == frame_status::ok) out.push_back(body);
            if (s == frame_status::logout) out.push_back("<logout>");
            if (s == frame_status::too_long) {
                out.push_back("<too long>");
                return out;
            }
        }
        if (r.wanted() == 0) ADD_FAILURE() << "wanted() is 0 but next() needs more";
    }
    return out;
}

TEST(frame_reader, every_split_of_a_stream_gives_the_same_frames)
{
    std::string big(70000, 'x');
    std::string stream = frame("select 1") + frame("") + frame(big) + logout_bytes + frame("a");
    std::vector<std::string> want = {"select 1", "", big, "<logout>", "a"};
    for (size_t piece : {size_t(1), size_t(3), size_t(4), size_t(5), size_t(4096), stream.size()})
        EXPECT_EQ(frames_of(stream, piece, 1 << 20), want) << "pieces of " << piece;
}

TEST(frame_reader, a_length_over_the_limit_is_refused_before_its_body_arrives)
{
    EXPECT_EQ(frames_of(frame("12345"), 1, 5), std::vector<std::string>{"12345"});
    EXPECT_EQ(frames_of(frame("123456").substr(0, 4), 4, 5),
              std::vector<std::string>{"<too long>"});
    frame_reader r(16);
    std::string head = frame(std::string(1000, 'y')).substr(0, 4);
    r.feed(head.data(), 4);
    EXPECT_EQ(r.wanted(), 0u);
    std::string body;
    EXPECT_EQ(r.next(body), frame_status::too_long);
}

TEST(frame_reader, memory_follows_the_bytes_that_arrived_not_the_announced_length)
{
    frame_reader r(64u << 20);
    std::string head = frame(std::string(1, 'z')).substr(0, 4);
    uint32_t n = 60u << 20;
    head = std::string(reinterpret_cast<const char *>(&n), 4) + "abc";
    r.feed(head.data(), head.size());
    std::string body;
    EXPECT_EQ(r.next(body), frame_status::need_more);
    EXPECT_EQ(r.wanted(), size_t(n) - 3);
    EXPECT_LT(r.held(), size_t(1) << 16);
    // After a large frame is taken, shrinking gives its memory back.
    frame_reader big(64u << 20);
    std::string f = frame(std::string(8u << 20, 'q')) + "\x01";
    big.feed(f.data(), f.size());
    ASSERT_EQ(big.next(body), frame_status::ok);
    body = std::string();
    big.shrink();
    EXPECT_LT(big.held(), size_t(1) << 20);
}

TEST(log_text, lines_are_capped_valid_and_on_one_line)
{
    std::string huge = "name " + std::string(4u << 20, 'n');
    std::string line = log_text(huge);
    EXPECT_LE(line.size(), 410u);
    EXPECT_EQ(line.substr(line.size() - 3), "...");
    // Cut on a character boundary, control bytes and bad bytes replaced.
    std::string cjk;
    for (int i = 0; i < 300; ++i) cjk += "\xe6\x98\x9f";
    EXPECT_EQ(log_text(cjk), utf8::sanitise(log_text(cjk)));
    EXPECT_EQ(log_text("a\nb\x01\xff"), "a b \xef\xbf\xbd");
}

TEST(login_throttle, failures_past_the_free_ones_wait_longer_and_are_summarised)
{
    login_throttle t;
    auto now = login_throttle::clock::now();
    int logged = 0;
    for (unsigned i = 0; i < login_throttle::free_attempts; ++i) {
        EXPECT_EQ(t.wait("10.0.0.1", now).count(), 0) << i;
        logged += t.failed("10.0.0.1", now);
    }
    EXPECT_EQ(logged, int(login_throttle::free_attempts));
    // Other addresses are not held up by one that guesses.
    EXPECT_EQ(t.wait("10.0.0.2", now).count(), 0);
    std::chrono::seconds last(0);
    for (int i = 0; i < 8; ++i) {
        auto w = t.wait("10.0.0.1", now);
        EXPECT_GT(w.count(), 0);
        EXPECT_GE(w, last);
        EXPECT_LE(w, login_throttle::max_delay + std::chrono::seconds(1));
        last = w;
        EXPECT_FALSE(t.failed("10.0.0.1", now, true)); // refused while waiting, not logged
        now += w;
        EXPECT_EQ(t.wait("10.0.0.1", now).count(), 0);
        EXPECT_FALSE(t.failed("10.0.0.1", now));
    }
    auto lines = t.summaries(now + login_throttle::summary_every);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("10.0.0.1"), std::string::npos);
    EXPECT_TRUE(t.summaries(now + login_throttle::summary_every).empty());
    t.succeeded("10.0.0.1");
    EXPECT_EQ(t.wait("10.0.0.1", now).count(), 0);
}

TEST(fair_mutex, waiters_are_served_in_the_order_they_came)
{
    fair_mutex m;
    std::mutex order_mu;
    std::string order;
    m.lock();
    std::vector<std::thread> waiters;
    for (char name : std::string("abcd")) {
        size_t before = m.waiting();
        waiters.emplace_back([&, name] {
            std::lock_guard<fair_mutex> l(m);
            std::lock_guard<std::mutex> o(order_mu);
            order += name;
        });
        while (m.waiting() == before) std::this_thread::yield();
    }
    m.unlock();
    // A newcomer queues behind them instead of taking the lock as it comes free.
    {
        std::lock_guard<fair_mutex> l(m);
        std::lock_guard<std::mutex> o(order_mu);
        order += 'z';
    }
    for (auto &t : waiters) t.join();
    EXPECT_EQ(order, "abcdz");
}

class budget_test : public scratch_db {
protected:
    // Runs sql with the given limits; returns the outcome and how long it took.
    statement_outcome run_limited(const std::string &sql, int timeout_ms, int regex_ms,
                                  double *secs)
    {
        executor ex(st_);
        ex.set_limits(std::chrono::milliseconds(timeout_ms), std::chrono::milliseconds(regex_ms));
        auto t0 = std::chrono::steady_clock::now();
        statement_outcome out = ex.run(sql);
        *secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        return out;
    }
};

TEST_F(budget_test, long_statements_stop_at_the_time_out_and_write_nothing)
{
    double secs = 0;
    ASSERT_TRUE(run("create table p ( s string64() )").ok);
    std::string ins = "insert into p ( s ) values ( \"aaaaaaaaaaaaaaaaa!\" )";
    for (int i = 0; i < 200; ++i) ins += ", ( \"aaaaaaaaaaaaaaaaa!\" )";
    ASSERT_TRUE(run(ins).ok);
    struct row_case {
        const char *what, *sql;
        int timeout_ms, regex_ms;
        const char *reason;
    } cases[] = {
        {"regex calls over rows",
         "select reg_match(s, \"^(a+)+$\"), reg_match(s, \"^(a|a)+$\") from p", 300, 0, "time-out"},
        {"regex share of one statement",
         "select reg_match(s, \"^(a+)+$\"), reg_match(s, \"^(a|a)+$\") from p", 0, 200,
         "regular expressions"},
        {"changes before the stop are rolled back",
         "insert into p ( s ) values ( \"new\" ); select reg_match(s, \"^(a+)+$\") from p", 300, 0,
         "time-out"},
    };
    for (const auto &c : cases) {
        statement_outcome out = run_limited(c.sql, c.timeout_ms, c.regex_ms, &secs);
        EXPECT_FALSE(out.ok) << c.what;
        EXPECT_NE(out.error.find(c.reason), std::string::npos) << c.what << ": " << out.error;
        EXPECT_LT(secs, 3.0) << c.what;
    }
    statement_outcome n = run("rows_of p");
    ASSERT_TRUE(n.ok);
    EXPECT_EQ(n.table.rows[0].cells[0].u(), 201u);
}

TEST_F(budget_test, parsing_a_huge_comment_stops_at_the_time_out)
{
    std::string text = "select 1 /*" + std::string(48u << 20, ' ') + "*/";
    double secs = 0;
    statement_outcome out = run_limited(text, 300, 0, &secs);
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.error.find("time-out"), std::string::npos) << out.error;
    EXPECT_LT(secs, 3.0);
}

} // namespace
