// Print beside other Prints and beside many leftover notes, as figures rather than a timed
// test. "contention": PROCESSES copies (8) print PRINTS records (200 in all) back to back to one
// report on a disk whose syncs take 20 ms each, and count the Prints that failed as "in use".
// "replaced": PROCESSES copies (4) print PRINTS records (120 in all), on the same slow disk, while
// another program that
// takes the same lock replaces the report by rename every 0.25 s (flock(1) running sed -i), and
// count the Prints reported as written that the report does not hold.
// "notes": the time of one Print with none, and with NOTES (50,000) notes of other reports that
// are gone, in the state folder.
#include "durable/append_record.hpp"
#include "durable/rollback_note.hpp"

#include <signal.h>
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
#include <vector>

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

int replaced(int processes, int prints) {
    const std::string home = scratch();
    const std::string folder = home + "/temp";
    const std::string file = folder + "/shared.txt";
    fs::create_directories(folder);
    std::ofstream(file) << "start\n";
    int pipes[2];
    if (pipe(pipes) != 0) {
        return 1;
    }
    std::vector<pid_t> printers;
    for (int p = 0; p < processes; ++p) {
        const pid_t child = fork();
        if (child == 0) {
            SlowDisk disk(std::chrono::milliseconds(20));
            AppendOptions options;
            options.fileSystem = &disk;
            options.stateFolder = home + "/state";
            int written = 0;
            for (int n = p; n < prints; n += processes) {
                if (const auto error =
                        appendRecord(folder, file, "record " + std::to_string(n) + "\n", options)) {
                    std::fprintf(stderr, "Print failed: %s\n", error->reason.c_str());
                } else {
                    ++written;
                }
            }
            if (write(pipes[1], &written, sizeof written) != sizeof written) {
                _exit(1);
            }
            _exit(0);
        }
        printers.push_back(child);
    }
    // The replacing program, until every Printer is done.
    const pid_t replacer = fork();
    if (replacer == 0) {
        const std::string command =
            "flock '" + file + "' sed -i -e 's/^start$/start/' '" + file + "'";
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
            if (std::system(command.c_str()) != 0) {
                _exit(1);
            }
        }
    }
    int written = 0;
    for (int p = 0; p < processes; ++p) {
        int count = 0;
        if (read(pipes[0], &count, sizeof count) == sizeof count) {
            written += count;
        }
        waitpid(printers[static_cast<std::size_t>(p)], nullptr, 0);
    }
    kill(replacer, SIGTERM);
    waitpid(replacer, nullptr, 0);
    // A sed it started may still be running.
    if (std::system(("flock '" + file + "' true").c_str()) != 0) {
        std::fprintf(stderr, "flock failed\n");
    }
    std::ifstream in(file);
    int held = 0;
    for (std::string line; std::getline(in, line);) {
        held += line.starts_with("record ") ? 1 : 0;
    }
    std::printf("replaced: %d processes, %d Prints, the report replaced by rename every 0.25 s: "
                "%d reported written, %d in the report, %d missing\n",
                processes, prints, written, held, written - held);
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
    if (what == "replaced") {
        return replaced(argc > 2 ? std::atoi(argv[2]) : 4, argc > 3 ? std::atoi(argv[3]) : 120);
    }
    if (what == "notes") {
        return notes(argc > 2 ? std::atoi(argv[2]) : 50000);
    }
    std::fprintf(stderr,
                 "usage: kavrel_print_bench contention|replaced [PROCESSES [PRINTS]] | notes "
                 "[NOTES]\n");
    return 2;
}
