// Kavrel Sections: the section table of every catalogue, beside the design. --help and
// --version answer on the terminal; every other argument is Qt's (-platform, -style, ...).
#include "app/before_window.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sections_startup.hpp"
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
    kavrel::setUpSectionsApplication();
    kavrel::SectionsWindow window(kavrel::defaultSettingsFile());
    window.show();
    return QApplication::exec();
}
