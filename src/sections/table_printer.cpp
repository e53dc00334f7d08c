#include "sections/table_printer.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace kavrel {

QString printedDocumentName(const QString& title) {
    return title.contains(QLatin1Char('.')) ? title + QStringLiteral(".pdf") : title;
}

void paintTable(QPainter& painter, const QRectF& page, const PrintedTable& table,
                const std::function<bool()>& newPage) {
    const QFontMetricsF metrics(painter.font());
    const double gap = metrics.horizontalAdvance(QStringLiteral("  "));
    std::vector<double> widths;
    for (qsizetype c = 0; c < table.headers.size(); ++c) {
        double width = metrics.horizontalAdvance(table.headers[c]);
        for (const QStringList& row : table.rows) {
            width = std::max(width, metrics.horizontalAdvance(row.value(c)));
        }
        widths.push_back(width);
    }
    double total = 0;
    for (const double width : widths) {
        total += width + gap;
    }
    // Scaled to the page's width when wider; the rows per page follow from the scale.
    const double scale = total > page.width() ? page.width() / total : 1.0;
    const double line = metrics.height() * 1.25;
    const double height = page.height() / scale;
    const int perPage = std::max(1, static_cast<int>((height - 3 * line) / line));
    const int rowCount = static_cast<int>(table.rows.size());
    const int pages = std::max(1, (rowCount + perPage - 1) / perPage);

    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !newPage()) {
            return;
        }
        painter.save();
        painter.translate(page.topLeft());
        painter.scale(scale, scale);
        double y = metrics.ascent();
        painter.drawText(
            QPointF(0, y),
            table.title +
                QCoreApplication::translate("kavrel", " (page %1 of %2)").arg(p + 1).arg(pages));
        y += 1.5 * line;
        const auto drawLine = [&](const QStringList& cells) {
            double x = 0;
            for (std::size_t c = 0; c < widths.size(); ++c) {
                const QString& cell = cells.value(static_cast<qsizetype>(c));
                const double offset =
                    table.rightAligned.at(c) ? widths[c] - metrics.horizontalAdvance(cell) : 0;
                painter.drawText(QPointF(x + offset, y), cell);
                x += widths[c] + gap;
            }
            y += line;
        };
        drawLine(table.headers);
        painter.drawLine(QPointF(0, y - line + metrics.descent() + 1),
                         QPointF(total, y - line + metrics.descent() + 1));
        for (int r = p * perPage; r < std::min(rowCount, (p + 1) * perPage); ++r) {
            drawLine(table.rows[static_cast<std::size_t>(r)]);
        }
        painter.restore();
    }
}

bool printTable(QPrinter& printer, const PrintedTable& table) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    painter.setFont(QFont(painter.font().family(), 9));
    // The painter's origin is the top left of the printable area.
    const QRect paintable = printer.pageLayout().paintRectPixels(printer.resolution());
    paintTable(painter, QRectF(0, 0, paintable.width(), paintable.height()), table,
               [&printer] { return printer.newPage(); });
    return painter.end();
}

} // namespace kavrel
