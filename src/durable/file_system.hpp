#pragma once

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace kavrel {

// Every call the programs make to the file system, each as the system call of the same name
// (-1 with errno on failure). The base class makes the real calls; tests override them to
// count the calls of a Print or an Export, to fail any one of them the way a disk would, or to end
// the process there as a crash would.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual int open(const char* file, int flags, mode_t mode);
    virtual int close(int fd);
    virtual ssize_t pread(int fd, void* bytes, std::size_t count, off_t at);
    virtual ssize_t write(int fd, const void* bytes, std::size_t count);
    virtual ssize_t pwrite(int fd, const void* bytes, std::size_t count, off_t at);
    virtual int fstat(int fd, struct stat* info);
    virtual int stat(const char* file, struct stat* info);
    virtual int lstat(const char* file, struct stat* info);
    virtual int fstatfs(int fd, struct statfs* info);
    // statx(2): the birth time of a file, where its file system keeps one.
    virtual int statx(int folder, const char* file, int flags, unsigned mask, struct statx* info);
    virtual ssize_t readlink(const char* link, char* bytes, std::size_t size);
    virtual int fchmod(int fd, mode_t mode);
    // Extended attributes of an open file: the report carries its rollback note in one.
    virtual ssize_t fgetxattr(int fd, const char* name, void* value, std::size_t size);
    virtual int fsetxattr(int fd, const char* name, const void* value, std::size_t size, int flags);
    virtual int fremovexattr(int fd, const char* name);
    virtual int flock(int fd, int operation);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int mkdir(const char* folder, mode_t mode);
    virtual int unlink(const char* file);
    virtual int rename(const char* from, const char* to);
    // The names in the open folder fd, without "." and "..".
    virtual int readFolder(int fd, std::vector<std::string>& names);
    virtual uid_t geteuid();
    virtual void sleepFor(std::chrono::milliseconds span);
    virtual std::chrono::steady_clock::time_point now();
};

} // namespace kavrel
