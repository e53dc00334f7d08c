#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// Writes the bytes to a new file beside `path`, syncs it, renames it over `path` and syncs the
// folder: `path` is either the earlier file or the whole new one, never a part. Returns why it
// failed (the earlier file is then untouched and no new file is left), or nothing when done.
std::optional<std::string> writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace kavrel
