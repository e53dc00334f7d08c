#include "commands/append_record.hpp"

#include "commands/lock_wait.hpp"
#include "commands/rollback_note.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
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

// Closes a file on every way out; for the report that also drops the lock.
class Descriptor {
  public:
    Descriptor(FileSystem& files, int fd) : files_(files), fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            files_.close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now and returns 0 or the errno of close.
    int close() {
        const int result = files_.close(fd_);
        fd_ = -1;
        return result < 0 ? errno : 0;
    }

  private:
    FileSystem& files_;
    int fd_;
};

// A write beyond the process's file size limit raises SIGXFSZ, which by default ends the
// program. While the note and the record are written the signal is held back, and one raised by
// that write is taken off again, so the write just comes up short and is rolled back.
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

int openFile(FileSystem& files, const std::string& file, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = files.open(file.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::string parentOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder's entries (a file or folder just made, a note just removed) durable.
int syncFolder(FileSystem& files, const std::string& folder) {
    Descriptor fd(files, openFile(files, folder, O_RDONLY | O_DIRECTORY));
    if (fd.get() < 0) {
        return errno;
    }
    if (files.fsync(fd.get()) < 0) {
        return errno;
    }
    return fd.close();
}

// Makes the folder when missing, and its entry durable; 0 or an errno. Something else of
// that name is left for the open below it to refuse with its own reason.
int makeFolder(FileSystem& files, const std::string& folder, mode_t mode) {
    if (::mkdir(folder.c_str(), mode) == 0) {
        return syncFolder(files, parentOf(folder));
    }
    const int error = errno;
    struct stat info {};
    return error == EEXIST || (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) ? 0
                                                                                            : error;
}

// The state folder may be several levels deep below the home folder, none of them there yet.
int makeFolders(FileSystem& files, const std::string& folder) {
    for (auto slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        if (const int error = makeFolder(files, folder.substr(0, slash), 0700); error != 0) {
            return error;
        }
    }
    return makeFolder(files, folder, 0700);
}

// Opens the report for appending; `created` tells whether this call made it.
int openReport(FileSystem& files, const std::string& file, bool& created) {
    // Non-blocking so that a FIFO with no reader fails at once instead of hanging Print.
    constexpr int flags = O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK;
    int fd = openFile(files, file, flags);
    if (fd >= 0 || errno != ENOENT) {
        return fd;
    }
    created = true;
    fd = openFile(files, file, flags | O_CREAT | O_EXCL, 0666);
    // A link to a missing file, or a file another program made meanwhile.
    return fd >= 0 || errno != EEXIST ? fd : openFile(files, file, flags | O_CREAT, 0666);
}

ssize_t writeOnce(FileSystem& files, int fd, std::string_view bytes) {
    ssize_t written;
    do {
        written = files.write(fd, bytes.data(), bytes.size());
    } while (written < 0 && errno == EINTR);
    return written;
}

// A short write sets no error; trying the rest tells why it stopped (a full disk, the file
// size limit).
int writeAll(FileSystem& files, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = writeOnce(files, fd, bytes);
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int truncateTo(FileSystem& files, int fd, off_t length) {
    int result;
    do {
        result = files.ftruncate(fd, length);
    } while (result < 0 && errno == EINTR);
    if (result < 0) {
        return errno;
    }
    return files.fdatasync(fd) < 0 ? errno : 0;
}

// The bytes of the report from `from` to its end, read through a descriptor of its own
// (the report is open for writing only), or nothing when the path names another file now.
std::optional<std::string> readTail(const std::string& file, const struct stat& report, off_t from,
                                    int& error) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = errno;
        return std::nullopt;
    }
    struct stat info {};
    std::string tail;
    if (::fstat(fd, &info) == 0 && info.st_dev == report.st_dev && info.st_ino == report.st_ino) {
        tail.resize(static_cast<std::size_t>(report.st_size - from));
        std::size_t got = 0;
        while (got < tail.size()) {
            const ssize_t n =
                ::pread(fd, tail.data() + got, tail.size() - got, from + static_cast<off_t>(got));
            if (n <= 0 && !(n < 0 && errno == EINTR)) {
                error = n < 0 ? errno : EIO;
                break;
            }
            got += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
        tail.resize(got);
    }
    ::close(fd);
    return error == 0 ? std::optional(tail) : std::nullopt;
}

std::optional<std::string> readNote(const std::string& file, int& error) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        error = errno == ENOENT ? 0 : errno;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno != EINTR) {
            error = errno;
            break;
        }
        bytes.append(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    ::close(fd);
    return error == 0 ? std::optional(bytes) : std::nullopt;
}

// Takes out what an earlier Print left of its record when it ended before removing its note:
// only a non-empty proper prefix of the noted record, sitting right at the noted length, is
// a torn copy; anything else (the whole record, nothing, a replaced or since appended file)
// stays as it is. Keeps the note when the copy cannot be taken out.
std::optional<std::string> honourNote(FileSystem& files, int report, const std::string& path,
                                      const std::string& file, const struct stat& info) {
    int error = 0;
    const std::optional<std::string> bytes = readNote(file, error);
    if (!bytes) {
        return error == 0 ? std::nullopt
                          : std::optional("its rollback note cannot be read: " + reasonOf(error));
    }
    const std::optional<RollbackNote> note = decodeNote(*bytes);
    if (note && note->report == path && note->device == info.st_dev && note->inode == info.st_ino &&
        info.st_size > note->length &&
        static_cast<std::size_t>(info.st_size - note->length) < note->record.size()) {
        const std::optional<std::string> tail = readTail(path, info, note->length, error);
        if (!tail) {
            return "an unfinished earlier record cannot be read: " + reasonOf(error);
        }
        if (note->record.compare(0, tail->size(), *tail) == 0) {
            if (const int cut = truncateTo(files, report, note->length); cut != 0) {
                return "an unfinished earlier record could not be removed: " + reasonOf(cut);
            }
        }
    }
    files.unlink(file.c_str());
    return std::nullopt;
}

// A note left for this path by a Print to a file that has been replaced since can never be
// honoured: it goes. Notes of other reports stay; their Prints may be running.
void removeNotesOfReplacedFiles(FileSystem& files, const std::string& folder,
                                const std::string& path, const std::string& current) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) {
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string file = folder + "/" + entry->d_name;
        int error = 0;
        if (file == current || !file.ends_with(".note")) {
            continue;
        }
        const std::optional<std::string> bytes = readNote(file, error);
        const std::optional<RollbackNote> note = bytes ? decodeNote(*bytes) : std::nullopt;
        if (note && note->report == path) {
            files.unlink(file.c_str());
        }
    }
    ::closedir(listing);
}

// The note is durable, entry included, before the record's first byte is written.
int writeNote(FileSystem& files, const std::string& folder, const std::string& file,
              const std::string& bytes) {
    Descriptor fd(files, openFile(files, file, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, 0600));
    int error = fd.get() < 0 ? errno : writeAll(files, fd.get(), bytes);
    if (error == 0 && files.fsync(fd.get()) < 0) {
        error = errno;
    }
    if (error == 0) {
        error = fd.close();
    }
    if (error == 0) {
        error = syncFolder(files, folder);
    }
    if (error != 0) {
        files.unlink(file.c_str());
    }
    return error;
}

// Done with the note. Should its removal fail, the next Print finds the record whole and
// leaves it, so the record stands either way.
void removeNote(FileSystem& files, const std::string& folder, const std::string& file) {
    if (files.unlink(file.c_str()) == 0) {
        syncFolder(files, folder);
    }
}

} // namespace

std::optional<ReportWriteError> appendRecord(const ReportPath& path, std::string_view bytes,
                                             const AppendOptions& options) {
    auto failure = [&](std::string reason) {
        return ReportWriteError{path.file, std::move(reason)};
    };
    FileSystem realFiles;
    FileSystem& files = options.fileSystem ? *options.fileSystem : realFiles;

    // An embedded NUL would silently name a different file.
    if (path.file.find('\0') != std::string::npos || path.folder.find('\0') != std::string::npos) {
        return failure(reasonOf(EINVAL));
    }
    if (const int error = makeFolder(files, path.folder, 0777); error != 0) {
        return failure(reasonOf(error));
    }

    bool created = false;
    Descriptor report(files, openReport(files, path.file, created));
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
    if (created) {
        if (const int error = syncFolder(files, parentOf(path.file)); error != 0) {
            return failure(reasonOf(error));
        }
    }
    if (const int flags = ::fcntl(report.get(), F_GETFL);
        flags < 0 || ::fcntl(report.get(), F_SETFL, flags & ~O_NONBLOCK) < 0) {
        return failure(reasonOf(errno));
    }

    if (const int error = lockWithin(report.get(), options.lockWait); error != 0) {
        return failure(error == EWOULDBLOCK ? reportInUseReason : reasonOf(error));
    }
    // Measured under the lock: another copy's record written before this point stays.
    if (::fstat(report.get(), &info) != 0) {
        return failure(reasonOf(errno));
    }

    const std::string stateFolder =
        options.stateFolder.empty() ? userStateFolder() : options.stateFolder;
    if (stateFolder.empty()) {
        return failure(noHomeFolderReason);
    }
    if (const int error = makeFolders(files, stateFolder); error != 0) {
        return failure("its rollback note cannot be kept in " + stateFolder + ": " +
                       reasonOf(error));
    }
    const std::string note = noteFile(stateFolder, info.st_dev, info.st_ino);
    if (auto reason = honourNote(files, report.get(), path.file, note, info)) {
        return failure(std::move(*reason));
    }
    removeNotesOfReplacedFiles(files, stateFolder, path.file, note);
    if (::fstat(report.get(), &info) != 0) {
        return failure(reasonOf(errno));
    }
    const off_t oldLength = info.st_size;
    const std::string noteBytes =
        encodeNote({path.file, info.st_dev, info.st_ino, oldLength, std::string(bytes)});
    SizeLimitSignalHold hold;
    if (const int error = writeNote(files, stateFolder, note, noteBytes); error != 0) {
        return failure("its rollback note could not be written to " + stateFolder + ": " +
                       reasonOf(error));
    }

    int error = 0;
    const ssize_t written = writeOnce(files, report.get(), bytes);
    if (written < 0) {
        error = errno;
    } else if (static_cast<std::size_t>(written) < bytes.size()) {
        // Still under the lock, the rest joins on directly; should it fail, whatever the
        // retry added is cut off below with the rest.
        error = writeAll(files, report.get(), bytes.substr(static_cast<std::size_t>(written)));
    }
    if (error == 0 && files.fdatasync(report.get()) < 0) {
        error = errno;
    }
    if (error != 0) {
        std::string reason = reasonOf(error);
        // Nothing to take out when the write added nothing (an append-only file refuses
        // the cut even then).
        if (::fstat(report.get(), &info) != 0 || info.st_size != oldLength) {
            if (const int cut = truncateTo(files, report.get(), oldLength); cut != 0) {
                // The note stays, so the next Print takes the part out or refuses to add to it.
                return failure(reason +
                               " (the part written could not be removed: " + reasonOf(cut) + ")");
            }
        }
        removeNote(files, stateFolder, note);
        return failure(std::move(reason));
    }
    removeNote(files, stateFolder, note);
    // The record is durable; an error of close leaves it in place.
    if (const int closed = report.close(); closed != 0) {
        return failure(reasonOf(closed));
    }
    return std::nullopt;
}

} // namespace kavrel
