#include "vela_server.h"
#include "refuse.h"

#include "session_io.h"

#include "base/utf8.h"
#include "base/wire.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace vela {

namespace {
void log_line(const std::string &s)
{
    std::string line = log_text("velaserver: " + s) + "\n";
    ssize_t r = ::write(2, line.data(), line.size());
    (void)r;
}

// A log line shows at most this much of a statement.
std::string clip(const std::string &s)
{
    std::string out;
    for (char c : s.substr(0, 200)) out.push_back(c == '\n' || c == '\r' ? ' ' : c);
    if (s.size() > 200) out += "...";
    return out;
}

// The data folder and everything in it belong to the user who runs the server alone,
// whoever created the folder.
bool make_private_folder(const std::string &dir, std::string &err)
{
    ::mkdir(dir.c_str(), 0700);
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return refuse(err, "cannot use data folder " + dir);
    if ((st.st_mode & 0777) != 0700 && ::chmod(dir.c_str(), 0700) != 0)
        return refuse(err,
                      "cannot make the data folder " + dir + " private: " + std::strerror(errno));
    if (DIR *d = ::opendir(dir.c_str())) {
        while (dirent *e = ::readdir(d)) {
            std::string path = dir + "/" + e->d_name;
            if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 077))
                ::chmod(path.c_str(), st.st_mode & 0700);
        }
        ::closedir(d);
    }
    return true;
}

deadline_clock::time_point after_seconds(long long s)
{
    return deadline_clock::now() + std::chrono::seconds(s);
}

// Big buffers of one statement are given back once it is answered, so that an idle
// connection holds little whatever it sent or asked for before.
void release(std::string &s)
{
    if (s.capacity() > (1u << 20))
        std::string().swap(s);
    else
        s.clear();
}
} // namespace

vela_server::vela_server() = default;

vela_server::~vela_server()
{
    reap(true);
    if (listen_fd_ >= 0) ::close(listen_fd_);
    for (int fd : wake_)
        if (fd >= 0) ::close(fd);
}

bool vela_server::start(const server_options &opt, std::string &err)
{
    opt_ = opt;
    if (!make_private_folder(opt.data_dir, err)) return false;
    users_.reset(new user_store(opt.data_dir + "/users"));
    if (!users_->load(err)) return false;
    if (users_->empty()) {
        if (!users_->set_user("admin", "admin", err)) return false;
        log_line("created the user admin with the password admin; change it with --add-user admin");
    }
    if (!store_.open(opt.data_dir + "/vela.db", err)) return false;
    if (!files_.open(opt.files_dir.empty() ? opt.data_dir + "/files" : opt.files_dir, err))
        return false;
    files_.keep_out_of(opt.data_dir);
    exec_.reset(new executor(store_, executor_env{&files_, users_.get(), true}));
    auto timeout = std::chrono::milliseconds(1000ll * opt.statement_timeout_s);
    // Every other client waits while a statement runs: regular expressions, the one way a
    // short statement can take seconds per row, get a share of their own.
    auto regex_share = std::chrono::milliseconds(5000);
    if (timeout.count() > 0 && timeout < regex_share) regex_share = timeout;
    exec_->set_limits(timeout, regex_share);
    if (opt.demo) {
        if (store_.tables().empty()) {
            if (!fill_demo_data(*exec_, err)) return false;
            log_line("filled the empty database with demo tables");
        } else {
            log_line("--demo ignored: the database already has tables");
        }
    }

    if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) return refuse(err, "pipe failed");
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listen_fd_ < 0) return refuse(err, std::string("socket: ") + std::strerror(errno));
    int one = 1;
    ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    if (opt.port < 0 || opt.port > 65535) return refuse(err, "port out of range");
    addr.sin_port = htons(uint16_t(opt.port));
    if (::inet_pton(AF_INET, opt.bind.c_str(), &addr.sin_addr) != 1)
        return refuse(err, "bad bind address " + opt.bind);
    if (::bind(listen_fd_, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0)
        return refuse(err, "cannot bind " + opt.bind + ":" + std::to_string(opt.port) + ": " +
                               std::strerror(errno));
    if (::listen(listen_fd_, 128) != 0)
        return refuse(err, std::string("listen: ") + std::strerror(errno));
    // Refuse connections politely before the process runs out of descriptors.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY &&
        files.rlim_cur > 64 && opt_.max_connections > files.rlim_cur - 64)
        opt_.max_connections = size_t(files.rlim_cur - 64);
    socklen_t len = sizeof addr;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr *>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    return true;
}

void vela_server::request_stop()
{
    stopping_ = true;
    char b = 1;
    ssize_t r = ::write(wake_[1], &b, 1);
    (void)r;
}

void vela_server::reap(bool all)
{
    std::list<std::unique_ptr<connection>> finished;
    {
        std::lock_guard<std::mutex> lock(conn_mu_);
        for (auto it = conns_.begin(); it != conns_.end();) {
            if (all && !(*it)->done) ::shutdown((*it)->fd, SHUT_RDWR);
            if (all || (*it)->done) {
                finished.push_back(std::move(*it));
                it = conns_.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (auto &c : finished) {
        if (c->worker.joinable()) c->worker.join();
        ::close(c->fd);
    }
    // Freed buffers go back to the system instead of staying with the allocator.
    if (!finished.empty()) ::malloc_trim(0);
}

void vela_server::accept_one()
{
    sockaddr_in peer{};
    socklen_t len = sizeof peer;
    int fd = ::accept4(listen_fd_, reinterpret_cast<sockaddr *>(&peer), &len, SOCK_CLOEXEC);
    if (fd < 0) {
        // Out of descriptors or memory: the pending peer stays queued and poll would
        // report it again at once, so wait a little instead of spinning.
        if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
            pollfd wake{wake_[0], POLLIN, 0};
            ::poll(&wake, 1, 100);
        }
        return;
    }
    struct fd_guard {
        int fd;
        ~fd_guard()
        {
            if (fd >= 0) ::close(fd);
        }
    } guard{fd};
    char ip[INET_ADDRSTRLEN] = "?";
    ::inet_ntop(AF_INET, &peer.sin_addr, ip, sizeof ip);
    std::string who = std::string(ip) + ":" + std::to_string(ntohs(peer.sin_port));
    std::lock_guard<std::mutex> lock(conn_mu_);
    if (conns_.size() >= opt_.max_connections) {
        log_line("refused " + who + ": too many connections");
        return;
    }
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    std::unique_ptr<connection> c(new connection);
    c->fd = fd;
    c->peer = who;
    c->address = ip;
    c->accepted = deadline_clock::now();
    conns_.push_back(nullptr);
    connection *raw = c.get();
    log_line("connection from " + who);
    try {
        raw->worker = std::thread([this, raw] { serve(raw); });
    } catch (const std::exception &e) {
        // Out of threads: this peer is turned away, the server goes on.
        conns_.pop_back();
        log_line("refused " + who + ": " + e.what());
        return;
    }
    conns_.back() = std::move(c);
    guard.fd = -1; // closed on reaping
}

void vela_server::run()
{
    while (!stopping_) {
        pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        int r = ::poll(fds, 2, 1000);
        reap(false);
        for (const std::string &line : throttle_.summaries(deadline_clock::now())) log_line(line);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents) break;
        if (!(fds[0].revents & POLLIN)) continue;
        try {
            accept_one();
        } catch (const std::exception &e) {
            // Out of memory while taking a peer: that peer is lost, the server goes on.
            log_line(std::string("could not take a connection: ") + e.what());
            pollfd wake{wake_[0], POLLIN, 0};
            ::poll(&wake, 1, 100);
        }
    }
    reap(true);
    std::lock_guard<fair_mutex> lock(db_mu_);
    store_.close();
    log_line("stopped");
}

void vela_server::serve(connection *c)
{
    // Nothing that goes wrong in one session may end the server: whatever escapes a
    // statement's own handling ends this connection only.
    try {
        frame_reader reader(std::min(opt_.max_frame, max_login_frame));
        if (log_in(c, reader)) serve_statements(c, reader);
    } catch (const std::exception &e) {
        log_line(c->peer + ": connection closed after an internal failure: " + e.what());
    } catch (...) {
        log_line(c->peer + ": connection closed after an internal failure");
    }
    // The peer learns at once that the session is over; the descriptor is closed on reaping.
    ::shutdown(c->fd, SHUT_RDWR);
    c->done = true;
}

bool vela_server::log_in(connection *c, frame_reader &reader)
{
    // A deadline from accept, not an idle time-out: a byte now and then buys no time.
    auto deadline = c->accepted + std::chrono::seconds(opt_.login_timeout_s);
    io_status io = receive_frame(c->fd, reader, deadline);
    if (io == io_status::timed_out) {
        log_line(c->peer + ": no login within " + std::to_string(opt_.login_timeout_s) +
                 " s of connecting, connection closed");
        return false;
    }
    if (io != io_status::ok) return false;
    std::string body;
    frame_status fs = reader.next(body);
    if (fs == frame_status::logout) return false;
    login_request login;
    auto reply_by = after_seconds(opt_.send_timeout_s);
    if (fs != frame_status::ok || !parse_login_body(body, login)) {
        log_line(c->peer + ": bad login frame, connection closed");
        send_reply(c->fd, wire::status_refused, "bad login frame", reply_by);
        return false;
    }
    auto wait = throttle_.wait(c->address, deadline_clock::now());
    if (wait.count() > 0) {
        // Refused without checking the password: guessing costs the guesser time, not us.
        throttle_.failed(c->address, deadline_clock::now(), true);
        send_reply(c->fd, 1,
                   "too many failed logins from this address; try again in " +
                       std::to_string(wait.count()) + " s",
                   reply_by);
        return false;
    }
    if (!users_->check(login.user, login.password)) {
        if (throttle_.failed(c->address, deadline_clock::now()))
            log_line(c->peer + ": login refused for user " + clip(login.user));
        send_reply(c->fd, wire::status_refused, "wrong user or password", reply_by);
        return false;
    }
    throttle_.succeeded(c->address);
    bool may_connect;
    {
        std::lock_guard<fair_mutex> lock(db_mu_);
        may_connect = exec_->may_connect(login.user);
    }
    if (!may_connect) {
        log_line(c->peer + ": user " + clip(login.user) + " lacks the connect privilege");
        send_reply(c->fd, 1, "user " + login.user + " lacks the connect privilege", reply_by);
        return false;
    }
    c->user = login.user;
    log_line(c->peer + ": " + login.user + " logged in");
    reader.set_max_len(opt_.max_frame);
    return send_reply(c->fd, wire::status_ok, std::string(), reply_by) == io_status::ok;
}

void vela_server::serve_statements(connection *c, frame_reader &reader)
{
    std::string text, payload;
    for (;;) {
        // A logged-in client may think for as long as it likes between statements.
        if (receive_frame(c->fd, reader, no_deadline()) != io_status::ok) {
            log_line(c->peer + ": connection closed");
            break;
        }
        frame_status fs = reader.next(text);
        if (fs == frame_status::logout) {
            log_line(c->peer + ": logged out");
            break;
        }
        if (fs == frame_status::too_long) {
            log_line(c->peer + ": statement frame over " + std::to_string(opt_.max_frame) +
                     " bytes, connection closed");
            break;
        }
        statement_outcome out;
        if (fs == frame_status::no_memory) {
            out.error = "not enough memory to receive the statement";
        } else {
            try {
                std::lock_guard<fair_mutex> lock(db_mu_);
                if (stopping_) break;
                out = exec_->run(text, c->user);
            } catch (const std::exception &e) {
                out = statement_outcome();
                out.error = std::string("the statement could not be completed: ") + e.what();
            }
        }
        payload.clear();
        if (out.ok && out.has_table) {
            try {
                if (!out.encoded.empty())
                    payload.swap(out.encoded);
                else
                    encode_result(out.table, payload);
            } catch (const std::exception &e) {
                release(payload);
                out.ok = false;
                out.error = std::string("the result could not be encoded: ") + e.what();
            }
            out.table = result_table();
            if (out.ok && payload.size() >= 0xFFFFFFFEu) {
                release(payload);
                out.ok = false;
                out.error = "the result is too large for one reply";
            }
        }
        io_status sent;
        if (!out.ok) {
            log_line(c->peer + ": failed: " + clip(text) + " -- " + out.error);
            sent = send_reply(c->fd, wire::status_refused, utf8::sanitise(out.error),
                              after_seconds(opt_.send_timeout_s));
        } else {
            sent = send_reply(c->fd, wire::status_ok, payload,
                              after_seconds(opt_.send_timeout_s + (payload.size() >> 20)));
        }
        release(text);
        release(payload);
        reader.shrink();
        if (sent == io_status::timed_out) {
            log_line(c->peer + ": the client did not take its reply in time, connection closed");
            break;
        }
        if (sent != io_status::ok) break;
    }
}

} // namespace vela
