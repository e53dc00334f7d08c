// Print through a file system that records its calls, fails one of them or ends the process
// at one of them as a crash would; a report locked by another program; and a crash test of
// printing copies killed at random.
#include "commands/report_path.hpp"
#include "commands/report_record.hpp"
#include "durable/append_record.hpp"
#include "scratch_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace kavrel {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

std::string recordOf(const std::string& designation) {
    return test::recordWith(SectionFamily::RHS, designation, "1.25");
}

const std::string earlier = recordOf("50x25x2.0") + "notes by hand";
const std::string record = recordOf(std::string(9000, 'r')); // three pages

// Calls are logged as "call target", the target named by its role: "report", "note",
// "state", "temp" or "home". One call on one target fails with an errno, or ends the
// process the moment it is reached (a write ends it after half its bytes).
class ScriptedFiles : public FileSystem {
  public:
    ScriptedFiles(std::map<std::string, std::string> roles, std::string failing, int error,
                  std::string crashing = {})
        : roles_(std::move(roles)), failing_(std::move(failing)), error_(error),
          crashing_(std::move(crashing)) {}

    std::vector<std::string> log;

    int open(const char* file, int flags, mode_t mode) override {
        const int fd = FileSystem::open(file, flags, mode);
        const std::string name = file;
        targets_[fd] = name.ends_with(".note") ? "note" : roles_.count(name) ? roles_[name] : name;
        return fd;
    }
    ssize_t write(int fd, const void* bytes, std::size_t count) override {
        if (reached("write", fd)) {
            if (crashing_ == "write " + targets_[fd]) {
                FileSystem::write(fd, bytes, count / 2);
                _exit(0);
            }
            return fail();
        }
        return FileSystem::write(fd, bytes, count);
    }
    int fdatasync(int fd) override {
        return reached("fdatasync", fd) ? fail() : FileSystem::fdatasync(fd);
    }
    int fsync(int fd) override { return reached("fsync", fd) ? fail() : FileSystem::fsync(fd); }
    int ftruncate(int fd, off_t length) override {
        return reached("ftruncate", fd) ? fail() : FileSystem::ftruncate(fd, length);
    }
    int close(int fd) override {
        const bool fails = reached("close", fd);
        FileSystem::close(fd);
        return fails ? fail() : 0;
    }
    int unlink(const char* file) override {
        const std::string name = file;
        log.push_back("unlink " + std::string(name.ends_with(".note") ? "note" : name));
        if (log.back() == crashing_) {
            _exit(0);
        }
        return FileSystem::unlink(file);
    }

  private:
    bool reached(const std::string& call, int fd) {
        const std::string entry = call + " " + targets_[fd];
        log.push_back(entry);
        if (entry == crashing_ && call != "write") {
            _exit(0);
        }
        // A failure happens once, as a disk error would for that one call.
        const bool fails = entry == failing_ || entry == crashing_;
        failing_ = entry == failing_ ? "" : failing_;
        return fails;
    }
    int fail() {
        errno = error_;
        return -1;
    }

    std::map<std::string, std::string> roles_;
    std::map<int, std::string> targets_;
    std::string failing_;
    int error_;
    std::string crashing_;
};

// A home with a report that holds earlier content, and a state folder of its own.
struct Scene {
    ScratchFolder home;
    ScratchFolder state;
    ReportPath path = reportPath("results", home.string());

    explicit Scene(bool withReport = true) {
        if (withReport) {
            fs::create_directory(path.folder);
            writeBytes(path.file, earlier);
        }
    }
    std::map<std::string, std::string> roles() const {
        return {{path.file, "report"},
                {state.string(), "state"},
                {path.folder, "temp"},
                {home.string(), "home"}};
    }
    std::optional<ReportWriteError> print(const std::string& bytes, FileSystem* files = nullptr) {
        AppendOptions options;
        options.stateFolder = state.string();
        options.fileSystem = files;
        return appendRecord(path.folder, path.file, bytes, options);
    }
    bool noNotesLeft() const { return fs::is_empty(state.path()); }
};

// Whether `expected` appears in `log` in this order, other calls between them allowed.
bool inOrder(const std::vector<std::string>& log, const std::vector<std::string>& expected) {
    auto at = log.begin();
    for (const std::string& call : expected) {
        at = std::find(at, log.end(), call);
        if (at == log.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

struct SyncCase {
    const char* name;
    bool withReport;
    std::string failing;
    int error;
    std::string reason; // empty: success
    std::vector<std::string> calls;
    std::string never; // a call that must not be made
    bool recordStays;
};

class PrintSync : public testing::TestWithParam<SyncCase> {};

TEST_P(PrintSync, ReportsSuccessOnlyOnceTheRecordIsOnDisk) {
    const SyncCase& c = GetParam();
    Scene scene(c.withReport);
    ScriptedFiles files(scene.roles(), c.failing, c.error);
    const auto error = scene.print(record, &files);

    std::string reason = c.reason;
    if (const auto at = reason.find("<state>"); at != std::string::npos) {
        reason.replace(at, 7, scene.state.string());
    }
    EXPECT_EQ(error ? error->reason : "", reason);
    EXPECT_TRUE(inOrder(files.log, c.calls)) << testing::PrintToString(files.log);
    EXPECT_EQ(std::count(files.log.begin(), files.log.end(), c.never), 0) << c.never;
    const std::string before = c.withReport ? earlier : "";
    EXPECT_EQ(readBytes(scene.path.file), c.recordStays ? before + record : before);
    EXPECT_TRUE(scene.noNotesLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintSync,
    testing::Values(SyncCase{"NewReport",
                             false,
                             "",
                             0,
                             "",
                             {"fsync home", "fsync temp", "write note", "fsync note", "fsync state",
                              "write report", "fdatasync report", "unlink note", "fsync state",
                              "close report"},
                             "ftruncate report",
                             true},
                    // An append-only file refuses any cut, even of nothing: none is tried.
                    SyncCase{"FullDiskOnAppendOnlyFile",
                             true,
                             "write report",
                             ENOSPC,
                             std::strerror(ENOSPC),
                             {"write report", "unlink note", "close report"},
                             "ftruncate report",
                             false}),
    [](const testing::TestParamInfo<SyncCase>& info) { return info.param.name; });

// Ends a Print at `crashing` in a child process, as a kill or a power cut would.
void crashAt(Scene& scene, const std::string& crashing) {
    const pid_t child = fork();
    if (child == 0) {
        ScriptedFiles files(scene.roles(), "", 0, crashing);
        scene.print(record, &files);
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "Print did not reach " << crashing;
}

struct CrashCase {
    const char* name;
    std::string crashing;
    std::string since;    // added by another program before the next Print
    bool replaced;        // the report replaced by another file
    std::string expected; // what is before the next Print's record
};

class PrintAfterCrash : public testing::TestWithParam<CrashCase> {};

TEST_P(PrintAfterCrash, LeavesOnlyWholeRecords) {
    const CrashCase& c = GetParam();
    Scene scene;
    crashAt(scene, c.crashing);
    if (c.replaced) {
        writeBytes(scene.path.folder + "/new", "replaced");
        fs::rename(scene.path.folder + "/new", scene.path.file);
    }
    std::ofstream(scene.path.file, std::ios::binary | std::ios::app) << c.since;

    const std::string next = recordOf("100x100x5.0");
    EXPECT_EQ(scene.print(next), std::nullopt);
    EXPECT_EQ(readBytes(scene.path.file), c.expected + next);
    EXPECT_TRUE(scene.noNotesLeft());
}

const std::string half = record.substr(0, record.size() / 2);

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintAfterCrash,
    testing::Values(CrashCase{"TornRecordAppendedToSince", "write report", "more", false,
                              earlier + half + "more"},
                    CrashCase{"TornRecordReplacedSince", "write report", "", true, "replaced"}),
    [](const testing::TestParamInfo<CrashCase>& info) { return info.param.name; });

TEST(PrintAfterCrash, TornRecordThatCannotBeCutBackFailsAndChangesNothing) {
    Scene scene;
    crashAt(scene, "write report");
    ScriptedFiles appendOnly(scene.roles(), "ftruncate report", EPERM);
    const auto error = scene.print(recordOf("next"), &appendOnly);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason, "an unfinished earlier record could not be removed: " +
                                 std::string(std::strerror(EPERM)));
    EXPECT_EQ(readBytes(scene.path.file), earlier + half);
    // Once the file can be cut again, the torn copy goes.
    EXPECT_EQ(scene.print(recordOf("next")), std::nullopt);
    EXPECT_EQ(readBytes(scene.path.file), earlier + recordOf("next"));
}

TEST(PrintWait, GivesUpOnALockAnotherProgramKeeps) {
    Scene scene;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    if (holder == 0) {
        const int fd = open(scene.path.file.c_str(), O_RDONLY);
        flock(fd, LOCK_EX);
        const ssize_t ignored = write(ready[1], "x", 1);
        (void)ignored;
        pause();
        _exit(0);
    }
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);

    AppendOptions options;
    options.lockWait = std::chrono::milliseconds(500);
    const auto start = std::chrono::steady_clock::now();
    const auto error = appendRecord(scene.path.folder, scene.path.file, record, options);
    const auto waited = std::chrono::steady_clock::now() - start;
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason, reportInUseReason);
    EXPECT_GE(waited, std::chrono::milliseconds(500));
    EXPECT_LT(waited, std::chrono::milliseconds(2500));
    EXPECT_EQ(readBytes(scene.path.file), earlier);
}

// The designation of one record of the crash test: who wrote it, and a filler that makes every
// other record several pages long.
std::string crashDesignation(int writer, int generation, int number) {
    char id[48];
    std::snprintf(id, sizeof id, "w%d-%d-%d:", writer, generation, number);
    return id + std::string(number % 2 ? 20000 : 8, static_cast<char>('a' + number % 26));
}

pid_t startWriter(const ReportPath& path, int writer, int generation,
                  const std::string& stateFolder) {
    const pid_t child = fork();
    if (child == 0) {
        AppendOptions options;
        options.stateFolder = stateFolder;
        for (int number = 0;; ++number) {
            if (appendRecord(path.folder, path.file,
                             recordOf(crashDesignation(writer, generation, number)), options)) {
                _exit(1);
            }
        }
    }
    return child;
}

// The numbers after "w" in a crash-test designation at `at`.
std::vector<int> idAt(const std::string& content, std::size_t at) {
    std::vector<int> numbers(3);
    const char* next = content.data() + at;
    const char* end = content.data() + content.size();
    for (int& number : numbers) {
        next = std::from_chars(next + 1, end, number).ptr;
    }
    return numbers;
}

struct CrashRound {
    int kills = 0;
    int whole = 0;
    int torn = 0;
    int failedWriters = 0;
};

// One round: copies print while they are killed at random moments, then one more Print;
// every record is rebuilt from its own designation and must match byte for byte. Writer w keeps
// its notes in states[w] (empty: the user's).
void crashRound(const ReportPath& path, const std::vector<std::string>& states,
                std::mt19937& random, CrashRound& round) {
    const int writers = static_cast<int>(states.size());
    std::vector<pid_t> children;
    for (int writer = 0; writer < writers; ++writer) {
        children.push_back(startWriter(path, writer, round.kills, states[writer]));
    }
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        const int writer = static_cast<int>(random() % writers);
        kill(children[writer], SIGKILL);
        int status = 0;
        waitpid(children[writer], &status, 0);
        round.failedWriters += WIFEXITED(status) ? 1 : 0;
        ++round.kills;
        children[writer] = startWriter(path, writer, round.kills, states[writer]);
    }
    for (const pid_t child : children) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    const std::string last = recordOf("last");
    ASSERT_EQ(appendRecord(path.folder, path.file, last), std::nullopt);

    const std::string content = readBytes(path.file);
    ASSERT_EQ(content.compare(0, earlier.size(), earlier), 0) << "the earlier content changed";
    const std::string start = "Section Description : RHS w";
    std::size_t at = earlier.size();
    while (at < content.size() && content.compare(at, start.size(), start) == 0) {
        const std::vector<int> id = idAt(content, at + start.size() - 1);
        const std::string expected = recordOf(crashDesignation(id[0], id[1], id[2]));
        if (content.compare(at, expected.size(), expected) == 0) {
            ++round.whole;
            at += expected.size();
        } else {
            ++round.torn;
            at = std::min(content.find(start, at + 1), content.size());
        }
    }
    EXPECT_EQ(content.substr(at), last);
}

// Copies printing to one report are killed at random, in rounds of a second each, for
// KAVREL_CRASH_SECONDS (3 by default). No record may be torn.
TEST(PrintCrash, KilledPrintsLeaveOnlyWholeRecords) {
    const char* setting = std::getenv("KAVREL_CRASH_SECONDS");
    const int seconds = setting ? std::atoi(setting) : 3;
    ScratchFolder home;
    const ReportPath path = reportPath("crash", home.string());
    fs::create_directory(path.folder);
    // Each copy with a state folder of its own, as copies with different XDG_STATE_HOME are, where
    // the report's file system keeps extended attributes; else all with the user's.
    writeBytes(path.file, earlier);
    const bool marks = ::setxattr(path.file.c_str(), "user.kavrel.test", "1", 1, 0) == 0;
    std::vector<std::string> states(4);
    for (std::size_t writer = 0; marks && writer < states.size(); ++writer) {
        states[writer] = home.string() + "/state-" + std::to_string(writer);
    }
    std::mt19937 random(std::random_device{}());
    CrashRound total;
    for (int second = 0; second < seconds && !HasFatalFailure(); ++second) {
        // A fresh report each round keeps the file, and the time to check it, small.
        fs::remove(path.file);
        writeBytes(path.file, earlier);
        crashRound(path, states, random, total);
    }
    std::cout << (marks ? "copies with four state folders" : "copies with one state folder")
              << ", ";
    std::cout << "kills " << total.kills << ", whole records " << total.whole << ", torn records "
              << total.torn << "\n";
    EXPECT_GT(total.kills, 0);
    EXPECT_EQ(total.torn, 0);
    EXPECT_EQ(total.failedWriters, 0);
}

} // namespace
} // namespace kavrel
