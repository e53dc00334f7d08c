// Print beside other Prints and beside many leftover notes, as figures rather than a timed
// test. "contention": PROCESSES copies (8) print PRINTS records (200 in all) back to back to one
// report on a disk whose syncs take 20 ms each, and count the Prints that failed as "in use".
// "notes": the time of one Print with none, and with NOTES (50,000) notes of other reports that
// are gone, in the state folder.
#include "durable/append_record.hpp"
#include "durable/rollback_note.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using namespace kavrel;
namespace fs = std::filesystem;

// A disk whose syncs take `pause` each.
class SlowDisk : public FileSystem {
  public:
    explicit SlowDisk(std::chrono::milliseconds pause) : pause_(pause) {}
    int fsync(int fd) override {
        std::this_thread::sleep_for(pause_);
        return FileSystem::fsync(fd);
    }
    int fdatasync(int fd) override {
        std::this_thread::sleep_for(pause_);
        return FileSystem::fdatasync(fd);
    }

  private:
    std::chrono::milliseconds pause_;
};

std::string scratch() {
    std::string pattern = (fs::temp_directory_path() / "kavrel-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return pattern;
}

int contention(int processes, int prints) {
    const std::string home = scratch();
    const std::string folder = home + "/temp";
    const std::string file = folder + "/shared.txt";
    const std::string record(600, 'r');
    int pipes[2];
    if (pipe(pipes) != 0) {
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    for (int p = 0; p < processes; ++p) {
        if (fork() == 0) {
            SlowDisk disk(std::chrono::milliseconds(20));
            AppendOptions options;
            options.stateFolder = home + "/state";
            options.fileSystem = &disk;
            int inUse = 0;
            int other = 0;
            for (int n = p; n < prints; n += processes) {
                if (const auto error = appendRecord(folder, file, record, options)) {
                    (error->reason == reportInUseReason ? inUse : other) += 1;
                }
            }
            const int counts[2] = {inUse, other};
            if (write(pipes[1], counts, sizeof counts) != sizeof counts) {
                _exit(1);
            }
            _exit(0);
        }
    }
    int inUse = 0;
    int other = 0;
    for (int p = 0; p < processes; ++p) {
        int counts[2] = {};
        if (read(pipes[0], counts, sizeof counts) == sizeof counts) {
            inUse += counts[0];
            other += counts[1];
        }
        wait(nullptr);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto records = fs::file_size(file) / record.size();
    std::printf("contention: %d processes, %d Prints, 20 ms syncs: %d failed \"in use\", %d "
                "failed otherwise, %ju records in the report, %.1f s\n",
                processes, prints, inUse, other, static_cast<std::uintmax_t>(records), seconds);
    fs::remove_all(home);
    return 0;
}

double onePrint(const std::string& home, const std::string& state) {
    AppendOptions options;
    options.stateFolder = state;
    const auto start = std::chrono::steady_clock::now();
    if (const auto error =
            appendRecord(home + "/temp", home + "/temp/r.txt", "record\n", options)) {
        std::printf("Print failed: %s\n", error->reason.c_str());
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int notes(int count) {
    const std::string home = scratch();
    const std::string state = home + "/state";
    fs::create_directories(state);
    const double none = onePrint(home, state);
    // Notes of reports that were printed to in a folder that is gone since.
    for (int n = 0; n < count; ++n) {
        RollbackNote note{home + "/gone/r" + std::to_string(n) + ".txt", 1, 1000000u + n, 0,
                          "record\n"};
        std::ofstream(noteFile(state, note.device, note.inode)) << encodeNote(note);
    }
    const double many = onePrint(home, state);
    const double after = onePrint(home, state);
    std::printf("notes: one Print with no notes %.3f s, with %d notes of other reports %.3f s, "
                "the next Print %.3f s\n",
                none, count, many, after);
    fs::remove_all(home);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "contention") {
        return contention(argc > 2 ? std::atoi(argv[2]) : 8, argc > 3 ? std::atoi(argv[3]) : 200);
    }
    if (what == "notes") {
        return notes(argc > 2 ? std::atoi(argv[2]) : 50000);
    }
    std::fprintf(stderr, "usage: kavrel_print_bench contention [PROCESSES [PRINTS]] | notes "
                         "[NOTES]\n");
    return 2;
}
