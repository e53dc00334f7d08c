// Start-up time and peak memory of Kavrel Sections next to its floor, each a fresh process of
// this program in child mode:
//
//   sections  the program's start-up path: names and style as the program sets them, the
//             window over the engine, shown;
//   plain     a QMainWindow of the same size holding a QTableView over a QStandardItemModel
//             with the same rows and columns (the engine's texts), nothing else.
//
// Timed from just before the child is spawned to its first frame on the display; peak memory
// is the child's ru_maxrss. Runs rotate the order of the modes.
//
//   saved     the sections window restoring a settings file of N requirements, of N sizes of
//             one's own, and of N of each (with --saved N), timed alone: restoring is to cost
//             time in proportion to N.
//
//   kavrel_sections_startup_bench [runs] [--saved N]     runs per mode, 40 unless given
//
// Run on a desktop or under xvfb-run.
#include "child_timing.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sections_startup.hpp"
#include "sections/sections_window.hpp"
#include "ui/startup.hpp"

#include <QApplication>
#include <QMainWindow>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <array>
#include <cstring>

namespace {

using namespace kavrel::bench;

void reportFirstFrame() {
    std::printf("%lld\n", nowNanoseconds());
    std::fflush(stdout);
    QCoreApplication::quit();
}

int runChild(int argc, char** argv, const std::string& mode) {
    QApplication app(argc, argv);
    if (mode == "plain") {
        QApplication::setApplicationDisplayName(QStringLiteral("Kavrel Sections"));
    } else {
        kavrel::setUpSectionsApplication(); // as the program does
    }
    // A fresh settings file: both windows show the default request.
    const QTemporaryDir scratch;
    const QString settings = scratch.filePath(QStringLiteral("settings.ini"));
    if (mode.starts_with("saved:")) {
        // "saved:KIND:N": N requirements that every size meets (a number each of its own), N
        // sizes of one's own, or both, as the window saves them.
        const std::string kind = mode.substr(6, mode.find(':', 6) - 6);
        const int count = std::atoi(mode.c_str() + mode.find(':', 6) + 1);
        kavrel::PanelState state;
        for (int i = 0; i < count; ++i) {
            if (kind != "own") {
                state.requirements.push_back(
                    {QStringLiteral("A"), QStringLiteral(">"), QStringLiteral("-%1").arg(i + 1)});
            }
            if (kind != "requirements") {
                state.ownSizes << QStringLiteral("RHS:%1x50x4").arg(100 + i % 400);
            }
        }
        kavrel::saveSettings(settings, state, {});
    }
    if (mode == "sections" || mode.starts_with("saved:")) {
        kavrel::SectionsWindow window(settings);
        window.resize(1240, 720);
        kavrel::afterFirstFrame(window, reportFirstFrame);
        window.show();
        window.activateWindow();
        return QApplication::exec();
    }
    QMainWindow window;
    auto* view = new QTableView;
    auto* model = new QStandardItemModel(view);
    const auto rows = std::get<kavrel::TableRows>(kavrel::tableRows({}));
    model->setColumnCount(static_cast<int>(rows.columns.size()));
    for (const kavrel::ShownRow& row : rows.rows) {
        QList<QStandardItem*> items;
        for (const std::size_t column : rows.columns) {
            items << new QStandardItem(QString::fromStdString(row.texts[column]));
        }
        model->appendRow(items);
    }
    view->setModel(model);
    window.setCentralWidget(view);
    window.resize(1240, 720);
    kavrel::afterFirstFrame(window, reportFirstFrame);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}

struct Mode {
    const char* name;
    std::vector<double> milliseconds;
    std::vector<double> peakMegabytes;
};

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv, argv[2]);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    const int saved = argc > 3 && std::strcmp(argv[2], "--saved") == 0 ? std::atoi(argv[3]) : 0;
    std::vector<char> path(4096);
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return 1;
    }
    path[static_cast<std::size_t>(length)] = '\0';
    const RuntimeFolder runtimeFolder;
    std::array<Mode, 2> modes = {Mode{"sections", {}, {}}, Mode{"plain", {}, {}}};
    for (const Mode& mode : modes) {
        timeOneStart(path.data(), mode.name);
    }
    for (int run = 0; run < runs; ++run) {
        for (std::size_t k = 0; k < modes.size(); ++k) {
            Mode& mode = modes[(static_cast<std::size_t>(run) + k) % modes.size()];
            const Start start = timeOneStart(path.data(), mode.name);
            if (start.milliseconds < 0) {
                std::fprintf(stderr, "a window did not show (no display?)\n");
                return 1;
            }
            mode.milliseconds.push_back(start.milliseconds);
            mode.peakMegabytes.push_back(static_cast<double>(start.peakKilobytes) / 1024.0);
        }
    }
    std::printf("Process start to first frame, %d runs each, rotating order:\n", runs);
    for (const Mode& mode : modes) {
        std::printf(
            "  %-9s median %6.1f ms, quartiles %6.1f to %6.1f ms, peak RSS median %.2f MB\n",
            mode.name, quantile(mode.milliseconds, 0.5), quantile(mode.milliseconds, 0.25),
            quantile(mode.milliseconds, 0.75), quantile(mode.peakMegabytes, 0.5));
    }
    std::printf("ratio sections/plain (medians) %.2f\n",
                quantile(modes[0].milliseconds, 0.5) / quantile(modes[1].milliseconds, 0.5));
    if (saved > 0) {
        // The child writes the file before it builds the window: the time holds that writing
        // too, itself in proportion to N.
        for (const char* kind : {"requirements", "own", "both"}) {
            const std::string name = "saved:" + std::string(kind) + ":" + std::to_string(saved);
            std::vector<double> times;
            for (int run = 0; run < runs; ++run) {
                const Start start = timeOneStart(path.data(), name.c_str());
                if (start.milliseconds < 0) {
                    std::fprintf(stderr, "the window with %d saved rows did not show\n", saved);
                    return 1;
                }
                times.push_back(start.milliseconds);
            }
            std::printf("  %d saved, %-12s median %.1f ms, quartiles %.1f to %.1f ms\n", saved,
                        std::strcmp(kind, "own") == 0 ? "own sizes:"
                                                      : (std::string(kind) + ":").c_str(),
                        quantile(times, 0.5), quantile(times, 0.25), quantile(times, 0.75));
        }
    }
    return 0;
}
