#include "durable/append_record.hpp"

#include "durable/folders.hpp"
#include "durable/home_folder.hpp"
#include "durable/leftover_notes.hpp"
#include "durable/rollback_note.hpp"
#include "durable/system_calls.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

namespace kavrel {
namespace {

using Failure = std::optional<std::string>;

// A write beyond the process's file size limit raises SIGXFSZ, which by default ends the
// program. While the note and the record are written the signal is held back, and one raised by
// that write is taken off again, so the write just comes up short and is rolled back. Masking
// a signal cannot fail, so this stays outside the file system.
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

std::string refusalOf(int error, const std::string& refused, const std::string& folder) {
    if (!refused.empty()) {
        return refused + " belongs to another user, who could not use " + folder +
               " if this Print made it";
    }
    return reasonOf(error);
}

// Opens the report for appending, creating it when missing. Non-blocking, so that a FIFO
// with no reader fails at once instead of hanging Print; on a regular file the flag changes
// nothing.
int openReport(SystemCalls& calls, const std::string& file, int& fd) {
    constexpr int flags = O_WRONLY | O_APPEND | O_NOCTTY | O_NONBLOCK;
    int error = calls.open(file, flags, 0, fd);
    if (error == ENOENT) {
        error = calls.open(file, flags | O_CREAT | O_EXCL, 0666, fd);
        // A link to a missing file, or a file another program made meanwhile.
        if (error == EEXIST) {
            error = calls.open(file, flags | O_CREAT, 0666, fd);
        }
    }
    return error;
}

// Opens the report and takes its lock, within `wait` of one holder keeping it. A program that
// honours the same lock may have replaced or removed the report while this Print waited: then
// the file held is no longer the report, and Print lets go and starts over with the file the
// name leads to now. A replacement is a new holder, like a record added, so the wait for one
// holder starts again, within the bound of a queue of holders for the whole wait.
Failure openAndLock(SystemCalls& calls, const std::string& file, std::chrono::milliseconds wait,
                    Descriptor& report, struct stat& info) {
    const auto last = calls.now() + wait * SystemCalls::longestQueue;
    for (;;) {
        report.reset();
        if (const int error = openReport(calls, file, *report.out())) {
            return reasonOf(error);
        }
        if (const int error = calls.fstat(report.get(), info)) {
            return reasonOf(error);
        }
        // Only a regular file can be cut back after a failed write.
        if (!S_ISREG(info.st_mode)) {
            return "Not a regular file";
        }
        if (const int error = calls.lockWithin(report.get(), wait, last)) {
            return error == EWOULDBLOCK ? reportInUseReason : reasonOf(error);
        }
        struct stat named {};
        const int error = calls.stat(file, named);
        if (error == 0 && named.st_dev == info.st_dev && named.st_ino == info.st_ino) {
            return std::nullopt;
        }
        if (error != 0 && error != ENOENT) {
            return reasonOf(error);
        }
        if (calls.now() >= last) {
            return reportInUseReason;
        }
    }
}

// Syncs every folder from the home folder down to the report's, so the entries that lead to
// the record are durable whichever Print made them, even one killed since; and the folder that
// holds the file itself, when the report's name is a link to a file elsewhere.
int syncEntriesOf(SystemCalls& calls, const std::string& folder, const std::string& file,
                  int report) {
    if (const int error = calls.syncFolder(parentOf(folder))) {
        return error;
    }
    for (auto slash = folder.size(); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        if (const int error = calls.syncFolder(file.substr(0, slash))) {
            return error;
        }
    }
    std::string real;
    if (const int error = calls.readLink("/proc/self/fd/" + std::to_string(report), real)) {
        return error;
    }
    return parentOf(real) == parentOf(file) ? 0 : calls.syncFolder(parentOf(real));
}

// Syncs every folder of the state path that a Print may have made: up to the home folder for a
// state folder inside it, else up to the root. A Print killed before its syncs leaves them to
// the next.
int syncStatePath(SystemCalls& calls, const std::string& stateFolder) {
    const std::string home = homeFolder();
    const bool inHome = !home.empty() && stateFolder.starts_with(home + "/");
    for (std::string folder = parentOf(stateFolder);; folder = parentOf(folder)) {
        if (const int error = calls.syncFolder(folder)) {
            return error;
        }
        if ((inHome && folder == home) || folder == "/" || folder == ".") {
            return 0;
        }
    }
}

// Writes the record at the end; on failure cuts the file back to `length`, or tells the note
// that the record failed when the cut fails too. Only this Print's own bytes are ever cut:
// should another program have added to the report meanwhile (a script appending without the
// lock), what this Print wrote stays and the message says so.
Failure writeRecord(SystemCalls& calls, int report, std::string_view bytes, off_t length,
                    NoteInProgress& note) {
    std::size_t written = 0;
    int error = calls.writeAll(report, bytes, &written);
    if (error == 0) {
        error = calls.fdatasync(report);
    }
    if (error == 0) {
        return std::nullopt;
    }
    std::string reason = reasonOf(error);
    struct stat info {};
    // Nothing to take out when the write added nothing (an append-only file refuses the cut
    // even then).
    if (written != 0) {
        std::string tail;
        if (calls.fstat(report, info) != 0 ||
            info.st_size != length + static_cast<off_t>(written) ||
            readTail(calls, report, info, length, tail) != 0 || bytes.substr(0, written) != tail) {
            note.remove();
            return reason + "; the report now holds part of this record, which could not be "
                            "taken out without touching what another program added";
        }
        int cut = calls.ftruncate(report, length);
        cut = cut != 0 ? cut : calls.fdatasync(report);
        if (cut != 0) {
            // The note stays and says so: the next Print takes the record out whole.
            note.markFailed();
            return reason + " (the part written could not be removed: " + reasonOf(cut) + ")";
        }
    }
    note.remove();
    return reason;
}

Failure print(SystemCalls& calls, const std::string& folder, const std::string& file,
              std::string_view bytes, const AppendOptions& options) {
    // An embedded NUL would silently name a different file.
    if (file.find('\0') != std::string::npos || folder.find('\0') != std::string::npos) {
        return reasonOf(EINVAL);
    }
    // The note holds the record; one beyond its bound could not be taken out again.
    if (bytes.size() + file.size() > maxNoteBytes / 2) {
        return reasonOf(EFBIG);
    }
    std::string refused;
    if (const int error = makeFolders(calls, folder, 0777, false, refused)) {
        return refusalOf(error, refused, folder);
    }
    Descriptor report(calls);
    struct stat info {};
    if (auto reason = openAndLock(calls, file, options.lockWait, report, info)) {
        return reason;
    }
    if (const int error = syncEntriesOf(calls, folder, file, report.get())) {
        return reasonOf(error);
    }

    const std::string stateFolder =
        options.stateFolder.empty() ? userStateFolder() : options.stateFolder;
    if (stateFolder.empty()) {
        return noHomeFolderReason;
    }
    int error = makeFolders(calls, stateFolder, 0700, true, refused);
    if (error == 0) {
        error = syncStatePath(calls, stateFolder);
    }
    if (error == 0) {
        // What is wrong with the folder is said of the folder, not of a note in it.
        Descriptor state(calls);
        error = calls.open(stateFolder, O_RDONLY | O_DIRECTORY, 0, *state.out());
    }
    if (error != 0) {
        return "its rollback note cannot be kept in " + stateFolder + ": " +
               refusalOf(error, refused, stateFolder);
    }
    FileIdentity identity;
    if (const int error = identify(calls, report.get(), identity)) {
        return reasonOf(error);
    }
    if (const int error = calls.fstat(report.get(), info)) {
        return reasonOf(error);
    }
    if (auto reason = takeOutLeftovers(calls, report.get(), info, identity, stateFolder)) {
        return reason;
    }
    if (const int error = calls.fstat(report.get(), info)) {
        return reasonOf(error);
    }

    const off_t length = info.st_size;
    SizeLimitSignalHold hold;
    NoteInProgress note(calls);
    if (const int error =
            note.mark(report.get(),
                      {file, identity.device, identity.inode, length, std::string(bytes), false,
                       identity.fileSystem, identity.birthSeconds, identity.birthNanoseconds})) {
        return reasonOf(error);
    }
    if (const int error =
            note.write(stateFolder, noteFile(stateFolder, identity.device, identity.inode),
                       options.lockWait)) {
        return "its rollback note could not be written to " + stateFolder + ": " + reasonOf(error);
    }
    if (auto reason = writeRecord(calls, report.get(), bytes, length, note)) {
        return reason;
    }
    note.remove();
    // The record is durable: Print has succeeded, whatever closing the report says.
    return std::nullopt;
}

} // namespace

std::optional<ReportWriteError> appendRecord(const std::string& folder, const std::string& file,
                                             std::string_view bytes, const AppendOptions& options) {
    FileSystem realFiles;
    SystemCalls calls(options.fileSystem ? *options.fileSystem : realFiles);
    if (auto reason = print(calls, folder, file, bytes, options)) {
        return ReportWriteError{file, std::move(*reason)};
    }
    return std::nullopt;
}

} // namespace kavrel
