#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;
class QPrinter;
class QRectF;

namespace kavrel {

// A table as it is printed: a title line, the column headers and the rows' cells.
struct PrintedTable {
    QString title;
    QStringList headers;
    std::vector<bool> rightAligned; // per column: numbers to the right
    std::vector<QStringList> rows;
};

// Paints the table on pages of `page` (device coordinates), the title and the headers at the
// top of every page; `newPage` starts the next page and returns false when it cannot. Columns
// wider than the page together are drawn smaller until they fit.
void paintTable(QPainter& painter, const QRectF& page, const PrintedTable& table,
                const std::function<bool()>& newPage);

// The document name to give a printer for this title. Qt's print dialog offers the name less
// its last ".ending" plus ".pdf" as the file to print to, which would cut "12.5" to "12": a
// title with a point gets ".pdf" of its own, so every decimal stays in the offered name.
QString printedDocumentName(const QString& title);

// Prints the table on the printer; false when the printer could not be started.
bool printTable(QPrinter& printer, const PrintedTable& table);

} // namespace kavrel
