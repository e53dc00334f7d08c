#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// What a Print notes down before it writes its record, so that the next Print can take out
// a copy of the record that a crash or a power cut left unfinished.
struct RollbackNote {
    std::string report; // the report's path
    dev_t device = 0;
    ino_t inode = 0;
    off_t length = 0; // the report's length before the record
    std::string record;

    bool operator==(const RollbackNote&) const = default;
};

std::string encodeNote(const RollbackNote& note);

// Nothing for a note cut short or not written by encodeNote.
std::optional<RollbackNote> decodeNote(std::string_view bytes);

// The note of one report in the state folder, named by the report's device and inode.
std::string noteFile(const std::string& stateFolder, dev_t device, ino_t inode);

// Where the notes go: $XDG_STATE_HOME/kavrel, or ~/.local/state/kavrel when XDG_STATE_HOME
// is unset or not absolute; empty when no home folder is known either.
std::string userStateFolder();

} // namespace kavrel
