#pragma once

#include "durable/file_system.hpp"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace kavrel {

// A Print that could not add its record; the report is as it was before that Print.
struct ReportWriteError {
    std::string path;   // the file on this system
    std::string reason; // the system's reason, e.g. "No such file or directory"

    bool operator==(const ReportWriteError&) const = default;
};

// The reasons of the failures that have no errno of their own.
inline constexpr char reportInUseReason[] = "it is in use by another program";
inline constexpr char noHomeFolderReason[] = "no home folder is known";

struct AppendOptions {
    // How long to wait for a lock that another program keeps.
    std::chrono::milliseconds lockWait{5000};
    // Where the rollback notes go; empty: the user's state folder.
    std::string stateFolder;
    // The real file system when null.
    FileSystem* fileSystem = nullptr;
};

// Adds one whole record at the end of `file`, creating it (and `folder`, the one folder above
// it that may be made, but no sub-folder) when missing. The record goes in with one write under an
// exclusive lock held from measuring the file to the end, so records of two running copies
// never mix; a failed or short write is cut back to the old length, so the file keeps exactly
// its earlier content. Success means the record is on stable storage. A rollback note kept
// in the state folder while the record is written lets the next Print take out a copy that
// a crash left unfinished, so the file only ever holds whole records. Every failure comes
// back as a value.
[[nodiscard]] std::optional<ReportWriteError> appendRecord(const std::string& folder,
                                                           const std::string& file,
                                                           std::string_view bytes,
                                                           const AppendOptions& options = {});

} // namespace kavrel
