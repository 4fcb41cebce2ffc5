#pragma once
// Starts velaserver for a test: a free loopback port, a fresh data folder in a temporary
// directory (removed again by the destructor), optionally the demo data. The server's log
// goes to server.log beside the data folder. Log in as admin / admin.
#include <string>
#include <vector>
#include <sys/types.h>

class server_fixture {
public:
    // extra: further command-line options for velaserver (kept for restart).
    explicit server_fixture(bool demo = false, std::vector<std::string> extra = {});
    ~server_fixture();
    server_fixture(const server_fixture &) = delete;
    server_fixture &operator=(const server_fixture &) = delete;

    bool running() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    int port() const { return port_; }
    const std::string &data_dir() const { return data_dir_; }
    std::string log_path() const { return root_ + "/server.log"; }
    std::string log() const;     // what the server wrote to its log so far
    static const char *binary(); // path of the velaserver program

    void stop();    // SIGTERM, then waits for the process to end
    void kill9();   // SIGKILL, then reaps the process
    bool restart(); // stops a running server, then starts again on the same data folder

private:
    bool launch(bool demo, int port);

    std::string root_, data_dir_;
    std::vector<std::string> extra_;
    pid_t pid_ = -1;
    int port_ = 0;
};
