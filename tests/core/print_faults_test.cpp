// Print with every call it makes failed in turn, or the process ended there as by a crash,
// and Print against the ways a report, its notes and the state folder went wrong before.
#include "commands/report_path.hpp"
#include "commands/report_record.hpp"
#include "durable/append_record.hpp"
#include "durable/rollback_note.hpp"
#include "durable/system_calls.hpp"
#include "print_scene.hpp"
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

using test::earlier;
using test::Fault;
using test::FaultyFiles;
using test::next;
using test::record;
using test::Scene;
using test::State;
using test::torn;

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

using test::errorKinds;

class PrintFaults : public testing::TestWithParam<State> {};

// For every call at every occurrence, every error and a crash there: the report is unchanged
// or gained one whole record, failure is reported exactly when the record is not there, and
// the next Print leaves only whole records and no note.
TEST_P(PrintFaults, EveryCallFailedOrCrashedAtLeavesWholeRecords) {
    std::map<std::string, int> counts;
    std::string unfaulted;
    {
        Scene scene(GetParam());
        FaultyFiles files(scene.roles(), {});
        unfaulted = scene.print(record, &files) ? "failed" : "ok";
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
                // One interrupted call is tried again: it never changes what Print reports.
                if (error == EINTR) {
                    EXPECT_EQ(outcome, unfaulted);
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

// A note that cannot be opened for a while is no strange note: Print fails and leaves it, and the
// torn record it guards goes at the next Print.
class PrintWithANoteItCannotOpen : public testing::TestWithParam<int> {};

TEST_P(PrintWithANoteItCannotOpen, FailsAndKeepsTheNote) {
    Scene scene(State::TornRecord);
    FaultyFiles files(scene.roles(), {{"open note", 1, GetParam()}});
    const auto error = scene.print(record, &files);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->reason.find(std::strerror(GetParam())), std::string::npos) << error->reason;
    EXPECT_TRUE(scene.notesLeft());
    EXPECT_EQ(scene.report(), scene.before);
    EXPECT_EQ(scene.print(next), std::nullopt);
    EXPECT_EQ(scene.report(), scene.clean + next);
    EXPECT_FALSE(scene.notesLeft());
}

INSTANTIATE_TEST_SUITE_P(Errors, PrintWithANoteItCannotOpen, testing::Values(ELOOP, EIO),
                         [](const auto& info) {
                             return std::string(info.param == ELOOP ? "TooManyLinks" : "IoError");
                         });

// Folders of the state path that a Print killed before syncing them may have made.
TEST(PrintSyncsFolders, OfTheStatePathEveryTime) {
    Scene scene(State::NormalPrint);
    const std::string local = scene.home + "/.local";
    fs::create_directories(local + "/state/kavrel");
    scene.state = local + "/state/kavrel";
    auto roles = scene.roles();
    roles[local] = "local";
    roles[local + "/state"] = "statebase";
    FaultyFiles files(roles, {});
    ASSERT_EQ(scene.print(record, &files), std::nullopt);
    const auto write = std::find(files.log.begin(), files.log.end(), "write report");
    for (const char* sync : {"fsync home", "fsync local", "fsync statebase", "fsync state"}) {
        EXPECT_NE(std::find(files.log.begin(), write, sync), write) << sync;
    }
}

// Notes of reports that are gone: a Print reads only a few of them, and over Prints removes
// every one whose file is gone from a file system that is there, never one of a disk away.
TEST(PrintTidiesNotes, ReadsFewAndRemovesOnlyThoseOfFilesGone) {
    Scene scene(State::NormalPrint);
    FileSystem real;
    SystemCalls calls(real);
    const int folder = ::open(scene.path.folder.c_str(), O_PATH);
    FileIdentity here;
    ASSERT_EQ(identify(calls, folder, here), 0);
    ::close(folder);
    const auto put = [&](const RollbackNote& note) {
        test::writeBytes(noteFile(scene.state, note.device, note.inode), encodeNote(note));
    };
    for (int n = 0; n < 40; ++n) {
        put({scene.path.folder + "/gone" + std::to_string(n) + ".txt", here.device,
             static_cast<ino_t>(5000000 + n), 0, "r", false, here.fileSystem, 0, -1});
    }
    const RollbackNote away{"/media/stick/r.txt", 999, 12, 0, "r", false, 777, 0, -1};
    put(away);
    for (int print = 0; print < 6; ++print) {
        FaultyFiles files(scene.roles(), {});
        ASSERT_EQ(scene.print(record, &files), std::nullopt);
        // Its own note looked for and made, and at most eight others.
        EXPECT_LE(files.counts["open note"], 2 + 8);
    }
    int left = 0;
    for (const auto& entry : fs::directory_iterator(scene.state)) {
        left += entry.path().extension() == ".note" ? 1 : 0;
    }
    EXPECT_EQ(left, 1);
    EXPECT_TRUE(fs::exists(noteFile(scene.state, away.device, away.inode)));
}

// A report named by a link to a file not made yet, in another folder: that folder is synced.
TEST(PrintSyncsFolders, ThatHoldsTheFileALinkNames) {
    Scene scene(State::NormalPrint);
    const std::string elsewhere = scene.scratch.string() + "/elsewhere";
    fs::create_directory(elsewhere);
    fs::remove(scene.path.file);
    fs::create_symlink(elsewhere + "/target.txt", scene.path.file);
    auto roles = scene.roles();
    roles[elsewhere] = "elsewhere";
    FaultyFiles files(roles, {});
    ASSERT_EQ(scene.print(record, &files), std::nullopt);
    EXPECT_EQ(test::readBytes(elsewhere + "/target.txt"), record);
    const auto write = std::find(files.log.begin(), files.log.end(), "write report");
    EXPECT_NE(std::find(files.log.begin(), write, "fsync elsewhere"), write);
}

} // namespace
} // namespace kavrel
