// Runs the core tests under the user's locale, as the window does: a locale that writes "," in
// printf or streams must change none of the program's texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    return RUN_ALL_TESTS();
}
