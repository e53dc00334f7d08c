#include "commands/file_system.hpp"

#include <fcntl.h>
#include <unistd.h>

namespace kavrel {

int FileSystem::open(const char* file, int flags, mode_t mode) {
    return ::open(file, flags, mode);
}

ssize_t FileSystem::write(int fd, const void* bytes, std::size_t count) {
    return ::write(fd, bytes, count);
}

int FileSystem::fdatasync(int fd) {
    return ::fdatasync(fd);
}

int FileSystem::fsync(int fd) {
    return ::fsync(fd);
}

int FileSystem::ftruncate(int fd, off_t length) {
    return ::ftruncate(fd, length);
}

int FileSystem::close(int fd) {
    return ::close(fd);
}

int FileSystem::unlink(const char* file) {
    return ::unlink(file);
}

} // namespace kavrel
