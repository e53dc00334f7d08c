#include "table/table_rows.hpp"

#include "catalogue/catalogue.hpp"
#include "properties/number_text.hpp"
#include "table/table_sizes.hpp"

#include <algorithm>
#include <numbers>
#include <numeric>

namespace kavrel {
namespace {

std::variant<std::size_t, TableError> numericColumn(std::string_view name) {
    const std::optional<std::size_t> index = columnIndex(name);
    if (!index) {
        return badRequest("unknown column " + quoted(name));
    }
    if (!isNumericColumn(*index)) {
        return badRequest(quoted(name) + " is not a numeric column");
    }
    return *index;
}

} // namespace

std::vector<Catalogue> chosenCatalogues(const TableRequest& request) {
    std::vector<Catalogue> catalogues;
    for (const Catalogue catalogue : request.catalogues) {
        if (std::ranges::find(catalogues, catalogue) == catalogues.end()) {
            catalogues.push_back(catalogue);
        }
    }
    if (catalogues.empty()) {
        catalogues.push_back(Catalogue::IS);
    }
    return catalogues;
}

std::variant<Computation, TableError> computationOf(const TableRequest& request,
                                                    std::span<const Catalogue> catalogues) {
    if (request.significant && (*request.significant < 1 || *request.significant > 15)) {
        return badRequest("the number of significant figures must be 1 to 15");
    }
    if (request.pi && *request.pi != std::numbers::pi) {
        for (const Catalogue catalogue : catalogues) {
            if (!takesPi(formulaSetOf(catalogue, SectionFamily::RHS))) {
                return badRequest(std::string(describe(catalogue).name) +
                                  " is computed with the true pi only, not 22/7");
            }
        }
    }
    return Computation{request.pi.value_or(fractionPi), request.significant};
}

TableError notComputed(const TableSize& size, bool given) {
    return {given ? TableError::Kind::BadRequest : TableError::Kind::CatalogueFailure,
            quoted(size.designation) + ": no properties can be computed for it"};
}

namespace {

// All columns' texts of a size, through the formula set its catalogue gives its family (for
// IS the same as Find's).
std::variant<TableRow, TableError> rowOf(const TableSize& size, bool given,
                                         const Computation& computation) {
    ResultsOutcome outcome = resultsOf(size.catalogue, size.family, size.dimensions, computation.pi,
                                       defaultSeparator, computation.significant);
    const auto* all = std::get_if<SectionResults>(&outcome);
    if (!all) {
        return notComputed(size, given);
    }
    const SectionProperties* shown = &all->properties;
    const PlasticModuli* moduli = &all->plastic;
    TableRow row;
    auto cell = row.begin();
    for (const std::string_view text :
         {std::string_view(familyCode(size.family)), std::string_view(size.designation),
          std::string_view(*size.dimensions.depth), std::string_view(*size.dimensions.width),
          std::string_view(*size.dimensions.thickness)}) {
        *cell++ = text;
    }
    for (const ResultDescription& result : findResults) {
        *cell++ = shown->*result.field;
    }
    for (const PlasticDescription& result : plasticResults) {
        *cell++ = moduli->*result.field;
    }
    *cell = describe(size.catalogue).name;
    return row;
}

// The number a row's text shows; texts of numeric columns always read.
double shownNumber(const TableRow& row, std::size_t column) {
    return readNumber(row[column]).value_or(0);
}

bool holds(Comparison comparison, double value, double number) {
    switch (comparison) {
    case Comparison::AtLeast:
        return value >= number;
    case Comparison::AtMost:
        return value <= number;
    case Comparison::Above:
        return value > number;
    case Comparison::Below:
        return value < number;
    case Comparison::Equal:
        break;
    }
    return value == number;
}

std::variant<std::vector<std::size_t>, TableError> chosenColumns(const TableRequest& request) {
    std::vector<std::size_t> columns;
    const bool all = request.columns.size() == 1 && request.columns.front() == allColumns;
    if (request.columns.empty() || all) {
        // "all" without catalogues is every column as before there was a catalogue column.
        if (all && !request.catalogues.empty()) {
            columns.push_back(catalogueColumn);
        }
        const std::size_t first = columns.size();
        columns.resize(first + (all ? catalogueColumn : defaultColumnCount));
        std::iota(columns.begin() + static_cast<std::ptrdiff_t>(first), columns.end(), 0);
        return columns;
    }
    for (const std::string& name : request.columns) {
        const std::optional<std::size_t> index = columnIndex(name);
        if (!index) {
            return badRequest("unknown column " + quoted(name));
        }
        columns.push_back(*index);
    }
    return columns;
}

// One size to consider: where it comes from decides what a failure to compute it means.
struct Candidate {
    TableSize size;
    bool given; // named by the user: computed even outside the families, a failure is bad input
    bool own;   // a size of one's own added after the others
};

// The sizes the table starts from: the given ones in their order, or the catalogues', then
// the sizes of one's own.
std::variant<std::vector<Candidate>, TableError>
candidatesOf(const TableRequest& request, std::span<const std::string> own,
             std::span<const Catalogue> catalogues) {
    std::vector<Candidate> candidates;
    if (request.sizes.empty()) {
        for (TableSize& size : catalogueSizes(catalogues)) {
            candidates.push_back({std::move(size), false, false});
        }
    }
    const auto add = [&candidates, catalogues](const std::string& argument,
                                               bool isOwn) -> std::optional<TableError> {
        auto size = sizeOf(argument, catalogues);
        if (auto* error = std::get_if<TableError>(&size)) {
            return std::move(*error);
        }
        candidates.push_back({std::get<TableSize>(std::move(size)), true, isOwn});
        return std::nullopt;
    };
    for (const std::string& argument : request.sizes) {
        if (auto error = add(argument, false)) {
            return std::move(*error);
        }
    }
    for (const std::string& argument : own) {
        if (!isOwnSizeText(argument)) {
            return badRequest(quoted(argument) + ": write it as RHS:DxBxt, SHS:DxBxt or CHS:Dxt");
        }
        if (auto error = add(argument, true)) {
            return std::move(*error);
        }
    }
    return candidates;
}

// The rows of the request's sizes that are in its families and meet its conditions.
std::variant<std::vector<ShownRow>, TableError> selectedRows(const TableRequest& request,
                                                             std::span<const std::string> own,
                                                             std::size_t& sizeCount) {
    const std::vector<Catalogue> catalogues = chosenCatalogues(request);
    const auto computed = computationOf(request, catalogues);
    if (const auto* error = std::get_if<TableError>(&computed)) {
        return *error;
    }
    const Computation& computation = std::get<Computation>(computed);
    std::vector<std::pair<std::size_t, const Condition*>> conditions;
    for (const Condition& condition : request.conditions) {
        const auto column = numericColumn(condition.column);
        if (const auto* error = std::get_if<TableError>(&column)) {
            return *error;
        }
        conditions.emplace_back(std::get<std::size_t>(column), &condition);
    }
    auto candidates = candidatesOf(request, own, catalogues);
    if (auto* error = std::get_if<TableError>(&candidates)) {
        return std::move(*error);
    }
    const auto& all = std::get<std::vector<Candidate>>(candidates);
    sizeCount = all.size();
    std::vector<ShownRow> rows;
    rows.reserve(all.size());
    for (const Candidate& candidate : all) {
        const TableSize& size = candidate.size;
        const bool inFamily =
            request.families.empty() ||
            std::ranges::find(request.families, size.family) != request.families.end();
        // A given size is computed even outside the families: one that fails is bad input.
        if (!inFamily && !candidate.given) {
            continue;
        }
        auto row = rowOf(size, candidate.given, computation);
        if (auto* error = std::get_if<TableError>(&row)) {
            return std::move(*error);
        }
        const TableRow& texts = std::get<TableRow>(row);
        const bool meetsAll = std::ranges::all_of(conditions, [&texts](const auto& condition) {
            return holds(condition.second->comparison, shownNumber(texts, condition.first),
                         condition.second->number);
        });
        if (inFamily && meetsAll) {
            rows.push_back({std::get<TableRow>(std::move(row)), candidate.own});
        }
    }
    return rows;
}

} // namespace

TableRowsOutcome tableRows(const TableRequest& request, std::span<const std::string> ownSizes) {
    auto columns = chosenColumns(request);
    if (const auto* error = std::get_if<TableError>(&columns)) {
        return *error;
    }
    std::optional<std::size_t> sortColumn;
    if (request.sort) {
        const auto column = numericColumn(request.sort->column);
        if (const auto* error = std::get_if<TableError>(&column)) {
            return *error;
        }
        sortColumn = std::get<std::size_t>(column);
    }
    TableRows out;
    out.columns = std::get<std::vector<std::size_t>>(std::move(columns));
    auto rows = selectedRows(request, ownSizes, out.sizeCount);
    if (auto* error = std::get_if<TableError>(&rows)) {
        return std::move(*error);
    }
    out.rows = std::get<std::vector<ShownRow>>(std::move(rows));

    // Each row with the number its sort column shows; a stable sort keeps ties in order.
    if (sortColumn) {
        std::vector<std::pair<double, std::size_t>> order;
        order.reserve(out.rows.size());
        for (std::size_t i = 0; i < out.rows.size(); ++i) {
            order.emplace_back(shownNumber(out.rows[i].texts, *sortColumn), i);
        }
        const bool descending = request.sort->descending;
        std::ranges::stable_sort(order, [descending](const auto& x, const auto& y) {
            return descending ? y.first < x.first : x.first < y.first;
        });
        std::vector<ShownRow> sorted;
        sorted.reserve(out.rows.size());
        for (const auto& [key, at] : order) {
            sorted.push_back(std::move(out.rows[at]));
        }
        out.rows = std::move(sorted);
    }
    if (request.limit && out.rows.size() > *request.limit) {
        out.rows.resize(*request.limit);
    }
    return out;
}

std::string writeRows(TableFormat format, const TableRows& rows) {
    std::vector<const TableRow*> written;
    written.reserve(rows.rows.size());
    for (const ShownRow& row : rows.rows) {
        written.push_back(&row.texts);
    }
    return writeTable(format, rows.columns, written);
}

} // namespace kavrel
