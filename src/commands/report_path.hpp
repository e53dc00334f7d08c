#pragma once

#include "durable/home_folder.hpp"

#include <string>
#include <string_view>

namespace kavrel {

// Where one run's reports go. The path is written as "c:\temp\" + the typed name + ".txt";
// on this system "c:\temp\" stands for the folder temp in the user's home folder, which
// survives a reboot, and every backslash of the rest becomes "/".
struct ReportPath {
    std::string text;   // as written, e.g. "c:\temp\jobs\beam1.txt"
    std::string folder; // home + "/temp", the one folder Print creates when missing
    std::string file;   // the file on this system, e.g. "/home/user/temp/jobs/beam1.txt"

    bool operator==(const ReportPath&) const = default;
};

// The answer of the file-name dialog (UTF-8) is neither trimmed nor checked: an empty answer
// gives ".txt", "results.txt" gives "results.txt.txt". Its bytes are kept as the file name.
ReportPath reportPath(std::string_view answer, std::string_view home);

} // namespace kavrel
