#include "durable/leftover_notes.hpp"

#include "durable/rollback_note.hpp"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace kavrel {
namespace {

// The report's bytes from `from` on, read through the descriptor held (reopened for reading,
// as the report is open for appending only), never through its path, which may name another
// file by now.
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

std::optional<std::string> honour(SystemCalls& calls, int report, const struct stat& info,
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
    return std::nullopt;
}

// The names of the other notes in the state folder; none when it cannot be listed, as they
// are only tidied here.
std::vector<std::string> otherNotes(SystemCalls& calls, const std::string& folder,
                                    const std::string& own) {
    std::vector<std::string> names;
    Descriptor fd(calls);
    if (calls.open(folder, O_RDONLY | O_DIRECTORY, 0, *fd.out()) != 0 ||
        calls.readFolder(fd.get(), names) != 0) {
        return {};
    }
    std::vector<std::string> notes;
    for (const std::string& name : names) {
        const std::string file = folder + "/" + name;
        if (name.ends_with(".note") && file != own) {
            notes.push_back(file);
        }
    }
    return notes;
}

} // namespace

std::optional<std::string> takeOutLeftovers(SystemCalls& calls, int report, const struct stat& info,
                                            const std::string& path,
                                            const std::string& stateFolder) {
    // The report's lock keeps every other Print of this file away from its note.
    const std::string own = noteFile(stateFolder, info.st_dev, info.st_ino);
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
        if (found.note) {
            if (auto reason = honour(calls, report, info, *found.note)) {
                return reason;
            }
        }
        // Should this fail, making this Print's note fails and says why.
        calls.unlink(own);
        break;
    }

    for (const std::string& file : otherNotes(calls, stateFolder, own)) {
        const FoundNote other = findNote(calls, file, true);
        if (other.kind != FoundNote::Read || !other.note) {
            continue;
        }
        const RollbackNote& note = *other.note;
        if (note.inode == info.st_ino && note.device != info.st_dev) {
            // This file, its file system mounted again under another device number.
            if (auto reason = honour(calls, report, info, note)) {
                return reason;
            }
            calls.unlink(file);
        } else if (note.report == path) {
            // A note of a file this path named before it was replaced: it can never be
            // honoured.
            calls.unlink(file);
        }
    }
    return std::nullopt;
}

} // namespace kavrel
