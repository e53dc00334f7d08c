#include "commands/append_record.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace kavrel {
namespace {

std::string reasonOf(int error) {
    return std::strerror(error);
}

// Closes the report on every way out, which also drops the lock.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

// A write beyond the process's file size limit raises SIGXFSZ, which by default ends the
// program. While the record is written the signal is held back, and one raised by that write
// is taken off again, so the write just comes up short and is rolled back.
class SizeLimitSignalHold {
  public:
    SizeLimitSignalHold() {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
        sigset_t pending;
        sigpending(&pending);
        // A signal held back before we came belongs to the caller.
        owned_ = !sigismember(&previous_, SIGXFSZ) && !sigismember(&pending, SIGXFSZ);
    }
    SizeLimitSignalHold(const SizeLimitSignalHold&) = delete;
    SizeLimitSignalHold& operator=(const SizeLimitSignalHold&) = delete;
    ~SizeLimitSignalHold() {
        if (!owned_) {
            return;
        }
        sigset_t pending;
        sigpending(&pending);
        if (sigismember(&pending, SIGXFSZ)) {
            const timespec noWait{};
            sigtimedwait(&signal_, nullptr, &noWait);
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }

  private:
    sigset_t signal_{};
    sigset_t previous_{};
    bool owned_ = false;
};

int openReport(const char* file) {
    int fd;
    // Non-blocking so that a FIFO with no reader fails at once instead of hanging Print.
    do {
        fd = ::open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool ensureFolder(const std::string& folder, int& error) {
    if (::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST) {
        return true;
    }
    error = errno;
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

ssize_t writeOnce(int fd, std::string_view bytes) {
    ssize_t written;
    do {
        written = ::write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written;
}

int truncateTo(int fd, off_t length) {
    int result;
    do {
        result = ::ftruncate(fd, length);
    } while (result < 0 && errno == EINTR);
    return result < 0 ? errno : 0;
}

} // namespace

std::optional<ReportWriteError> appendRecord(const ReportPath& path, std::string_view bytes) {
    auto failure = [&](std::string reason) {
        return ReportWriteError{path.file, std::move(reason)};
    };
    // An embedded NUL would silently name a different file.
    if (path.file.find('\0') != std::string::npos || path.folder.find('\0') != std::string::npos) {
        return failure(reasonOf(EINVAL));
    }
    if (int error = 0; !ensureFolder(path.folder, error)) {
        return failure(reasonOf(error));
    }

    Descriptor report(openReport(path.file.c_str()));
    if (report.get() < 0) {
        return failure(reasonOf(errno));
    }
    struct stat info {};
    if (::fstat(report.get(), &info) != 0) {
        return failure(reasonOf(errno));
    }
    // Only a regular file can be cut back after a failed write.
    if (!S_ISREG(info.st_mode)) {
        return failure("Not a regular file");
    }
    if (const int flags = ::fcntl(report.get(), F_GETFL);
        flags < 0 || ::fcntl(report.get(), F_SETFL, flags & ~O_NONBLOCK) < 0) {
        return failure(reasonOf(errno));
    }

    int locked;
    do {
        locked = ::flock(report.get(), LOCK_EX);
    } while (locked < 0 && errno == EINTR);
    if (locked < 0) {
        return failure(reasonOf(errno));
    }
    // Measured under the lock: another copy's record written before this point stays.
    if (::fstat(report.get(), &info) != 0) {
        return failure(reasonOf(errno));
    }
    const off_t oldLength = info.st_size;

    SizeLimitSignalHold hold;
    const ssize_t written = writeOnce(report.get(), bytes);
    if (written >= 0 && static_cast<std::size_t>(written) == bytes.size()) {
        return std::nullopt;
    }

    // A short write sets no error; trying the rest tells why it stopped (a full disk, the
    // file size limit). Whatever that adds is cut off below with the rest.
    int error = errno;
    if (written >= 0) {
        const ssize_t rest = writeOnce(report.get(), bytes.substr(written));
        error = rest < 0 ? errno : EIO;
    }
    std::string reason = reasonOf(error);
    if (const int cut = truncateTo(report.get(), oldLength); cut != 0) {
        reason += " (the part written could not be removed: " + reasonOf(cut) + ")";
    }
    return failure(std::move(reason));
}

} // namespace kavrel
