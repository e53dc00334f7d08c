#pragma once

// What the start-up benchmarks share: timing a fresh child process of the benchmark from just
// before it is spawned to the first frame it reports on CLOCK_MONOTONIC, its peak memory, the
// quantiles of the runs, and a private runtime folder for the children.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kavrel::bench {

using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC: the same clock in every process

inline long long nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

struct Start {
    double milliseconds = -1; // negative when the child failed
    long peakKilobytes = 0;
};

// Starts this program in child mode and times it to its first frame.
inline Start timeOneStart(const char* self, const char* mode) {
    int out[2];
    if (pipe(out) != 0) {
        return {};
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
        return {};
    }
    std::string reply;
    char buffer[64];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || reply.empty()) {
        return {};
    }
    const long long frame = std::atoll(reply.c_str());
    return {static_cast<double>(frame - started) / 1e6, usage.ru_maxrss};
}

// The value below which the given fraction of the values lie, interpolated.
inline double quantile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const double position = fraction * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] +
           (position - static_cast<double>(below)) * (values[above] - values[below]);
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

} // namespace kavrel::bench
