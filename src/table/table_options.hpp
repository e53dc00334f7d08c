#pragma once

#include "table/table_request.hpp"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kavrel {

// What kavrel-table's arguments ask for: the request, and what the program decides once every
// argument is read.
struct CommandLine {
    TableRequest request;
    bool explaining = false; // --explain: the calculation sheets instead of the table
    bool help = false;       // --help or --version: write it, and read no further argument
    bool version = false;
    std::string_view formatText; // --format as given: "html" is checked once sheets are known
    std::string_view tableOnly;  // the last option given that sheets do not take
    std::string_view sheetOnly;  // the last option given that only sheets take
    SheetFields sheetFields;     // --project, --by, --checked, --date
};

// Whether an option applies to the table only, or to the calculation sheets too.
enum class OptionScope { TableOnly, SheetToo, SheetOnly };

// One option of kavrel-table: everything about it is in its row of tableOptions().
struct TableOption {
    std::string_view name;  // "--family"
    std::string_view value; // the value as the help names it ("F"); empty: the option takes none
    OptionScope scope;
    // Sets what the option sets; the error of its value (the parser names option and value).
    std::optional<TableError> (*set)(CommandLine& line, std::string_view value);
    std::string_view help; // its help lines, '\n' between them
};

// Every option, in the order of the help.
std::span<const TableOption> tableOptions();

// The options' part of --help: each row's name and value, then its help lines in one column.
std::string optionsHelp();

// The arguments after the program's name: "--name value", "--name=value" or a size. A usage
// error is one line naming the option or value concerned.
std::variant<CommandLine, TableError> parseCommandLine(std::span<const char* const> arguments);

} // namespace kavrel
