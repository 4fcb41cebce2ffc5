#pragma once
// The TCP side of velaserver: accepts connections, runs one thread per session, logs each
// connection and each failed statement on standard error, and serialises statements on the
// one storage.
#include "executor.h"
#include "fair_mutex.h"
#include "files_dir.h"
#include "login_throttle.h"
#include "session_io.h"
#include "storage.h"
#include "user_store.h"

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace vela {

struct server_options {
    std::string bind = "127.0.0.1";
    int port = 55555;
    std::string data_dir = "./vela_data";
    // Where file statements read and write; empty: DATA_DIR/files.
    std::string files_dir;
    bool demo = false;
    uint32_t max_frame = 64u << 20;
    size_t max_connections = 1024;
    // A peer that has not completed its login this long after it connected is dropped, so
    // that idle, trickling or half-open connections cannot hold every connection slot.
    int login_timeout_s = 30;
    // A statement running longer fails and is rolled back (0: no limit).
    int statement_timeout_s = 30;
    // A reply must be taken by the client within this, plus a second per MiB of reply, or
    // the connection is closed and the result freed.
    int send_timeout_s = 30;
};

class vela_server {
public:
    vela_server();
    ~vela_server();

    // Opens users and storage in the data folder, fills the demo data when asked, binds
    // and listens. Prints nothing; the caller prints the listening line.
    bool start(const server_options &opt, std::string &err);
    int port() const { return port_; }
    // Accepts until request_stop; then closes every session and the storage.
    void run();
    // Safe from a signal handler.
    void request_stop();

private:
    struct connection {
        int fd = -1;
        std::thread worker;
        std::atomic<bool> done{false};
        std::string peer, address; // address:port, and the address alone
        std::string user;          // who logged in
        deadline_clock::time_point accepted;
    };
    void accept_one();
    void serve(connection *c);
    void session(connection *c);
    void reap(bool all);
    bool log_in(connection *c, frame_reader &reader);
    void serve_statements(connection *c, frame_reader &reader);

    server_options opt_;
    int listen_fd_ = -1;
    int wake_[2] = {-1, -1};
    int port_ = 0;
    std::unique_ptr<user_store> users_;
    storage store_;
    files_dir files_;
    std::unique_ptr<executor> exec_;
    fair_mutex db_mu_;
    std::mutex conn_mu_;
    std::list<std::unique_ptr<connection>> conns_;
    std::atomic<bool> stopping_{false};
    login_throttle throttle_;
};

// Fills an empty database with a few tables of every column type.
bool fill_demo_data(executor &ex, std::string &err);

} // namespace vela
