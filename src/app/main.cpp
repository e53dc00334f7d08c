// Kavrel: section properties of steel hollow sections. --help and --version answer on the
// terminal; every other argument is Qt's (-platform, -style, ...).
#include "kavrel_version.hpp"
#include "ui/startup.hpp"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

// Without any of these, nor a -platform argument, Qt cannot open a window and aborts with
// several lines of its own.
bool haveDesktop(int argc, char** argv) {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        // Qt takes -platform NAME, and --platform NAME alike.
        if ((argument == "-platform" || argument == "--platform") && i + 1 < argc) {
            return true;
        }
    }
    return false;
}

// Answers --help or --version on stdout; false when neither was asked for.
bool answeredOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::fputs("Usage: kavrel [--help | --version]\n"
                       "Opens the Kavrel window: section properties of steel hollow sections.\n"
                       "Any other argument is passed to Qt (for example -platform wayland).\n",
                       stdout);
            return true;
        }
        if (argument == "--version") {
            std::printf("kavrel %s\n", kavrel::version);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredOnTerminal(argc, argv)) {
        // A full disk or a closed pipe must not pass for an answer.
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (!haveDesktop(argc, argv)) {
        std::fputs("kavrel: a desktop is needed to open the window (no DISPLAY or "
                   "WAYLAND_DISPLAY is set).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    const auto window = kavrel::startUp();
    return QApplication::exec();
}
