#include "sections/column_widths.hpp"

#include "sections/sections_model.hpp"
#include "table/table_columns.hpp"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QSet>
#include <QTableView>

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>

namespace kavrel {
namespace {

// A text's width as the sum of its characters' advances: what shaping gives, but for kerning
// between pairs, which moves a text by a fraction of a character. The engine writes ASCII; a
// text that is not is taken as the widest, so that it is measured.
class WidthEstimate {
  public:
    WidthEstimate(const QFont& font, const QString& separator)
        : metrics_(font), separator_(metrics_.horizontalAdvance(separator)) {
        advances_.fill(-1); // each character measured once, when first met
    }

    double operator()(std::string_view text, bool numeric) {
        double width = 0;
        for (const char c : text) {
            const auto code = static_cast<unsigned char>(c);
            if (code >= advances_.size()) {
                return std::numeric_limits<double>::infinity();
            }
            // The window shows numbers with the user's decimal separator.
            if (advances_[code] < 0) {
                advances_[code] = metrics_.horizontalAdvance(QLatin1Char(c));
            }
            width += numeric && c == '.' ? separator_ : advances_[code];
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
    std::array<double, 128> advances_{};
    double separator_;
};

} // namespace

std::vector<int> fitColumnsToContents(QTableView& table, const SectionsModel& model) {
    const auto& rows = model.rows().rows;
    QHeaderView& header = *table.horizontalHeader();
    // The header's own measure gives every column the indicator's room while one is shown.
    const bool indicator = header.isSortIndicatorShown();
    header.setSortIndicatorShown(false);
    std::vector<int> fitted;
    WidthEstimate estimate(table.font(), model.separator());
    // The sizes of one's own are in italics: estimated and measured in their own font, which is
    // loaded only when there are some.
    QFont italic = table.font();
    italic.setItalic(true);
    const bool anyOwn = std::ranges::any_of(rows, &ShownRow::own);
    std::optional<WidthEstimate> ownEstimate;
    if (anyOwn) {
        ownEstimate.emplace(italic, model.separator());
    }
    const double slack = estimate.slack();
    const double ownSlack = anyOwn ? ownEstimate->slack() : 0;
    std::vector<double> widths(rows.size());
    for (int column = 0; column < model.columnCount(); ++column) {
        const std::size_t engine = model.engineColumn(column);
        const bool numeric = isNumericColumn(engine);
        double widest = 0;
        double widestOwn = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            widths[r] = rows[r].own ? (*ownEstimate)(cellOf(rows[r], engine), numeric)
                                    : estimate(cellOf(rows[r], engine), numeric);
            double& top = rows[r].own ? widestOwn : widest;
            top = std::max(top, widths[r]);
        }
        // Only a cell near the widest estimate can be the widest: its text is measured, and the
        // view measures the widest of those. The sizes of one's own, whose font is another and
        // which may be thousands, are measured by the view where near their own widest.
        QSet<QString> measuredTexts; // a catalogue repeats its dimensions
        QSet<QString> measuredOwn;
        double measuredWidest = -1;
        std::size_t widestRow = 0;
        int content = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int row = static_cast<int>(r);
            if (rows[r].own) {
                if (widths[r] >= widestOwn - ownSlack) {
                    QString text = model.shownText(row, column);
                    if (!measuredOwn.contains(text)) {
                        content = std::max(
                            content, table.sizeHintForIndex(model.index(row, column)).width());
                        measuredOwn.insert(std::move(text));
                    }
                }
            } else if (widths[r] >= widest - slack) {
                QString text = model.shownText(row, column);
                if (!measuredTexts.contains(text)) {
                    if (const double measured = estimate.measured(text);
                        measured > measuredWidest) {
                        measuredWidest = measured;
                        widestRow = r;
                    }
                    measuredTexts.insert(std::move(text));
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
        fitted.push_back(std::max(content, header.sectionSizeHint(column)));
        header.resizeSection(column, fitted.back());
    }
    header.setSortIndicatorShown(indicator);
    return fitted;
}

} // namespace kavrel
