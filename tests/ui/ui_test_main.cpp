// Runs the window test suites offscreen unless a platform is given. With a suite name as the
// first argument only that suite runs; the other arguments go to Qt Test. HOME points at a
// scratch folder for the whole run: any suite may press Print, and reports go below HOME.
#include "suites.hpp"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <vector>

namespace {

struct Suite {
    const char* name;
    int (*run)(int, char**);
};

constexpr Suite suites[] = {
    {"focus_order", kavrel::test::runFocusOrderTest},
    {"layout", kavrel::test::runLayoutTest},
    {"selection", kavrel::test::runSelectionTest},
    {"find", kavrel::test::runFindTest},
    {"print", kavrel::test::runPrintTest},
    {"typed_text", kavrel::test::runTypedTextTest},
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir home;
    if (!home.isValid()) {
        qWarning("no scratch folder for HOME");
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    // Print's notes then go below the scratch HOME too.
    qunsetenv("XDG_STATE_HOME");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel"));

    std::vector<char*> arguments(argv, argv + argc);
    const char* only = nullptr;
    if (arguments.size() > 1 && arguments[1][0] != '-') {
        only = arguments[1];
        arguments.erase(arguments.begin() + 1);
    }
    int failures = 0;
    bool ran = false;
    for (const Suite& suite : suites) {
        if (only == nullptr || std::strcmp(only, suite.name) == 0) {
            ran = true;
            failures += suite.run(static_cast<int>(arguments.size()), arguments.data());
        }
    }
    return ran ? (failures == 0 ? 0 : 1) : 2;
}
