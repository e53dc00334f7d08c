#include "durable/rollback_note.hpp"

#include "durable/home_folder.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace kavrel {
namespace {

constexpr std::string_view heading = "kavrel rollback note\n";
// A note that names its file system and its file's birth time; the heading has the same length,
// so the failed mark sits at the same place in both.
constexpr std::string_view headingWithIdentity = "kavrel rollback id 2\n";
// And whether the report carries the note as its mark.
constexpr std::string_view headingWithMark = "kavrel rollback id 3\n";
static_assert(headingWithIdentity.size() == heading.size());
static_assert(headingWithMark.size() == heading.size());
// The line after the heading: whether Print reported the record as failed.
constexpr char written = 'w';
constexpr char failed = 'f';

template <typename Number> void putNumber(std::string& out, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
    out += '\n';
}

template <typename Number> bool takeNumber(std::string_view& in, Number& value) {
    const auto [end, error] = std::from_chars(in.data(), in.data() + in.size(), value);
    if (error != std::errc() || end == in.data() + in.size() || *end != '\n') {
        return false;
    }
    in.remove_prefix(static_cast<std::size_t>(end - in.data()) + 1);
    return true;
}

} // namespace

std::string encodeNote(const RollbackNote& note) {
    std::string out(headingWithMark);
    out += note.failed ? failed : written;
    out += '\n';
    putNumber(out, note.report.size());
    putNumber(out, note.record.size());
    putNumber(out, note.device);
    putNumber(out, note.inode);
    putNumber(out, note.length);
    putNumber(out, note.fileSystem);
    putNumber(out, note.birthSeconds);
    putNumber(out, note.birthNanoseconds);
    putNumber(out, note.marked ? 1 : 0);
    return out + note.report + note.record;
}

std::optional<RollbackNote> decodeNote(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, heading.size());
    const bool withMark = head == headingWithMark;
    const bool withIdentity = withMark || head == headingWithIdentity;
    if ((head != heading && !withIdentity) || bytes.size() < heading.size() + 2 ||
        (bytes[heading.size()] != written && bytes[heading.size()] != failed) ||
        bytes[heading.size() + 1] != '\n') {
        return std::nullopt;
    }
    RollbackNote note;
    note.failed = bytes[heading.size()] == failed;
    bytes.remove_prefix(heading.size() + 2);
    std::size_t reportSize = 0;
    std::size_t recordSize = 0;
    int marked = 0;
    if (!takeNumber(bytes, reportSize) || !takeNumber(bytes, recordSize) ||
        !takeNumber(bytes, note.device) || !takeNumber(bytes, note.inode) ||
        !takeNumber(bytes, note.length) || note.length < 0 ||
        (withIdentity &&
         (!takeNumber(bytes, note.fileSystem) || !takeNumber(bytes, note.birthSeconds) ||
          !takeNumber(bytes, note.birthNanoseconds))) ||
        (withMark && (!takeNumber(bytes, marked) || (marked != 0 && marked != 1))) ||
        reportSize > bytes.size() || bytes.size() - reportSize != recordSize) {
        return std::nullopt;
    }
    note.marked = marked == 1;
    note.report = bytes.substr(0, reportSize);
    note.record = bytes.substr(reportSize);
    return note;
}

std::string noteFile(const std::string& stateFolder, dev_t device, ino_t inode) {
    std::string name = stateFolder + "/report-";
    putNumber(name, device);
    name.back() = '-';
    putNumber(name, inode);
    name.back() = '.';
    return name + "note";
}

std::optional<ino_t> inodeOfNote(std::string_view name) {
    constexpr std::string_view suffix = ".note";
    if (!name.starts_with("report-") || !name.ends_with(suffix)) {
        return std::nullopt;
    }
    name.remove_suffix(suffix.size());
    const auto dash = name.rfind('-');
    ino_t inode = 0;
    const auto [end, error] = std::from_chars(name.data() + dash + 1, name.end(), inode);
    if (error != std::errc() || end != name.end()) {
        return std::nullopt;
    }
    return inode;
}

int identify(SystemCalls& calls, int fd, FileIdentity& identity) {
    struct stat info {};
    if (const int error = calls.fstat(fd, info)) {
        return error;
    }
    identity = {info.st_dev, info.st_ino, 0, 0, -1};
    struct statfs system {};
    if (const int error = calls.fstatfs(fd, system)) {
        return error;
    }
    std::uint32_t halves[2];
    static_assert(sizeof halves == sizeof system.f_fsid);
    std::memcpy(halves, &system.f_fsid, sizeof halves);
    identity.fileSystem = std::uint64_t{halves[0]} << 32 | halves[1];
    struct statx birth {};
    // Not every kernel or file system knows a birth time: that part stays unknown.
    if (calls.statx(fd, STATX_BTIME, birth) == 0 && (birth.stx_mask & STATX_BTIME)) {
        identity.birthSeconds = birth.stx_btime.tv_sec;
        identity.birthNanoseconds = birth.stx_btime.tv_nsec;
    }
    return 0;
}

namespace {

// Both known and different; unknown on either side tells nothing.
bool differ(std::uint64_t noted, std::uint64_t now) {
    return noted != 0 && now != 0 && noted != now;
}

bool bornApart(const RollbackNote& note, const FileIdentity& file) {
    return note.birthNanoseconds >= 0 && file.birthNanoseconds >= 0 &&
           (note.birthSeconds != file.birthSeconds ||
            note.birthNanoseconds != file.birthNanoseconds);
}

} // namespace

bool sameNote(const RollbackNote& a, const RollbackNote& b) {
    RollbackNote bWithA = b;
    bWithA.failed = a.failed;
    return a == bWithA;
}

bool noteIsFor(const RollbackNote& note, const FileIdentity& file) {
    if (note.inode != file.inode || differ(note.fileSystem, file.fileSystem) ||
        bornApart(note, file)) {
        return false;
    }
    // Another device number is the same file system only when both name the same identity.
    return note.device == file.device ||
           (note.fileSystem != 0 && note.fileSystem == file.fileSystem);
}

bool noteFileReplaced(const RollbackNote& note, const FileIdentity& file) {
    return note.inode == file.inode && note.device == file.device && note.fileSystem != 0 &&
           note.fileSystem == file.fileSystem && bornApart(note, file);
}

std::string userStateFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/') {
        return std::string(state) + "/kavrel";
    }
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.local/state/kavrel";
}

FoundNote findNote(SystemCalls& calls, const std::string& file, bool skipBusy) {
    FoundNote found;
    Descriptor fd(calls);
    if (const int error =
            calls.open(file, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0, *fd.out())) {
        found.kind = error == ENOENT ? FoundNote::Missing : FoundNote::Unreadable;
        found.error = error;
        // ELOOP is what O_NOFOLLOW gives for a link, but a file system may give it too: a
        // note is strange only when it is seen to be one.
        struct stat link {};
        if (error == ELOOP && calls.lstat(file, link) == 0 && S_ISLNK(link.st_mode)) {
            found.kind = FoundNote::Foreign;
        }
        return found;
    }
    struct stat info {};
    if (const int error = calls.fstat(fd.get(), info)) {
        found.kind = FoundNote::Unreadable;
        found.error = error;
        return found;
    }
    if (!S_ISREG(info.st_mode) || info.st_uid != calls.geteuid() ||
        static_cast<std::size_t>(info.st_size) > maxNoteBytes) {
        found.kind = FoundNote::Foreign;
        return found;
    }
    if (skipBusy) {
        if (const int error = calls.flock(fd.get(), LOCK_SH | LOCK_NB)) {
            found.kind = error == EWOULDBLOCK ? FoundNote::Busy : FoundNote::Unreadable;
            found.error = error;
            return found;
        }
    }
    std::string bytes;
    if (const int error =
            calls.readAt(fd.get(), 0, static_cast<std::size_t>(info.st_size), bytes)) {
        found.kind = FoundNote::Unreadable;
        found.error = error;
        return found;
    }
    found.kind = FoundNote::Read;
    found.note = decodeNote(bytes);
    return found;
}

int setAside(SystemCalls& calls, const std::string& file) {
    return calls.rename(file, file + ".aside");
}

int NoteInProgress::mark(int report, RollbackNote note) {
    report_ = report;
    // The mark first: a mark without its note (a crash between the two) guards a record not
    // begun, and the next Print takes it off. A file system that refuses it leaves the note alone.
    note.marked = true;
    if (calls_.setAttribute(report, reportMark, encodeNote(note)) == 0) {
        // The mark must be on the disk before any byte of the record.
        if (const int error = calls_.fsync(report)) {
            calls_.removeAttribute(report, reportMark);
            return error;
        }
    } else {
        note.marked = false;
    }
    note_ = note;
    return 0;
}

int NoteInProgress::write(const std::string& folder, const std::string& file,
                          std::chrono::milliseconds lockWait) {
    folder_ = folder;
    file_ = file;
    const RollbackNote& note = note_;
    // O_EXCL: a note's name that is a link to some other file must not let us write into it.
    int error =
        calls_.open(file, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY, 0600, *fd_.out());
    // Another Print may look at the empty note for a moment before we hold it.
    if (error == 0) {
        error = calls_.lockWithin(fd_.get(), lockWait);
        if (error == 0) {
            error = calls_.writeAll(fd_.get(), encodeNote(note));
        }
        if (error == 0) {
            error = calls_.fsync(fd_.get());
        }
        if (error == 0) {
            error = calls_.syncFolder(folder);
        }
        if (error != 0) {
            calls_.unlink(file);
            fd_.reset();
        }
    }
    if (error != 0 && note.marked) {
        calls_.removeAttribute(report_, reportMark);
    }
    return error;
}

int NoteInProgress::markFailed() {
    const char mark[] = {failed};
    int error =
        calls_.writeAt(fd_.get(), std::string_view(mark, 1), static_cast<off_t>(heading.size()));
    error = error != 0 ? error : calls_.fsync(fd_.get());
    if (note_.marked) {
        // For a copy with another state folder. Should this fail, that copy keeps the record
        // whole; this note still takes it out here.
        note_.failed = true;
        if (calls_.setAttribute(report_, reportMark, encodeNote(note_)) == 0) {
            calls_.fsync(report_);
        }
    }
    return error;
}

void NoteInProgress::remove() {
    // The mark goes first: a note left without its mark is known to be done with.
    if (note_.marked) {
        calls_.removeAttribute(report_, reportMark);
    }
    if (calls_.unlink(file_) == 0) {
        calls_.syncFolder(folder_);
    }
    fd_.reset();
}

} // namespace kavrel
