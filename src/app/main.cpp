// Kavrel: section properties of steel hollow sections. --help and --version answer on the
// terminal; every other argument is Qt's (-platform, -style, ...).
#include "app/before_window.hpp"
#include "ui/startup.hpp"

#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = kavrel::doneBeforeWindow(
            argc, argv, "kavrel",
            "Opens the Kavrel window: section properties of steel hollow sections.\n")) {
        return *status;
    }
    QApplication app(argc, argv);
    const auto window = kavrel::startUp();
    return QApplication::exec();
}
