#include "durable/append_record.hpp"

#include "durable/leftover_notes.hpp"
#include "durable/rollback_note.hpp"
#include "durable/system_calls.hpp"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>

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

// Makes the folder, and the levels above it, when missing; each new entry is durable.
// Something else of that name is left for the open below it to refuse with its own reason.
int makeFolders(SystemCalls& calls, const std::string& folder, mode_t mode, bool levels) {
    int error = calls.mkdir(folder, mode);
    if (error == ENOENT && levels && parentOf(folder) != folder) {
        error = makeFolders(calls, parentOf(folder), 0700, true);
        error = error != 0 ? error : calls.mkdir(folder, mode);
    }
    if (error == EEXIST) {
        return 0;
    }
    return error != 0 ? error : calls.syncFolder(parentOf(folder));
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

// Syncs every folder from the home folder down to the report's, so the entries that lead to
// the record are durable whichever Print made them, even one killed since.
int syncEntriesOf(SystemCalls& calls, const std::string& folder, const std::string& file) {
    if (const int error = calls.syncFolder(parentOf(folder))) {
        return error;
    }
    for (auto slash = folder.size(); slash != std::string::npos;
         slash = file.find('/', slash + 1)) {
        if (const int error = calls.syncFolder(file.substr(0, slash))) {
            return error;
        }
    }
    return 0;
}

// Writes the record at the end; on failure cuts the file back to `length`, or tells the note
// that the record failed when the cut fails too.
Failure writeRecord(SystemCalls& calls, int report, std::string_view bytes, off_t length,
                    NoteInProgress& note) {
    int error = calls.writeAll(report, bytes);
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
    if (calls.fstat(report, info) != 0 || info.st_size != length) {
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
    if (const int error = makeFolders(calls, folder, 0777, false)) {
        return reasonOf(error);
    }
    Descriptor report(calls);
    if (const int error = openReport(calls, file, *report.out())) {
        return reasonOf(error);
    }
    struct stat info {};
    if (const int error = calls.fstat(report.get(), info)) {
        return reasonOf(error);
    }
    // Only a regular file can be cut back after a failed write.
    if (!S_ISREG(info.st_mode)) {
        return "Not a regular file";
    }
    if (const int error = calls.lockWithin(report.get(), options.lockWait)) {
        return error == EWOULDBLOCK ? reportInUseReason : reasonOf(error);
    }
    // Measured under the lock: another copy's record written before this point stays.
    if (const int error = calls.fstat(report.get(), info)) {
        return reasonOf(error);
    }
    if (const int error = syncEntriesOf(calls, folder, file)) {
        return reasonOf(error);
    }

    const std::string stateFolder =
        options.stateFolder.empty() ? userStateFolder() : options.stateFolder;
    if (stateFolder.empty()) {
        return noHomeFolderReason;
    }
    int error = makeFolders(calls, stateFolder, 0700, true);
    if (error == 0) {
        error = calls.syncFolder(parentOf(stateFolder));
    }
    if (error != 0) {
        return "its rollback note cannot be kept in " + stateFolder + ": " + reasonOf(error);
    }
    if (auto reason = takeOutLeftovers(calls, report.get(), info, file, stateFolder)) {
        return reason;
    }
    if (const int error = calls.fstat(report.get(), info)) {
        return reasonOf(error);
    }

    const off_t length = info.st_size;
    SizeLimitSignalHold hold;
    NoteInProgress note(calls);
    if (const int error = note.write(stateFolder, noteFile(stateFolder, info.st_dev, info.st_ino),
                                     {file, info.st_dev, info.st_ino, length, std::string(bytes)},
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
