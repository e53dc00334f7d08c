#include "sections/whole_file.hpp"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <random>

namespace kavrel {
namespace {

std::string reason(std::string_view what) {
    return std::string(what) + ": " + std::strerror(errno);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::optional<std::string> writeWholeFile(const std::string& path, std::string_view bytes) {
    // A hidden name beside the target, on the same file system so that rename is atomic.
    std::random_device random;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        const std::string folder = folderOf(path);
        const std::string name =
            path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
        temporary = folder + "/." + name + "." + std::to_string(random() % 1000000) + ".part";
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            return reason("cannot create a file in " + folderOf(path));
        }
    }
    if (fd < 0) {
        return reason("cannot create a file in " + folderOf(path));
    }
    std::optional<std::string> failure;
    if (!writeAll(fd, bytes)) {
        failure = reason("cannot write " + path);
    } else if (::fsync(fd) != 0) {
        failure = reason("cannot write " + path + " to the disk");
    }
    if (::close(fd) != 0 && !failure) {
        failure = reason("cannot write " + path);
    }
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = reason("cannot replace " + path);
    }
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    // The rename itself is on the disk only once the folder is.
    const int folder = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return reason("cannot open the folder of " + path);
    }
    const bool synced = ::fsync(folder) == 0;
    const std::optional<std::string> folderFailure =
        synced ? std::nullopt : std::optional(reason("cannot write the folder of " + path));
    ::close(folder);
    return folderFailure;
}

} // namespace kavrel
