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

const TableOption options[] = {
    {"--catalogue", "NAME", sheetToo,
     [](Line& l, Text v) { return addTo(parseCatalogue(v), l.request.catalogues); },
     "the sizes and formulas of catalogue NAME: IS, EN10210 or EN10219; may be\n"
     "repeated, the rows of each in that order"},
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
    {"--explain", "", sheetToo,
     [](Line& l, Text) {
         l.explaining = true;
         return std::optional<TableError>();
     },
     "instead of the table, the calculation sheet of each size: every step of\n"
     "the formulas with its numbers, the texts shown and the texts read back;\n"
     "--catalogue, --family, --significant and --pi apply, --where, --sort,\n"
     "--limit and --columns do not"},
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
