// Print beside other programs, other disks and other users: a report shared, replaced, moved
// between disks, appended to by a script, or printed to by root.
#include "commands/report_path.hpp"
#include "durable/append_record.hpp"
#include "print_scene.hpp"
#include "scratch_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace kavrel {
namespace {

namespace fs = std::filesystem;
using test::earlier;
using test::FaultyFiles;
using test::readBytes;
using test::record;
using test::Scene;
using test::State;
using test::writeBytes;

using test::next;

std::pair<dev_t, ino_t> realIdentity(const std::string& file) {
    struct stat info {};
    ::stat(file.c_str(), &info);
    return {info.st_dev, info.st_ino};
}

// Ends a Print to the scene's report halfway through writing its record, as a kill would.
void crashWhileWriting(Scene& scene, const FaultyFiles& like) {
    const pid_t child = fork();
    if (child == 0) {
        FaultyFiles files(scene.roles(), {{"write report", 1, 0}});
        files.bound = like.bound;
        scene.print(record, &files);
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "Print did not reach its write";
}

// What happens between a Print killed while writing report A (on disk 1: device 100, inode
// 12) and the next Print to A, which must take the torn record out.
struct Meanwhile {
    const char* name;
    std::function<void(Scene&, FaultyFiles&)> happen;
};

class PrintLeavesOtherFilesNotes : public testing::TestWithParam<Meanwhile> {};

TEST_P(PrintLeavesOtherFilesNotes, AndTheTornRecordGoesAtTheNextPrintToItsFile) {
    Scene scene(State::NormalPrint);
    FaultyFiles files(scene.roles(), {});
    files.bound[realIdentity(scene.path.file)] = {100, 12, 1};
    crashWhileWriting(scene, files);
    ASSERT_EQ(readBytes(scene.path.file), earlier + record.substr(0, record.size() / 2));

    GetParam().happen(scene, files);

    EXPECT_EQ(scene.print(next, &files), std::nullopt);
    EXPECT_EQ(readBytes(scene.path.file), earlier + next);
    EXPECT_FALSE(scene.notesLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintLeavesOtherFilesNotes,
    testing::Values(
        // Inode numbers repeat across file systems: report B on disk 2 has inode 12 too.
        Meanwhile{"PrintToAnotherDiskWithTheSameInode",
                  [](Scene& scene, FaultyFiles& files) {
                      const ReportPath other = reportPath("other", scene.home);
                      writeBytes(other.file, "b\n");
                      files.bound[realIdentity(other.file)] = {200, 12, 2};
                      AppendOptions options;
                      options.stateFolder = scene.state;
                      options.fileSystem = &files;
                      EXPECT_EQ(appendRecord(other.folder, other.file, next, options),
                                std::nullopt);
                      EXPECT_EQ(readBytes(other.file), "b\n" + next);
                  }},
        // The disk unmounted: the name leads to a new file in the empty mount point.
        Meanwhile{"PrintToTheSameNameWhileTheDiskIsAway",
                  [](Scene& scene, FaultyFiles& files) {
                      const std::string away = scene.scratch.string() + "/away";
                      fs::rename(scene.path.file, away);
                      EXPECT_EQ(scene.print(next, &files), std::nullopt);
                      EXPECT_EQ(readBytes(scene.path.file), next);
                      fs::rename(away, scene.path.file);
                  }},
        // The same disk mounted again under another device number.
        Meanwhile{"DiskMountedAgainUnderAnotherDeviceNumber",
                  [](Scene& scene, FaultyFiles& files) {
                      files.bound[realIdentity(scene.path.file)] = {101, 12, 1};
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

// A Print by another copy of the program, with a state folder of its own (another
// XDG_STATE_HOME, or another user), to the report of scene.
std::optional<ReportWriteError> printByAnotherCopy(Scene& scene, const std::string& bytes,
                                                   FileSystem* files = nullptr) {
    AppendOptions options;
    options.stateFolder = scene.scratch.string() + "/other-state";
    options.fileSystem = files;
    options.lockWait = std::chrono::milliseconds(30);
    return appendRecord(scene.path.folder, scene.path.file, bytes, options);
}

// What the first copy leaves on the report before another copy Prints to it, the report the
// other copy must then hold, and what the first copy's next Print must leave after that.
struct LeftByTheFirstCopy {
    const char* name;
    std::function<void(Scene&)> leave;
    std::string afterTheOtherCopy;
    std::string afterTheFirstAgain;
};

class PrintByAnotherCopy : public testing::TestWithParam<LeftByTheFirstCopy> {};

TEST_P(PrintByAnotherCopy, TakesOutWhatTheFirstCopyLeftAndNothingElse) {
    Scene scene(State::NormalPrint);
    if (!test::marksKeptIn(scene.scratch.string())) {
        GTEST_SKIP() << "this file system keeps no extended attributes";
    }
    GetParam().leave(scene);
    EXPECT_EQ(printByAnotherCopy(scene, record), std::nullopt);
    EXPECT_EQ(scene.report(), GetParam().afterTheOtherCopy);
    EXPECT_EQ(scene.print(next), std::nullopt);
    EXPECT_EQ(scene.report(), GetParam().afterTheFirstAgain);
    EXPECT_FALSE(scene.notesLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintByAnotherCopy,
    testing::Values(
        // Killed while writing: the torn half goes, whichever copy Prints next.
        LeftByTheFirstCopy{"KilledWhileWriting",
                           [](Scene& scene) { crashWhileWriting(scene, FaultyFiles({}, {})); },
                           earlier + record, earlier + record + next},
        // A failed record that could not be cut back goes whole; the first copy's note of it
        // must then not take the other copy's record of the same bytes for it.
        LeftByTheFirstCopy{"FailedAndNotCutBack",
                           [](Scene& scene) {
                               FaultyFiles files(scene.roles(), {{"fdatasync report", 1, EIO},
                                                                 {"ftruncate report", 1, EPERM}});
                               ASSERT_NE(scene.print(record, &files), std::nullopt);
                               ASSERT_EQ(scene.report(), earlier + record);
                           },
                           earlier + record, earlier + record + next},
        // A record written whole, but killed before the note and the mark were removed.
        LeftByTheFirstCopy{
            "KilledAfterItsRecord",
            [](Scene& scene) {
                const pid_t child = fork();
                if (child == 0) {
                    FaultyFiles files(scene.roles(), {{"fremovexattr report", 1, 0}});
                    scene.print(record, &files);
                    _exit(1);
                }
                int status = 0;
                waitpid(child, &status, 0);
                ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            },
            earlier + record + record, earlier + record + record + next}),
    [](const auto& info) { return std::string(info.param.name); });

// The mark travels with the file's bytes when a program copies them with their attributes
// (cp -a): it is no note of the copy, which keeps what it holds.
TEST(PrintByAnotherCopy, LeavesACopiedMarkAlone) {
    Scene scene(State::NormalPrint);
    if (!test::marksKeptIn(scene.scratch.string())) {
        GTEST_SKIP() << "this file system keeps no extended attributes";
    }
    crashWhileWriting(scene, FaultyFiles({}, {}));
    const std::string torn = scene.report();
    const std::string copy = scene.path.folder + "/copy.txt";
    writeBytes(copy, torn);
    std::string mark(4096, '\0');
    mark.resize(static_cast<std::size_t>(
        ::getxattr(scene.path.file.c_str(), reportMark.c_str(), mark.data(), mark.size())));
    ASSERT_EQ(::setxattr(copy.c_str(), reportMark.c_str(), mark.data(), mark.size(), 0), 0);

    AppendOptions options;
    options.stateFolder = scene.scratch.string() + "/other-state";
    EXPECT_EQ(appendRecord(scene.path.folder, copy, next, options), std::nullopt);
    EXPECT_EQ(readBytes(copy), torn + next);
    EXPECT_LT(::getxattr(copy.c_str(), reportMark.c_str(), nullptr, 0), 0);
    EXPECT_EQ(scene.print(next), std::nullopt);
    EXPECT_EQ(scene.report(), earlier + next);
}

// On a file system without extended attributes (a vfat stick) the note in the state folder
// still serves the copy that wrote it.
TEST(PrintByAnotherCopy, FileSystemWithoutMarksKeepsTheNoteOfItsCopy) {
    Scene scene(State::NormalPrint);
    FaultyFiles files(scene.roles(), {});
    files.noAttributes = true;
    const pid_t child = fork();
    if (child == 0) {
        FaultyFiles crashing(scene.roles(), {{"write report", 1, 0}});
        crashing.noAttributes = true;
        scene.print(record, &crashing);
        _exit(1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(scene.report(), earlier + record.substr(0, record.size() / 2));
    EXPECT_EQ(scene.print(next, &files), std::nullopt);
    EXPECT_EQ(scene.report(), earlier + next);
    EXPECT_FALSE(scene.notesLeft());
}

// The report's mark cannot be made durable: the message names what failed, not the note.
TEST(PrintByAnotherCopy, AFailedSyncOfTheMarkBlamesTheReport) {
    Scene scene(State::NormalPrint);
    if (!test::marksKeptIn(scene.scratch.string())) {
        GTEST_SKIP() << "this file system keeps no extended attributes";
    }
    FaultyFiles files(scene.roles(), {{"fsync report", 1, EIO}});
    const auto error = scene.print(record, &files);
    ASSERT_NE(error, std::nullopt);
    EXPECT_EQ(error->reason, std::strerror(EIO));
    EXPECT_EQ(scene.report(), scene.before);
    EXPECT_FALSE(scene.notesLeft());
}

// Notes written by earlier versions stay readable; a note cut or changed is no note.
TEST(RollbackNoteBytes, ReadsEveryFormatAndRefusesDamage) {
    RollbackNote marked{"/r.txt", 7, 12, 40, "rec", true, 99, 5, 6, true};
    const std::string bytes = encodeNote(marked);
    EXPECT_EQ(decodeNote(bytes), marked);
    const struct {
        const char* name;
        std::string bytes;
        std::optional<bool> marked; // nothing: refused
    } rows[] = {
        {"WithoutMark", "kavrel rollback id 2\nw\n6\n3\n7\n12\n40\n99\n5\n6\n/r.txtrec", false},
        {"OldestForm", "kavrel rollback note\nf\n6\n3\n7\n12\n40\n/r.txtrec", false},
        {"MarkNeitherZeroNorOne", std::string(bytes).replace(bytes.find("\n1\n/r"), 3, "\n2\n"),
         std::nullopt},
        {"CutShort", bytes.substr(0, bytes.size() - 1), std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto note = decodeNote(row.bytes);
        ASSERT_EQ(note.has_value(), row.marked.has_value());
        if (note) {
            EXPECT_EQ(note->marked, *row.marked);
            EXPECT_EQ(note->record, "rec");
        }
    }
}

// Another program that takes the same lock replaces or removes the report while Print waits
// for the lock: the record goes into the file the name leads to once Print holds it.
struct Replacement {
    const char* name;
    bool removed; // removed, not replaced
};

class PrintAfterTheReportIsReplaced : public testing::TestWithParam<Replacement> {};

TEST_P(PrintAfterTheReportIsReplaced, WritesToTheFileTheNameLeadsTo) {
    Scene scene(State::NormalPrint);
    FaultyFiles files(scene.roles(), {});
    bool done = false;
    files.onCall = [&](const std::string& call) {
        if (call == "flock report" && !done) {
            done = true;
            if (GetParam().removed) {
                fs::remove(scene.path.file);
            } else {
                writeBytes(scene.scratch.string() + "/new", "replaced\n");
                fs::rename(scene.scratch.string() + "/new", scene.path.file);
            }
        }
    };
    EXPECT_EQ(scene.print(record, &files), std::nullopt);
    EXPECT_EQ(readBytes(scene.path.file), (GetParam().removed ? "" : "replaced\n") + record);
    EXPECT_FALSE(scene.notesLeft());
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintAfterTheReportIsReplaced,
                         testing::Values(Replacement{"Replaced", false},
                                         Replacement{"Removed", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A script appends to the report without the lock while a Print fails: its text stays, and
// only this Print's own bytes are ever cut.
struct OtherWriter {
    const char* name;
    std::string when;  // the call before which the script appends
    bool partWritten;  // the write put half the record in before it failed
    std::string after; // the report after the failed Print, without the earlier content
    bool partStays;    // the message says that part of the record stays
};

class PrintFailsBesideAnotherWriter : public testing::TestWithParam<OtherWriter> {};

TEST_P(PrintFailsBesideAnotherWriter, KeepsTheOtherProgramsText) {
    const OtherWriter& c = GetParam();
    const std::string line = "echo from a script\n";
    Scene scene(State::NormalPrint);
    const auto append = [&] {
        std::ofstream(scene.path.file, std::ios::binary | std::ios::app) << line;
    };
    const bool syncFails = c.when == "fdatasync report";
    FaultyFiles files(scene.roles(), {});
    if (syncFails) {
        files = FaultyFiles(scene.roles(), {{"fdatasync report", 1, EIO}});
    }
    files.onCall = [&](const std::string& call) {
        if (call == c.when) {
            append();
        }
    };
    int writes = 0;
    if (!syncFails) {
        files.writeInstead = [&](int fd, const void* bytes, std::size_t count) -> ssize_t {
            if (++writes == 1 && c.partWritten) {
                const ssize_t n = ::write(fd, bytes, count / 2);
                append();
                return n;
            }
            errno = ENOSPC;
            return -1;
        };
    }
    const auto error = scene.print(record, &files);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason.find("part of this record") != std::string::npos, c.partStays)
        << error->reason;
    std::string after;
    for (const char part : c.after) {
        after += part == 'L' ? line : part == 'H' ? record.substr(0, record.size() / 2) : record;
    }
    EXPECT_EQ(readBytes(scene.path.file), earlier + after);
    // Whatever stays, the next Print adds its record whole after it.
    EXPECT_EQ(scene.print(next), std::nullopt);
    EXPECT_EQ(readBytes(scene.path.file), earlier + after + next);
}

// L: the script's line, H: half the record, R: the whole record.
INSTANTIATE_TEST_SUITE_P(
    Cases, PrintFailsBesideAnotherWriter,
    testing::Values(OtherWriter{"LineBeforeAFailedWrite", "write report", false, "L", false},
                    OtherWriter{"LineAfterHalfTheRecord", "", true, "HL", true},
                    OtherWriter{"LineBeforeAFailedSync", "fdatasync report", false, "RL", true}),
    [](const auto& info) { return std::string(info.param.name); });

// Other Prints each holding the report's lock briefly, one after another, for longer than the
// wait: a queue, not a program that keeps the report, so Print waits its turn.
TEST(PrintWait, WaitsOutAQueueOfOtherPrints) {
    Scene scene(State::LockedByAnother);
    FaultyFiles files(scene.roles(), {});
    int polls = 0;
    files.onCall = [&](const std::string& call) {
        if (call != "flock report" || scene.holder < 0) {
            return;
        }
        // Every few tries another holder has added its record; after 100 of them, none is left.
        if (++polls % 4 == 0) {
            std::ofstream(scene.path.file, std::ios::binary | std::ios::app) << "x";
        }
        if (polls == 100) {
            scene.release();
        }
    };
    EXPECT_EQ(scene.print(record, &files), std::nullopt);
    EXPECT_EQ(readBytes(scene.path.file), earlier + std::string(25, 'x') + record);
}

// What is wrong with the state folder is said of the state folder.
// Another program replaces the report every 10 ms (sed -i under flock(1)), holding each file's
// lock until the next, while Print waits 30 ms for one holder: a replacement is a new holder,
// so Print waits on, but only within the bound of a queue (twelve times the wait).
struct Replacing {
    const char* name;
    int replacements; // then it lets go
    bool written;
};

class PrintWhileReplaced : public testing::TestWithParam<Replacing> {};

TEST_P(PrintWhileReplaced, SaysInUseOnlyPastTheBoundOfAQueue) {
    Scene scene(State::LockedByAnother);
    FaultyFiles files(scene.roles(), {});
    const auto start = files.now();
    auto lastReplaced = start;
    int replaced = 0;
    files.onCall = [&](const std::string& call) {
        if (call != "flock report" || scene.holder < 0 ||
            files.now() - lastReplaced < std::chrono::milliseconds(10)) {
            return;
        }
        lastReplaced = files.now();
        const std::string fresh = scene.scratch.string() + "/fresh";
        writeBytes(fresh, scene.report() + "r");
        const int held = ::open(fresh.c_str(), O_RDONLY);
        ::flock(held, LOCK_EX);
        fs::rename(fresh, scene.path.file);
        scene.release();
        scene.holder = held;
        if (++replaced == GetParam().replacements) {
            scene.release();
        }
    };
    const auto error = scene.print(record, &files);
    EXPECT_EQ(!error, GetParam().written);
    if (error) {
        EXPECT_EQ(error->reason, reportInUseReason);
        EXPECT_LE(files.now() - start, std::chrono::milliseconds(12 * 30 + 10));
    }
    EXPECT_EQ(scene.report(), earlier + std::string(static_cast<std::size_t>(replaced), 'r') +
                                  (GetParam().written ? record : ""));
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintWhileReplaced,
                         testing::Values(Replacing{"ForTwiceTheWaitThenLetsGo", 6, true},
                                         Replacing{"WithoutEnd", 1000, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadStateFolder {
    const char* name;
    int error;
    bool isAFile; // a file where the folder should be; else the folder cannot be opened
};

class PrintWithABadStateFolder : public testing::TestWithParam<BadStateFolder> {};

TEST_P(PrintWithABadStateFolder, NamesTheFolderAndWhatIsWrong) {
    Scene scene(State::NormalPrint);
    std::vector<test::Fault> faults;
    if (GetParam().isAFile) {
        fs::remove(scene.state);
        writeBytes(scene.state, "not a folder");
    } else {
        faults.push_back({"open state", 1, GetParam().error});
    }
    FaultyFiles files(scene.roles(), faults);
    const auto error = scene.print(record, &files);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason, "its rollback note cannot be kept in " + scene.state + ": " +
                                 std::strerror(GetParam().error));
    EXPECT_EQ(readBytes(scene.path.file), earlier);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintWithABadStateFolder,
                         testing::Values(BadStateFolder{"AFile", ENOTDIR, true},
                                         BadStateFolder{"NoPermission", EACCES, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Root printing with the user's home (sudo -E) must not leave folders there that the user
// cannot use.
struct MissingFolder {
    const char* name;
    bool stateMissing; // else the report's folder is missing
};

class PrintAsRootInAUsersHome : public testing::TestWithParam<MissingFolder> {};

TEST_P(PrintAsRootInAUsersHome, MakesNoFolderItsOwnerCannotUse) {
    Scene scene(GetParam().stateMissing ? State::NormalPrint : State::FirstPrint);
    fs::create_directory(scene.state);
    const std::string local = scene.home + "/.local";
    if (GetParam().stateMissing) {
        scene.state = local + "/state/kavrel";
    }
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(scene.home.c_str(), 4321, 4321), 0);
    }
    FaultyFiles files(scene.roles(), {});
    files.user = 0;
    const auto error = scene.print(record, &files);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->reason.find(scene.home + " belongs to another user"), std::string::npos)
        << error->reason;
    EXPECT_FALSE(fs::exists(GetParam().stateMissing ? local : scene.path.folder));
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintAsRootInAUsersHome,
                         testing::Values(MissingFolder{"StateFolder", true},
                                         MissingFolder{"ReportFolder", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kavrel
