#include "commands/report_record.hpp"
#include "durable/append_record.hpp"
#include "scratch_folder.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace kavrel {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

SectionProperties boxesWith(const std::string& text) {
    return {text, text, text, text, text, text, text, text, text, text, text};
}

// Two records as an earlier run would have left them.
std::string earlierRecords() {
    return reportRecord({SectionFamily::RHS, "50x25x2.0", boxesWith("2.74")}) +
           reportRecord({SectionFamily::CHS, "15NBx2.0(L)", boxesWith(".57")});
}

// Every entry below a folder with its kind and, for files, its bytes: a failed Print must
// leave all of it as it was.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (entry.is_symlink()) {
            entries[name] = "link";
        } else if (entry.is_directory()) {
            entries[name] = "folder";
        } else if (entry.is_regular_file()) {
            entries[name] = "file:" + readBytes(entry.path());
        } else {
            entries[name] = "other";
        }
    }
    return entries;
}

TEST(AppendRecord, CreatesTheTempFolderAndTheReport) {
    ScratchFolder home;
    const ReportPath path = reportPath("results", home.string());
    const std::string record = reportRecord({SectionFamily::RHS, "50x25x2.0", {}});
    EXPECT_EQ(appendRecord(path, record), std::nullopt);
    EXPECT_TRUE(fs::is_directory(home.path() / "temp"));
    EXPECT_EQ(readBytes(home.path() / "temp" / "results.txt"), record);
}

TEST(AppendRecord, AddsRecordsBackToBackBehindExistingContent) {
    ScratchFolder home;
    fs::create_directory(home.path() / "temp");
    const fs::path file = home.path() / "temp" / "results.txt";
    // Content that is no record at all, without a final line end, stays as it is.
    const std::string existing = earlierRecords() + "notes by hand";
    writeBytes(file, existing);

    const std::string first = reportRecord({SectionFamily::RHS, "50x25x2.0", boxesWith("1")});
    const std::string second = reportRecord({SectionFamily::SHS, "100x100x5.0", {}});
    const ReportPath path = reportPath("results", home.string());
    EXPECT_EQ(appendRecord(path, first), std::nullopt);
    EXPECT_EQ(appendRecord(path, second), std::nullopt);
    EXPECT_EQ(readBytes(file), existing + first + second);
}

TEST(AppendRecord, WritesIntoAnExistingSubFolder) {
    ScratchFolder home;
    fs::create_directories(home.path() / "temp" / "jobs");
    const std::string record = reportRecord({SectionFamily::CHS, "15NBx2.0(L)", {}});
    EXPECT_EQ(appendRecord(reportPath("jobs\\beam1", home.string()), record), std::nullopt);
    EXPECT_EQ(readBytes(home.path() / "temp" / "jobs" / "beam1.txt"), record);
}

TEST(AppendRecord, CreatesADeletedReportAgain) {
    ScratchFolder home;
    const ReportPath path = reportPath("", home.string());
    const std::string record = reportRecord({std::nullopt, "", {}});
    ASSERT_EQ(appendRecord(path, record), std::nullopt);
    fs::remove(path.file);
    EXPECT_EQ(appendRecord(path, record), std::nullopt);
    EXPECT_EQ(readBytes(home.path() / "temp" / ".txt"), record);
}

// A Print that cannot write, next to a report that already holds records.
struct FaultCase {
    const char* name;
    std::string answer;
    std::function<void(const fs::path& temp)> prepare;
    int error;
};

class AppendRecordFault : public testing::TestWithParam<FaultCase> {};

TEST_P(AppendRecordFault, ReportsTheReasonAndChangesNothing) {
    const FaultCase& c = GetParam();
    ScratchFolder home;
    const fs::path temp = home.path() / "temp";
    fs::create_directory(temp);
    writeBytes(temp / "results.txt", earlierRecords());
    c.prepare(temp);
    const auto before = snapshot(home.path());

    const ReportPath path = reportPath(c.answer, home.string());
    const auto error = appendRecord(path, reportRecord({SectionFamily::RHS, "50x25x2.0", {}}));

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->path, path.file);
    EXPECT_EQ(error->reason, std::strerror(c.error));
    EXPECT_EQ(snapshot(home.path()), before);
    EXPECT_EQ(readBytes(temp / "results.txt"), earlierRecords());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AppendRecordFault,
    testing::Values(
        FaultCase{"MissingSubFolder", "missing\\results", [](const fs::path&) {}, ENOENT},
        FaultCase{"FolderWhereTheFileShouldBe", "jobs",
                  [](const fs::path& temp) { fs::create_directory(temp / "jobs.txt"); }, EISDIR},
        FaultCase{"FileWhereTheSubFolderShouldBe", "jobs\\beam1",
                  [](const fs::path& temp) { writeBytes(temp / "jobs", "plain file"); }, ENOTDIR},
        FaultCase{
            "PipeWithNoReader", "pipe",
            [](const fs::path& temp) { ASSERT_EQ(mkfifo((temp / "pipe.txt").c_str(), 0666), 0); },
            ENXIO},
        FaultCase{"NameTooLong", std::string(300, 'x'), [](const fs::path&) {}, ENAMETOOLONG},
        FaultCase{"NulInTheName", std::string("results\0x", 9), [](const fs::path&) {}, EINVAL}),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

// A Print keeps its record and the report's name in a rollback note, which is read back whole
// only up to its bound: together they may take 8 MiB, and one byte more is refused before
// anything is written.
TEST(AppendRecord, RecordUpToTheNotesBoundIsWrittenAndBeyondItRefused) {
    constexpr std::size_t bound = std::size_t{8} << 20;
    const struct {
        const char* name;
        std::size_t beyond; // bytes beyond the bound
        bool written;
    } cases[] = {
        {"at the bound", 0, true},
        {"one byte beyond", 1, false},
    };
    for (const auto& c : cases) {
        ScratchFolder home;
        const ReportPath path = reportPath("results", home.string());
        const std::string record(bound + c.beyond - path.file.size(), 'r');
        const auto error = appendRecord(path, record);
        EXPECT_EQ(error.has_value(), !c.written) << c.name;
        if (error) {
            EXPECT_EQ(error->reason, std::strerror(EFBIG)) << c.name;
        }
        EXPECT_EQ(fs::exists(path.file) ? readBytes(path.file).size() : 0,
                  c.written ? record.size() : 0)
            << c.name;
    }
}

TEST(AppendRecord, MissingHomeFolderIsNotCreated) {
    ScratchFolder scratch;
    const ReportPath path = reportPath("results", (scratch.path() / "nobody").string());
    const auto error = appendRecord(path, reportRecord({SectionFamily::RHS, "", {}}));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason, std::strerror(ENOENT));
    EXPECT_TRUE(fs::is_empty(scratch.path()));
}

TEST(AppendRecord, TempThatIsAFileStaysAsItIs) {
    ScratchFolder home;
    writeBytes(home.path() / "temp", earlierRecords());
    const auto error = appendRecord(reportPath("results", home.string()),
                                    reportRecord({SectionFamily::RHS, "", {}}));
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->reason, std::strerror(ENOTDIR));
    EXPECT_EQ(readBytes(home.path() / "temp"), earlierRecords());
}

// Runs body in a child process and returns what it wrote to its pipe, with its exit status.
struct ChildResult {
    int status = -1;
    std::string output;
};

ChildResult runInChild(const std::function<std::string()>& body) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return {};
    }
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const std::string output = body();
        const ssize_t ignored = write(pipeEnds[1], output.data(), output.size());
        (void)ignored;
        _exit(0);
    }
    close(pipeEnds[1]);
    ChildResult result;
    char buffer[512];
    ssize_t got;
    while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) {
        result.output.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    waitpid(child, &result.status, 0);
    return result;
}

// The file size limit cuts the write short for real (even for root); the record must not
// stay in part, whether SIGXFSZ is ignored or left to end the program.
struct ShortWriteCase {
    const char* name;
    long roomAfterEnd; // bytes the limit allows behind the earlier content; -1: the record fits
    bool ignoreSignal;
};

class AppendRecordShortWrite : public testing::TestWithParam<ShortWriteCase> {};

TEST_P(AppendRecordShortWrite, CutsTheFileBackToItsEarlierContent) {
    const ShortWriteCase& c = GetParam();
    ScratchFolder home;
    fs::create_directory(home.path() / "temp");
    const fs::path file = home.path() / "temp" / "results.txt";
    writeBytes(file, earlierRecords());
    const ReportPath path = reportPath("results", home.string());
    const std::string record = reportRecord({SectionFamily::RHS, "50x25x2.0", boxesWith("8.38")});
    const bool fits = c.roomAfterEnd < 0;
    const auto limit =
        static_cast<rlim_t>(earlierRecords().size() + (fits ? record.size() : c.roomAfterEnd));

    const ChildResult child = runInChild([&] {
        signal(SIGXFSZ, c.ignoreSignal ? SIG_IGN : SIG_DFL);
        rlimit size{};
        getrlimit(RLIMIT_FSIZE, &size);
        size.rlim_cur = limit;
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) {
            return std::string("setrlimit failed");
        }
        const auto error = appendRecord(path, record);
        return error ? "error:" + error->path + ":" + error->reason : std::string("ok");
    });

    ASSERT_TRUE(WIFEXITED(child.status))
        << "the child ended by signal " << (WIFSIGNALED(child.status) ? WTERMSIG(child.status) : 0);
    EXPECT_EQ(WEXITSTATUS(child.status), 0);
    if (fits) {
        EXPECT_EQ(child.output, "ok");
        EXPECT_EQ(readBytes(file), earlierRecords() + record);
    } else {
        EXPECT_EQ(child.output, "error:" + path.file + ":" + std::strerror(EFBIG));
        EXPECT_EQ(readBytes(file), earlierRecords());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AppendRecordShortWrite,
                         testing::Values(ShortWriteCase{"OneByteRoomSignalIgnored", 1, true},
                                         ShortWriteCase{"HundredBytesRoomSignalIgnored", 100, true},
                                         ShortWriteCase{"NoRoomSignalIgnored", 0, true},
                                         ShortWriteCase{"OneByteRoomSignalDefault", 1, false},
                                         ShortWriteCase{"NoRoomSignalDefault", 0, false},
                                         ShortWriteCase{"RecordFitsSignalDefault", -1, false}),
                         [](const testing::TestParamInfo<ShortWriteCase>& info) {
                             return info.param.name;
                         });

TEST(AppendRecord, WaitsWhileAnotherCopyHoldsTheReport) {
    ScratchFolder home;
    const ReportPath path = reportPath("shared", home.string());
    fs::create_directory(path.folder);
    writeBytes(path.file, earlierRecords());

    // Here this test plays the other copy: it holds the lock while the child tries to print.
    const int other = open(path.file.c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);

    const std::string record = reportRecord({SectionFamily::SHS, "40x40x2.5", {}});
    int done[2];
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(other);
        close(done[0]);
        const bool ok = !appendRecord(path, record).has_value();
        _exit(ok ? 0 : 1);
    }
    close(done[1]);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(readBytes(path.file), earlierRecords()) << "the child wrote past the lock";

    const std::string otherRecord = reportRecord({SectionFamily::CHS, "other copy", {}});
    ASSERT_EQ(write(other, otherRecord.data(), otherRecord.size()),
              static_cast<ssize_t>(otherRecord.size()));
    close(other);

    int status = 0;
    waitpid(child, &status, 0);
    close(done[0]);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readBytes(path.file), earlierRecords() + otherRecord + record);
}

// Records of different lengths, so that a record cut or mixed with another shows up.
ReportInputs concurrentRecord(int writer, int number) {
    const std::string id = "writer" + std::to_string(writer) + "-" + std::to_string(number);
    return {SectionFamily::RHS, id + std::string(static_cast<std::size_t>(number % 97), 'x'),
            boxesWith(std::to_string(number * 7 + writer))};
}

TEST(AppendRecord, TwoCopiesPrintingAtOnceKeepEveryRecordWhole) {
    constexpr int writers = 2;
    constexpr int recordsEach = 500;
    ScratchFolder home;
    const ReportPath path = reportPath("shared", home.string());

    std::vector<pid_t> children;
    for (int writer = 0; writer < writers; ++writer) {
        const pid_t child = fork();
        if (child == 0) {
            for (int n = 0; n < recordsEach; ++n) {
                if (appendRecord(path, reportRecord(concurrentRecord(writer, n)))) {
                    _exit(1);
                }
            }
            _exit(0);
        }
        ASSERT_GT(child, 0);
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    // Read the file back record by record, each writer's records in its own order.
    const std::string content = readBytes(path.file);
    std::size_t at = 0;
    int next[writers] = {};
    int records = 0;
    while (at < content.size()) {
        const std::string prefix = "Section Description : RHS writer";
        ASSERT_EQ(content.compare(at, prefix.size(), prefix), 0) << "at byte " << at;
        const int writer = content[at + prefix.size()] - '0';
        ASSERT_TRUE(writer >= 0 && writer < writers) << "at byte " << at;
        ASSERT_LT(next[writer], recordsEach);
        const std::string expected = reportRecord(concurrentRecord(writer, next[writer]));
        ASSERT_EQ(content.compare(at, expected.size(), expected), 0)
            << "record " << next[writer] << " of writer " << writer << " at byte " << at;
        at += expected.size();
        ++next[writer];
        ++records;
    }
    EXPECT_EQ(records, writers * recordsEach);
    EXPECT_EQ(next[0], recordsEach);
    EXPECT_EQ(next[1], recordsEach);
}

} // namespace
} // namespace kavrel
