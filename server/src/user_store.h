#pragma once
// The server's users: one line per user in DATA_DIR/users holding the name, a random salt,
// the iteration count and the iterated SHA-256 of salt and password. No password is ever
// written in clear.
#include <iosfwd>
#include <map>
#include <mutex>
#include <string>

namespace vela {

class user_store {
public:
    explicit user_store(std::string path);

    // Reads the file; false with a reason when it exists but cannot be read.
    bool load(std::string &err);
    bool empty() const;
    // Adds or replaces a user and rewrites the file atomically.
    bool set_user(const std::string &name, const std::string &password, std::string &err);
    bool check(const std::string &name, const std::string &password) const;
    bool has_user(const std::string &name) const;

    // The users as the file holds them (hashes, never passwords), for a backup; and back.
    std::string text() const;
    bool replace_all(const std::string &text, std::string &err);

    static bool valid_name(const std::string &name);
    static const unsigned k_iterations = 20000;
    // Every iteration hashes the password again: a login frame may carry 64 KiB, which would
    // cost seconds of work per attempt. Longer passwords are refused without hashing.
    static const size_t k_max_password = 1024;

private:
    struct entry {
        std::string salt;
        unsigned iterations = 0;
        std::string hash;
    };
    bool save(std::string &err) const;
    // Reads the file into out; the caller holds mu_.
    bool read_file(std::map<std::string, entry> &out, std::string &err) const;
    static bool parse(std::istream &in, const std::string &source,
                      std::map<std::string, entry> &out, std::string &err);
    // Re-reads the file when another process (velaserver --add-user) changed it.
    void refresh() const;
    std::string stamp() const;

    std::string path_;
    mutable std::mutex mu_;
    mutable std::map<std::string, entry> users_;
    mutable std::string stamp_; // modification time, size and inode of the file last read
};

} // namespace vela
