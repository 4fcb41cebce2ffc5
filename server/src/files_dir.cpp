#include "files_dir.h"
#include "refuse.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vela {

namespace {
bool inside(const std::string &root, const std::string &path)
{
    return path == root || (path.size() > root.size() && path.compare(0, root.size(), root) == 0 &&
                            path[root.size()] == '/');
}

std::string real_path(const std::string &p)
{
    char buf[PATH_MAX];
    return ::realpath(p.c_str(), buf) ? std::string(buf) : std::string();
}
} // namespace

bool files_dir::open(const std::string &dir, std::string &err)
{
    if (dir.empty()) return refuse(err, "the files folder is not set");
    ::mkdir(dir.c_str(), 0700);
    std::string real = real_path(dir);
    struct stat st;
    if (real.empty() || ::stat(real.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return refuse(err, "cannot use files folder " + dir);
    root_ = real == "/" ? std::string() : real;
    if (root_.empty()) return refuse(err, "the files folder may not be /");
    char cwd[PATH_MAX];
    alias_ = dir[0] == '/' ? dir : (::getcwd(cwd, sizeof cwd) ? std::string(cwd) : "") + "/" + dir;
    while (alias_.size() > 1 && alias_.back() == '/') alias_.pop_back();
    return true;
}

void files_dir::keep_out_of(const std::string &dir)
{
    std::string real = real_path(dir);
    private_ = !real.empty() && inside(root_, real) ? real : std::string();
}

bool files_dir::resolve(const std::string &given, std::string &full, std::string &err) const
{
    if (root_.empty()) return refuse(err, "file commands are off: the server has no files folder");
    if (given.empty()) return refuse(err, "the path is empty");
    if (given.find('\0') != std::string::npos) return refuse(err, "a path may not hold a NUL byte");
    std::string path = given[0] == '/' ? given : root_ + "/" + given;
    // An absolute path may name the folder as it was given on the command line.
    if (given[0] == '/' && !inside(root_, given) && inside(alias_, given))
        path = root_ + given.substr(alias_.size());
    // Every step must go down: no "..", and "." or empty steps are dropped.
    std::string clean;
    size_t i = 0;
    while (i <= path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        std::string step = path.substr(i, j - i);
        if (step == "..") return refuse(err, "the path " + given + " leaves the files folder");
        if (!step.empty() && step != ".") clean += "/" + step;
        i = j + 1;
    }
    if (!inside(root_, clean) || clean == root_)
        return refuse(err, "the path " + given + " is not inside the files folder");
    // The folder that holds the file must really be inside: a symbolic link on the way out
    // is caught here, one at the end when the file is opened.
    size_t slash = clean.rfind('/');
    std::string folder = clean.substr(0, slash), real = real_path(folder);
    if (real.empty())
        return refuse(err, "no folder " + folder.substr(root_.size()) + " in the files folder");
    if (!inside(root_, real)) return refuse(err, "the path " + given + " leaves the files folder");
    full = real + clean.substr(slash);
    if (!private_.empty() && inside(private_, full))
        return refuse(err, "the path " + given + " is inside the server's data folder");
    struct stat st;
    if (::lstat(full.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        return refuse(err, "the path " + given + " is a symbolic link, which is not followed");
    return true;
}

bool files_dir::read(const std::string &given, std::string &data, std::string &err,
                     size_t max_bytes) const
{
    std::string full;
    if (!resolve(given, full, err)) return false;
    int fd = ::open(full.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return refuse(err, "cannot read " + given + ": " + std::strerror(errno));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refuse(err, given + " is not a file");
    }
    if (uint64_t(st.st_size) > max_bytes) {
        ::close(fd);
        return refuse(err, given + " is larger than " + std::to_string(max_bytes) + " bytes");
    }
    data.clear();
    data.resize(size_t(st.st_size));
    size_t got = 0;
    while (got < data.size()) {
        ssize_t r = ::read(fd, &data[got], data.size() - got);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        got += size_t(r);
    }
    ::close(fd);
    data.resize(got);
    return true;
}

atomic_file::~atomic_file()
{
    discard();
}

bool atomic_file::open(const files_dir &dir, const std::string &given, bool replace,
                       std::string &err)
{
    discard();
    if (!dir.resolve(given, final_, err)) return false;
    struct stat st;
    if (!replace && ::lstat(final_.c_str(), &st) == 0)
        return refuse(err, given + " exists; write it with path+= to replace it");
    if (replace && ::lstat(final_.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return refuse(err, given + " is not a file");
    replace_ = replace;
    std::mt19937_64 gen{std::random_device{}()};
    for (int tries = 0; tries < 8 && !f_; ++tries) {
        tmp_ = final_ + ".tmp" + std::to_string(gen() % 1000000000);
        int fd = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) f_ = ::fdopen(fd, "wb");
    }
    if (!f_) {
        tmp_.clear();
        return refuse(err, "cannot write " + given + ": " + std::strerror(errno));
    }
    return true;
}

bool atomic_file::write(const char *data, size_t n)
{
    return f_ && std::fwrite(data, 1, n, f_) == n;
}

bool atomic_file::commit(std::string &err)
{
    if (!f_) return refuse(err, "nothing to write");
    bool ok = std::fflush(f_) == 0 && ::fsync(::fileno(f_)) == 0;
    ok = std::fclose(f_) == 0 && ok;
    f_ = nullptr;
    if (!ok) {
        discard();
        return refuse(err, std::string("cannot write the file: ") + std::strerror(errno));
    }
    // Without replace, link() refuses a file that appeared meanwhile; rename() would not.
    int rc =
        replace_ ? ::rename(tmp_.c_str(), final_.c_str()) : ::link(tmp_.c_str(), final_.c_str());
    if (rc != 0) {
        int e = errno;
        discard();
        return refuse(err, e == EEXIST
                               ? "the file exists; write it with path+= to replace it"
                               : std::string("cannot put the file in place: ") + std::strerror(e));
    }
    if (!replace_) ::unlink(tmp_.c_str());
    tmp_.clear();
    return true;
}

void atomic_file::discard()
{
    if (f_) std::fclose(f_);
    f_ = nullptr;
    if (!tmp_.empty()) ::unlink(tmp_.c_str());
    tmp_.clear();
}

} // namespace vela
