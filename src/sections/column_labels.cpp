#include "sections/column_labels.hpp"

#include "table/table_columns.hpp"

#include <array>

namespace kavrel {
namespace {

struct Label {
    std::string_view unit;
    std::string_view meaning;
};

// The descriptions of the results give the units and meanings beyond the five leading columns;
// the catalogue column comes last.
Label labelOf(std::size_t column) {
    constexpr std::array<Label, leadingColumns> leading = {{{"", "family"},
                                                            {"", "designation"},
                                                            {"mm", "depth D"},
                                                            {"mm", "width B"},
                                                            {"mm", "wall thickness t"}}};
    if (column < leadingColumns) {
        return leading[column];
    }
    column -= leadingColumns;
    if (column < findResults.size()) {
        return {findResults[column].unit, findResults[column].meaning};
    }
    column -= findResults.size();
    if (column < plasticResults.size()) {
        return {plasticResults[column].unit, plasticResults[column].meaning};
    }
    column -= plasticResults.size();
    if (column == 0) {
        return {"", "catalogue"};
    }
    column -= 1;
    if (column < designColumns.size()) {
        return {designColumns[column].unit, designColumns[column].meaning};
    }
    return {"kN",
            bucklingColumns[(column - designColumns.size()) % bucklingColumns.size()].meaning};
}

} // namespace

QString columnName(std::size_t column) {
    if (column < columnCount) {
        return QString::fromUtf8(columnNames[column]);
    }
    column -= columnCount;
    if (column < designColumns.size()) {
        return QString::fromUtf8(designColumns[column].column);
    }
    return QString::fromUtf8(
        bucklingColumns[(column - designColumns.size()) % bucklingColumns.size()].column);
}

QString columnUnit(std::size_t column) {
    QString unit = QString::fromUtf8(labelOf(column).unit);
    unit.replace(QLatin1String("^2"), QStringLiteral("²"));
    unit.replace(QLatin1String("^3"), QStringLiteral("³"));
    unit.replace(QLatin1String("^4"), QStringLiteral("⁴"));
    return unit;
}

QString columnMeaning(std::size_t column) {
    return QString::fromUtf8(labelOf(column).meaning);
}

QString columnHeader(std::size_t column) {
    const QString unit = columnUnit(column);
    return unit.isEmpty() ? columnName(column) : columnName(column) + QLatin1Char('\n') + unit;
}

} // namespace kavrel
