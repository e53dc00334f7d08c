// kavrel-table's arguments through its one option table.
#include "table/table_options.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kavrel {
namespace {

std::variant<CommandLine, TableError> parsed(const std::vector<const char*>& arguments) {
    return parseCommandLine(arguments);
}

std::string errorOf(const std::vector<const char*>& arguments) {
    const auto outcome = parsed(arguments);
    const auto* error = std::get_if<TableError>(&outcome);
    return error ? error->message : "no error";
}

TEST(TableOptions, UsageErrorsNameTheOptionOrValue) {
    const struct {
        const char* name;
        std::vector<const char*> arguments;
        std::string message;
    } cases[] = {
        {"unknown option", {"--bogus"}, "unknown option \"--bogus\" (see --help)"},
        {"unknown option with a value", {"--foo=exact"}, "unknown option \"--foo\" (see --help)"},
        {"a lone dash", {"-"}, "unknown option \"-\" (see --help)"},
        {"value given to a flag", {"--explain=yes"}, "unknown option \"--explain\" (see --help)"},
        {"value missing at the end", {"--limit"}, "--limit needs a value"},
        {"unusable value after =", {"--limit=x"}, "--limit \"x\": "},
        {"unusable value after a blank", {"--pi", "3"}, "--pi \"3\": "},
        {"unusable format", {"--format", "xml"}, "--format \"xml\": "},
        {"error before a later --help", {"--bogus", "--help"}, "unknown option \"--bogus\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf(c.arguments).substr(0, c.message.size()), c.message) << c.name;
    }
}

TEST(TableOptions, ArgumentsSetTheRequest) {
    const auto outcome =
        parsed({"--family", "RHS", "--family=CHS", "--sort", "-W", "--limit=3", "--where", "A>=2",
                "--explain", "50x25x2.0", "--format", "html", "--significant", "4", "--catalogue",
                "EN10210", "--pi=exact", "--columns", "A,W"});
    ASSERT_TRUE(std::holds_alternative<CommandLine>(outcome))
        << std::get<TableError>(outcome).message;
    const CommandLine& line = std::get<CommandLine>(outcome);
    EXPECT_EQ(line.request.families, (std::vector{SectionFamily::RHS, SectionFamily::CHS}));
    ASSERT_TRUE(line.request.sort);
    EXPECT_TRUE(line.request.sort->descending);
    EXPECT_EQ(line.request.limit, 3U);
    EXPECT_EQ(line.request.conditions.size(), 1U);
    EXPECT_TRUE(line.explaining);
    EXPECT_EQ(line.request.sizes, std::vector<std::string>{"50x25x2.0"});
    EXPECT_EQ(line.formatText, "html");
    EXPECT_EQ(line.request.significant, 4);
    EXPECT_EQ(line.request.catalogues, std::vector{Catalogue::EN10210});
    ASSERT_TRUE(line.request.pi);
    EXPECT_EQ(line.request.columns, (std::vector<std::string>{"A", "W"}));
    EXPECT_EQ(line.tableOnly, "--columns"); // the last of --sort, --limit, --where, --columns
    EXPECT_FALSE(line.help || line.version);
}

TEST(TableOptions, HelpAndVersionStopReading) {
    const struct {
        const char* name;
        std::vector<const char*> arguments;
        bool help;
    } cases[] = {
        {"help before an unknown option", {"--help", "--bogus"}, true},
        {"version before a missing value", {"--version", "--limit"}, false},
    };
    for (const auto& c : cases) {
        const auto outcome = parsed(c.arguments);
        ASSERT_TRUE(std::holds_alternative<CommandLine>(outcome)) << c.name;
        EXPECT_EQ(std::get<CommandLine>(outcome).help, c.help) << c.name;
        EXPECT_EQ(std::get<CommandLine>(outcome).version, !c.help) << c.name;
    }
}

// Each row is reachable by its name, unique, and fits the help's column; an option that takes
// a value refuses an empty one under its own name, so no row falls through to another's parser.
TEST(TableOptions, EveryRowIsItsOwnOption) {
    std::set<std::string_view> names;
    const std::string help = "\n" + optionsHelp();
    for (const TableOption& option : tableOptions()) {
        EXPECT_TRUE(names.insert(option.name).second) << option.name;
        EXPECT_TRUE(option.name.starts_with("--")) << option.name;
        EXPECT_LE(option.name.size() + option.value.size() + 5, 20U) << option.name;
        EXPECT_NE(help.find("\n  " + std::string(option.name)), std::string::npos) << option.name;
        if (option.value.empty()) {
            continue;
        }
        const std::string argument = std::string(option.name) + "=";
        const std::string named = std::string(option.name) + " \"\": ";
        EXPECT_EQ(errorOf({argument.c_str()}).substr(0, named.size()), named) << option.name;
    }
}

} // namespace
} // namespace kavrel
