#pragma once

#include "catalogue/catalogues.hpp"
#include "catalogue/section_family.hpp"
#include "design/design_request.hpp"
#include "properties/formula_sets.hpp"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kavrel {

enum class TableFormat { Csv, Json, Text };

enum class Comparison { AtLeast, AtMost, Above, Below, Equal };

// Each comparison as a condition writes it and as a window shows it (UTF-8), in the order
// offered to the user.
struct ComparisonSymbol {
    Comparison comparison;
    std::string_view written;
    std::string_view shown;
};
inline constexpr ComparisonSymbol comparisonSymbols[] = {
    {Comparison::AtLeast, ">=", "\u2265"}, {Comparison::AtMost, "<=", "\u2264"},
    {Comparison::Above, ">", ">"},         {Comparison::Below, "<", "<"},
    {Comparison::Equal, "=", "="},
};

// A condition on a numeric column, compared with the number its text shows.
struct Condition {
    std::string column;
    Comparison comparison;
    double number;
};

struct SortKey {
    std::string column;
    bool descending = false;
};

// The one entry of TableRequest::columns that asks for every column.
inline constexpr std::string_view allColumns = "all";

// What a section table holds and how it is written. Rows are the catalogues' sizes (or the
// given sizes), then those of the families, then those meeting every condition, sorted, then
// limited.
struct TableRequest {
    std::vector<std::string> sizes = {};      // designations or own sizes; none: the catalogues
    std::vector<SectionFamily> families = {}; // none: every family
    std::vector<Condition> conditions = {};
    std::optional<SortKey> sort = {}; // ties keep their order
    std::optional<std::size_t> limit = {};
    // None: the default columns; {allColumns}: every column, the catalogue first when
    // catalogues are chosen.
    std::vector<std::string> columns = {};
    TableFormat format = TableFormat::Csv;
    // Pi for the IS formulas; none: 22/7. The other catalogues take only the true pi.
    std::optional<double> pi = {};
    // The catalogues, in the order of their rows; none: IS alone, as the window.
    std::vector<Catalogue> catalogues = {};
    // Results rounded to this many significant figures (1 to 15); none: fixed decimals.
    std::optional<int> significant = {};
    // The steel grade and the rest of what the design resistances take; without a grade, no
    // design columns.
    DesignRequest design = {};
    // The units of every figure and of the sizes of one's own; none: the home units of the
    // first catalogue. Given, or with AISC among the catalogues, the headers name the units.
    std::optional<UnitSystem> units = {};
};

// The head of a calculation sheet as a checked calculation carries it: empty fields are left
// for writing in by hand.
struct SheetFields {
    std::string project;
    std::string calculatedBy;
    std::string checkedBy;
    std::string date;
    bool operator==(const SheetFields&) const = default;
};

// Why a request gives no table; the message is one line, naming what is wrong.
struct TableError {
    enum class Kind {
        BadRequest,       // a size, column, condition or option value that cannot be used
        CatalogueFailure, // a catalogue size computed nothing: a fault of the program
    };
    Kind kind;
    std::string message;
};

// A request that cannot be used, for this message.
inline TableError badRequest(std::string message) {
    return {TableError::Kind::BadRequest, std::move(message)};
}

// The text in double quotes, for messages: a quote or backslash gets a backslash before it and
// a control byte is written as an escape ("\n", "\t", "\x1b"), so a message is one line.
std::string quoted(std::string_view text);

// The texts of the request's options, as a user writes them. Each fails with a message
// that quotes the text.
std::variant<SectionFamily, TableError> parseFamily(std::string_view text); // RHS, SHS, CHS
std::variant<Condition, TableError> parseCondition(std::string_view text);  // "Zxx >= 50"
std::variant<SortKey, TableError> parseSortKey(std::string_view text);      // "W", "-W"
std::variant<std::size_t, TableError> parseLimit(std::string_view text);    // "10"
std::variant<std::vector<std::string>, TableError> parseColumns(std::string_view text); // "A,W"
std::variant<TableFormat, TableError> parseFormat(std::string_view text);  // csv, json, text
std::variant<double, TableError> parsePi(std::string_view text);           // exact, 22/7
std::variant<Catalogue, TableError> parseCatalogue(std::string_view text); // IS, EN10210, ...
std::variant<int, TableError> parseSignificant(std::string_view text);     // 1 to 15
std::variant<UnitSystem, TableError> parseUnits(std::string_view text);    // metric, us

// The design options' texts (design_options.cpp).
std::variant<SteelGrade, TableError> parseGrade(std::string_view text);      // S235 ... S460
std::variant<double, TableError> parseYieldStrength(std::string_view text);  // 100 to 1000
std::variant<double, TableError> parsePartialFactor(std::string_view text);  // 1.0 to 2.0
std::variant<FlatWidth, TableError> parseFlatWidth(std::string_view text);   // 2t, 3t, corners
std::variant<FormingRoute, TableError> parseForming(std::string_view text);  // cold, hot
std::variant<BucklingLength, TableError> parseLength(std::string_view text); // metres, "3.5"

} // namespace kavrel
