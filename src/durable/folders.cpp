#include "durable/folders.hpp"

#include <sys/stat.h>

#include <cerrno>

namespace kavrel {

int makeFolders(SystemCalls& calls, const std::string& folder, mode_t mode, bool levels,
                std::string& refused) {
    struct stat info {};
    int error = calls.stat(folder, info);
    if (error != ENOENT) {
        return error;
    }
    const std::string parent = parentOf(folder);
    error = calls.stat(parent, info);
    if (error == ENOENT && levels && parent != folder) {
        error = makeFolders(calls, parent, 0700, true, refused);
        error = error != 0 ? error : calls.stat(parent, info);
    }
    if (error != 0) {
        return error;
    }
    if (info.st_uid != calls.geteuid() && !(info.st_mode & S_IWOTH)) {
        refused = parent;
        return EPERM;
    }
    error = calls.mkdir(folder, mode);
    if (error == EEXIST) {
        return 0;
    }
    return error != 0 ? error : calls.syncFolder(parent);
}

int makeOwnFolder(const std::string& folder, FileSystem* fileSystem) {
    FileSystem realFiles;
    SystemCalls calls(fileSystem != nullptr ? *fileSystem : realFiles);
    std::string refused;
    return makeFolders(calls, folder, 0700, true, refused);
}

int setAside(const std::string& file, const std::string& aside, FileSystem* fileSystem) {
    FileSystem realFiles;
    SystemCalls calls(fileSystem != nullptr ? *fileSystem : realFiles);
    // The name was free when chosen; another copy starting at the same moment could take it.
    // rename(2) would replace what it took, so it is looked at once more, as late as can be.
    struct stat info {};
    if (const int error = calls.lstat(aside, info); error != ENOENT) {
        return error == 0 ? EEXIST : error;
    }
    if (const int error = calls.rename(file, aside)) {
        return error;
    }
    return calls.syncFolder(parentOf(aside));
}

} // namespace kavrel
