#include "sections/copied_text.hpp"

#include "table/table_columns.hpp"

namespace kavrel {

QString copiedText(const TableRows& rows, const std::vector<int>& positions,
                   const QString& separator) {
    QStringList lines;
    QStringList header;
    for (const std::size_t column : rows.columns) {
        const std::string_view name = columnNameIn(rows, column);
        QString shown = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        // Named with their units where the engine's headers are: with --units or AISC.
        if (const std::string_view unit = columnUnitIn(rows, column);
            rows.unitLabels && !unit.empty()) {
            shown += QStringLiteral(" (") +
                     QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())) +
                     QLatin1Char(')');
        }
        header << shown;
    }
    lines << header.join(QLatin1Char('\t'));
    const auto addRow = [&](const ShownRow& row) {
        QStringList cells;
        for (const std::size_t column : rows.columns) {
            QString cell = QString::fromStdString(cellOf(row, column));
            if (isNumericColumn(column)) {
                cell.replace(QLatin1Char('.'), separator);
            }
            cells << cell;
        }
        lines << cells.join(QLatin1Char('\t'));
    };
    if (positions.empty()) {
        for (const ShownRow& row : rows.rows) {
            addRow(row);
        }
    }
    for (const int position : positions) {
        addRow(rows.rows.at(static_cast<std::size_t>(position)));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace kavrel
