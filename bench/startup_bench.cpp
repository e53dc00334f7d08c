// Start-up time and peak memory of the Kavrel program next to two floors, each a fresh process
// of this program in child mode:
//
//   kavrel  the program's own start-up path (the function main calls: names, icon, window);
//   plain   a window with the same 34 controls at the same places in Kavrel's fonts (Arial
//           italic at the layout's sizes), default style, no list entries, no picture;
//   bare    an empty QWidget of the window's size.
//
// What is timed: from just before the child is spawned to the moment its window's first paint
// has been flushed to the display server, which the child reports on CLOCK_MONOTONIC. The
// plain window is the fair floor: any window with these kinds of controls and these fonts
// opens the same font files, lays out the same texts and paints the same frame, so what
// Kavrel takes beyond it is what Kavrel itself adds. The empty window pays none of that and
// is shown for scale only. Peak memory is each child's ru_maxrss from wait4.
//
//   kavrel_startup_bench [runs]                 runs per mode, 60 unless given
//   kavrel_startup_bench --child kavrel|plain|bare
//
// Run on a desktop or under xvfb-run.
#include "child_timing.hpp"
#include "ui/startup.hpp"
#include "ui/window_fonts.hpp"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace kavrel::bench;

void reportFirstFrame() {
    std::printf("%lld\n", nowNanoseconds());
    std::fflush(stdout);
    QCoreApplication::quit();
}

template <typename Widget>
Widget* place(QWidget* parent, const QRect& geometry, const QFont& font) {
    auto* widget = new Widget(parent);
    widget->setGeometry(geometry);
    widget->setFont(font);
    return widget;
}

// The floor: Kavrel's controls, places, texts and fonts, nothing else.
void buildPlainWindow(QWidget& window) {
    window.setFixedSize(665, 407);
    window.setFont(kavrel::windowFont());
    const QFont control = kavrel::controlFont();
    auto* types = place<QGroupBox>(&window, {8, 8, 425, 137}, kavrel::windowFont());
    types->setTitle(QStringLiteral("Section Type"));
    auto* properties = place<QGroupBox>(&window, {8, 152, 649, 249}, kavrel::windowFont());
    properties->setTitle(QStringLiteral("Properties"));
    const char* options[] = {"Rectangular Hollow Section (RHS)", "Square Hollow Section (SHS)",
                             "Circular Hollow Section (CHS)"};
    for (int row = 0; row < 3; ++row) {
        const int top = 24 + 40 * row;
        place<QRadioButton>(types, {16, top, 249, 18}, control)->setText(options[row]);
        place<QComboBox>(types, {272, top - 4, 145, 25}, control)->setEditable(true);
    }
    const char* labels[] = {"Sectional Area (CM^2)",        "Unit Weight (Kg./Mtr.)",
                            "Moment of Inertia,Ixx (Cm^4)", "Moment of Inertia,Iyy (Cm^4)",
                            "Elastic Modulus,Zxx (Cm^3)",   "Elastic Modulus,Zyy (Cm^3)",
                            "Radius of Gyration,Rxx (Cm)",  "Radius of Gyration,Ryy (Cm)",
                            "Torsional Constant,J (Cm^4)",  "Torsional Constant,B (Cm^3)",
                            "Outer Surface Area (M^2/Mtr)"};
    for (int row = 0; row < 11; ++row) {
        const int left = row < 6 ? 16 : 336;
        const int top = 32 + 35 * (row % 6);
        place<QLabel>(properties, {left, top, 193, 17}, control)->setText(labels[row]);
        place<QLineEdit>(properties, {left + 208, top - 5, 97, 26}, control)->setReadOnly(true);
    }
    place<QPushButton>(properties, {344, 216, 73, 25}, kavrel::findButtonFont())
        ->setText(QStringLiteral("&Find"));
    place<QPushButton>(properties, {456, 216, 73, 25}, control)->setText(QStringLiteral("&Print"));
    place<QPushButton>(properties, {560, 216, 73, 25}, control)->setText(QStringLiteral("E&xit"));
    place<QLabel>(&window, {440, 16, 213, 129}, control);
}

int runChild(int argc, char** argv, const std::string& mode) {
    QApplication app(argc, argv);
    if (mode == "kavrel") {
        const auto window = kavrel::startUp(reportFirstFrame);
        return QApplication::exec();
    }
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel"));
    QWidget window;
    if (mode == "plain") {
        buildPlainWindow(window);
    } else {
        window.setFixedSize(665, 407);
    }
    kavrel::afterFirstFrame(window, reportFirstFrame);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}

struct Mode {
    const char* name;
    const char* label;
    std::vector<double> milliseconds;
    std::vector<double> peakMegabytes;
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv, argv[2]);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        std::fprintf(stderr, "kavrel_startup_bench: cannot find its own program file\n");
        return 1;
    }
    path[static_cast<std::size_t>(length)] = '\0';

    const RuntimeFolder runtimeFolder;
    std::array<Mode, 3> modes = {Mode{"kavrel", "Kavrel program", {}, {}},
                                 Mode{"plain", "plain, same controls", {}, {}},
                                 Mode{"bare", "bare QWidget", {}, {}}};
    // One start of each first, so that all find the libraries in the page cache.
    for (const Mode& mode : modes) {
        timeOneStart(path.data(), mode.name);
    }
    for (int run = 0; run < runs; ++run) {
        // Each mode goes first, second and third in turn.
        for (std::size_t k = 0; k < modes.size(); ++k) {
            Mode& mode = modes[(static_cast<std::size_t>(run) + k) % modes.size()];
            const Start start = timeOneStart(path.data(), mode.name);
            if (start.milliseconds < 0) {
                std::fprintf(stderr, "kavrel_startup_bench: a window did not show (no display?)\n");
                return 1;
            }
            mode.milliseconds.push_back(start.milliseconds);
            mode.peakMegabytes.push_back(static_cast<double>(start.peakKilobytes) / 1024.0);
        }
    }
    std::printf("Process start to first frame, %d runs each, rotating order:\n", runs);
    std::printf("  %-22s %9s %17s %21s\n", "", "median", "quartiles", "peak RSS median");
    for (const Mode& mode : modes) {
        const auto& ms = mode.milliseconds;
        std::printf("  %-22s %6.1f ms  %6.1f to %6.1f ms  %7.2f MB (%.2f to %.2f)\n", mode.label,
                    quantile(ms, 0.5), quantile(ms, 0.25), quantile(ms, 0.75),
                    quantile(mode.peakMegabytes, 0.5), quantile(mode.peakMegabytes, 0),
                    quantile(mode.peakMegabytes, 1));
    }
    const double kavrel = quantile(modes[0].milliseconds, 0.5);
    std::printf("ratio kavrel/plain (medians) %.2f\n",
                kavrel / quantile(modes[1].milliseconds, 0.5));
    std::printf("ratio kavrel/bare (medians) %.2f\n",
                kavrel / quantile(modes[2].milliseconds, 0.5));
    return 0;
}
