#include "commands/report_path.hpp"

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

} // namespace kavrel
