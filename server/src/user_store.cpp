#include "user_store.h"
#include "refuse.h"

#include "sha256.h"

#include "base/utf8.h"

#include <cerrno>

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace vela {

namespace {
std::string random_salt()
{
    uint8_t bytes[16];
    bool ok = false;
    int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ok = ::read(fd, bytes, sizeof bytes) == ssize_t(sizeof bytes);
        ::close(fd);
    }
    if (!ok) {
        std::random_device rd;
        for (auto &b : bytes) b = uint8_t(rd());
    }
    return to_hex(bytes, sizeof bytes);
}

// Compares without an early exit so that timing tells nothing about the stored hash.
bool same_text(const std::string &a, const std::string &b)
{
    if (a.size() != b.size()) return false;
    unsigned diff = 0;
    for (size_t i = 0; i < a.size(); ++i) diff |= unsigned(uint8_t(a[i]) ^ uint8_t(b[i]));
    return diff == 0;
}
} // namespace

user_store::user_store(std::string path) : path_(std::move(path)) {}

bool user_store::valid_name(const std::string &name)
{
    if (name.empty() || name.size() > 255) return false;
    for (unsigned char c : name)
        if (c < 0x21 || c == 0x7f) return false;
    return utf8::valid(name.data(), name.size());
}

std::string user_store::stamp() const
{
    struct stat st;
    if (::stat(path_.c_str(), &st) != 0) return std::string();
    return std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec) + "/" +
           std::to_string(st.st_size) + "/" + std::to_string(st.st_ino);
}

bool user_store::read_file(std::map<std::string, entry> &out, std::string &err) const
{
    out.clear();
    std::ifstream in(path_);
    if (!in) return true; // no file yet: no users
    return parse(in, path_, out, err);
}

bool user_store::parse(std::istream &in, const std::string &source,
                       std::map<std::string, entry> &out, std::string &err)
{
    std::string line;
    int line_no = 0;
    while (std::getline(in, line)) {
        ++line_no;
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::string name;
        entry e;
        // The iteration count is bounded so that a damaged file cannot stall every login.
        if (!(fields >> name >> e.salt >> e.iterations >> e.hash) || e.iterations == 0 ||
            e.iterations > 10000000 || e.hash.size() != 64) {
            return refuse(err, "bad line " + std::to_string(line_no) + " in " + source);
        }
        out[name] = e;
    }
    return true;
}

bool user_store::load(std::string &err)
{
    std::lock_guard<std::mutex> lock(mu_);
    stamp_ = stamp();
    return read_file(users_, err);
}

void user_store::refresh() const
{
    std::string now = stamp();
    if (now == stamp_) return;
    std::map<std::string, entry> fresh;
    std::string err;
    // A file that cannot be read keeps the users we have.
    if (!read_file(fresh, err)) return;
    users_.swap(fresh);
    stamp_ = now;
}

bool user_store::empty() const
{
    std::lock_guard<std::mutex> lock(mu_);
    return users_.empty();
}

bool user_store::has_user(const std::string &name) const
{
    std::lock_guard<std::mutex> lock(mu_);
    return users_.count(name) != 0;
}

bool user_store::set_user(const std::string &name, const std::string &password, std::string &err)
{
    if (!valid_name(name)) {
        return refuse(err, "a user name is 1 to 255 bytes of printable UTF-8 without blanks");
    }
    if (password.size() > k_max_password) {
        return refuse(err, "a password is at most " + std::to_string(k_max_password) + " bytes");
    }
    entry e;
    e.salt = random_salt();
    e.iterations = k_iterations;
    e.hash = hash_password(e.salt, password, e.iterations);
    std::lock_guard<std::mutex> lock(mu_);
    refresh();
    auto old = users_.find(name);
    bool had = old != users_.end();
    entry previous;
    if (had) previous = old->second;
    users_[name] = e;
    if (!save(err)) {
        if (had)
            users_[name] = previous;
        else
            users_.erase(name);
        return false;
    }
    stamp_ = stamp();
    return true;
}

std::string user_store::text() const
{
    std::lock_guard<std::mutex> lock(mu_);
    refresh();
    std::ostringstream out;
    for (const auto &u : users_)
        out << u.first << ' ' << u.second.salt << ' ' << u.second.iterations << ' ' << u.second.hash
            << '\n';
    return out.str();
}

bool user_store::replace_all(const std::string &text, std::string &err)
{
    std::istringstream in(text);
    std::map<std::string, entry> fresh;
    if (!parse(in, "the users of the backup", fresh, err)) return false;
    if (fresh.empty()) return refuse(err, "the backup holds no users");
    std::lock_guard<std::mutex> lock(mu_);
    users_.swap(fresh);
    if (!save(err)) {
        users_.swap(fresh);
        return false;
    }
    stamp_ = stamp();
    return true;
}

bool user_store::save(std::string &err) const
{
    std::string tmp = path_ + ".tmp";
    std::string text;
    for (const auto &u : users_)
        text += u.first + ' ' + u.second.salt + ' ' + std::to_string(u.second.iterations) + ' ' +
                u.second.hash + '\n';
    // Created private: the hashes are never readable by others, not even for a moment. A
    // left-over file of another mode is removed first, since open keeps an existing mode.
    ::unlink(tmp.c_str());
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return refuse(err, "cannot write " + tmp);
    bool written = true;
    for (size_t done = 0; written && done < text.size();) {
        ssize_t r = ::write(fd, text.data() + done, text.size() - done);
        if (r < 0 && errno == EINTR) continue;
        written = r > 0;
        if (written) done += size_t(r);
    }
    written = ::fsync(fd) == 0 && written;
    if (::close(fd) != 0 || !written) {
        ::unlink(tmp.c_str());
        return refuse(err, "cannot write " + tmp);
    }
    if (std::rename(tmp.c_str(), path_.c_str()) != 0) {
        return refuse(err, "cannot replace " + path_);
    }
    return true;
}

bool user_store::check(const std::string &name, const std::string &password) const
{
    if (password.size() > k_max_password) return false;
    entry e;
    bool known = false;
    {
        std::lock_guard<std::mutex> lock(mu_);
        refresh();
        auto it = users_.find(name);
        if (it != users_.end()) {
            e = it->second;
            known = true;
        }
    }
    // An unknown user costs the same work as a real one so a caller cannot probe for names;
    // the work is done outside the lock so other logins do not wait for it.
    if (!known) {
        // A made-up salt as long as a real one: the hash covers salt and password on every
        // iteration, so a shorter salt would make unknown names answer measurably faster.
        static const std::string dummy_salt(random_salt().size(), '0');
        hash_password(dummy_salt, password, k_iterations);
        return false;
    }
    return same_text(hash_password(e.salt, password, e.iterations), e.hash);
}

} // namespace vela
