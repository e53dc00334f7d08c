#pragma once

#include "durable/file_system.hpp"

#include <sys/stat.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

// The words of an errno, for the messages Print and Export give.
std::string reasonOf(int error);

// The file system as the programs use it: every call returns 0 or the errno of its failure, and
// an EINTR is retried here, nowhere else. close is never retried: on Linux the descriptor is
// gone whatever close returns.
class SystemCalls {
  public:
    explicit SystemCalls(FileSystem& files) : files_(files) {}

    int open(const std::string& file, int flags, mode_t mode, int& fd);
    void close(int fd) { files_.close(fd); }
    // Exactly count bytes from `at`; EIO when the file ends before them.
    int readAt(int fd, off_t at, std::size_t count, std::string& bytes);
    // A short write sets no error; trying the rest tells why it stopped (a full disk, the
    // file size limit).
    // `written`, when given, counts the bytes that went in.
    int writeAll(int fd, std::string_view bytes, std::size_t* written = nullptr);
    int writeAt(int fd, std::string_view bytes, off_t at);
    int fstat(int fd, struct stat& info);
    int stat(const std::string& file, struct stat& info);
    int lstat(const std::string& file, struct stat& info);
    int fstatfs(int fd, struct statfs& info);
    int statx(int fd, unsigned mask, struct statx& info);
    // The target of a symbolic link, whole.
    int readLink(const std::string& link, std::string& target);
    int fchmod(int fd, mode_t mode);
    // The whole value of an extended attribute; ENODATA when the file has none of that name.
    int getAttribute(int fd, const std::string& name, std::string& value);
    int setAttribute(int fd, const std::string& name, std::string_view value);
    int removeAttribute(int fd, const std::string& name);
    uid_t geteuid() { return files_.geteuid(); }
    std::chrono::steady_clock::time_point now() { return files_.now(); }
    int flock(int fd, int operation);
    int fdatasync(int fd);
    int fsync(int fd);
    int ftruncate(int fd, off_t length);
    int mkdir(const std::string& folder, mode_t mode);
    int unlink(const std::string& file);
    int rename(const std::string& from, const std::string& to);
    int readFolder(int fd, std::vector<std::string>& names);
    // fsync of a folder, which makes its entries durable.
    int syncFolder(const std::string& folder);
    // Takes the exclusive flock other programs take with flock(1), trying again every few
    // milliseconds while another holder keeps it, for at most `limit` of one holder keeping it
    // unchanged (a file that changes meanwhile is a queue of holders, waited out for at most
    // twelve times `limit`). EWOULDBLOCK when the limit passed.
    int lockWithin(int fd, std::chrono::milliseconds limit);
    // The same, with the bound for a queue of holders given: the caller's, when a wait goes on
    // across several files.
    int lockWithin(int fd, std::chrono::milliseconds limit,
                   std::chrono::steady_clock::time_point last);
    // How many times the wait for one holder a queue of holders may take.
    static constexpr int longestQueue = 12;

  private:
    FileSystem& files_;
};

// Closes a file on every way out; for the report that also drops the lock.
class Descriptor {
  public:
    explicit Descriptor(SystemCalls& calls, int fd = -1) : calls_(calls), fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    int get() const { return fd_; }
    int* out() { return &fd_; }
    void reset() {
        if (fd_ >= 0) {
            calls_.close(fd_);
        }
        fd_ = -1;
    }

  private:
    SystemCalls& calls_;
    int fd_;
};

// The folder that holds `path`: "." for a bare name, "/" for a name at the root.
std::string parentOf(const std::string& path);

} // namespace kavrel
