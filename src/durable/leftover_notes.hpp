#pragma once

#include "durable/system_calls.hpp"

#include <sys/stat.h>

#include <optional>
#include <string>

namespace kavrel {

// Takes out of the report what unfinished earlier Prints left of their records: only a
// non-empty proper prefix of a noted record (or the whole record, when Print reported it as
// failed), sitting right at the noted length and read back through the open report; anything
// else stays. A note is recognised by the report's device and inode, whatever path named
// it, or by its inode alone when the file system came back under another device number.
// `report` is open and locked, `info` measured under the lock. Nothing, or why not.
std::optional<std::string> takeOutLeftovers(SystemCalls& calls, int report, const struct stat& info,
                                            const std::string& path,
                                            const std::string& stateFolder);

} // namespace kavrel
