// Start-up time of the Kavrel window next to a bare Qt window of the same size: from the
// moment the process is started to the first frame of its window on screen. Each run starts
// a fresh process of this program in child mode; the child reports the time at which its
// window's first paint has been flushed. Run on a desktop or under xvfb-run.
//
//   kavrel_startup_bench [runs]       runs per window, 15 unless given
#include "ui/main_window.hpp"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC: the same clock in every process

long long nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// Prints the time once the window's first paint has gone to the screen, then quits.
class FirstFrame : public QObject {
  public:
    explicit FirstFrame(QWidget& window) : window_(window) { window_.installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Runs after this paint and the flush that follows it.
            QTimer::singleShot(0, this, [] {
                std::printf("%lld\n", nowNanoseconds());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

  private:
    QWidget& window_;
    bool seen_ = false;
};

int runChild(int argc, char** argv, bool kavrelWindow) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel"));
    if (kavrelWindow) {
        kavrel::MainWindow window;
        FirstFrame frame(window);
        window.show();
        window.activateWindow();
        return QApplication::exec();
    }
    QWidget window;
    window.setFixedSize(665, 407);
    FirstFrame frame(window);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}

// Starts this program in child mode and returns the milliseconds to its first frame, or a
// negative number when the child failed.
double timeOneStart(const char* self, const char* mode) {
    int out[2];
    if (pipe(out) != 0) {
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char childFlag[] = "--child";
    std::string modeText = mode;
    char* arguments[] = {const_cast<char*>(self), childFlag, modeText.data(), nullptr};

    const long long started = nowNanoseconds();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return -1;
    }
    std::string reply;
    char buffer[64];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || reply.empty()) {
        return -1;
    }
    const long long frame = std::atoll(reply.c_str());
    return static_cast<double>(frame - started) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Without a runtime folder (xvfb-run as root, say) Qt warns on every start, which would
// bury the figures; the children share one private folder for the run instead.
class RuntimeFolder {
  public:
    RuntimeFolder() {
        if (const char* given = std::getenv("XDG_RUNTIME_DIR"); given && *given) {
            return;
        }
        char folder[] = "/tmp/kavrel-bench-XXXXXX";
        if (mkdtemp(folder) != nullptr && setenv("XDG_RUNTIME_DIR", folder, 1) == 0) {
            made_ = folder;
        }
    }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;
    ~RuntimeFolder() {
        if (!made_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(made_, ignored);
        }
    }

  private:
    std::string made_;
};

double mean(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv, std::strcmp(argv[2], "kavrel") == 0);
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const char* self = "/proc/self/exe";
    std::vector<char> path(4096);
    const ssize_t length = readlink(self, path.data(), path.size() - 1);
    if (length <= 0) {
        std::fprintf(stderr, "kavrel_startup_bench: cannot find its own program file\n");
        return 1;
    }
    path[static_cast<std::size_t>(length)] = '\0';

    const RuntimeFolder runtimeFolder;
    // One start of each first, so that both find the libraries in the page cache.
    timeOneStart(path.data(), "bare");
    timeOneStart(path.data(), "kavrel");
    std::vector<double> bare;
    std::vector<double> kavrel;
    for (int i = 0; i < runs; ++i) {
        const double b = timeOneStart(path.data(), "bare");
        const double k = timeOneStart(path.data(), "kavrel");
        if (b < 0 || k < 0) {
            std::fprintf(stderr, "kavrel_startup_bench: a window did not show (no display?)\n");
            return 1;
        }
        bare.push_back(b);
        kavrel.push_back(k);
    }
    std::printf("Process start to first frame, %d runs each, alternating:\n", runs);
    std::printf("  bare QWidget 665x407  median %7.1f ms  mean %7.1f ms  min %7.1f ms\n",
                median(bare), mean(bare), *std::min_element(bare.begin(), bare.end()));
    std::printf("  Kavrel main window    median %7.1f ms  mean %7.1f ms  min %7.1f ms\n",
                median(kavrel), mean(kavrel), *std::min_element(kavrel.begin(), kavrel.end()));
    std::printf("  ratio Kavrel / bare (medians) %.2f\n", median(kavrel) / median(bare));
    return 0;
}
