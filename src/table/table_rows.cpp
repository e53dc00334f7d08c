#include "table/table_rows.hpp"

#include "catalogue/catalogue.hpp"
#include "design/design.hpp"
#include "design/design_columns.hpp"
#include "properties/number_text.hpp"
#include "table/table_sizes.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace kavrel {
namespace {

// The position of a column among the fixed ones and the request's design columns; a design
// column without a grade, or a buckling one without a length, says what it needs.
std::variant<std::size_t, TableError> columnOf(const TableRequest& request,
                                               std::span<const std::string> designNames,
                                               std::string_view name) {
    if (const std::optional<std::size_t> index = columnIndex(name)) {
        return *index;
    }
    const auto design = std::ranges::find(designNames, name);
    if (design != designNames.end() && givenByCode(name, *designOf(request).code)) {
        return columnCount + static_cast<std::size_t>(design - designNames.begin());
    }
    if (isDesignColumnName(name)) {
        const DesignRequest asked = designOf(request);
        if (!asked.asked()) {
            return badRequest("column " + quoted(name) + " needs --grade");
        }
        if (design != designNames.end()) {
            return badRequest("column " + quoted(name) + " is not given by " +
                              std::string(asked.code->name));
        }
        if (request.design.lengths.empty()) {
            return badRequest("column " + quoted(name) + " needs --length");
        }
    }
    return badRequest("unknown column " + quoted(name));
}

std::variant<std::size_t, TableError> numericColumn(const TableRequest& request,
                                                    std::span<const std::string> designNames,
                                                    std::string_view name) {
    auto index = columnOf(request, designNames, name);
    if (const auto* at = std::get_if<std::size_t>(&index); at && !isNumericColumn(*at)) {
        return badRequest(quoted(name) + " is not a numeric column");
    }
    return index;
}

// What the options of one code do not take: the IS catalogue's forming route and 2t width
// are IS 800's, and IS 800's resistances here take gamma_m0 alone.
std::optional<TableError> optionsOfCode(const DesignRequest& design) {
    const DesignCode& code = *design.code;
    if (design.gammaM1 && !code.gammaM1Taken) {
        return badRequest("--gamma-m1: the IS 800 resistances given here take gamma_m0 only");
    }
    if (design.forming && !code.formingChosen) {
        return badRequest("--forming is for the IS catalogue: an EN catalogue's forming route is "
                          "that of its product standard");
    }
    if (design.flatWidth == FlatWidth::TwoT && !code.twoTWidth) {
        return badRequest("--flat-width 2t is for the IS catalogue (IS 800); EN 1993-1-1 takes "
                          "3t or corners");
    }
    return std::nullopt;
}

// What the design options need: a grade (or for IS a yield strength), the grades of the
// catalogues' steel, and usable values.
std::optional<TableError> designRefusal(const DesignRequest& design,
                                        std::span<const Catalogue> catalogues) {
    if (!design.asked()) {
        const std::pair<bool, std::string_view> given[] = {
            {design.fy.has_value(), "--fy"},
            {design.gammaM0.has_value(), "--gamma-m0"},
            {design.gammaM1.has_value(), "--gamma-m1"},
            {design.flatWidth.has_value(), "--flat-width"},
            {!design.lengths.empty(), "--length"},
            {design.forming.has_value(), "--forming"}};
        for (const auto& [isGiven, option] : given) {
            if (isGiven) {
                return badRequest(std::string(option) + " needs --grade");
            }
        }
        return std::nullopt;
    }
    for (const Catalogue catalogue : catalogues) {
        if (!productStandardOf(catalogue)) {
            return badRequest("design resistances are given for the IS, EN10210 and EN10219 "
                              "catalogues, not for " +
                              std::string(describe(catalogue).name));
        }
        if (&designCodeOf(catalogue) != design.code) {
            return badRequest("design resistances are given to one code at a time: IS 800 for "
                              "the IS catalogue, EN 1993-1-1 for EN10210 and EN10219");
        }
        const ProductStandard& standard = *productStandardOf(catalogue);
        if (design.grade &&
            std::ranges::find(standard.grades, *design.grade) == standard.grades.end()) {
            std::string names;
            for (const SteelGrade grade : standard.grades) {
                names += (names.empty() ? "" : ", ") + std::string(gradeName(grade));
            }
            return badRequest("--grade " + std::string(gradeName(*design.grade)) +
                              " is not a grade of the " + std::string(describe(catalogue).name) +
                              " sizes (" + std::string(standard.name) + ": " + names + ")");
        }
    }
    if (auto refusal = optionsOfCode(design)) {
        return refusal;
    }
    if (const std::optional<std::string> wrong = checkDesignRequest(design)) {
        return badRequest(*wrong);
    }
    for (auto length = design.lengths.begin(); length != design.lengths.end(); ++length) {
        if (std::find(design.lengths.begin(), length, *length) != length) {
            return badRequest("--length " + quoted(length->text) + " is given twice");
        }
    }
    return std::nullopt;
}

} // namespace

DesignRequest designOf(const TableRequest& request) {
    DesignRequest design = request.design;
    const std::vector<Catalogue> catalogues = chosenCatalogues(request);
    design.code =
        std::ranges::find(catalogues, Catalogue::IS) != catalogues.end() ? &is800 : &en1993;
    return design;
}

std::string_view columnNameIn(const TableRows& rows, std::size_t column) {
    return column < columnCount ? columnNames[column] : rows.designNames[column - columnCount];
}

const std::string& cellOf(const ShownRow& row, std::size_t column) {
    return column < columnCount ? row.texts[column] : row.design[column - columnCount];
}

std::string_view columnUnitIn(const TableRows& rows, std::size_t column) {
    if (column >= columnCount) {
        const std::string_view name = rows.designNames[column - columnCount];
        for (const DesignColumn& design : designColumns) {
            if (design.column == name) {
                return design.unit;
            }
        }
        return "kN"; // a buckling resistance
    }
    if (column >= 2 && column < leadingColumns) {
        return unitOf(Quantity::Length, rows.units);
    }
    if (column >= leadingColumns && column < leadingColumns + findResults.size()) {
        return unitOf(findResults[column - leadingColumns].quantity, rows.units);
    }
    if (column >= leadingColumns + findResults.size() && column < catalogueColumn) {
        return unitOf(plasticResults[column - leadingColumns - findResults.size()].quantity,
                      rows.units);
    }
    return {};
}

std::optional<std::size_t> columnIndexIn(const TableRows& rows, std::string_view name) {
    if (const auto index = columnIndex(name)) {
        return index;
    }
    const auto design = std::ranges::find(rows.designNames, name);
    if (design == rows.designNames.end()) {
        return std::nullopt;
    }
    return columnCount + static_cast<std::size_t>(design - rows.designNames.begin());
}

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
    const DesignRequest design = designOf(request);
    if (auto refusal = designRefusal(design, catalogues)) {
        return std::move(*refusal);
    }
    const UnitSystem units = request.units.value_or(describe(catalogues.front()).home);
    if (design.asked() && units != UnitSystem::Metric) {
        return badRequest("design resistances are given in metric units only (--units metric)");
    }
    const bool labels = request.units.has_value() ||
                        std::ranges::find(catalogues, Catalogue::AISC) != catalogues.end();
    return Computation{request.pi.value_or(fractionPi), request.significant, design, units, labels};
}

DesignSection designSectionOf(const TableSize& size, const SectionResults& results) {
    const auto read = [](const std::optional<std::string>& field) {
        return readNumber(field).value_or(0);
    };
    const double depth = read(size.dimensions.depth);
    return {size.catalogue,
            size.family,
            size.designation,
            depth,
            size.family == SectionFamily::CHS ? depth : read(size.dimensions.width),
            read(size.dimensions.thickness),
            results.values};
}

TableError notComputed(const TableSize& size, bool given) {
    return {given ? TableError::Kind::BadRequest : TableError::Kind::CatalogueFailure,
            quoted(size.designation) + ": no properties can be computed for it"};
}

namespace {

// All columns' texts of a size, through the formula set its catalogue gives its family (for
// IS the same as Find's).
std::variant<ShownRow, TableError> rowOf(const TableSize& size, bool given,
                                         const Computation& computation) {
    ResultsOutcome outcome =
        resultsOf(size.catalogue, size.family, size.dimensions, computation.pi, defaultSeparator,
                  computation.significant, nullptr, computation.units);
    const auto* all = std::get_if<SectionResults>(&outcome);
    if (!all) {
        return notComputed(size, given);
    }
    const SectionProperties* shown = &all->properties;
    const PlasticModuli* moduli = &all->plastic;
    ShownRow out;
    if (computation.design.asked()) {
        auto design =
            designResults(designSectionOf(size, *all), computation.design, computation.significant);
        if (auto* error = std::get_if<DesignError>(&design)) {
            return badRequest(std::move(error->message));
        }
        out.design = designCells(std::get<DesignResults>(design));
    }
    TableRow& row = out.texts;
    auto cell = row.begin();
    const SectionDimensions dimensions = shownDimensions(size, computation.units);
    for (const std::string_view text :
         {std::string_view(familyCode(size.family)), std::string_view(size.designation),
          std::string_view(*dimensions.depth), std::string_view(*dimensions.width),
          std::string_view(*dimensions.thickness)}) {
        *cell++ = text;
    }
    for (const ResultDescription& result : findResults) {
        *cell++ = shown->*result.field;
    }
    for (const PlasticDescription& result : plasticResults) {
        *cell++ = moduli->*result.field;
    }
    *cell = describe(size.catalogue).name;
    return out;
}

// The number a row's text shows; texts of numeric columns always read, but for the design
// figures the rules do not give, which have none. A class named in words stands for its
// place in the order of merit.
std::optional<double> shownNumber(const ShownRow& row, std::size_t column) {
    const std::string& text = cellOf(row, column);
    if (const std::optional<int> klass = classNamed(text)) {
        return *klass;
    }
    return readNumber(text);
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

std::variant<std::vector<std::size_t>, TableError>
chosenColumns(const TableRequest& request, std::span<const std::string> designNames) {
    std::vector<std::size_t> columns;
    const bool all = request.columns.size() == 1 && request.columns.front() == allColumns;
    const DesignCode& code = *designOf(request).code;
    if (request.columns.empty() && !designNames.empty()) {
        // family, designation, W, the design figures but the class 4 properties, buckling
        columns = {0, 1, leadingColumns + 1};
        for (std::size_t i = 0; i < designNames.size(); ++i) {
            if (isDefaultDesignColumn(designNames[i]) && givenByCode(designNames[i], code)) {
                columns.push_back(columnCount + i);
            }
        }
        return columns;
    }
    if (all && !designNames.empty()) {
        columns = std::get<std::vector<std::size_t>>(chosenColumns(request, {}));
        for (std::size_t i = 0; i < designNames.size(); ++i) {
            if (givenByCode(designNames[i], code)) {
                columns.push_back(columnCount + i);
            }
        }
        return columns;
    }
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
        const auto index = columnOf(request, designNames, name);
        if (const auto* error = std::get_if<TableError>(&index)) {
            return *error;
        }
        columns.push_back(std::get<std::size_t>(index));
    }
    return columns;
}

// One size to consider: where it comes from decides what a failure to compute it means.
struct Candidate {
    TableSize size;
    bool given; // named by the user: computed even outside the families, a failure is bad input
    bool own;   // a size of one's own added after the others
};

// A size of one's own, which a designation of the catalogue may not stand in for.
std::variant<TableSize, TableError> ownSizeOf(const std::string& argument,
                                              std::span<const Catalogue> catalogues,
                                              std::optional<UnitSystem> units) {
    if (!isOwnSizeText(argument)) {
        return badRequest(quoted(argument) + ": write it as RHS:DxBxt, SHS:DxBxt or CHS:Dxt");
    }
    return sizeOf(argument, catalogues, units);
}

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
    const auto add = [&candidates](auto size, bool isOwn) -> std::optional<TableError> {
        if (auto* error = std::get_if<TableError>(&size)) {
            return std::move(*error);
        }
        candidates.push_back({std::get<TableSize>(std::move(size)), true, isOwn});
        return std::nullopt;
    };
    for (const std::string& argument : request.sizes) {
        if (auto error = add(sizeOf(argument, catalogues, request.units), false)) {
            return std::move(*error);
        }
    }
    for (const std::string& argument : own) {
        if (auto error = add(ownSizeOf(argument, catalogues, request.units), true)) {
            return std::move(*error);
        }
    }
    return candidates;
}

// The rows of the request's sizes that are in its families and meet its conditions.
std::variant<std::vector<ShownRow>, TableError>
selectedRows(const TableRequest& request, std::span<const std::string> own,
             std::span<const std::string> designNames, std::size_t& sizeCount) {
    const std::vector<Catalogue> catalogues = chosenCatalogues(request);
    const auto computed = computationOf(request, catalogues);
    if (const auto* error = std::get_if<TableError>(&computed)) {
        return *error;
    }
    const Computation& computation = std::get<Computation>(computed);
    // All conditions must hold, so those on one column with one comparison come down to the
    // tightest of them: filtering costs the rows times the columns asked about, not times the
    // conditions, which a window may hold by the thousand.
    std::vector<std::pair<std::size_t, Condition>> conditions;
    for (const Condition& condition : request.conditions) {
        const auto column = numericColumn(request, designNames, condition.column);
        if (const auto* error = std::get_if<TableError>(&column)) {
            return *error;
        }
        const std::size_t at = std::get<std::size_t>(column);
        const auto same = std::ranges::find_if(conditions, [&](const auto& kept) {
            // A NaN meets nothing and would not compare: it stands alone.
            return kept.first == at && kept.second.comparison == condition.comparison &&
                   !std::isnan(condition.number) && !std::isnan(kept.second.number) &&
                   (condition.comparison != Comparison::Equal ||
                    kept.second.number == condition.number);
        });
        if (same == conditions.end()) {
            conditions.emplace_back(at, condition);
        } else if (condition.comparison == Comparison::AtLeast ||
                   condition.comparison == Comparison::Above) {
            same->second.number = std::max(same->second.number, condition.number);
        } else {
            same->second.number = std::min(same->second.number, condition.number);
        }
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
        ShownRow& shown = std::get<ShownRow>(row);
        // A figure the rules do not give meets no condition.
        const bool meetsAll = std::ranges::all_of(conditions, [&shown](const auto& condition) {
            const std::optional<double> value = shownNumber(shown, condition.first);
            return value && holds(condition.second.comparison, *value, condition.second.number);
        });
        if (inFamily && meetsAll) {
            shown.own = candidate.own;
            rows.push_back(std::move(shown));
        }
    }
    return rows;
}

} // namespace

std::optional<TableError> ownSizeRefusal(const TableRequest& request, const std::string& ownSize) {
    const std::vector<Catalogue> catalogues = chosenCatalogues(request);
    const auto computed = computationOf(request, catalogues);
    if (const auto* error = std::get_if<TableError>(&computed)) {
        return *error;
    }
    auto size = ownSizeOf(ownSize, catalogues, request.units);
    if (auto* error = std::get_if<TableError>(&size)) {
        return std::move(*error);
    }
    auto row = rowOf(std::get<TableSize>(size), true, std::get<Computation>(computed));
    if (auto* error = std::get_if<TableError>(&row)) {
        return std::move(*error);
    }
    return std::nullopt;
}

TableRowsOutcome tableRows(const TableRequest& request, std::span<const std::string> ownSizes) {
    const std::vector<std::string> designNames = designColumnNames(designOf(request));
    auto columns = chosenColumns(request, designNames);
    if (const auto* error = std::get_if<TableError>(&columns)) {
        return *error;
    }
    std::optional<std::size_t> sortColumn;
    if (request.sort) {
        const auto column = numericColumn(request, designNames, request.sort->column);
        if (const auto* error = std::get_if<TableError>(&column)) {
            return *error;
        }
        sortColumn = std::get<std::size_t>(column);
    }
    TableRows out;
    out.columns = std::get<std::vector<std::size_t>>(std::move(columns));
    out.designNames = designNames;
    if (const auto computed = computationOf(request, chosenCatalogues(request));
        const auto* computation = std::get_if<Computation>(&computed)) {
        out.units = computation->units;
        out.unitLabels = computation->unitLabels;
    }
    auto rows = selectedRows(request, ownSizes, designNames, out.sizeCount);
    if (auto* error = std::get_if<TableError>(&rows)) {
        return std::move(*error);
    }
    out.rows = std::get<std::vector<ShownRow>>(std::move(rows));

    // Each row with the number its sort column shows; a stable sort keeps ties in order, and
    // rows without a figure go last in either direction.
    if (sortColumn) {
        std::vector<std::pair<std::optional<double>, std::size_t>> order;
        order.reserve(out.rows.size());
        for (std::size_t i = 0; i < out.rows.size(); ++i) {
            order.emplace_back(shownNumber(out.rows[i], *sortColumn), i);
        }
        const bool descending = request.sort->descending;
        std::ranges::stable_sort(order, [descending](const auto& x, const auto& y) {
            if (!x.first || !y.first) {
                return x.first.has_value() && !y.first.has_value();
            }
            return descending ? *y.first < *x.first : *x.first < *y.first;
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
    std::vector<WrittenRow> written;
    written.reserve(rows.rows.size());
    for (const ShownRow& row : rows.rows) {
        written.push_back({&row.texts, &row.design});
    }
    std::vector<std::string_view> units;
    if (rows.unitLabels) {
        for (const std::size_t column : rows.columns) {
            units.push_back(columnUnitIn(rows, column));
        }
    }
    return writeTable(format, rows.columns, rows.designNames, written, units);
}

} // namespace kavrel
