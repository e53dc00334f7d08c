#include "durable/system_calls.hpp"

#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kavrel {

std::string reasonOf(int error) {
    return std::strerror(error);
}
namespace {

// Runs call until it ends other than by a signal: 0, or the errno of its failure.
template <typename Call> int retried(Call call) {
    while (call() < 0) {
        if (errno != EINTR) {
            return errno;
        }
    }
    return 0;
}

} // namespace

int SystemCalls::open(const std::string& file, int flags, mode_t mode, int& fd) {
    return retried([&] { return fd = files_.open(file.c_str(), flags | O_CLOEXEC, mode); });
}

int SystemCalls::readAt(int fd, off_t at, std::size_t count, std::string& bytes) {
    bytes.assign(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        ssize_t n = 0;
        if (const int error = retried([&] {
                return n = files_.pread(fd, bytes.data() + got, count - got,
                                        at + static_cast<off_t>(got));
            })) {
            return error;
        }
        if (n == 0) {
            return EIO;
        }
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

int SystemCalls::writeAll(int fd, std::string_view bytes, std::size_t* written) {
    std::size_t ignored = 0;
    std::size_t& count = written ? *written : ignored;
    count = 0;
    while (!bytes.empty()) {
        ssize_t n = 0;
        if (const int error =
                retried([&] { return n = files_.write(fd, bytes.data(), bytes.size()); })) {
            return error;
        }
        if (n == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        count += static_cast<std::size_t>(n);
    }
    return 0;
}

int SystemCalls::writeAt(int fd, std::string_view bytes, off_t at) {
    while (!bytes.empty()) {
        ssize_t n = 0;
        if (const int error =
                retried([&] { return n = files_.pwrite(fd, bytes.data(), bytes.size(), at); })) {
            return error;
        }
        if (n == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        at += n;
    }
    return 0;
}

int SystemCalls::fstat(int fd, struct stat& info) {
    return retried([&] { return files_.fstat(fd, &info); });
}

int SystemCalls::stat(const std::string& file, struct stat& info) {
    return retried([&] { return files_.stat(file.c_str(), &info); });
}

int SystemCalls::lstat(const std::string& file, struct stat& info) {
    return retried([&] { return files_.lstat(file.c_str(), &info); });
}

int SystemCalls::fstatfs(int fd, struct statfs& info) {
    return retried([&] { return files_.fstatfs(fd, &info); });
}

int SystemCalls::statx(int fd, unsigned mask, struct statx& info) {
    return retried([&] { return files_.statx(fd, "", AT_EMPTY_PATH, mask, &info); });
}

int SystemCalls::readLink(const std::string& link, std::string& target) {
    for (std::size_t size = 256;; size *= 2) {
        target.assign(size, '\0');
        ssize_t n = 0;
        if (const int error =
                retried([&] { return n = files_.readlink(link.c_str(), target.data(), size); })) {
            return error;
        }
        if (static_cast<std::size_t>(n) < size) {
            target.resize(static_cast<std::size_t>(n));
            return 0;
        }
    }
}

int SystemCalls::fchmod(int fd, mode_t mode) {
    return retried([&] { return files_.fchmod(fd, mode); });
}

int SystemCalls::flock(int fd, int operation) {
    return retried([&] { return files_.flock(fd, operation); });
}

int SystemCalls::fdatasync(int fd) {
    return retried([&] { return files_.fdatasync(fd); });
}

int SystemCalls::getAttribute(int fd, const std::string& name, std::string& value) {
    // The value may grow between asking its size and reading it: ask again, a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        ssize_t size = 0;
        if (const int error =
                retried([&] { return size = files_.fgetxattr(fd, name.c_str(), nullptr, 0); })) {
            return error;
        }
        value.assign(static_cast<std::size_t>(size), '\0');
        ssize_t got = 0;
        const int error = retried(
            [&] { return got = files_.fgetxattr(fd, name.c_str(), value.data(), value.size()); });
        if (error == 0) {
            value.resize(static_cast<std::size_t>(got));
            return 0;
        }
        if (error != ERANGE) {
            return error;
        }
    }
    return ERANGE;
}

int SystemCalls::setAttribute(int fd, const std::string& name, std::string_view value) {
    return retried(
        [&] { return files_.fsetxattr(fd, name.c_str(), value.data(), value.size(), 0); });
}

int SystemCalls::removeAttribute(int fd, const std::string& name) {
    return retried([&] { return files_.fremovexattr(fd, name.c_str()); });
}

int SystemCalls::fsync(int fd) {
    return retried([&] { return files_.fsync(fd); });
}

int SystemCalls::ftruncate(int fd, off_t length) {
    return retried([&] { return files_.ftruncate(fd, length); });
}

int SystemCalls::mkdir(const std::string& folder, mode_t mode) {
    return retried([&] { return files_.mkdir(folder.c_str(), mode); });
}

int SystemCalls::unlink(const std::string& file) {
    return retried([&] { return files_.unlink(file.c_str()); });
}

int SystemCalls::rename(const std::string& from, const std::string& to) {
    return retried([&] { return files_.rename(from.c_str(), to.c_str()); });
}

int SystemCalls::readFolder(int fd, std::vector<std::string>& names) {
    return retried([&] {
        names.clear();
        return files_.readFolder(fd, names);
    });
}

int SystemCalls::syncFolder(const std::string& folder) {
    Descriptor fd(*this);
    if (const int error = open(folder, O_RDONLY | O_DIRECTORY, 0, *fd.out())) {
        return error;
    }
    return fsync(fd.get());
}

int SystemCalls::lockWithin(int fd, std::chrono::milliseconds limit) {
    return lockWithin(fd, limit, files_.now() + limit * longestQueue);
}

int SystemCalls::lockWithin(int fd, std::chrono::milliseconds limit,
                            std::chrono::steady_clock::time_point last) {
    // Almost always the lock is free or held for the milliseconds of another Print. Polling
    // keeps the bound whatever happens: no timer or signal handler that could fail to arm.
    // Only one holder that keeps the lock for the whole wait makes it "in use": whenever the
    // file changed while this Print waited (another Print added its record and let go), the
    // wait starts again, so a queue of other Prints is waited out, up to a bound of its own.
    constexpr std::chrono::milliseconds pause{2};
    auto deadline = std::min(files_.now() + limit, last);
    struct stat seen {};
    const bool known = fstat(fd, seen) == 0;
    for (;;) {
        const int error = flock(fd, LOCK_EX | LOCK_NB);
        if (error != EWOULDBLOCK) {
            return error;
        }
        const auto now = files_.now();
        struct stat info {};
        if (known && fstat(fd, info) == 0 &&
            (info.st_size != seen.st_size || info.st_mtim.tv_sec != seen.st_mtim.tv_sec ||
             info.st_mtim.tv_nsec != seen.st_mtim.tv_nsec)) {
            seen = info;
            deadline = std::min(now + limit, last);
        }
        if (now >= deadline) {
            return EWOULDBLOCK;
        }
        files_.sleepFor(pause);
    }
}

std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace kavrel
