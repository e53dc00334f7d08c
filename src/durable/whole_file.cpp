#include "durable/whole_file.hpp"

#include "durable/system_calls.hpp"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <random>

namespace kavrel {
namespace {

// How many bytes of the target's name a temporary name keeps: with the rest of it, well
// inside the 255 bytes a folder entry may have.
constexpr std::size_t keptNameBytes = 200;

WholeFileOutcome notWritten(std::string what, int error) {
    return {WholeFileOutcome::NotWritten, what + ": " + reasonOf(error)};
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string hexOf(std::uint64_t value) {
    char digits[17];
    const auto end = std::to_chars(digits, digits + 16, value, 16).ptr;
    return std::string(static_cast<std::size_t>(16 - (end - digits)), '0') +
           std::string(digits, end);
}

// The start of the temporary names of one target: hidden, the start of its name (cut between
// two characters of UTF-8, never inside one) and a hash of the whole name, so that a long name
// fits and two long names with the same start do not share temporary files.
std::string temporaryStem(const std::string& name) {
    std::size_t kept = std::min(name.size(), keptNameBytes);
    while (kept > 0 && kept < name.size() && (name[kept] & 0xC0) == 0x80) {
        --kept;
    }
    std::uint64_t hash = 0xcbf29ce484222325;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    }
    return "." + name.substr(0, kept) + "." + hexOf(hash) + ".";
}

// Whether `entry` is a temporary file of the target: ours, or of the earlier form
// ".NAME.NNNNNN.part".
bool temporaryOf(const std::string& entry, const std::string& name) {
    if (!entry.ends_with(".part")) {
        return false;
    }
    const std::string stem = temporaryStem(name);
    const std::string earlier = "." + name + ".";
    const std::string& start = entry.starts_with(stem) ? stem : earlier;
    if (!entry.starts_with(start) || entry.size() != start.size() + 6 + 5) {
        return false;
    }
    for (std::size_t at = start.size(); at < start.size() + 6; ++at) {
        if (entry[at] < '0' || entry[at] > '9') {
            return false;
        }
    }
    return true;
}

// Removes the temporary files of the target that an export killed before its end left: only
// regular files of this user that no running export holds. Only tidying: nothing here fails
// the export.
void removeStaleTemporaries(SystemCalls& calls, const std::string& folder,
                            const std::string& name) {
    std::vector<std::string> names;
    {
        Descriptor fd(calls);
        if (calls.open(folder, O_RDONLY | O_DIRECTORY, 0, *fd.out()) != 0 ||
            calls.readFolder(fd.get(), names) != 0) {
            return;
        }
    }
    for (const std::string& entry : names) {
        if (!temporaryOf(entry, name)) {
            continue;
        }
        const std::string file = folder + "/" + entry;
        Descriptor fd(calls);
        struct stat info {};
        if (calls.open(file, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0, *fd.out()) == 0 &&
            calls.fstat(fd.get(), info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == calls.geteuid() && calls.flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            calls.unlink(file);
        }
    }
}

// The file a name leads to through its symbolic links, and what is there (exists false when
// nothing is); 0 or an errno.
int resolve(SystemCalls& calls, std::string path, std::string& file, bool& exists,
            struct stat& info) {
    for (int links = 0; links < 40; ++links) {
        const int error = calls.lstat(path, info);
        if (error == ENOENT) {
            file = path;
            exists = false;
            return 0;
        }
        if (error != 0) {
            return error;
        }
        if (!S_ISLNK(info.st_mode)) {
            file = path;
            exists = true;
            return 0;
        }
        std::string target;
        if (const int error = calls.readLink(path, target)) {
            return error;
        }
        path = target.starts_with("/") ? target : parentOf(path) + "/" + target;
    }
    return ELOOP;
}

} // namespace

WholeFileOutcome writeWholeFile(const std::string& path, std::string_view bytes,
                                FileSystem* fileSystem) {
    FileSystem realFiles;
    SystemCalls calls(fileSystem ? *fileSystem : realFiles);

    // Through a link, the file it names is replaced and the link stays.
    std::string file;
    bool exists = false;
    struct stat info {};
    if (const int error = resolve(calls, path, file, exists, info)) {
        return notWritten("cannot read " + path, error);
    }
    if (exists && !S_ISREG(info.st_mode)) {
        return {WholeFileOutcome::NotWritten, file + " is not a regular file"};
    }
    const std::string folder = parentOf(file);
    const std::string name = nameOf(file);
    removeStaleTemporaries(calls, folder, name);

    // Beside the target, on the same file system so that rename is atomic; locked while it is
    // written, so that another export knows it is no leftover.
    std::random_device random;
    std::string temporary;
    Descriptor fd(calls);
    int error = EEXIST;
    for (int attempt = 0; attempt < 20 && error == EEXIST; ++attempt) {
        std::string digits = std::to_string(random() % 1000000);
        temporary = folder + "/" + temporaryStem(name) + std::string(6 - digits.size(), '0') +
                    digits + ".part";
        error = calls.open(temporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY, 0666,
                           *fd.out());
    }
    if (error != 0) {
        return notWritten("cannot create a file in " + folder, error);
    }
    std::string failure;
    if ((error = calls.flock(fd.get(), LOCK_EX | LOCK_NB)) != 0) {
        failure = "cannot lock a file in " + folder;
    } else if (exists && (error = calls.fchmod(fd.get(), info.st_mode & 07777)) != 0) {
        failure = "cannot give the new file the permissions of " + file;
    } else if ((error = calls.writeAll(fd.get(), bytes)) != 0) {
        failure = "cannot write " + file;
    } else if ((error = calls.fsync(fd.get())) != 0) {
        failure = "cannot write " + file + " to the disk";
    } else if ((error = calls.rename(temporary, file)) != 0) {
        failure = "cannot replace " + file;
    }
    if (!failure.empty()) {
        calls.unlink(temporary);
        return notWritten(failure, error);
    }
    fd.reset();
    // The rename itself is on the disk only once the folder is.
    if ((error = calls.syncFolder(folder)) != 0) {
        return {WholeFileOutcome::NotSynced,
                "the folder " + folder + " could not be written to the disk: " + reasonOf(error)};
    }
    return {};
}

} // namespace kavrel
