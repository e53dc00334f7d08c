// Export's whole-file write with every call it makes failed in turn, or the process ended there
// as by a crash, and against what may lie at the target's name.
#include "durable/whole_file.hpp"
#include "print_scene.hpp"
#include "scratch_folder.hpp"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace kavrel {
namespace {

namespace fs = std::filesystem;
using test::Fault;
using test::FaultyFiles;
using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

const std::string table = "Designation,A\n100x100x5.0,18.7\n";
const std::string oldTable = "an earlier table\n";

enum class Target { New, Existing, Link, StaleTemporary };

// A folder and what is at the target's name before an export.
struct ExportScene {
    ScratchFolder scratch;
    std::string folder = scratch.string() + "/out";
    std::string path = folder + "/table.csv";
    std::string file = path; // the file the export writes: the link's target for a link
    bool existed = true;

    explicit ExportScene(Target kind) {
        fs::create_directory(folder);
        if (kind == Target::New) {
            existed = false;
            return;
        }
        if (kind == Target::Link) {
            file = folder + "/real.csv";
            fs::create_symlink("real.csv", path);
        }
        writeBytes(file, oldTable);
        ::chmod(file.c_str(), 0640);
        if (kind == Target::StaleTemporary) {
            // What an export killed by an earlier version left.
            writeBytes(folder + "/.table.csv.123456.part", "half a tab");
        }
    }
    std::map<std::string, std::string> roles() const {
        return {{path, "target"}, {file, "target"}, {folder, "folder"}};
    }
    WholeFileOutcome write(FileSystem* files = nullptr) {
        return writeWholeFile(path, table, files);
    }
    std::vector<std::string> temporaries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename().string().ends_with(".part")) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }
    bool asBefore() const { return existed ? readBytes(file) == oldTable : !fs::exists(file); }
    bool replaced() const {
        return readBytes(file) == table && fs::is_symlink(path) == (file != path) &&
               (!existed ||
                (fs::status(file).permissions() & fs::perms::all) ==
                    (fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read));
    }
};

const char* kindName(WholeFileOutcome::Kind kind) {
    return kind == WholeFileOutcome::Written     ? "written"
           : kind == WholeFileOutcome::NotSynced ? "not synced"
                                                 : "not written";
}

using test::errorKinds;

class ExportFaults : public testing::TestWithParam<Target> {};

// For every call at every occurrence, every error and a crash there: the target is the earlier
// file or the whole new one, success is reported exactly when the new one is in place, no
// temporary file outlives a failed export, and the next export leaves none at all.
TEST_P(ExportFaults, EveryCallFailedOrCrashedAtLeavesOneWholeFile) {
    std::map<std::string, int> counts;
    {
        ExportScene scene(GetParam());
        FaultyFiles files(scene.roles(), {});
        ASSERT_EQ(scene.write(&files).kind, WholeFileOutcome::Written);
        ASSERT_TRUE(scene.replaced());
        counts = files.counts;
    }
    int cases = 0;
    for (const auto& [call, times] : counts) {
        for (int occurrence = 1; occurrence <= times; ++occurrence) {
            for (const int error : errorKinds) {
                SCOPED_TRACE(call + " #" + std::to_string(occurrence) + ": " +
                             (error ? std::strerror(error) : "crash"));
                ExportScene scene(GetParam());
                FaultyFiles files(scene.roles(), {{call, occurrence, error}});
                if (error == 0) {
                    const pid_t child = fork();
                    if (child == 0) {
                        scene.write(&files);
                        _exit(1);
                    }
                    int status = 0;
                    waitpid(child, &status, 0);
                    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "not reached";
                    EXPECT_TRUE(scene.asBefore() || scene.replaced());
                } else {
                    const WholeFileOutcome outcome = scene.write(&files);
                    SCOPED_TRACE(std::string(kindName(outcome.kind)) + ": " + outcome.reason);
                    if (error == EINTR) {
                        EXPECT_EQ(outcome.kind, WholeFileOutcome::Written);
                    }
                    if (outcome.kind == WholeFileOutcome::NotWritten) {
                        EXPECT_TRUE(scene.asBefore());
                    } else {
                        EXPECT_TRUE(scene.replaced());
                    }
                    EXPECT_EQ(outcome.reason.empty(), outcome.kind == WholeFileOutcome::Written);
                    for (const std::string& name : scene.temporaries()) {
                        EXPECT_EQ(name, ".table.csv.123456.part") << "a temporary file stays";
                    }
                }
                EXPECT_EQ(scene.write().kind, WholeFileOutcome::Written);
                EXPECT_TRUE(scene.replaced());
                EXPECT_EQ(scene.temporaries(), std::vector<std::string>{});
                ++cases;
            }
        }
    }
    std::cout << cases << " cases\n";
}

std::string targetName(const testing::TestParamInfo<Target>& info) {
    constexpr const char* names[] = {"New", "Existing", "Link", "StaleTemporary"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Targets, ExportFaults,
                         testing::Values(Target::New, Target::Existing, Target::Link,
                                         Target::StaleTemporary),
                         targetName);

// What may be at the target's name.
struct AtTheName {
    const char* name;
    std::string kind; // "fifo", "socket", "device", "long"
    bool written;
};

class ExportOver : public testing::TestWithParam<AtTheName> {};

TEST_P(ExportOver, WritesARegularFileOrRefuses) {
    const AtTheName& c = GetParam();
    ScratchFolder scratch;
    std::string path = scratch.string() + "/table.csv";
    if (c.kind == "fifo") {
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    } else if (c.kind == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::strcpy(address.sun_path, path.c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    } else if (c.kind == "device") {
        fs::create_symlink("/dev/null", path);
    } else {
        // The longest name a folder can hold, and one file beside it of a name that long.
        path = scratch.string() + "/" + std::string(251, 'n') + ".csv";
        writeBytes(path, oldTable);
    }
    const WholeFileOutcome outcome = writeWholeFile(path, table);
    EXPECT_EQ(outcome.kind, c.written ? WholeFileOutcome::Written : WholeFileOutcome::NotWritten)
        << outcome.reason;
    if (c.written) {
        EXPECT_EQ(readBytes(path), table);
    } else {
        EXPECT_NE(outcome.reason.find("not a regular file"), std::string::npos) << outcome.reason;
        EXPECT_FALSE(fs::is_regular_file(fs::symlink_status(path)));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path()), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportOver,
                         testing::Values(AtTheName{"Fifo", "fifo", false},
                                         AtTheName{"Socket", "socket", false},
                                         AtTheName{"LinkToADevice", "device", false},
                                         AtTheName{"NameOf255Bytes", "long", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kavrel
