#pragma once

#include "durable/file_system.hpp"
#include "durable/system_calls.hpp"

#include <sys/types.h>

#include <string>

namespace kavrel {

// Makes the folder, and the levels above it (0700), when missing; each new entry is durable.
// Something else of that name is left for whatever opens it to refuse with its own reason. A
// folder is never made in another user's folder that is not open to all (root running with the
// user's home, as sudo -E gives): its owner could not use it. `refused` then names it, with
// EPERM. 0 or the errno.
int makeFolders(SystemCalls& calls, const std::string& folder, mode_t mode, bool levels,
                std::string& refused);

// A program's own folder (its settings', say), private to the user, as makeFolders makes it
// through the file system seam (the real one when null). 0 or the errno.
int makeOwnFolder(const std::string& folder, FileSystem* fileSystem = nullptr);

// Renames a file to `aside`, a name in the same folder, unless something has that name
// (EEXIST), and makes the rename durable. 0 or the errno.
int setAside(const std::string& file, const std::string& aside, FileSystem* fileSystem = nullptr);

} // namespace kavrel
