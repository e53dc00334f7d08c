#pragma once

#include <sys/types.h>

#include <cstddef>

namespace kavrel {

// The calls through which Print changes files, each as the system call of the same name
// (-1 with errno on failure). The base class makes the real calls; tests override single
// calls to see the order of the syncs or to make one fail the way a disk or a file's
// attributes would.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual int open(const char* file, int flags, mode_t mode);
    virtual ssize_t write(int fd, const void* bytes, std::size_t count);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int close(int fd);
    virtual int unlink(const char* file);
};

} // namespace kavrel
