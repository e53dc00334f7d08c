// Kavrel Sections: the section table of every catalogue, beside the design. --help and
// --version answer on the terminal; every other argument is Qt's (-platform, -style, ...).
#include "app/before_window.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sections_window.hpp"

#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = kavrel::doneBeforeWindow(
            argc, argv, "kavrel-sections",
            "Opens Kavrel Sections: the section table of steel hollow sections,\n"
            "filtered, sorted, drawn, copied, exported and printed.\n")) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavrel-sections"));
    // The Wayland app id: how a dock matches the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kavrel.Kavrel.Sections"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel Sections"));
    kavrel::SectionsWindow window(kavrel::defaultSettingsFile());
    window.show();
    return QApplication::exec();
}
