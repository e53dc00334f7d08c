#pragma once

// What both window programs do before Qt starts: answer --help and --version on the terminal,
// and refuse in one line when there is no desktop to open a window on.

#include "kavrel_version.hpp"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace kavrel {

// The exit status when the program is done before its window: --help or --version answered
// (1 when stdout could not take the answer: a full disk or a closed pipe must not pass for
// one), or no desktop (1). None when the window is to open.
inline std::optional<int> doneBeforeWindow(int argc, char** argv, const char* program,
                                           const char* about) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            std::printf("Usage: %s [--help | --version]\n%s"
                        "Any other argument is passed to Qt (for example -platform wayland).\n",
                        program, about);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (argument == "--version") {
            std::printf("%s %s\n", program, version);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    // Without any of these, nor a -platform argument, Qt cannot open a window and aborts with
    // several lines of its own.
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::nullopt;
        }
    }
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        // Qt takes -platform NAME, and --platform NAME alike.
        if ((argument == "-platform" || argument == "--platform") && i + 1 < argc) {
            return std::nullopt;
        }
    }
    std::fprintf(stderr,
                 "%s: a desktop is needed to open the window (no DISPLAY or WAYLAND_DISPLAY is "
                 "set).\n",
                 program);
    return 1;
}

} // namespace kavrel
