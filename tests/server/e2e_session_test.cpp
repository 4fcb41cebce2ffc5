// Sessions end to end: login, raw frames from misbehaving peers, many clients at once.
#include "server_fixture.h"
#include "vela_session.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <set>
#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

namespace {

// A bare TCP peer for frames that velalink would never send.
struct raw_peer {
    int fd = -1;
    explicit raw_peer(int port)
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(uint16_t(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0) {
            ::close(fd);
            fd = -1;
        }
        timeval tv{10, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    }
    ~raw_peer()
    {
        if (fd >= 0) ::close(fd);
    }
    void send_bytes(const std::string &b)
    {
        ASSERT_EQ(::send(fd, b.data(), b.size(), MSG_NOSIGNAL), ssize_t(b.size()));
    }
    static std::string u32(uint32_t v)
    {
        return std::string(reinterpret_cast<const char *>(&v), 4);
    }
    void login(const std::string &user, const std::string &pw)
    {
        send_bytes(u32(uint32_t(8 + user.size() + pw.size())) + u32(uint32_t(user.size())) + user +
                   u32(uint32_t(pw.size())) + pw);
    }
    // Reads one reply; returns its status, or -1 when the server closed the connection.
    int reply(std::string *payload = nullptr)
    {
        uint8_t head[5];
        size_t got = 0;
        while (got < 5) {
            ssize_t n = ::recv(fd, head + got, 5 - got, 0);
            if (n <= 0) return -1;
            got += size_t(n);
        }
        uint32_t len;
        std::memcpy(&len, head, 4);
        std::string rest(len - 1, '\0');
        got = 0;
        while (got < rest.size()) {
            ssize_t n = ::recv(fd, &rest[got], rest.size() - got, 0);
            if (n <= 0) return -1;
            got += size_t(n);
        }
        if (payload) *payload = rest;
        return head[4];
    }
    // End of stream, or a reset when the server dropped bytes it did not read; not a time-out.
    bool closed_by_server()
    {
        char b;
        ssize_t n = ::recv(fd, &b, 1, 0);
        return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK);
    }
};

TEST(server_session, login_accepts_admin_and_refuses_wrong_password_or_user)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running()) << srv.log();
    EXPECT_FALSE(login(srv.port(), "admin", "wrong"));
    EXPECT_FALSE(login(srv.port(), "nobody", "admin"));
    EXPECT_FALSE(login(srv.port(), "", ""));
    ASSERT_TRUE(login(srv.port()));
    query_table t;
    ASSERT_TRUE(query("show tables;", t));
    EXPECT_EQ(t.names, std::vector<std::string>{"tables"});
    EXPECT_EQ(t.rows(), 0u);
    logout();
    EXPECT_NE(srv.log().find("login refused"), std::string::npos);
}

TEST(server_session, passwords_are_stored_hashed_not_in_clear)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    FILE *f = std::fopen((srv.data_dir() + "/users").c_str(), "r");
    ASSERT_NE(f, nullptr);
    char line[512] = {0};
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    std::fclose(f);
    std::string text = line;
    EXPECT_EQ(text.rfind("admin ", 0), 0u);
    EXPECT_EQ(text.find(" admin"), std::string::npos) << "the password must not appear in clear";
}

TEST(server_session, statement_reply_is_status_and_reason_or_empty_payload)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    raw_peer p(srv.port());
    p.login("admin", "admin");
    ASSERT_EQ(p.reply(), 0);
    std::string sql = "create table t ( a i32() )", payload;
    p.send_bytes(raw_peer::u32(uint32_t(sql.size())) + sql);
    ASSERT_EQ(p.reply(&payload), 0);
    EXPECT_TRUE(payload.empty()); // L = 1: nothing but the status
    sql = "select nope from t";
    p.send_bytes(raw_peer::u32(uint32_t(sql.size())) + sql);
    ASSERT_EQ(p.reply(&payload), 1);
    EXPECT_NE(payload.find("nope"), std::string::npos) << payload;
    sql = "select a from [\\xff\\x1b]"; // a reason quoting bytes that are not UTF-8
    p.send_bytes(raw_peer::u32(uint32_t(sql.size())) + sql);
    ASSERT_EQ(p.reply(&payload), 1);
    EXPECT_EQ(payload, "no table \xEF\xBF\xBD\x1b");
    p.send_bytes(raw_peer::u32(0)); // an empty statement fails but keeps the session
    EXPECT_EQ(p.reply(), 1);
    sql = "show tables";
    p.send_bytes(raw_peer::u32(uint32_t(sql.size())) + sql);
    EXPECT_EQ(p.reply(), 0);
    p.send_bytes(raw_peer::u32(0xFFFFFFFFu)); // logout: no reply, connection closed
    EXPECT_TRUE(p.closed_by_server());
}

TEST(server_session, bad_frames_cost_only_their_own_connection)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    {
        raw_peer p(srv.port()); // inner lengths that do not add up
        p.send_bytes(raw_peer::u32(12) + raw_peer::u32(100) + "abcd" + raw_peer::u32(0));
        EXPECT_EQ(p.reply(), 1);
        EXPECT_TRUE(p.closed_by_server());
    }
    {
        raw_peer p(srv.port()); // a login frame far longer than any name and password
        p.login("admin", std::string(5000, 'x'));
        EXPECT_EQ(p.reply(), 1);
        EXPECT_TRUE(p.closed_by_server());
        EXPECT_EQ(srv.log().find("login refused"), std::string::npos)
            << "refused as a frame, not as a password";
    }
    {
        raw_peer p(srv.port()); // a statement frame over the limit closes the connection
        p.login("admin", "admin");
        ASSERT_EQ(p.reply(), 0);
        p.send_bytes(raw_peer::u32(0xFFFFFFF0u) + "select");
        EXPECT_TRUE(p.closed_by_server());
    }
    {
        raw_peer p(srv.port()); // vanishes in the middle of a frame
        p.login("admin", "admin");
        ASSERT_EQ(p.reply(), 0);
        p.send_bytes(raw_peer::u32(1000) + "select 1");
    }
    {
        raw_peer p(srv.port()); // garbage instead of SQL
        p.login("admin", "admin");
        ASSERT_EQ(p.reply(), 0);
        std::string junk("\xff\x00\x80select\x01", 10);
        p.send_bytes(raw_peer::u32(uint32_t(junk.size())) + junk);
        EXPECT_EQ(p.reply(), 1);
    }
    ASSERT_TRUE(login(srv.port()));
    EXPECT_TRUE(run("show tables"));
    logout();
    EXPECT_NE(srv.log().find("connection closed"), std::string::npos);
}

TEST(server_session, sixty_four_clients_insert_at_once_without_loss_or_duplicates)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running());
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("create table hits ( client i32(), n i32() )"));
    logout();
    const int clients = 64, per_client = 20;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c)
        threads.emplace_back([&, c] {
            if (!login(srv.port())) {
                ++failures;
                return;
            }
            for (int i = 0; i < per_client; ++i)
                if (!run("insert into hits ( client, n ) values ( " + std::to_string(c) + ", " +
                         std::to_string(i) + " )"))
                    ++failures;
            logout();
        });
    for (auto &t : threads) t.join();
    EXPECT_EQ(failures.load(), 0);
    ASSERT_TRUE(login(srv.port()));
    query_table t;
    ASSERT_TRUE(query("select client, n from hits", t));
    EXPECT_EQ(t.rows(), size_t(clients * per_client));
    std::set<std::pair<std::string, std::string>> seen;
    std::set<uint64_t> ids;
    for (size_t r = 0; r < t.rows(); ++r) {
        seen.insert({t.cells[r][0], t.cells[r][1]});
        ids.insert(t.sids[r]);
    }
    EXPECT_EQ(seen.size(), size_t(clients * per_client));
    EXPECT_EQ(ids.size(), size_t(clients * per_client));
    logout();
}

TEST(server_session, a_peer_that_never_logs_in_is_dropped_after_the_login_time_out)
{
    server_fixture srv(false, {"--login-timeout", "1"});
    ASSERT_TRUE(srv.running()) << srv.log();
    raw_peer idle(srv.port());
    ASSERT_GE(idle.fd, 0);
    EXPECT_TRUE(idle.closed_by_server())
        << "the raw peer waits 10 s; the server must hang up after 1 s";
    EXPECT_NE(srv.log().find("no login within 1 s"), std::string::npos) << srv.log();
    // Once logged in, a session may stay idle for longer than that.
    raw_peer p(srv.port());
    p.login("admin", "admin");
    ASSERT_EQ(p.reply(), 0);
    ::sleep(2);
    std::string sql = "show tables";
    p.send_bytes(raw_peer::u32(uint32_t(sql.size())) + sql);
    EXPECT_EQ(p.reply(), 0);
}

TEST(server_session, trickling_bytes_buys_no_time_before_login)
{
    server_fixture srv(false, {"--login-timeout", "1"});
    ASSERT_TRUE(srv.running()) << srv.log();
    raw_peer slow(srv.port());
    ASSERT_GE(slow.fd, 0);
    std::string frame = raw_peer::u32(30) + raw_peer::u32(5) + "admin" + raw_peer::u32(17);
    auto t0 = std::chrono::steady_clock::now();
    bool cut = false;
    for (size_t i = 0; i < frame.size() && !cut; ++i) {
        cut = ::send(slow.fd, &frame[i], 1, MSG_NOSIGNAL) != 1;
        ::usleep(250000);
    }
    EXPECT_TRUE(cut || slow.closed_by_server());
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_LT(secs, 4.0) << "a byte every 250 ms must not keep the connection past 1 s";
}

TEST(server_session, repeated_wrong_logins_from_one_address_are_slowed_and_summarised)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running()) << srv.log();
    std::string reason;
    int refused_early = 0;
    for (int i = 0; i < 8; ++i) {
        raw_peer p(srv.port());
        p.login(i % 2 ? "admin" : "nobody", "guess" + std::to_string(i));
        EXPECT_EQ(p.reply(&reason), 1);
        if (reason.find("too many failed logins") != std::string::npos) ++refused_early;
    }
    EXPECT_GE(refused_early, 2);
    // Even the right password waits until the delay has passed.
    raw_peer right(srv.port());
    right.login("admin", "admin");
    EXPECT_EQ(right.reply(&reason), 1);
    EXPECT_NE(reason.find("try again in"), std::string::npos) << reason;
    std::string log = srv.log();
    size_t lines = 0;
    for (size_t at = 0; (at = log.find("login refused", at)) != std::string::npos; ++at) ++lines;
    EXPECT_LE(lines, 5u) << log;
}

TEST(server_session, a_client_that_does_not_read_its_reply_loses_the_connection)
{
    server_fixture srv(false, {"--send-timeout", "1"});
    ASSERT_TRUE(srv.running()) << srv.log();
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("create table big ( s string256() )"));
    std::string ins = "insert into big ( s ) values ( \"" + std::string(250, 'b') + "\" )";
    for (int i = 0; i < 999; ++i) ins += ", ( \"" + std::string(250, 'b') + "\" )";
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(run(ins));
    raw_peer sink(srv.port());
    int small = 4096;
    ::setsockopt(sink.fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sink.login("admin", "admin");
    ASSERT_EQ(sink.reply(), 0);
    std::string sql = "select s from big";
    sink.send_bytes(raw_peer::u32(uint32_t(sql.size())) + sql);
    bool dropped = false;
    for (int i = 0; i < 100 && !dropped; ++i) {
        ::usleep(100000);
        dropped = srv.log().find("did not take its reply") != std::string::npos;
    }
    EXPECT_TRUE(dropped) << srv.log();
    EXPECT_TRUE(run("rows_of big")); // everyone else is served meanwhile
    logout();
}

TEST(server_session, the_data_folder_is_private_whoever_created_it)
{
    server_fixture srv;
    ASSERT_TRUE(srv.running()) << srv.log();
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("create table t ( a i32() ); insert into t ( a ) values ( 1 )"));
    logout();
    srv.stop();
    const std::string dir = srv.data_dir();
    ::chmod(dir.c_str(), 0755);
    ::chmod((dir + "/vela.db").c_str(), 0644);
    ASSERT_TRUE(srv.restart()) << srv.log();
    ASSERT_TRUE(login(srv.port()));
    ASSERT_TRUE(run("insert into t ( a ) values ( 2 )"));
    struct stat st;
    ASSERT_EQ(::stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    for (const char *f : {"vela.db", "vela.db-wal", "users"}) {
        if (::stat((dir + "/" + f).c_str(), &st) != 0) continue;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << f;
    }
    logout();
}

TEST(server_session, more_peers_than_descriptors_are_refused_not_spun_on)
{
    // The server inherits a small descriptor limit from the test.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &small), 0);
    server_fixture srv;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &old), 0);
    ASSERT_TRUE(srv.running()) << srv.log();
    {
        std::vector<std::unique_ptr<raw_peer>> peers;
        for (int i = 0; i < 80; ++i) peers.emplace_back(new raw_peer(srv.port()));
        ::usleep(300000);
        EXPECT_NE(srv.log().find("too many connections"), std::string::npos) << srv.log();
    }
    // Once they are gone, a client gets in again.
    bool in = false;
    for (int attempt = 0; attempt < 50 && !in; ++attempt) {
        in = login(srv.port());
        if (!in) ::usleep(100000);
    }
    ASSERT_TRUE(in);
    EXPECT_TRUE(run("show tables"));
    logout();
}

} // namespace
