#include "durable/leftover_notes.hpp"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kavrel {

int readTail(SystemCalls& calls, int report, const struct stat& info, off_t from,
             std::string& tail) {
    Descriptor fd(calls);
    const std::string self = "/proc/self/fd/" + std::to_string(report);
    if (const int error = calls.open(self, O_RDONLY | O_NOCTTY | O_NONBLOCK, 0, *fd.out())) {
        return error;
    }
    struct stat opened {};
    if (const int error = calls.fstat(fd.get(), opened)) {
        return error;
    }
    if (opened.st_dev != info.st_dev || opened.st_ino != info.st_ino) {
        return ESTALE;
    }
    return calls.readAt(fd.get(), from, static_cast<std::size_t>(info.st_size - from), tail);
}

namespace {

// How many notes of other files one Print looks at to tidy the state folder: enough to clear
// what other reports left over time, few enough that many notes do not slow Print.
constexpr std::size_t notesTidiedEachTime = 8;

// `info` follows the report's length when the record is taken out.
std::optional<std::string> honour(SystemCalls& calls, int report, struct stat& info,
                                  const RollbackNote& note) {
    if (info.st_size <= note.length) {
        return std::nullopt;
    }
    const auto extra = static_cast<std::size_t>(info.st_size - note.length);
    if (extra > note.record.size() || (extra == note.record.size() && !note.failed)) {
        return std::nullopt;
    }
    std::string tail;
    if (const int error = readTail(calls, report, info, note.length, tail)) {
        return "an unfinished earlier record cannot be read: " + reasonOf(error);
    }
    if (note.record.compare(0, extra, tail) != 0) {
        return std::nullopt;
    }
    int error = calls.ftruncate(report, note.length);
    if (error == 0) {
        error = calls.fdatasync(report);
    }
    if (error != 0) {
        return "an unfinished earlier record could not be removed: " + reasonOf(error);
    }
    info.st_size = note.length;
    return std::nullopt;
}

// A note that the report was marked with counts only while the report still carries that mark:
// without it, a copy of the program with another state folder has dealt with the record.
std::optional<std::string> honourNote(SystemCalls& calls, int report, struct stat& info,
                                      const RollbackNote& note,
                                      const std::optional<RollbackNote>& mark) {
    if (!note.marked) {
        return honour(calls, report, info, note);
    }
    if (!mark || !sameNote(*mark, note)) {
        return std::nullopt;
    }
    RollbackNote either = note;
    either.failed = note.failed || mark->failed;
    return honour(calls, report, info, either);
}

// The note the report is marked with, if any; 0 or an errno. A file system without extended
// attributes, or a report this user may not read, has none that could be read.
int readMark(SystemCalls& calls, int report, bool& found, std::optional<RollbackNote>& mark) {
    std::string value;
    const int error = calls.getAttribute(report, reportMark, value);
    found = error == 0;
    if (found) {
        mark = decodeNote(value);
    }
    const bool none = error == ENODATA || error == ENOTSUP || error == EACCES || error == EPERM;
    return found || none ? 0 : error;
}

// The names in the state folder; none when it cannot be listed, as the others are only tidied.
std::vector<std::string> namesIn(SystemCalls& calls, const std::string& folder) {
    std::vector<std::string> names;
    Descriptor fd(calls);
    if (calls.open(folder, O_RDONLY | O_DIRECTORY, 0, *fd.out()) != 0 ||
        calls.readFolder(fd.get(), names) != 0) {
        return {};
    }
    return names;
}

// The identity of what `file` names now; 0 or an errno. O_PATH opens nothing of the file
// itself, so a FIFO or a device there is harmless.
int identityAt(SystemCalls& calls, const std::string& file, FileIdentity& identity) {
    Descriptor fd(calls);
    if (const int error = calls.open(file, O_PATH, 0, *fd.out())) {
        return error;
    }
    return identify(calls, fd.get(), identity);
}

// Whether the file a note was written for is gone for sure: its name leads to another file, or
// to nothing in a folder, on the very file system the note names. A note of a file system that
// is not there now (a disk unplugged) stays for when it comes back.
bool noteFileGone(SystemCalls& calls, const RollbackNote& note) {
    if (note.fileSystem == 0) {
        return false;
    }
    FileIdentity now;
    int error = identityAt(calls, note.report, now);
    if (error == 0) {
        return now.device == note.device && now.fileSystem == note.fileSystem &&
               !noteIsFor(note, now);
    }
    if (error != ENOENT) {
        return false;
    }
    FileIdentity folder;
    return identityAt(calls, parentOf(note.report), folder) == 0 && folder.device == note.device &&
           folder.fileSystem == note.fileSystem;
}

// Another file's note under this file's note name (a device number given again to another
// disk): it moves to a name of its own, kept for its file.
int moveAside(SystemCalls& calls, const std::string& stateFolder, const FileIdentity& identity,
              const std::string& own) {
    for (int number = 1; number < 1000; ++number) {
        const std::string name = stateFolder + "/report-" + std::to_string(identity.device) + "~" +
                                 std::to_string(number) + "-" + std::to_string(identity.inode) +
                                 ".note";
        struct stat taken {};
        const int error = calls.lstat(name, taken);
        if (error == ENOENT) {
            return calls.rename(own, name);
        }
        if (error != 0) {
            return error;
        }
    }
    return EEXIST;
}

} // namespace

std::optional<std::string> takeOutLeftovers(SystemCalls& calls, int report,
                                            const struct stat& measured,
                                            const FileIdentity& identity,
                                            const std::string& stateFolder) {
    struct stat info = measured;
    bool marked = false;
    std::optional<RollbackNote> mark;
    if (const int error = readMark(calls, report, marked, mark)) {
        return "the mark an unfinished earlier record left on the report cannot be read: " +
               reasonOf(error);
    }
    // The report's lock keeps every other Print of this file away from its note.
    const std::string own = noteFile(stateFolder, identity.device, identity.inode);
    const FoundNote found = findNote(calls, own, false);
    switch (found.kind) {
    case FoundNote::Missing:
        break;
    case FoundNote::Foreign:
        if (const int error = setAside(calls, own)) {
            return "its rollback note " + own +
                   " is not a note and cannot be set aside: " + reasonOf(error);
        }
        return "its rollback note was not a small regular file of this user; it was set aside "
               "as " +
               own + ".aside";
    case FoundNote::Busy:
    case FoundNote::Unreadable:
        return "its rollback note cannot be read: " + reasonOf(found.error);
    case FoundNote::Read:
        if (found.note && !noteIsFor(*found.note, identity) &&
            !noteFileReplaced(*found.note, identity)) {
            if (const int error = moveAside(calls, stateFolder, identity, own)) {
                return "the rollback note of another file, " + own +
                       ", cannot be moved to a name of its own: " + reasonOf(error);
            }
            break;
        }
        if (found.note && noteIsFor(*found.note, identity)) {
            if (auto reason = honourNote(calls, report, info, *found.note, mark)) {
                return reason;
            }
        }
        // Should this fail, making this Print's note fails and says why.
        calls.unlink(own);
        break;
    }

    const std::vector<std::string> names = namesIn(calls, stateFolder);
    std::vector<std::string> others;
    for (const std::string& name : names) {
        const auto inode = inodeOfNote(name);
        const std::string file = stateFolder + "/" + name;
        if (!inode || file == own) {
            continue;
        }
        if (*inode != identity.inode) {
            others.push_back(file);
            continue;
        }
        // The same inode number: this file under another device number, or another file.
        const FoundNote other = findNote(calls, file, true);
        if (other.kind != FoundNote::Read || !other.note) {
            continue;
        }
        if (noteIsFor(*other.note, identity)) {
            if (auto reason = honourNote(calls, report, info, *other.note, mark)) {
                return reason;
            }
            calls.unlink(file);
        } else if (noteFileReplaced(*other.note, identity)) {
            calls.unlink(file);
        }
    }

    // The mark of a Print of any copy of the program, whatever its state folder. A mark copied
    // with the file to another (cp -a) is not that file's and only goes.
    if (marked) {
        if (mark && noteIsFor(*mark, identity)) {
            if (auto reason = honour(calls, report, info, *mark)) {
                return reason;
            }
        }
        // Should this fail, this Print's own mark takes its place.
        calls.removeAttribute(report, reportMark);
    }

    // A few notes of other files, from a different place in the listing each time.
    const std::size_t count = std::min(others.size(), notesTidiedEachTime);
    const auto start =
        others.empty()
            ? 0
            : static_cast<std::size_t>(calls.now().time_since_epoch().count()) % others.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& file = others[(start + i) % others.size()];
        const FoundNote other = findNote(calls, file, true);
        if (other.kind == FoundNote::Read && other.note && noteFileGone(calls, *other.note)) {
            calls.unlink(file);
        }
    }
    return std::nullopt;
}

} // namespace kavrel
