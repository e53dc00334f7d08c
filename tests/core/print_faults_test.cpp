// Print with every call it makes failed in turn, or the process ended there as by a crash,
// and Print against the ways a report, its notes and the state folder went wrong before.
#include "commands/report_record.hpp"
#include "durable/append_record.hpp"
#include "durable/rollback_note.hpp"
#include "scratch_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace kavrel {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

std::string recordOf(const std::string& designation) {
    return test::recordWith(SectionFamily::SHS, designation, "3.5");
}

const std::string earlier = recordOf("40x40x2.5") + "by hand";
const std::string torn = recordOf(std::string(500, 't')); // the record a crash cut short
const std::string record = recordOf("100x100x5.0");
const std::string next = recordOf("next");

// One call ("fsync temp": the call and the role of its file) at its n-th occurrence fails
// with `error`, or with error 0 ends the process there (a write after half its bytes).
struct Fault {
    std::string call;
    int occurrence = 0;
    int error = 0;
};

// Counts the calls of a Print by call and role, fails the ones named, and keeps a clock of
// its own so that the lock wait takes no real time.
class FaultyFiles : public FileSystem {
  public:
    FaultyFiles(std::map<std::string, std::string> roles, std::vector<Fault> faults)
        : roles_(std::move(roles)), faults_(std::move(faults)) {}

    std::map<std::string, int> counts;
    std::vector<std::string> log;
    long deviceShift = 0; // as a file system mounted again under another device number
    std::function<void(const std::string&)> onCall;

    int open(const char* file, int flags, mode_t mode) override {
        if (const int r = reached("open", roleOf(file)); r != 1) {
            return r;
        }
        const int fd = FileSystem::open(file, flags, mode);
        if (fd >= 0) {
            targets_[fd] = roleOf(file);
        }
        return fd;
    }
    int close(int fd) override {
        const int r = reached("close", targets_[fd]);
        FileSystem::close(fd);
        return r == 1 ? 0 : r;
    }
    ssize_t pread(int fd, void* b, std::size_t n, off_t at) override {
        return pass("pread", fd) ? FileSystem::pread(fd, b, n, at) : -1;
    }
    ssize_t write(int fd, const void* b, std::size_t n) override {
        if (const int r = reached("write", targets_[fd]); r == crashed) {
            FileSystem::write(fd, b, n / 2);
            _exit(0);
        } else if (r != 1) {
            return r;
        }
        return FileSystem::write(fd, b, n);
    }
    ssize_t pwrite(int fd, const void* b, std::size_t n, off_t at) override {
        return pass("pwrite", fd) ? FileSystem::pwrite(fd, b, n, at) : -1;
    }
    int fstat(int fd, struct stat* info) override {
        if (!pass("fstat", fd) || FileSystem::fstat(fd, info) != 0) {
            return -1;
        }
        info->st_dev += deviceShift;
        return 0;
    }
    int flock(int fd, int op) override {
        return pass("flock", fd) ? FileSystem::flock(fd, op) : -1;
    }
    int fdatasync(int fd) override {
        return pass("fdatasync", fd) ? FileSystem::fdatasync(fd) : -1;
    }
    int fsync(int fd) override { return pass("fsync", fd) ? FileSystem::fsync(fd) : -1; }
    int ftruncate(int fd, off_t n) override {
        return pass("ftruncate", fd) ? FileSystem::ftruncate(fd, n) : -1;
    }
    int mkdir(const char* f, mode_t m) override {
        const int r = reached("mkdir", roleOf(f));
        return r == 1 ? FileSystem::mkdir(f, m) : r;
    }
    int unlink(const char* f) override {
        const int r = reached("unlink", roleOf(f));
        return r == 1 ? FileSystem::unlink(f) : r;
    }
    int rename(const char* f, const char* t) override {
        const int r = reached("rename", roleOf(f));
        return r == 1 ? FileSystem::rename(f, t) : r;
    }
    int readFolder(int fd, std::vector<std::string>& names) override {
        return pass("readFolder", fd) ? FileSystem::readFolder(fd, names) : -1;
    }
    void sleepFor(std::chrono::milliseconds span) override { clock_ += span; }
    std::chrono::steady_clock::time_point now() override { return clock_; }

  private:
    static constexpr int crashed = 2;

    std::string roleOf(const std::string& file) {
        if (file.ends_with(".note")) {
            return "note";
        }
        if (file.starts_with("/proc/self/fd/")) {
            return "report";
        }
        return roles_.count(file) ? roles_[file] : "other";
    }
    // 1 to go on, -1 with errno set to fail; ends the process for a crash (but for a write).
    int reached(const std::string& call, const std::string& role) {
        const std::string key = call + " " + role;
        log.push_back(key);
        const int occurrence = ++counts[key];
        if (onCall) {
            onCall(key);
        }
        for (const Fault& fault : faults_) {
            if (fault.call == key && fault.occurrence == occurrence) {
                if (fault.error == 0) {
                    if (call == "write") {
                        return crashed;
                    }
                    _exit(0);
                }
                errno = fault.error;
                return -1;
            }
        }
        return 1;
    }
    bool pass(const std::string& call, int fd) { return reached(call, targets_[fd]) == 1; }

    std::map<std::string, std::string> roles_;
    std::map<int, std::string> targets_;
    std::vector<Fault> faults_;
    std::chrono::steady_clock::time_point clock_{};
};

enum class State { FirstPrint, NormalPrint, TornRecord, LockedByAnother };

// A home folder and a state folder in one of the four states before a Print.
struct Scene {
    ScratchFolder scratch;
    std::string home = scratch.string() + "/home";
    std::string state = scratch.string() + "/state";
    ReportPath path = reportPath("results", home);
    std::string before; // the report's bytes before the Print
    std::string clean;  // the same without the torn record
    int holder = -1;    // the other program's descriptor that holds the lock

    explicit Scene(State kind) {
        fs::create_directory(home);
        if (kind == State::FirstPrint) {
            return;
        }
        fs::create_directory(path.folder);
        fs::create_directory(state);
        before = clean = earlier;
        if (kind == State::TornRecord) {
            before += torn.substr(0, torn.size() / 2);
        }
        writeBytes(path.file, before);
        if (kind == State::TornRecord) {
            struct stat info {};
            ::stat(path.file.c_str(), &info);
            writeBytes(noteFile(state, info.st_dev, info.st_ino),
                       encodeNote({path.file, info.st_dev, info.st_ino,
                                   static_cast<off_t>(earlier.size()), torn}));
        }
        if (kind == State::LockedByAnother) {
            holder = ::open(path.file.c_str(), O_RDONLY);
            ::flock(holder, LOCK_EX);
        }
    }
    ~Scene() { release(); }
    void release() {
        if (holder >= 0) {
            ::close(holder);
        }
        holder = -1;
    }
    std::map<std::string, std::string> roles() const {
        return {{path.file, "report"},
                {path.folder, "temp"},
                {home, "home"},
                {state, "state"},
                {scratch.string(), "scratch"}};
    }
    std::optional<ReportWriteError> print(const std::string& bytes, FileSystem* files = nullptr) {
        AppendOptions options;
        options.stateFolder = state;
        options.fileSystem = files;
        options.lockWait = std::chrono::milliseconds(30);
        return appendRecord(path, bytes, options);
    }
    std::string report() const { return readBytes(path.file); }
    bool notesLeft() const {
        if (!fs::exists(state)) {
            return false;
        }
        for (const auto& entry : fs::directory_iterator(state)) {
            if (entry.path().extension() == ".note") {
                return true;
            }
        }
        return false;
    }
};

// Runs one Print with `fault`; for a crash in a child process, as a kill or a power cut would.
// What Print reported: "ok", "failed", or "crashed".
std::string printWith(Scene& scene, const Fault& fault) {
    if (fault.error != 0) {
        FaultyFiles files(scene.roles(), {fault});
        return scene.print(record, &files) ? "failed" : "ok";
    }
    const pid_t child = fork();
    if (child == 0) {
        FaultyFiles files(scene.roles(), {fault});
        scene.print(record, &files);
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? "crashed" : "not reached";
}

const int errorKinds[] = {EIO, ENOSPC, EDQUOT, EINTR, EAGAIN, EPERM, EROFS, 0};

class PrintFaults : public testing::TestWithParam<State> {};

// For every call at every occurrence, every error and a crash there: the report is unchanged
// or gained one whole record, failure is reported exactly when the record is not there, and
// the next Print leaves only whole records and no note.
TEST_P(PrintFaults, EveryCallFailedOrCrashedAtLeavesWholeRecords) {
    std::map<std::string, int> counts;
    {
        Scene scene(GetParam());
        FaultyFiles files(scene.roles(), {});
        scene.print(record, &files);
        counts = files.counts;
    }
    int cases = 0;
    for (const auto& [call, times] : counts) {
        for (int occurrence = 1; occurrence <= times; ++occurrence) {
            for (const int error : errorKinds) {
                const Fault fault{call, occurrence, error};
                SCOPED_TRACE(call + " #" + std::to_string(occurrence) + ": " +
                             (error ? std::strerror(error) : "crash"));
                Scene scene(GetParam());
                const std::string outcome = printWith(scene, fault);
                ASSERT_NE(outcome, "not reached");
                const std::string after = scene.report();
                const bool kept = after == scene.clean + record;
                // An interrupted call is made again (close, whose descriptor is gone either
                // way, is not), so an EINTR costs a Print that can go ahead nothing.
                if (error == EINTR && !call.starts_with("close ") &&
                    GetParam() != State::LockedByAnother) {
                    EXPECT_EQ(outcome, "ok");
                }
                if (outcome == "ok") {
                    EXPECT_TRUE(kept) << after.size();
                } else if (outcome == "failed") {
                    EXPECT_TRUE(after == scene.before || after == scene.clean) << after.size();
                } else {
                    const bool part = after.starts_with(scene.clean) &&
                                      record.starts_with(after.substr(scene.clean.size()));
                    EXPECT_TRUE(after == scene.before || part) << after.size();
                }
                scene.release();
                ASSERT_EQ(scene.print(next), std::nullopt);
                EXPECT_EQ(scene.report(), scene.clean + (kept ? record : "") + next);
                EXPECT_FALSE(scene.notesLeft());
                ++cases;
            }
        }
    }
    std::cout << cases << " cases\n";
}

std::string stateName(const testing::TestParamInfo<State>& info) {
    constexpr const char* names[] = {"FirstPrint", "NormalPrint", "TornRecord", "LockedByAnother"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(States, PrintFaults,
                         testing::Values(State::FirstPrint, State::NormalPrint, State::TornRecord,
                                         State::LockedByAnother),
                         stateName);

// Bytes added after a crash, and the report renamed away while Print reads it: the tail is read
// through the report held open, so nothing that was not compared is cut.
TEST(PrintLeftovers, CutsNothingItCouldNotCompare) {
    Scene scene(State::TornRecord);
    std::ofstream(scene.path.file, std::ios::binary | std::ios::app) << "more";
    const std::string moved = scene.path.file + ".moved";
    FaultyFiles files(scene.roles(), {});
    files.onCall = [&](const std::string& call) {
        if (call == "open note" && !fs::exists(moved)) {
            fs::rename(scene.path.file, moved);
            writeBytes(scene.path.file, "another file");
        }
    };
    EXPECT_EQ(scene.print(record, &files), std::nullopt);
    EXPECT_EQ(readBytes(moved), scene.before + "more" + record);
}

// The same report named another way, or on a file system mounted again under another device
// number: the torn record still goes.
struct OtherName {
    const char* name;
    std::string answer;
    long deviceShift;
};

class PrintLeftoversOfTheSameFile : public testing::TestWithParam<OtherName> {};

TEST_P(PrintLeftoversOfTheSameFile, TakesOutTheTornRecord) {
    Scene scene(State::TornRecord);
    fs::create_directory(scene.path.folder + "/jobs");
    fs::create_symlink(scene.path.file, scene.path.folder + "/link.txt");
    fs::create_hard_link(scene.path.file, scene.path.folder + "/hard.txt");
    const ReportPath original = scene.path;
    scene.path = reportPath(GetParam().answer, scene.home);
    FaultyFiles files(scene.roles(), {});
    files.deviceShift = GetParam().deviceShift;
    EXPECT_EQ(scene.print(next, &files), std::nullopt);
    EXPECT_EQ(readBytes(original.file), earlier + next);
    EXPECT_FALSE(scene.notesLeft());
}

INSTANTIATE_TEST_SUITE_P(Ways, PrintLeftoversOfTheSameFile,
                         testing::Values(OtherName{"SymbolicLink", "link", 0},
                                         OtherName{"HardLink", "hard", 0},
                                         OtherName{"DotDot", "jobs\\..\\results", 0},
                                         OtherName{"AnotherDeviceNumber", "results", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

// A record Print reported as failed, which it could neither sync nor cut back, goes whole at
// the next Print.
TEST(PrintLeftovers, RecordReportedAsFailedDoesNotStay) {
    Scene scene(State::NormalPrint);
    FaultyFiles files(scene.roles(),
                      {{"fdatasync report", 1, EIO}, {"ftruncate report", 1, EPERM}});
    ASSERT_TRUE(scene.print(record, &files).has_value());
    EXPECT_EQ(scene.print(next), std::nullopt);
    EXPECT_EQ(scene.report(), earlier + next);
}

// What may lie in the state folder under a note's name: it is never opened so as to block,
// never read whole when large, and never written through.
struct StrangeNote {
    const char* name;
    bool own;   // under this report's note name
    int kind;   // 0 FIFO, 1 a large file, 2 a hard link to the report
    bool fails; // the first Print fails (and says so)
};

class PrintBesideStrangeNotes : public testing::TestWithParam<StrangeNote> {};

TEST_P(PrintBesideStrangeNotes, NeitherHangsNorLosesContent) {
    const StrangeNote& c = GetParam();
    Scene scene(State::NormalPrint);
    struct stat info {};
    ::stat(scene.path.file.c_str(), &info);
    const std::string note =
        c.own ? noteFile(scene.state, info.st_dev, info.st_ino) : scene.state + "/other.note";
    if (c.kind == 0) {
        ASSERT_EQ(mkfifo(note.c_str(), 0600), 0);
    } else if (c.kind == 1) {
        std::ofstream(note).close();
        fs::resize_file(note, std::uintmax_t{400} << 20);
    } else {
        fs::create_hard_link(scene.path.file, note);
    }
    alarm(20); // a hang ends the test program
    // A state folder where nothing can be removed.
    FaultyFiles files(scene.roles(), {{"unlink note", 1, EROFS}});
    const auto error = scene.print(record, &files);
    alarm(0);
    EXPECT_EQ(error.has_value(), c.fails);
    EXPECT_EQ(scene.report(), earlier + (c.fails ? "" : record));
    if (c.kind != 2) {
        EXPECT_EQ(fs::exists(note + ".aside"), c.own);
        EXPECT_EQ(scene.print(next), std::nullopt);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, PrintBesideStrangeNotes,
                         testing::Values(StrangeNote{"OwnFifo", true, 0, true},
                                         StrangeNote{"OtherFifo", false, 0, false},
                                         StrangeNote{"OwnLargeFile", true, 1, true},
                                         StrangeNote{"OwnLinkToTheReport", true, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Folders that lead to the record are durable before it is written, whoever made them.
TEST(PrintSyncsFolders, ThatLeadToTheRecordEveryTime) {
    Scene scene(State::NormalPrint);
    FaultyFiles files(scene.roles(), {});
    ASSERT_EQ(scene.print(record, &files), std::nullopt);
    const auto write = std::find(files.log.begin(), files.log.end(), "write report");
    for (const char* sync : {"fsync home", "fsync temp", "fsync scratch", "fsync state"}) {
        EXPECT_NE(std::find(files.log.begin(), write, sync), write) << sync;
    }
}

} // namespace
} // namespace kavrel
