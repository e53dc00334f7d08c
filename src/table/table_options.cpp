#include "table/table_options.hpp"

#include <algorithm>
#include <utility>
#include <vector>

namespace kavrel {
namespace {

// An option's value stored in its field of the request, or the parser's error.
template <typename Value, typename Field>
std::optional<TableError> setTo(std::variant<Value, TableError> parsed, Field& field) {
    if (auto* error = std::get_if<TableError>(&parsed)) {
        return std::move(*error);
    }
    field = std::get<Value>(std::move(parsed));
    return std::nullopt;
}

// The same for an option that may be repeated: each value is added to the list.
template <typename Value>
std::optional<TableError> addTo(std::variant<Value, TableError> parsed, std::vector<Value>& list) {
    if (auto* error = std::get_if<TableError>(&parsed)) {
        return std::move(*error);
    }
    list.push_back(std::get<Value>(std::move(parsed)));
    return std::nullopt;
}

using Line = CommandLine;
using Text = std::string_view;
constexpr OptionScope tableOnly = OptionScope::TableOnly;
constexpr OptionScope sheetToo = OptionScope::SheetToo;
constexpr OptionScope sheetOnly = OptionScope::SheetOnly;

// A field of the sheets' head: one line of text as given.
std::optional<TableError> setField(std::string& field, std::string_view value) {
    if (value.empty() || value.find_first_of("\n\r") != std::string_view::npos) {
        return badRequest("write it as one line of text");
    }
    field = value;
    return std::nullopt;
}

const TableOption options[] = {
    {"--catalogue", "NAME", sheetToo,
     [](Line& l, Text v) { return addTo(parseCatalogue(v), l.request.catalogues); },
     "the sizes and formulas of catalogue NAME: IS, EN10210, EN10219 or AISC;\n"
     "may be repeated, the rows of each in that order"},
    {"--units", "U", sheetToo,
     [](Line& l, Text v) { return setTo(parseUnits(v), l.request.units); },
     "metric (mm, cm^2, kg/m, cm^4, cm^3, cm, m^2/m) or us (in, in^2, lb/ft,\n"
     "in^4, in^3, in, ft^2/ft) for every figure, the sizes of one's own and\n"
     "the numbers of --where; the default is the units of the first catalogue\n"
     "(AISC: us, the others: metric). Given, or with AISC, every header names\n"
     "its unit"},
    {"--family", "F", sheetToo,
     [](Line& l, Text v) { return addTo(parseFamily(v), l.request.families); },
     "only sizes of family F: RHS, SHS or CHS; may be repeated"},
    {"--where", "'C OP N'", tableOnly,
     [](Line& l, Text v) { return addTo(parseCondition(v), l.request.conditions); },
     "only rows whose column C compares so with the number N; OP is one of\n"
     ">=, <=, >, <, =; may be repeated, and every condition must hold"},
    {"--sort", "C", tableOnly,
     [](Line& l, Text v) { return setTo(parseSortKey(v), l.request.sort); },
     "sort by column C, ascending; --sort -C sorts descending"},
    {"--limit", "N", tableOnly,
     [](Line& l, Text v) { return setTo(parseLimit(v), l.request.limit); }, "at most N rows"},
    {"--columns", "LIST", tableOnly,
     [](Line& l, Text v) { return setTo(parseColumns(v), l.request.columns); },
     "the columns to write, comma-separated, or \"all\""},
    // html is a sheet's format only, which is known once every argument is read.
    {"--format", "F", sheetToo,
     [](Line& l, Text v) {
         l.formatText = v;
         return v == "html" ? std::nullopt : setTo(parseFormat(v), l.request.format);
     },
     "csv (the default), json or text; with --explain: text (the default),\n"
     "html or json"},
    {"--significant", "N", sheetToo,
     [](Line& l, Text v) { return setTo(parseSignificant(v), l.request.significant); },
     "every result rounded to N significant figures (1 to 15) instead of its\n"
     "fixed decimals, as published section tables print them with 3"},
    {"--pi", "P", sheetToo, [](Line& l, Text v) { return setTo(parsePi(v), l.request.pi); },
     "22/7 (the default, as in the window) or exact, for IS; the other\n"
     "catalogues always use the true pi, and refuse 22/7"},
    // The design resistances: they fill request.design.
    {"--grade", "G", sheetToo,
     [](Line& l, Text v) { return setTo(parseGrade(v), l.request.design.grade); },
     "the class and design resistances to EN 1993-1-1 (EN 1993-1-5 for class\n"
     "4) in steel G: S235, S275, S355, S420 or S460, for EN10210 and EN10219.\n"
     "fy is the product standard's minimum by wall thickness (EN 10210-1,\n"
     "EN 10219-1): t <= 16 mm, 16 < t <= 40 mm, 40 < t <= 63 mm (EN10210 only).\n"
     "For IS, to IS 800:2007 in the IS 4923 and IS 1161 tube grades YSt210,\n"
     "YSt240, YSt310 or YSt355 (fy 210 to 355 for every wall), from the exact\n"
     "geometry (corners 2t and t, the true pi) whatever --pi says; the classes\n"
     "are plastic, compact, semi-compact and slender, compared in that order.\n"
     "Not for AISC; in metric units only"},
    {"--fy", "N", sheetToo,
     [](Line& l, Text v) { return setTo(parseYieldStrength(v), l.request.design.fy); },
     "one yield strength N for every size, 100 to 1000 N/mm^2; the grade still\n"
     "chooses the buckling curve (hot finished a, a0 in S460; cold formed c).\n"
     "For IS it may stand without --grade"},
    {"--gamma-m0", "X", sheetToo,
     [](Line& l, Text v) { return setTo(parsePartialFactor(v), l.request.design.gammaM0); },
     "partial factor of cross-sections, 1.0 to 2.0; 1.0 when not given (IS\n"
     "800: 1.10, for yielding and buckling alike)"},
    {"--gamma-m1", "X", sheetToo,
     [](Line& l, Text v) { return setTo(parsePartialFactor(v), l.request.design.gammaM1); },
     "partial factor of buckling, 1.0 to 2.0; 1.0 when not given (EN only)"},
    {"--flat-width", "R", sheetToo,
     [](Line& l, Text v) { return setTo(parseFlatWidth(v), l.request.design.flatWidth); },
     "the flat width c of each wall of an RHS or SHS in its c/t: 3t (the\n"
     "default for EN, D - 3t and B - 3t, as the UK published tables take it),\n"
     "corners (the straight inside face, D - 2t - 2ri and B - 2t - 2ri) or, for\n"
     "IS and its default, 2t (D - 2t and B - 2t, IS 800's clear width)"},
    {"--forming", "F", sheetToo,
     [](Line& l, Text v) { return setTo(parseForming(v), l.request.design.forming); },
     "IS only: cold (the default where the route is not known) or hot, the\n"
     "buckling class of IS 800 Table 10: hot rolled a, cold formed b"},
    {"--length", "L", sheetToo,
     [](Line& l, Text v) { return addTo(parseLength(v), l.request.design.lengths); },
     "flexural buckling at buckling length L in metres; may be repeated, the\n"
     "buckling columns of each length then named as NbRd@L"},
    {"--explain", "", sheetToo,
     [](Line& l, Text) {
         l.explaining = true;
         return std::optional<TableError>();
     },
     "instead of the table, the calculation sheet of each size: every step of\n"
     "the formulas with its numbers, the texts shown and the texts read back;\n"
     "--catalogue, --family, --significant, --pi, --units (every step worked in\n"
     "those units) and the design options apply, --where, --sort, --limit and\n"
     "--columns do not"},
    {"--project", "TEXT", sheetOnly,
     [](Line& l, Text v) { return setField(l.sheetFields.project, v); },
     "with --explain: the project named in each sheet's head; empty, as the\n"
     "fields below, unless given, for writing in by hand"},
    {"--by", "NAME", sheetOnly,
     [](Line& l, Text v) { return setField(l.sheetFields.calculatedBy, v); },
     "with --explain: who made the calculation"},
    {"--checked", "NAME", sheetOnly,
     [](Line& l, Text v) { return setField(l.sheetFields.checkedBy, v); },
     "with --explain: who checked it"},
    {"--date", "TEXT", sheetOnly, [](Line& l, Text v) { return setField(l.sheetFields.date, v); },
     "with --explain: the date written in the head, as given"},
    {"--help", "", sheetToo,
     [](Line& l, Text) {
         l.help = true;
         return std::optional<TableError>();
     },
     "show this help and exit"},
    {"--version", "", sheetToo,
     [](Line& l, Text) {
         l.version = true;
         return std::optional<TableError>();
     },
     "show the version and exit"},
};

// Where the help lines of every option begin.
constexpr std::size_t helpColumn = 20;

const TableOption* optionNamed(std::string_view name) {
    const auto* found = std::ranges::find(options, name, &TableOption::name);
    return found == std::end(options) ? nullptr : found;
}

} // namespace

std::span<const TableOption> tableOptions() {
    return options;
}

std::string optionsHelp() {
    const std::string indent(helpColumn, ' ');
    std::string text;
    for (const TableOption& option : options) {
        std::string head = "  " + std::string(option.name);
        if (!option.value.empty()) {
            head += " " + std::string(option.value);
        }
        head.resize(std::max(helpColumn, head.size() + 2), ' ');
        text += head;
        for (const char c : option.help) {
            text += c;
            if (c == '\n') {
                text += indent;
            }
        }
        text += '\n';
    }
    return text;
}

std::variant<CommandLine, TableError> parseCommandLine(std::span<const char* const> arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!argument.starts_with('-')) {
            line.request.sizes.emplace_back(argument);
            continue;
        }
        // --name value or --name=value; an option without a value is given by its name alone.
        const auto equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const TableOption* option = optionNamed(name);
        if (!option || (option->value.empty() && equals != std::string_view::npos)) {
            return badRequest("unknown option " + quoted(name) + " (see --help)");
        }
        std::string_view value;
        if (!option->value.empty()) {
            if (equals != std::string_view::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                return badRequest(std::string(name) + " needs a value");
            }
        }
        if (option->scope == OptionScope::TableOnly) {
            line.tableOnly = option->name;
        } else if (option->scope == OptionScope::SheetOnly) {
            line.sheetOnly = option->name;
        }
        if (std::optional<TableError> error = option->set(line, value)) {
            return badRequest(std::string(name) + " " + quoted(value) + ": " + error->message);
        }
        if (line.help || line.version) {
            return line;
        }
    }
    return line;
}

} // namespace kavrel
