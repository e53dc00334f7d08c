#include "sections/column_widths.hpp"

#include "sections/sections_model.hpp"

#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QSet>
#include <QTableView>

#include <algorithm>

namespace kavrel {
namespace {

// A text's width as the sum of its characters' advances: what shaping gives, but for kerning
// between pairs, which moves a text by a fraction of a character.
class WidthEstimate {
  public:
    explicit WidthEstimate(const QFont& font) : metrics_(font) {}

    double operator()(const QString& text) {
        double width = 0;
        for (const QChar c : text) {
            auto found = advances_.constFind(c);
            if (found == advances_.constEnd()) {
                found = advances_.insert(c, metrics_.horizontalAdvance(c));
            }
            width += *found;
        }
        return width;
    }

    // The width of the text shaped, as the view lays it out.
    double measured(const QString& text) const { return metrics_.horizontalAdvance(text); }

    // What kerning may add to a text of numbers or a designation, and then some: a third of a
    // digit.
    double slack() const { return metrics_.horizontalAdvance(QLatin1Char('0')) / 3; }

  private:
    QFontMetricsF metrics_;
    QHash<QChar, double> advances_;
};

} // namespace

void fitColumnsToContents(QTableView& table, const SectionsModel& model) {
    const auto& rows = model.rows().rows;
    QHeaderView& header = *table.horizontalHeader();
    WidthEstimate estimate(table.font());
    const double slack = estimate.slack();
    std::vector<QString> texts(rows.size());
    std::vector<double> widths(rows.size());
    for (int column = 0; column < model.columnCount(); ++column) {
        double widest = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            texts[r] = model.shownText(static_cast<int>(r), column);
            widths[r] = estimate(texts[r]);
            if (!rows[r].own) {
                widest = std::max(widest, widths[r]);
            }
        }
        // Only a cell near the widest estimate can be the widest: its text is measured, and the
        // view measures the widest of those, and the sizes of one's own, whose font is another.
        QSet<QString> measuredTexts; // a catalogue repeats its dimensions
        double measuredWidest = -1;
        std::size_t widestRow = 0;
        int content = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int row = static_cast<int>(r);
            if (rows[r].own) {
                content =
                    std::max(content, table.sizeHintForIndex(model.index(row, column)).width());
            } else if (widths[r] >= widest - slack && !measuredTexts.contains(texts[r])) {
                const double measured = estimate.measured(texts[r]);
                measuredTexts.insert(texts[r]);
                if (measured > measuredWidest) {
                    measuredWidest = measured;
                    widestRow = r;
                }
            }
        }
        if (measuredWidest >= 0) {
            const QModelIndex index = model.index(static_cast<int>(widestRow), column);
            content = std::max(content, table.sizeHintForIndex(index).width());
        }
        // As QTableView::sizeHintForColumn: the grid line takes a pixel.
        if (!rows.empty() && table.showGrid()) {
            ++content;
        }
        header.resizeSection(column, std::max(content, header.sectionSizeHint(column)));
    }
}

} // namespace kavrel
