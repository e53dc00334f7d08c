// Runs the core tests under the user's locale, as the window does: a locale that writes "," in
// printf or streams must change none of the program's texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    const char* active = std::setlocale(LC_ALL, "");
    if (std::getenv("KAVREL_EXPECT_COMMA_LOCALE")) {
        // Without the locale installed the run would silently test "." again.
        const std::lconv* conventions = std::localeconv();
        if (!active || std::strcmp(conventions->decimal_point, ",") != 0) {
            std::fprintf(stderr, "the \",\" locale of LC_ALL is not installed here\n");
            return 1;
        }
    }
    testing::InitGoogleTest(&argc, argv);
    // Print syncs every record to disk; scratch files in memory keep the many-record tests
    // quick, and what the syncs do is checked through the file-system seam.
    if (!std::getenv("TEST_TMPDIR") && access("/dev/shm", W_OK) == 0) {
        setenv("TEST_TMPDIR", "/dev/shm", 1);
    }
    // Print keeps its notes in the state folder: a scratch one, never the user's.
    std::string state =
        (std::filesystem::path(testing::TempDir()) / "kavrel-state-XXXXXX").string();
    if (!mkdtemp(state.data())) {
        std::fprintf(stderr, "no scratch state folder\n");
        return 1;
    }
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(state, ignored);
    return result;
}
