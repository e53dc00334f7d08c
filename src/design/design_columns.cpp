#include "design/design_columns.hpp"

#include <algorithm>

namespace kavrel {

std::string bucklingColumnName(const DesignRequest& request, std::string_view column,
                               const BucklingLength& length) {
    std::string name(column);
    if (request.lengths.size() > 1) {
        name += "@" + length.text;
    }
    return name;
}

std::vector<std::string> designColumnNames(const DesignRequest& request) {
    std::vector<std::string> names;
    if (!request.asked()) {
        return names;
    }
    for (const DesignColumn& column : designColumns) {
        names.emplace_back(column.column);
    }
    for (const BucklingLength& length : request.lengths) {
        for (const BucklingColumn& column : bucklingColumns) {
            names.push_back(bucklingColumnName(request, column.column, length));
        }
    }
    return names;
}

bool isDesignColumnName(std::string_view name) {
    for (const DesignColumn& column : designColumns) {
        if (name == column.column) {
            return true;
        }
    }
    const std::string_view base = name.substr(0, name.find('@'));
    for (const BucklingColumn& column : bucklingColumns) {
        if (base == column.column) {
            return true;
        }
    }
    return false;
}

bool isDefaultDesignColumn(std::string_view name) {
    for (const DesignColumn& column : designColumns) {
        if (name == column.column) {
            return column.byDefault;
        }
    }
    return isDesignColumnName(name);
}

bool givenByCode(std::string_view name, const DesignCode& code) {
    const auto* column = std::ranges::find(designColumns, name, &DesignColumn::column);
    return column == designColumns.end() || givenBy(*column, code);
}

std::vector<std::string> designCells(const DesignResults& results) {
    std::vector<std::string> cells;
    for (const DesignColumn& column : designColumns) {
        cells.push_back((results.*column.field).text);
    }
    for (const BucklingResults& length : results.buckling) {
        for (const BucklingColumn& column : bucklingColumns) {
            cells.push_back((length.*column.field).text);
        }
    }
    return cells;
}

} // namespace kavrel
