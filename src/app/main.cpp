// Kavrel: section properties of steel hollow sections. Takes no arguments.
#include "ui/startup.hpp"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// Without any of these Qt cannot open a window and aborts with several lines of its own.
bool haveDesktop() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (!haveDesktop()) {
        std::fputs("kavrel: a desktop is needed to open the window (no DISPLAY or "
                   "WAYLAND_DISPLAY is set).\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    const auto window = kavrel::startUp();
    return QApplication::exec();
}
