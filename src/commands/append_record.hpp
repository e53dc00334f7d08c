#pragma once

#include "commands/report_path.hpp"

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

// Adds one whole record at the end of the report, creating the report (and the folder
// path.folder, but no sub-folder) when missing. The record goes in with one write under an
// exclusive lock held from measuring the file to the end, so records of two running copies
// never mix; a failed or short write is cut back to the old length, so the file keeps exactly
// its earlier content. Every failure comes back as a value.
[[nodiscard]] std::optional<ReportWriteError> appendRecord(const ReportPath& path,
                                                           std::string_view bytes);

} // namespace kavrel
