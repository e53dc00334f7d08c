#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace kavrel {

// Every call Print makes to the operating system, each as the system call of the same name
// (-1 with errno on failure). The base class makes the real calls; tests override them to
// count the calls of a Print, to fail any one of them the way a disk would, or to end the
// process there as a crash would.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual int open(const char* file, int flags, mode_t mode);
    virtual int close(int fd);
    virtual ssize_t pread(int fd, void* bytes, std::size_t count, off_t at);
    virtual ssize_t write(int fd, const void* bytes, std::size_t count);
    virtual ssize_t pwrite(int fd, const void* bytes, std::size_t count, off_t at);
    virtual int fstat(int fd, struct stat* info);
    virtual int flock(int fd, int operation);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int mkdir(const char* folder, mode_t mode);
    virtual int unlink(const char* file);
    virtual int rename(const char* from, const char* to);
    // The names in the open folder fd, without "." and "..".
    virtual int readFolder(int fd, std::vector<std::string>& names);
    virtual void sleepFor(std::chrono::milliseconds span);
    virtual std::chrono::steady_clock::time_point now();
};

} // namespace kavrel
