#include "sections/column_labels.hpp"

#include "table/table_columns.hpp"

#include <array>

namespace kavrel {
namespace {

struct Label {
    std::string_view unit; // metric
    std::string_view meaning;
    Quantity quantity = Quantity::None; // none: the unit is the same in both systems
};

// What the AISC Manual calls Kavrel's columns, where it differs or may be mistaken.
constexpr std::pair<std::string_view, std::string_view> aiscNames[] = {
    {"Zxx", "AISC's Sx (elastic)"},
    {"Zyy", "AISC's Sy (elastic)"},
    {"Zpx", "AISC's Zx (plastic)"},
    {"Zpy", "AISC's Zy (plastic)"},
    {"rxx", "AISC's rx"},
    {"ryy", "AISC's ry"},
    {"S", "the outer surface, not a section modulus"},
};

// The descriptions of the results give the units and meanings beyond the five leading columns;
// the catalogue column comes last.
Label labelOf(std::size_t column) {
    constexpr std::array<Label, leadingColumns> leading = {
        {{"", "family"},
         {"", "designation"},
         {"mm", "depth D", Quantity::Length},
         {"mm", "width B", Quantity::Length},
         {"mm", "wall thickness t", Quantity::Length}}};
    if (column < leadingColumns) {
        return leading[column];
    }
    column -= leadingColumns;
    if (column < findResults.size()) {
        return {findResults[column].unit, findResults[column].meaning,
                findResults[column].quantity};
    }
    column -= findResults.size();
    if (column < plasticResults.size()) {
        return {plasticResults[column].unit, plasticResults[column].meaning,
                plasticResults[column].quantity};
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

QString columnUnit(std::size_t column, UnitSystem units) {
    const Label label = labelOf(column);
    QString unit = QString::fromUtf8(
        label.quantity == Quantity::None ? label.unit : unitOf(label.quantity, units));
    unit.replace(QLatin1String("^2"), QStringLiteral("²"));
    unit.replace(QLatin1String("^3"), QStringLiteral("³"));
    unit.replace(QLatin1String("^4"), QStringLiteral("⁴"));
    return unit;
}

QString columnMeaning(std::size_t column) {
    return QString::fromUtf8(labelOf(column).meaning);
}

QString columnToolTip(std::size_t column, UnitSystem units) {
    const QString unit = columnUnit(column, units);
    QString tip = unit.isEmpty() ? columnMeaning(column)
                                 : columnMeaning(column) + QStringLiteral(", ") + unit;
    if (column < columnCount) {
        for (const auto& [name, aisc] : aiscNames) {
            if (columnNames[column] == name) {
                tip += QStringLiteral("; ") + QString::fromUtf8(aisc);
            }
        }
    }
    return tip;
}

QString columnHeader(std::size_t column, UnitSystem units) {
    const QString unit = columnUnit(column, units);
    return unit.isEmpty() ? columnName(column) : columnName(column) + QLatin1Char('\n') + unit;
}

} // namespace kavrel
