#pragma once

#include "durable/system_calls.hpp"

#include <sys/types.h>

#include <chrono>
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

    bool operator==(const RollbackNote&) const = default;
};

// Notes are read whole; anything larger is no note of ours.
inline constexpr std::size_t maxNoteBytes = std::size_t{16} << 20;

std::string encodeNote(const RollbackNote& note);

// Nothing for a note cut short or not written by encodeNote.
std::optional<RollbackNote> decodeNote(std::string_view bytes);

// The note of one report in the state folder, named by the report's device and inode.
std::string noteFile(const std::string& stateFolder, dev_t device, ino_t inode);

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
    // Made anew, never through an existing file; durable, entries included, before it
    // returns 0. On failure no note is left.
    int write(const std::string& folder, const std::string& file, const RollbackNote& note,
              std::chrono::milliseconds lockWait);
    // Tells the next Print to take the whole record out; 0 or an errno.
    int markFailed();
    // Done with the note. Should its removal fail, the record stands either way.
    void remove();

  private:
    SystemCalls& calls_;
    Descriptor fd_;
    std::string folder_;
    std::string file_;
};

} // namespace kavrel
