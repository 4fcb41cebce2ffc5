#pragma once
// The files folder: every path a file command names is a path inside it. A relative path
// resolves inside it, an absolute one is accepted only when it lies inside it, and nothing
// leaves it: no "..", no NUL byte, no symbolic link on the way.
#include <cstdio>
#include <string>

namespace vela {

class files_dir {
public:
    files_dir() = default;
    // Creates the folder when it does not exist; false with a reason when it cannot be used.
    bool open(const std::string &dir, std::string &err);
    bool is_open() const { return !root_.empty(); }
    // The server's data folder: when it lies inside the files folder, no path may reach into
    // it (the database and the users are not files to read or replace).
    void keep_out_of(const std::string &dir);
    const std::string &root() const { return root_; }

    // The full path of a file inside the folder; its folder must exist inside the root.
    bool resolve(const std::string &given, std::string &full, std::string &err) const;
    // Reads a whole file (at most max_bytes).
    bool read(const std::string &given, std::string &data, std::string &err,
              size_t max_bytes = size_t(1) << 31) const;

private:
    std::string root_;    // absolute, symbolic links resolved, no trailing slash
    std::string alias_;   // the folder as it was named, made absolute
    std::string private_; // a folder inside the root that is off limits
};

// Writes a file next to its final place and puts it there at commit: "path=" refuses when the
// file exists, "path+=" replaces it in one rename. Nothing is left behind on failure.
class atomic_file {
public:
    atomic_file() = default;
    ~atomic_file();
    atomic_file(const atomic_file &) = delete;
    atomic_file &operator=(const atomic_file &) = delete;

    bool open(const files_dir &dir, const std::string &given, bool replace, std::string &err);
    bool write(const char *data, size_t n);
    bool write(const std::string &s) { return write(s.data(), s.size()); }
    const std::string &temp_path() const { return tmp_; }
    bool commit(std::string &err);
    void discard();

private:
    std::string final_, tmp_;
    bool replace_ = false;
    FILE *f_ = nullptr;
};

} // namespace vela
