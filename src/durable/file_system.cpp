#include "durable/file_system.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <thread>

namespace kavrel {

int FileSystem::open(const char* file, int flags, mode_t mode) {
    return ::open(file, flags, mode);
}

int FileSystem::close(int fd) {
    return ::close(fd);
}

ssize_t FileSystem::pread(int fd, void* bytes, std::size_t count, off_t at) {
    return ::pread(fd, bytes, count, at);
}

ssize_t FileSystem::write(int fd, const void* bytes, std::size_t count) {
    return ::write(fd, bytes, count);
}

ssize_t FileSystem::pwrite(int fd, const void* bytes, std::size_t count, off_t at) {
    return ::pwrite(fd, bytes, count, at);
}

int FileSystem::fstat(int fd, struct stat* info) {
    return ::fstat(fd, info);
}

int FileSystem::stat(const char* file, struct stat* info) {
    return ::stat(file, info);
}

int FileSystem::lstat(const char* file, struct stat* info) {
    return ::lstat(file, info);
}

int FileSystem::fstatfs(int fd, struct statfs* info) {
    return ::fstatfs(fd, info);
}

int FileSystem::statx(int folder, const char* file, int flags, unsigned mask, struct statx* info) {
    return ::statx(folder, file, flags, mask, info);
}

ssize_t FileSystem::readlink(const char* link, char* bytes, std::size_t size) {
    return ::readlink(link, bytes, size);
}

int FileSystem::fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int FileSystem::flock(int fd, int operation) {
    return ::flock(fd, operation);
}

int FileSystem::fdatasync(int fd) {
    return ::fdatasync(fd);
}

ssize_t FileSystem::fgetxattr(int fd, const char* name, void* value, std::size_t size) {
    return ::fgetxattr(fd, name, value, size);
}

int FileSystem::fsetxattr(int fd, const char* name, const void* value, std::size_t size,
                          int flags) {
    return ::fsetxattr(fd, name, value, size, flags);
}

int FileSystem::fremovexattr(int fd, const char* name) {
    return ::fremovexattr(fd, name);
}

int FileSystem::fsync(int fd) {
    return ::fsync(fd);
}

int FileSystem::ftruncate(int fd, off_t length) {
    return ::ftruncate(fd, length);
}

int FileSystem::mkdir(const char* folder, mode_t mode) {
    return ::mkdir(folder, mode);
}

int FileSystem::unlink(const char* file) {
    return ::unlink(file);
}

int FileSystem::rename(const char* from, const char* to) {
    return ::rename(from, to);
}

int FileSystem::readFolder(int fd, std::vector<std::string>& names) {
    // The listing reads through a descriptor of its own, so fd stays open for the caller.
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    DIR* listing = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!listing) {
        if (copy >= 0) {
            ::close(copy);
        }
        return -1;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    const int error = errno;
    ::closedir(listing);
    errno = error;
    return error == 0 ? 0 : -1;
}

uid_t FileSystem::geteuid() {
    return ::geteuid();
}

void FileSystem::sleepFor(std::chrono::milliseconds span) {
    std::this_thread::sleep_for(span);
}

std::chrono::steady_clock::time_point FileSystem::now() {
    return std::chrono::steady_clock::now();
}

} // namespace kavrel
