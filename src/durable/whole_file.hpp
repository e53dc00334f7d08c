#pragma once

#include "durable/file_system.hpp"

#include <string>
#include <string_view>

namespace kavrel {

// How writing a whole file ended.
struct WholeFileOutcome {
    enum Kind {
        Written,    // the new file is in place and on stable storage
        NotSynced,  // the new file is in place, but may not survive a power cut
        NotWritten, // the earlier file is as it was, and no new file is left
    } kind = Written;
    std::string reason; // why not Written

    bool operator==(const WholeFileOutcome&) const = default;
};

// Writes the bytes to a new file beside the file `path` names (through its links), syncs it,
// renames it over that file and syncs the folder: the file is either the earlier one or the
// whole new one, never a part. An earlier file keeps its permissions; something at the name that
// is not a regular file (a FIFO, a socket, a device) is refused. Temporary files that an earlier
// export of the same file left when it was killed are removed. Every call goes through the
// file system seam (the real one when null).
WholeFileOutcome writeWholeFile(const std::string& path, std::string_view bytes,
                                FileSystem* fileSystem = nullptr);

} // namespace kavrel
