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
    if (column < results.size()) {
        return {results[column].unit, results[column].meaning, results[column].quantity};
    }
    column -= results.size();
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

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString columnName(std::size_t column) {
    if (column < columnCount) {
        return fromView(columnNames[column]);
    }
    column -= columnCount;
    if (column < designColumns.size()) {
        return fromView(designColumns[column].column);
    }
    return fromView(
        bucklingColumns[(column - designColumns.size()) % bucklingColumns.size()].column);
}

QString columnUnit(std::size_t column, UnitSystem units) {
    const Label label = labelOf(column);
    QString unit =
        fromView(label.quantity == Quantity::None ? label.unit : unitOf(label.quantity, units));
    unit.replace(QLatin1String("^2"), QStringLiteral("²"));
    unit.replace(QLatin1String("^3"), QStringLiteral("³"));
    unit.replace(QLatin1String("^4"), QStringLiteral("⁴"));
    return unit;
}

QString columnMeaning(std::size_t column) {
    return fromView(labelOf(column).meaning);
}

QString columnToolTip(std::size_t column, UnitSystem units) {
    const QString unit = columnUnit(column, units);
    QString tip = unit.isEmpty() ? columnMeaning(column)
                                 : columnMeaning(column) + QStringLiteral(", ") + unit;
    if (column < columnCount) {
        for (const auto& [name, aisc] : aiscNames) {
            if (columnNames[column] == name) {
                tip += QStringLiteral("; ") + fromView(aisc);
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
