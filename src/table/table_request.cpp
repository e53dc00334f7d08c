#include "table/table_request.hpp"

#include "design/design_code.hpp"
#include "properties/number_text.hpp"
#include "properties/units.hpp"
#include "table/table_columns.hpp"

#include <algorithm>
#include <charconv>
#include <numbers>

namespace kavrel {
namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string quoted(std::string_view text) {
    std::string out(1, '"');
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::variant<SectionFamily, TableError> parseFamily(std::string_view text) {
    for (const SectionFamily family : allFamilies) {
        if (text == familyCode(family)) {
            return family;
        }
    }
    return badRequest("unknown family " + quoted(text) + " (RHS, SHS or CHS)");
}

std::variant<Condition, TableError> parseCondition(std::string_view text) {
    constexpr std::string_view operatorCharacters = "<>=!";
    const auto opStart = text.find_first_of(operatorCharacters);
    if (opStart == std::string_view::npos) {
        return badRequest("no comparison (>=, <=, >, < or =)");
    }
    const auto opEnd = std::min(text.find_first_not_of(operatorCharacters, opStart), text.size());
    const std::string_view op = text.substr(opStart, opEnd - opStart);
    const auto* known = std::ranges::find(comparisonSymbols, op, &ComparisonSymbol::written);
    if (known == std::end(comparisonSymbols)) {
        return badRequest("unknown operator " + quoted(op));
    }
    const std::string_view column = trimmed(text.substr(0, opStart));
    if (column.empty()) {
        return badRequest("no column before " + quoted(op));
    }
    const std::string_view number = trimmed(text.substr(opEnd));
    std::optional<double> value = readNumber(number);
    if (const std::optional<int> klass = classNamed(number); !value && klass) {
        value = *klass; // a class in words, by its place in the order of merit
    }
    if (!value) {
        return badRequest(quoted(number) + " is not a number");
    }
    return Condition{std::string(column), known->comparison, *value};
}

std::variant<SortKey, TableError> parseSortKey(std::string_view text) {
    const bool descending = text.starts_with('-');
    if (descending) {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return badRequest("no column to sort by");
    }
    return SortKey{std::string(text), descending};
}

std::variant<std::size_t, TableError> parseLimit(std::string_view text) {
    std::size_t limit = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), limit);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return badRequest(quoted(text) + " is not a number of rows");
    }
    return limit;
}

std::variant<std::vector<std::string>, TableError> parseColumns(std::string_view text) {
    if (text == allColumns) {
        return std::vector<std::string>{std::string(allColumns)};
    }
    std::vector<std::string> columns;
    for (std::size_t start = 0;;) {
        const auto end = std::min(text.find(',', start), text.size());
        if (end == start) {
            return badRequest("an empty column name");
        }
        columns.emplace_back(text.substr(start, end - start));
        if (end == text.size()) {
            return columns;
        }
        start = end + 1;
    }
}

std::variant<TableFormat, TableError> parseFormat(std::string_view text) {
    if (text == "csv") {
        return TableFormat::Csv;
    }
    if (text == "json") {
        return TableFormat::Json;
    }
    if (text == "text") {
        return TableFormat::Text;
    }
    return badRequest("unknown format " + quoted(text) + " (csv, json or text)");
}

std::variant<double, TableError> parsePi(std::string_view text) {
    if (text == "exact") {
        return std::numbers::pi;
    }
    if (text == "22/7") {
        return fractionPi;
    }
    return badRequest("unknown value of pi " + quoted(text) + " (exact or 22/7)");
}

std::variant<Catalogue, TableError> parseCatalogue(std::string_view text) {
    if (const std::optional<Catalogue> catalogue = catalogueNamed(text)) {
        return *catalogue;
    }
    std::string names;
    for (const CatalogueDescription& description : allCatalogues()) {
        names += (names.empty() ? "" : ", ") + std::string(description.name);
    }
    return badRequest("unknown catalogue " + quoted(text) + " (" + names + ")");
}

std::variant<int, TableError> parseSignificant(std::string_view text) {
    int figures = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), figures);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || figures < 1 ||
        figures > 15) {
        return badRequest(quoted(text) + " is not a number of significant figures (1 to 15)");
    }
    return figures;
}

std::variant<UnitSystem, TableError> parseUnits(std::string_view text) {
    for (const UnitSystem system : {UnitSystem::Metric, UnitSystem::US}) {
        if (text == unitSystemName(system)) {
            return system;
        }
    }
    return badRequest("unknown units " + quoted(text) + " (metric or us)");
}

} // namespace kavrel
