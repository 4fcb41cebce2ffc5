// Login, statements and logout against a scripted peer: the bytes on the wire,
// replies in odd shapes, and peers that misbehave.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <pthread.h>
#include <csignal>
#include <cstdio>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "address.h"
#include "frames.h"
#include "payload_builder.h"
#include "platform.h"
#include "velalink.h"

using namespace vela_test;

namespace {

using rs_ptr = std::unique_ptr<result_set, void (*)(result_set *)>;

std::string login_bytes(const std::string &user, const std::string &pwd)
{
    return le_u32(static_cast<uint32_t>(8 + user.size() + pwd.size())) +
           le_u32(static_cast<uint32_t>(user.size())) + user +
           le_u32(static_cast<uint32_t>(pwd.size())) + pwd;
}

const std::string logout_bytes(4, '\xFF');

std::string sample_payload()
{
    return make_payload({{"id", 3, 1, 0}, {"name", 7, 0, 2}},
                        {{10, v_int(1, 8) + v_str("one")}, {11, v_int(2, 8) + v_str("two")}});
}

class session : public testing::Test {
protected:
    void TearDown() override
    {
        testing::internal::CaptureStdout();
        exit_to_server();
        testing::internal::GetCapturedStdout();
    }

    bool login(const char *user = "u", const char *pwd = "p")
    {
        peer.answer(reply_frame(0));
        return connect_to_server("127.0.0.1", peer.port(), user, pwd);
    }

    // Runs exec and keeps what it printed.
    rs_ptr run(const std::string &sql)
    {
        testing::internal::CaptureStdout();
        rs_ptr rs(exec(sql.data(), static_cast<int>(sql.size())), del_datas);
        out = testing::internal::GetCapturedStdout();
        err = last_error();
        return rs;
    }

    bool connect_quiet(const char *user, const char *pwd)
    {
        testing::internal::CaptureStdout();
        bool ok = connect_to_server("127.0.0.1", peer.port(), user, pwd);
        out = testing::internal::GetCapturedStdout();
        err = last_error();
        return ok;
    }

    // A local failure's reason is the line it printed.
    void expect_reason_is_the_line() const { EXPECT_EQ(err + "\n", out); }

    scripted_peer peer;
    std::string out; // what the last call printed
    std::string err; // and last_error() after it
};

} // namespace

TEST_F(session, login_frames_carry_user_and_password_as_given)
{
    ASSERT_TRUE(login("ann", "s3cr\xC3\xA9t"));
    EXPECT_TRUE(exit_to_server());
    ASSERT_TRUE(login(nullptr, nullptr));
    EXPECT_TRUE(exit_to_server());
    ASSERT_TRUE(login("", "pw"));
    ASSERT_TRUE(peer.wait_frames(5));
    std::vector<std::string> f = peer.frames();
    EXPECT_EQ(f[0], login_bytes("ann", "s3cr\xC3\xA9t"));
    EXPECT_EQ(f[1], logout_bytes);
    EXPECT_EQ(f[2], login_bytes("", "")) << "null texts travel as length 0";
    EXPECT_EQ(f[3], logout_bytes);
    EXPECT_EQ(f[4], login_bytes("", "pw"));
}

TEST_F(session, statement_frames_carry_exactly_the_given_bytes)
{
    ASSERT_TRUE(login());
    for (int i = 0; i < 5; ++i) peer.answer(reply_frame(0));
    EXPECT_TRUE(run("select 1;"));
    EXPECT_TRUE(run(""));
    rs_ptr from_null(exec(nullptr, 5), del_datas);
    EXPECT_TRUE(from_null);
    EXPECT_TRUE(run(std::string("a\0b", 3)));
    rs_ptr cut(exec("abcdef", 2), del_datas);
    EXPECT_TRUE(cut);
    ASSERT_TRUE(peer.wait_frames(6));
    std::vector<std::string> f = peer.frames();
    EXPECT_EQ(f[1], le_u32(9) + "select 1;");
    EXPECT_EQ(f[2], std::string(4, '\0'));
    EXPECT_EQ(f[3], std::string(4, '\0')) << "a null text sends length 0";
    EXPECT_EQ(f[4], le_u32(3) + std::string("a\0b", 3));
    EXPECT_EQ(f[5], le_u32(2) + "ab");

    // A negative length is refused without sending anything or losing the connection.
    testing::internal::CaptureStdout();
    EXPECT_EQ(exec("x", -1), nullptr);
    testing::internal::GetCapturedStdout();
    peer.answer(reply_frame(0));
    EXPECT_TRUE(run("y"));
    EXPECT_TRUE(exit_to_server());
    ASSERT_TRUE(peer.wait_frames(8));
    EXPECT_EQ(peer.frames()[6], le_u32(1) + "y");
    EXPECT_EQ(peer.frames()[7], logout_bytes);
}

TEST_F(session, login_replies)
{
    peer.answer(reply_frame(1));
    EXPECT_FALSE(connect_quiet("u", "p"));
    EXPECT_EQ(out, "login failed.\n");
    expect_reason_is_the_line();

    peer.answer(reply_frame(1, "wrong user or password"));
    EXPECT_FALSE(connect_quiet("u", "p"));
    EXPECT_EQ(out, "login failed.\n");
    EXPECT_EQ(err, "wrong user or password") << "the server's words say more than the line";

    peer.answer(reply_frame(2));
    EXPECT_TRUE(connect_quiet("u", "p")) << "any status but 1 is a successful login";
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "") << "a success clears the reason";

    peer.answer(le_u32(0));
    EXPECT_FALSE(connect_quiet("u", "p")) << "L = 0 has no status byte to read";
    EXPECT_EQ(out, "login failed(bad length).\n");
    expect_reason_is_the_line();

    peer.answer(le_u32(0xFFFFFFFF) + '\0');
    EXPECT_FALSE(connect_quiet("u", "p"));
    EXPECT_EQ(out, "login failed(bad length).\n");

    peer.close_on_accept();
    EXPECT_FALSE(connect_quiet("u", "p"));
    EXPECT_EQ(out, "login failed(network).\n");
    expect_reason_is_the_line();
}

TEST(login_reply, is_judged_on_the_bytes_of_the_first_receive_alone)
{
    struct {
        std::string bytes;
        velalink::login_verdict verdict;
    } const cases[] = {
        {reply_frame(0), velalink::login_verdict::accepted},
        {reply_frame(2, "x"), velalink::login_verdict::accepted},
        {reply_frame(1, "no"), velalink::login_verdict::refused},
        {le_u32(0), velalink::login_verdict::bad_length},
        {le_u32(0xFFFFFFFF) + '\0', velalink::login_verdict::bad_length},
        // A reply split after its first bytes is judged on the piece that came first.
        {le_u32(1).substr(0, 2), velalink::login_verdict::bad_length},
        {le_u32(1), velalink::login_verdict::bad_length},
        {le_u32(3) + '\1' + "a", velalink::login_verdict::bad_length},
    };
    for (const auto &c : cases)
        EXPECT_EQ(velalink::judge_login_reply(reinterpret_cast<const uint8_t *>(c.bytes.data()),
                                              c.bytes.size()),
                  c.verdict)
            << testing::PrintToString(c.bytes);
}

TEST_F(session, connect_to_a_closed_port_fails)
{
    bound_port nobody_listens;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(connect_to_server("127.0.0.1", nobody_listens.port(), "u", "p"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "connect error(last err = 111) Connection refused!\n");
    EXPECT_STREQ(last_error(), "connect error(last err = 111) Connection refused!");

    testing::internal::CaptureStdout();
    EXPECT_FALSE(connect_to_server("not an address", 1, "u", "p"));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("connect error(last err = "),
              std::string::npos);
}

TEST(address, dotted_decimal_with_leading_zeros_is_read_as_decimal)
{
    // The login form accepts parts with leading zeros ("192.168.001.010"); they are
    // decimal, never octal, and never a reason to refuse the address.
    uint32_t a = 0;
    ASSERT_TRUE(velalink::parse_ipv4("192.168.001.010", a));
    EXPECT_EQ(a, 0xC0A8010Au);
    ASSERT_TRUE(velalink::parse_ipv4("0.0.0.0", a));
    EXPECT_EQ(a, 0u);
    ASSERT_TRUE(velalink::parse_ipv4("255.255.255.255", a));
    EXPECT_EQ(a, 0xFFFFFFFFu);
    ASSERT_TRUE(velalink::parse_ipv4("010.0.0.1", a));
    EXPECT_EQ(a, 0x0A000001u);
    for (const char *bad :
         {"", "1.2.3", "1.2.3.4.5", "1..3.4", "256.0.0.1", "1.2.3.4 ", " 1.2.3.4", "0127.0.0.1",
          "1.2.3.-4", "+1.2.3.4", "1.2.3.", ".1.2.3", "a.b.c.d", "127.1", "0x7f.0.0.1"})
        EXPECT_FALSE(velalink::parse_ipv4(bad, a)) << bad;
    EXPECT_FALSE(velalink::parse_ipv4(nullptr, a));
}

TEST_F(session, an_address_with_leading_zeros_connects)
{
    peer.answer(reply_frame(0));
    EXPECT_TRUE(connect_to_server("127.000.000.001", peer.port(), "u", "p"));
}

TEST_F(session, statement_replies_in_many_pieces_are_reassembled)
{
    ASSERT_TRUE(login());
    std::string reply = reply_frame(0, sample_payload());
    std::vector<std::string> bytes;
    for (char c : reply) bytes.push_back(std::string(1, c));
    peer.answer_in_pieces(bytes, 1);
    rs_ptr rs = run("q");
    ASSERT_TRUE(rs);
    ASSERT_EQ(rows_of(rs.get()), 2u);
    EXPECT_EQ(sid_of(rs.get(), 1), 11u);
    const char *s = nullptr;
    EXPECT_EQ(as_s(&s, at(1, 1, rs.get())), 3);
    EXPECT_EQ(std::string(s, 3), "two");

    // A reply larger than the receive buffer.
    std::vector<row_bytes> rows;
    for (uint64_t i = 0; i < 6000; ++i)
        rows.push_back({i, v_int(i, 8) + v_str(std::string(100, 'a' + i % 26))});
    reply = reply_frame(0, make_payload({{"id", 3, 1, 0}, {"s", 10, 0, 2}}, rows));
    ASSERT_GT(reply.size(), velalink::recv_buf_size);
    std::vector<std::string> chunks;
    for (size_t i = 0; i < reply.size(); i += 100000) chunks.push_back(reply.substr(i, 100000));
    peer.answer_in_pieces(chunks, 5);
    rs = run("big");
    ASSERT_TRUE(rs);
    ASSERT_EQ(rows_of(rs.get()), 6000u);
    EXPECT_EQ(as_uint64(at(5999, 0, rs.get())), 5999u);
    EXPECT_EQ(as_s(&s, at(5999, 1, rs.get())), 100);
    EXPECT_EQ(s[99], 'a' + 5999 % 26);
}

TEST_F(session, replies_without_payload_failures_and_trailing_bytes)
{
    ASSERT_TRUE(login());
    peer.answer(reply_frame(0));
    rs_ptr rs = run("create table t(a i32);");
    ASSERT_TRUE(rs) << "L = 1 is a success without a result table";
    EXPECT_EQ(cols_of(rs.get()), 0u);
    EXPECT_EQ(rows_of(rs.get()), 0u);

    peer.answer(reply_frame(1, "no such table"));
    EXPECT_FALSE(run("select * from nope;"));
    EXPECT_EQ(out, "") << "a refused statement prints nothing";
    EXPECT_EQ(err, "no such table");

    // Bytes after a complete reply go to the decoder and are not carried over.
    peer.answer(reply_frame(0, sample_payload()) + "after");
    rs = run("q");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rows_of(rs.get()), 2u);
    peer.answer(reply_frame(0, make_payload({{"n", 0, 0, 0}}, {{5, v_int(9, 1)}})));
    rs = run("q2");
    ASSERT_TRUE(rs);
    EXPECT_EQ(cols_of(rs.get()), 1u);
    EXPECT_EQ(as_int8(at(0, 0, rs.get())), 9);
}

TEST_F(session, bad_payloads_fail_with_a_line_and_keep_the_connection)
{
    ASSERT_TRUE(login());
    peer.answer(reply_frame(0, "\x05"));
    EXPECT_FALSE(run("q"));
    EXPECT_EQ(out, "exec failed(bad payload: truncated column count).\n");
    expect_reason_is_the_line();

    std::string p = sample_payload();
    peer.answer(reply_frame(0, p.substr(0, p.size() - 2)));
    EXPECT_FALSE(run("q")) << "a truncated payload never yields a partial result";
    EXPECT_EQ(out, "exec failed(bad payload: truncated string).\n");

    peer.answer(reply_frame(0, le_u64(1) + le_u64(1) + "a" + le_u64(1ull << 60) +
                                   std::string{3, 0, 0} + le_u64(0)));
    EXPECT_FALSE(run("q"));
    EXPECT_EQ(out, "exec failed(bad payload: row count larger than the payload).\n");

    peer.answer(reply_frame(0, sample_payload()));
    EXPECT_TRUE(run("q"));
}

TEST_F(session, impossible_lengths_and_statuses_fail_at_once)
{
    // The peer then stays silent for a while before hanging up: waiting for more
    // bytes would end in the end-of-stream message instead.
    for (const std::string &bad : {le_u32(0xFFFFFFFF), reply_frame(7, "xyz"), le_u32(0)}) {
        ASSERT_TRUE(login());
        peer.queue(peer_answer{{bad, ""}, 700, true});
        EXPECT_FALSE(run("q"));
        EXPECT_EQ(out, "exec failed(bad reply).\n");
        expect_reason_is_the_line();
        // The rest of that reply cannot be told from the next: the connection is closed.
        EXPECT_FALSE(run("q"));
        EXPECT_EQ(out, "send error Bad file descriptor\n");
        expect_reason_is_the_line();
        exit_to_server();
        peer.wait_disconnect();
    }
}

TEST_F(session, a_peer_that_hangs_up_ends_the_statement)
{
    ASSERT_TRUE(login());
    std::string reply = reply_frame(0, sample_payload());
    peer.answer_and_close(reply.substr(0, reply.size() / 2));
    EXPECT_FALSE(run("q"));
    EXPECT_EQ(out.rfind("rsz == 0 and error is: ", 0), 0u) << out;
    expect_reason_is_the_line();

    peer.wait_disconnect();
    EXPECT_FALSE(run("q"));
    EXPECT_EQ(out, "send error Bad file descriptor\n");
    EXPECT_TRUE(exit_to_server());
}

TEST_F(session, sending_to_a_reset_peer_does_not_raise_sigpipe)
{
    // The test main ignores SIGPIPE; the library must not need that.
    struct sigaction dfl {
    }, old{};
    dfl.sa_handler = SIG_DFL;
    ::sigaction(SIGPIPE, &dfl, &old);

    // The peer aborts the connection on the statement instead of answering it.
    peer.answer(reply_frame(0));
    peer.queue(peer_answer{{}, 0, true, true});
    ASSERT_TRUE(connect_quiet("u", "p"));
    EXPECT_FALSE(run("q"));
    EXPECT_FALSE(run("q"));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(exit_to_server());
    testing::internal::GetCapturedStdout();

    // Straight at the platform layer: several sends on a reset connection.
    peer.queue(peer_answer{{}, 0, true, true});
    velalink::plat::sock_t s = velalink::plat::sock_open();
    ASSERT_TRUE(velalink::plat::sock_connect(s, "127.0.0.1", peer.port()));
    std::string frame = le_u32(1) + "x";
    ASSERT_TRUE(velalink::plat::sock_send(s, frame.data(), frame.size()));
    peer.wait_disconnect();
    bool failed = false;
    for (int i = 0; i < 5 && !failed; ++i) {
        failed = !velalink::plat::sock_send(s, frame.data(), frame.size());
        if (!failed) usleep(20000);
    }
    EXPECT_TRUE(failed);
    velalink::plat::sock_close(s);
    ::sigaction(SIGPIPE, &old, nullptr);
}

TEST_F(session, interrupted_receives_are_retried)
{
    // A handler without SA_RESTART makes every blocking call return EINTR when the
    // signal arrives; a helper keeps signalling this thread while it waits.
    struct sigaction on_signal {
    }, old{};
    on_signal.sa_handler = [](int) {};
    ::sigaction(SIGUSR1, &on_signal, &old);
    ASSERT_TRUE(login());
    std::string reply = reply_frame(0, sample_payload());
    peer.answer_in_pieces({reply.substr(0, 7), reply.substr(7)}, 300);

    std::atomic<bool> done{false};
    pthread_t self = pthread_self();
    std::thread pester([&] {
        while (!done) {
            pthread_kill(self, SIGUSR1);
            usleep(5000);
        }
    });
    rs_ptr rs = run("q");
    done = true;
    pester.join();
    ::sigaction(SIGUSR1, &old, nullptr);
    ASSERT_TRUE(rs) << out;
    EXPECT_EQ(rows_of(rs.get()), 2u);
}

TEST(session_threads, exec_on_a_thread_that_never_connected_returns_null)
{
    result_set *rs = reinterpret_cast<result_set *>(1);
    std::string out;
    std::thread t([&] {
        testing::internal::CaptureStdout();
        rs = exec("select 1;", 9);
        out = testing::internal::GetCapturedStdout();
    });
    t.join();
    EXPECT_EQ(rs, nullptr);
    EXPECT_EQ(out, "send error Bad file descriptor\n");
}

TEST_F(session, a_refusal_reason_is_cleaned_and_cut_before_it_is_handed_out)
{
    const std::string bad = "\xEF\xBF\xBD";
    struct {
        std::string payload, reason;
    } const cases[] = {
        {"value 300 does not fit u08 column age", "value 300 does not fit u08 column age"},
        {"", "the server refused the statement"},
        {"bad \xFF\xC3 name \xE4\xB8\xAD", "bad " + bad + bad + " name \xE4\xB8\xAD"},
        {std::string("a\0b\tc\nd\x7F", 8), "a b\tc d "},
    };
    ASSERT_TRUE(login());
    for (const auto &c : cases) {
        peer.answer(reply_frame(1, c.payload));
        EXPECT_FALSE(run("q"));
        EXPECT_EQ(err, c.reason) << testing::PrintToString(c.payload);
    }

    // A huge reason is cut to 4 KiB between two characters; the rest is never read into it.
    std::string huge;
    while (huge.size() < (1u << 20)) huge += "x\xE4\xB8\xAD";
    peer.answer(reply_frame(1, huge));
    EXPECT_FALSE(run("q"));
    EXPECT_LE(err.size(), 4096u);
    EXPECT_GT(err.size(), 4090u);
    EXPECT_EQ(err, huge.substr(0, err.size()));

    peer.answer(reply_frame(0));
    EXPECT_TRUE(run("q"));
    EXPECT_EQ(err, "") << "a success clears the reason";
}

TEST(session_threads, each_thread_keeps_its_own_reason)
{
    scripted_peer a;
    a.answer(reply_frame(0));
    a.answer(reply_frame(1, "refused on a"));
    std::string on_a, on_b = "unset";
    std::thread ta([&] {
        testing::internal::CaptureStdout();
        connect_to_server("127.0.0.1", a.port(), "u", "p");
        exec("q", 1);
        on_a = last_error();
        exit_to_server();
        testing::internal::GetCapturedStdout();
    });
    ta.join();
    std::thread tb([&] { on_b = last_error(); });
    tb.join();
    EXPECT_EQ(on_a, "refused on a");
    EXPECT_EQ(on_b, "") << "a thread that never called has no reason";
}

TEST(session_threads, each_thread_has_its_own_connection)
{
    scripted_peer a, b;
    a.answer(reply_frame(0));
    b.answer(reply_frame(0));
    a.answer(reply_frame(0, make_payload({{"from", 0, 0, 0}}, {{1, v_int('a', 1)}})));
    b.answer(reply_frame(0, make_payload({{"from", 0, 0, 0}}, {{1, v_int('b', 1)}})));
    int got_a = 0, got_b = 0;
    auto client = [](const scripted_peer &p, int &got) {
        if (!connect_to_server("127.0.0.1", p.port(), "u", "p")) return;
        result_set *rs = exec("q", 1);
        got = as_int8(at(0, 0, rs));
        del_datas(rs);
        exit_to_server();
    };
    std::thread ta(client, std::cref(a), std::ref(got_a)),
        tb(client, std::cref(b), std::ref(got_b));
    ta.join();
    tb.join();
    EXPECT_EQ(got_a, 'a');
    EXPECT_EQ(got_b, 'b');
}

TEST_F(session, a_c_program_logs_in_runs_a_statement_and_prints)
{
    peer.answer(reply_frame(0));
    peer.answer(reply_frame(0, sample_payload()));
    std::string cmd = std::string(VELALINK_C_CHECK) + " " + std::to_string(peer.port()) +
                      " ann pw 'select * from t;'";
    FILE *pipe = ::popen(cmd.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string text;
    char buf[256];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
    EXPECT_EQ(::pclose(pipe), 0) << text;
    EXPECT_EQ(text, "\n|-id-|-name-| \n"
                    "| 1  | one  |\n"
                    "| 2  | two  |\n"
                    "row 0 sid 10: 1 'one'\n"
                    "row 1 sid 11: 2 'two'\n");
    ASSERT_TRUE(peer.wait_frames(3));
    EXPECT_EQ(peer.frames()[0], login_bytes("ann", "pw"));
    EXPECT_EQ(peer.frames()[1], le_u32(16) + "select * from t;");
    EXPECT_EQ(peer.frames()[2], logout_bytes);
}
