#include "commands/report_path.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace kavrel {
namespace {

struct PathCase {
    const char* name;
    std::string answer;
    std::string home;
    ReportPath expected;
};

class ReportPathRule : public testing::TestWithParam<PathCase> {};

TEST_P(ReportPathRule, FormsTheTextAndItsFileOnThisSystem) {
    EXPECT_EQ(reportPath(GetParam().answer, GetParam().home), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportPathRule,
    testing::Values(
        PathCase{"PlainName",
                 "results",
                 "/home/ann",
                 {"c:\\temp\\results.txt", "/home/ann/temp", "/home/ann/temp/results.txt"}},
        PathCase{"ExtensionIsAddedAgain",
                 "results.txt",
                 "/home/ann",
                 {"c:\\temp\\results.txt.txt", "/home/ann/temp", "/home/ann/temp/results.txt.txt"}},
        PathCase{"SubFolder",
                 "jobs\\beam1",
                 "/home/ann",
                 {"c:\\temp\\jobs\\beam1.txt", "/home/ann/temp", "/home/ann/temp/jobs/beam1.txt"}},
        PathCase{"EmptyAnswer",
                 "",
                 "/home/ann",
                 {"c:\\temp\\.txt", "/home/ann/temp", "/home/ann/temp/.txt"}},
        PathCase{"BlanksAreKept",
                 " beam 1 ",
                 "/home/ann",
                 {"c:\\temp\\ beam 1 .txt", "/home/ann/temp", "/home/ann/temp/ beam 1 .txt"}},
        PathCase{"EveryBackslash",
                 "a\\\\b\\",
                 "/home/ann",
                 {"c:\\temp\\a\\\\b\\.txt", "/home/ann/temp", "/home/ann/temp/a//b/.txt"}},
        PathCase{
            "Utf8NameKeepsItsBytes",
            "tr\xC3\xA4ger",
            "/home/ann",
            {"c:\\temp\\tr\xC3\xA4ger.txt", "/home/ann/temp", "/home/ann/temp/tr\xC3\xA4ger.txt"}},
        PathCase{"HomeWithTrailingSlash",
                 "r",
                 "/home/ann/",
                 {"c:\\temp\\r.txt", "/home/ann/temp", "/home/ann/temp/r.txt"}},
        PathCase{"RootHome", "r", "/", {"c:\\temp\\r.txt", "/temp", "/temp/r.txt"}}),
    [](const testing::TestParamInfo<PathCase>& info) { return info.param.name; });

// Sets HOME for one test and puts back what was there.
class HomeVariable {
  public:
    explicit HomeVariable(const char* value) {
        if (const char* old = std::getenv("HOME")) {
            saved_ = old;
        }
        if (value) {
            setenv("HOME", value, 1);
        } else {
            unsetenv("HOME");
        }
    }
    ~HomeVariable() {
        if (saved_) {
            setenv("HOME", saved_->c_str(), 1);
        } else {
            unsetenv("HOME");
        }
    }

  private:
    std::optional<std::string> saved_;
};

TEST(HomeFolder, IsTheHomeVariable) {
    HomeVariable home("/srv/engineer");
    EXPECT_EQ(homeFolder(), "/srv/engineer");
}

TEST(HomeFolder, FallsBackToTheUsersEntryWithoutHome) {
    std::string fromEntry;
    {
        HomeVariable home(nullptr);
        fromEntry = homeFolder();
    }
    {
        HomeVariable home("");
        EXPECT_EQ(homeFolder(), fromEntry);
    }
    EXPECT_FALSE(fromEntry.empty());
    EXPECT_EQ(fromEntry.front(), '/');
}

} // namespace
} // namespace kavrel
