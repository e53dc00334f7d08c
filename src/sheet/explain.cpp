#include "sheet/explain.hpp"

#include <algorithm>
#include <vector>

namespace kavrel {

std::variant<SheetFormat, TableError> parseSheetFormat(std::string_view text) {
    if (text == "text") {
        return SheetFormat::Text;
    }
    if (text == "html") {
        return SheetFormat::Html;
    }
    if (text == "json") {
        return SheetFormat::Json;
    }
    return TableError{TableError::Kind::BadRequest,
                      "unknown format " + quoted(text) + " for a sheet (text, html or json)"};
}

ExplainOutcome explainSizes(const TableRequest& request, SheetFormat format,
                            const SheetFields& fields) {
    // The same rules as the table: the catalogues, pi and significant figures, the sizes.
    const std::vector<Catalogue> catalogues = chosenCatalogues(request);
    auto computed = computationOf(request, catalogues);
    if (auto* error = std::get_if<TableError>(&computed)) {
        return {{}, std::move(*error)};
    }
    const Computation& computation = std::get<Computation>(computed);
    const bool given = !request.sizes.empty();
    std::vector<TableSize> sizes;
    if (given) {
        for (const std::string& argument : request.sizes) {
            auto size = sizeOf(argument, catalogues, request.units);
            if (auto* error = std::get_if<TableError>(&size)) {
                return {{}, std::move(*error)};
            }
            sizes.push_back(std::get<TableSize>(std::move(size)));
        }
    } else {
        sizes = catalogueSizes(catalogues);
    }
    std::vector<CalculationSheet> sheets;
    std::vector<std::string> leftOut;
    std::optional<TableError> firstError;
    for (const TableSize& size : sizes) {
        CalculationSheet sheet = calculationSheet(size, computation, given);
        sheet.fields = fields;
        if (sheet.refused) {
            return {{}, std::move(sheet.error)}; // as the table: nothing written
        }
        if (sheet.error && !firstError) {
            firstError = sheet.error;
        }
        // As in the table, a given size is computed even outside the families, not shown.
        if (request.families.empty() ||
            std::ranges::find(request.families, size.family) != request.families.end()) {
            sheets.push_back(std::move(sheet));
        } else if (given) {
            leftOut.push_back(size.designation + " is left out: its family, " +
                              std::string(familyCode(size.family)) +
                              ", is not among those --family names");
        }
    }
    if (sheets.empty() && !leftOut.empty()) {
        return {{}, std::move(firstError), std::move(leftOut), 0};
    }
    const std::size_t count = sheets.size();
    return {writeSheets(format, sheets), std::move(firstError), std::move(leftOut), count};
}

ExplainOutcome sheetOf(const TableRequest& request, std::string_view size, SheetFormat format,
                       const SheetFields& fields) {
    TableRequest one = request;
    one.sizes = {std::string(size)};
    one.families.clear();
    return explainSizes(one, format, fields);
}

} // namespace kavrel
