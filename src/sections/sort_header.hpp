#pragma once

#include <QHash>
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
    // A header's text measured once: the view asks for every section's size whenever its
    // geometry changes, and the texts seldom do. The model gives the header no font, icon or
    // size of its own, so the text, the font, the style and the sort arrow's room are all the
    // measure depends on.
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void changeEvent(QEvent* event) override;

  private:
    mutable QHash<QString, QSize> measured_;
    mutable bool measuredWithIndicator_ = false;
};

} // namespace kavrel
