#include "vela_server.h"
#include "refuse.h"

#include "session_io.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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
    // One line per event, whatever bytes a peer put into a name or a statement.
    std::string line = "velaserver: " + valid_utf8(s);
    for (char &c : line)
        if ((unsigned char)c < 0x20 || c == 0x7f) c = ' ';
    line += "\n";
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
    ::mkdir(opt.data_dir.c_str(), 0700);
    struct stat st;
    if (::stat(opt.data_dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return refuse(err, "cannot use data folder " + opt.data_dir);
    }
    users_.reset(new user_store(opt.data_dir + "/users"));
    if (!users_->load(err)) return false;
    if (users_->empty()) {
        if (!users_->set_user("admin", "admin", err)) return false;
        log_line("created the user admin with the password admin; change it with --add-user admin");
    }
    if (!store_.open(opt.data_dir + "/vela.db", err)) return false;
    exec_.reset(new executor(store_));
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
}

void vela_server::run()
{
    while (!stopping_) {
        pollfd fds[2] = {{listen_fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        int r = ::poll(fds, 2, 1000);
        reap(false);
        if (r < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[1].revents) break;
        if (!(fds[0].revents & POLLIN)) continue;
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
            continue;
        }
        char ip[INET_ADDRSTRLEN] = "?";
        ::inet_ntop(AF_INET, &peer.sin_addr, ip, sizeof ip);
        std::string who = std::string(ip) + ":" + std::to_string(ntohs(peer.sin_port));
        std::lock_guard<std::mutex> lock(conn_mu_);
        if (conns_.size() >= opt_.max_connections) {
            log_line("refused " + who + ": too many connections");
            ::close(fd);
            continue;
        }
        int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        log_line("connection from " + who);
        conns_.emplace_back(new connection);
        connection *c = conns_.back().get();
        c->fd = fd;
        c->peer = who;
        try {
            c->worker = std::thread([this, c] { serve(c); });
        } catch (const std::exception &e) {
            // Out of threads: this peer is turned away, the server goes on.
            log_line("refused " + who + ": " + e.what());
            ::close(fd);
            conns_.pop_back();
        }
    }
    reap(true);
    std::lock_guard<std::mutex> lock(db_mu_);
    store_.close();
    log_line("stopped");
}

void vela_server::serve(connection *c)
{
    session(c);
    // The peer learns at once that the session is over; the descriptor is closed on reaping.
    ::shutdown(c->fd, SHUT_RDWR);
    c->done = true;
}

void vela_server::session(connection *c)
{
    login_request login;
    timeval limit{opt_.login_timeout_s, 0};
    ::setsockopt(c->fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    frame_status fs = read_login(c->fd, opt_.max_frame, login);
    if (fs != frame_status::ok) {
        if (fs == frame_status::too_long || fs == frame_status::malformed) {
            log_line(c->peer + ": bad login frame, connection closed");
            send_reply(c->fd, 1, "bad login frame");
        } else if (fs == frame_status::closed && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            log_line(c->peer + ": no login within " + std::to_string(opt_.login_timeout_s) +
                     " s, connection closed");
        }
        return;
    }
    // A logged-in client may think for as long as it likes between statements.
    timeval forever{0, 0};
    ::setsockopt(c->fd, SOL_SOCKET, SO_RCVTIMEO, &forever, sizeof forever);
    if (!users_->check(login.user, login.password)) {
        log_line(c->peer + ": login refused for user " + clip(login.user));
        send_reply(c->fd, 1, "wrong user or password");
        return;
    }
    log_line(c->peer + ": " + login.user + " logged in");
    if (!send_reply(c->fd, 0, std::string())) {
        return;
    }
    std::string text, payload;
    for (;;) {
        fs = read_statement(c->fd, opt_.max_frame, text);
        if (fs == frame_status::logout) {
            log_line(c->peer + ": logged out");
            break;
        }
        if (fs == frame_status::too_long) {
            log_line(c->peer + ": statement frame over " + std::to_string(opt_.max_frame) +
                     " bytes, connection closed");
            break;
        }
        if (fs != frame_status::ok) {
            log_line(c->peer + ": connection closed");
            break;
        }
        statement_outcome out;
        {
            std::lock_guard<std::mutex> lock(db_mu_);
            if (stopping_) break;
            out = exec_->run(text);
        }
        payload.clear();
        if (out.ok && out.has_table) {
            try {
                encode_result(out.table, payload);
            } catch (const std::exception &e) {
                payload.clear();
                payload.shrink_to_fit();
                out.ok = false;
                out.error = std::string("the result could not be encoded: ") + e.what();
            }
        }
        if (!out.ok) {
            log_line(c->peer + ": failed: " + clip(text) + " -- " + out.error);
            if (!send_reply(c->fd, 1, valid_utf8(out.error))) break;
            continue;
        }
        if (payload.size() >= 0xFFFFFFFEu) {
            log_line(c->peer + ": failed: " + clip(text) +
                     " -- the result is too large for one reply");
            payload.clear();
            if (!send_reply(c->fd, 1, "the result is too large for one reply")) break;
            continue;
        }
        if (!send_reply(c->fd, 0, payload)) break;
    }
}

} // namespace vela
