#pragma once

// A file system for tests of Print and Export: it counts their calls by call and role, fails
// the ones named or ends the process there, and can make files of one test file system look
// like files of several disks. And the home, report and state folder of one Print.
#include "commands/report_path.hpp"
#include "durable/append_record.hpp"
#include "durable/file_system.hpp"
#include "durable/rollback_note.hpp"
#include "scratch_folder.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kavrel::test {

namespace fs = std::filesystem;

inline std::string recordOf(const std::string& designation) {
    return test::recordWith(SectionFamily::SHS, designation, "3.5");
}

inline const std::string earlier = recordOf("40x40x2.5") + "by hand";
inline const std::string torn = recordOf(std::string(500, 't')); // the record a crash cut short
inline const std::string record = recordOf("100x100x5.0");
inline const std::string next = recordOf("next");

// The errors a disk gives, each injected at every call of the sweeps; 0 is a crash there.
inline const int errorKinds[] = {EIO, ENOSPC, EDQUOT, EINTR, EAGAIN, EPERM, EROFS, 0};

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
    // Device, inode and file system identity a real file shows instead of its own: files of
    // one test file system stand for files of several disks.
    struct Identity {
        dev_t device;
        ino_t inode;
        int fileSystem;
    };
    std::map<std::pair<dev_t, ino_t>, Identity> bound;
    std::optional<uid_t> user; // the effective user Print sees
    bool noAttributes = false; // a file system without extended attributes (vfat)
    // Takes the place of every write to the report when set.
    std::function<ssize_t(int fd, const void* bytes, std::size_t count)> writeInstead;

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
        if (writeInstead && targets_[fd] == "report") {
            return writeInstead(fd, b, n);
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
        return shown(*info);
    }
    int stat(const char* f, struct stat* info) override {
        const int r = reached("stat", roleOf(f));
        return r != 1 ? r : FileSystem::stat(f, info) != 0 ? -1 : shown(*info);
    }
    int lstat(const char* f, struct stat* info) override {
        const int r = reached("lstat", roleOf(f));
        return r != 1 ? r : FileSystem::lstat(f, info) != 0 ? -1 : shown(*info);
    }
    int fstatfs(int fd, struct statfs* info) override {
        struct stat file {};
        if (!pass("fstatfs", fd) || FileSystem::fstatfs(fd, info) != 0 ||
            FileSystem::fstat(fd, &file) != 0) {
            return -1;
        }
        if (const auto at = bound.find({file.st_dev, file.st_ino}); at != bound.end()) {
            info->f_fsid = {{at->second.fileSystem, 0}};
        }
        return 0;
    }
    int statx(int folder, const char* f, int flags, unsigned mask, struct statx* info) override {
        return pass("statx", folder) ? FileSystem::statx(folder, f, flags, mask, info) : -1;
    }
    ssize_t readlink(const char* link, char* bytes, std::size_t size) override {
        const int r = reached("readlink", roleOf(link));
        return r == 1 ? FileSystem::readlink(link, bytes, size) : r;
    }
    int fchmod(int fd, mode_t mode) override {
        return pass("fchmod", fd) ? FileSystem::fchmod(fd, mode) : -1;
    }
    ssize_t fgetxattr(int fd, const char* name, void* value, std::size_t size) override {
        if (!pass("fgetxattr", fd)) {
            return -1;
        }
        if (noAttributes) {
            errno = ENOTSUP;
            return -1;
        }
        return FileSystem::fgetxattr(fd, name, value, size);
    }
    int fsetxattr(int fd, const char* name, const void* value, std::size_t size,
                  int flags) override {
        if (!pass("fsetxattr", fd)) {
            return -1;
        }
        if (noAttributes) {
            errno = ENOTSUP;
            return -1;
        }
        return FileSystem::fsetxattr(fd, name, value, size, flags);
    }
    int fremovexattr(int fd, const char* name) override {
        if (!pass("fremovexattr", fd)) {
            return -1;
        }
        if (noAttributes) {
            errno = ENOTSUP;
            return -1;
        }
        return FileSystem::fremovexattr(fd, name);
    }
    uid_t geteuid() override { return user ? *user : FileSystem::geteuid(); }
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

  protected:
    static constexpr int crashed = 2;

    int shown(struct stat& info) {
        if (const auto at = bound.find({info.st_dev, info.st_ino}); at != bound.end()) {
            info.st_dev = at->second.device;
            info.st_ino = at->second.inode;
        }
        info.st_dev += deviceShift;
        return 0;
    }

    std::string roleOf(const std::string& file) {
        if (file.ends_with(".note")) {
            return "note";
        }
        if (file.ends_with(".part")) {
            return "temp";
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

  private:
    std::map<std::string, std::string> roles_;
    std::map<int, std::string> targets_;
    std::vector<Fault> faults_;
    std::chrono::steady_clock::time_point clock_{};
};

// Whether the file system of `folder` keeps a user's extended attributes (tmpfs before Linux
// 6.6 does not): only there can a report carry its mark.
inline bool marksKeptIn(const std::string& folder) {
    const std::string probe = folder + "/.mark-probe";
    writeBytes(probe, "");
    const bool kept = ::setxattr(probe.c_str(), "user.kavrel.probe", "1", 1, 0) == 0;
    fs::remove(probe);
    return kept;
}

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
            FileSystem real;
            SystemCalls calls(real);
            const int fd = ::open(path.file.c_str(), O_RDONLY);
            FileIdentity id;
            identify(calls, fd, id);
            ::close(fd);
            writeBytes(
                noteFile(state, id.device, id.inode),
                encodeNote({path.file, id.device, id.inode, static_cast<off_t>(earlier.size()),
                            torn, false, id.fileSystem, id.birthSeconds, id.birthNanoseconds}));
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
        return appendRecord(path.folder, path.file, bytes, options);
    }
    std::string report() const { return readBytes(path.file); }
    // Notes in the state folder, or the report's mark.
    bool notesLeft() const {
        if (fs::exists(path.file) &&
            ::getxattr(path.file.c_str(), reportMark.c_str(), nullptr, 0) >= 0) {
            return true;
        }
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

} // namespace kavrel::test
