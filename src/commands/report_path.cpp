#include "commands/report_path.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kavrel {

ReportPath reportPath(std::string_view answer, std::string_view home) {
    const std::string name = std::string(answer) + ".txt";

    ReportPath path;
    path.text = "c:\\temp\\" + name;

    // A home of "/" or with a trailing slash must not give "//temp".
    while (!home.empty() && home.back() == '/') {
        home.remove_suffix(1);
    }
    path.folder = std::string(home) + "/temp";

    std::string rest = name;
    for (char& c : rest) {
        if (c == '\\') {
            c = '/';
        }
    }
    path.file = path.folder + "/" + rest;
    return path;
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) {
        return home;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
        return found->pw_dir;
    }
    return {};
}

} // namespace kavrel
