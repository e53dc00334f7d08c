#pragma once

#include <QHeaderView>
#include <QStyleOptionHeader>

namespace kavrel {

// The table's column headers, whose sort arrow points as a spreadsheet's does: up for an
// ascending sort (Qt's own points down for it).
class SortHeader : public QHeaderView {
    Q_OBJECT

  public:
    explicit SortHeader(QWidget* parent = nullptr) : QHeaderView(Qt::Horizontal, parent) {}

    // The arrow a column's header is drawn with.
    QStyleOptionHeader::SortIndicator shownIndicator(int logicalIndex) const;

  protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};

} // namespace kavrel
