// Kavrel: section properties of steel hollow sections. Takes no arguments.
#include "ui/main_window.hpp"

#include <QApplication>
#include <QIcon>

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

QIcon windowIcon() {
    QIcon icon;
    for (const char* file :
         {":/kavrel/kavrel-32.png", ":/kavrel/kavrel-128.png", ":/kavrel/kavrel-256.png"}) {
        icon.addFile(QString::fromLatin1(file));
    }
    return icon;
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
    QApplication::setApplicationName(QStringLiteral("kavrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel"));
    QApplication::setWindowIcon(windowIcon());

    kavrel::MainWindow window;
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
