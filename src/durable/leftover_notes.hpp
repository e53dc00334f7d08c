#pragma once

#include "durable/rollback_note.hpp"
#include "durable/system_calls.hpp"

#include <sys/stat.h>

#include <optional>
#include <string>

namespace kavrel {

// Takes out of the report what unfinished earlier Prints left of their records: only a
// non-empty proper prefix of a noted record (or the whole record, when Print reported it as
// failed), sitting right at the noted length and read back through the open report; anything
// else stays. Only notes written for this very file are honoured and removed (see noteIsFor),
// found by the inode number in their names without reading any other note; a few other notes
// are looked at each time, and one goes only when its file is gone for sure from a file system
// that is there now; and the note the report itself is marked with, whichever copy of the
// program wrote it. `report` is open and locked, `info` measured under the lock. Nothing, or
// why not.
std::optional<std::string> takeOutLeftovers(SystemCalls& calls, int report, const struct stat& info,
                                            const FileIdentity& identity,
                                            const std::string& stateFolder);

// The report's bytes from `from` to the length in `info`, read through the descriptor held
// (reopened for reading, as the report is open for appending only), never through its path,
// which may name another file by now.
int readTail(SystemCalls& calls, int report, const struct stat& info, off_t from,
             std::string& tail);

} // namespace kavrel
