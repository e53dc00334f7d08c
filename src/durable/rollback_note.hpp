#pragma once

#include "durable/system_calls.hpp"

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// What a Print notes down before it writes its record, so that the next Print can take out
// a copy of the record that a crash or a power cut left unfinished, or that Print reported
// as failed but could not cut back.
struct RollbackNote {
    std::string report; // the report's path as it was named
    dev_t device = 0;
    ino_t inode = 0;
    off_t length = 0; // the report's length before the record
    std::string record;
    bool failed = false; // Print said the record was not written: it goes whole, too
    // Which file system and which file the inode number is of: inode numbers repeat across
    // file systems, and device numbers change when a disk is mounted again.
    std::uint64_t fileSystem = 0;       // statfs f_fsid; 0 when unknown
    std::int64_t birthSeconds = 0;      // the file's birth time, where statx gives one
    std::int64_t birthNanoseconds = -1; // -1 when unknown
    // The report carries this note as its mark too (see reportMark): then the note counts only
    // while the mark is there, since any copy of the program may have taken the record out.
    bool marked = false;

    bool operator==(const RollbackNote&) const = default;
};

// The extended attribute of the report that holds the note of the Print writing to it, so that
// a copy of the program with another state folder, or another user, finds it too. A file system
// without extended attributes leaves only the note in the state folder.
inline const std::string reportMark = "user.kavrel.rollback";

// The same Print's note, whether or not either says the record failed.
bool sameNote(const RollbackNote& a, const RollbackNote& b);

// Notes are read whole; anything larger is no note of ours.
inline constexpr std::size_t maxNoteBytes = std::size_t{16} << 20;

std::string encodeNote(const RollbackNote& note);

// Nothing for a note cut short or not written by encodeNote.
std::optional<RollbackNote> decodeNote(std::string_view bytes);

// The note of one report in the state folder, named by the report's device and inode.
std::string noteFile(const std::string& stateFolder, dev_t device, ino_t inode);
// The inode number in a note's name; nothing for a name that is no note's.
std::optional<ino_t> inodeOfNote(std::string_view name);

// What tells the file a note is written for from every other file: device and inode, the file
// system's identity and the file's birth time.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::uint64_t fileSystem = 0;
    std::int64_t birthSeconds = 0;
    std::int64_t birthNanoseconds = -1;
};

// The identity of an open file; 0 or an errno. A file system that keeps no birth time, or
// names no identity of its own, leaves those parts unknown.
int identify(SystemCalls& calls, int fd, FileIdentity& identity);

// Whether the note was written for this very file: the same inode on the same file system
// (the same device, or the same identity of a file system mounted again under another device
// number), born at the same time where both are known.
bool noteIsFor(const RollbackNote& note, const FileIdentity& file);
// Whether the note's file is gone for sure: its inode number now names a file born later on
// the same file system.
bool noteFileReplaced(const RollbackNote& note, const FileIdentity& file);

// Where the notes go: $XDG_STATE_HOME/kavrel, or ~/.local/state/kavrel when XDG_STATE_HOME
// is unset or not absolute; empty when no home folder is known either.
std::string userStateFolder();

// A note as found in the state folder.
struct FoundNote {
    enum Kind { Missing, Foreign, Busy, Unreadable, Read } kind = Missing;
    int error = 0;                    // for Unreadable
    std::optional<RollbackNote> note; // for Read: nothing when the bytes are no note
};

// Opens nothing that could block (a FIFO) and reads only a small regular file of this user;
// anything else is Foreign. With `skipBusy`, a note whose Print still runs is Busy.
FoundNote findNote(SystemCalls& calls, const std::string& file, bool skipBusy);

// Moves a Foreign note out of the way, to the same name with ".aside" added; 0 or an errno.
int setAside(SystemCalls& calls, const std::string& file);

// This Print's note, held (and locked, so that other Prints leave it alone) from the moment
// it is made until it is removed.
class NoteInProgress {
  public:
    explicit NoteInProgress(SystemCalls& calls) : calls_(calls), fd_(calls) {}
    // Marks the open report with the note, where its file system takes a mark; durable before
    // it returns 0. On failure no mark is left.
    int mark(int report, RollbackNote note);
    // Then makes the note anew, never through an existing file; durable, entries included,
    // before it returns 0. On failure neither the note nor the mark is left.
    int write(const std::string& folder, const std::string& file,
              std::chrono::milliseconds lockWait);
    // Tells the next Print to take the whole record out; 0 or an errno.
    int markFailed();
    // Done with the note and the mark. Should their removal fail, the record stands either way.
    void remove();

  private:
    SystemCalls& calls_;
    Descriptor fd_;
    std::string folder_;
    std::string file_;
    RollbackNote note_;
    int report_ = -1;
};

} // namespace kavrel
