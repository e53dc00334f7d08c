#include "sections/sort_header.hpp"

#include <QEvent>
#include <QStyleOptionHeader>

namespace kavrel {

void SortHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (option->sortIndicator == QStyleOptionHeader::SortDown) {
        option->sortIndicator = QStyleOptionHeader::SortUp;
    } else if (option->sortIndicator == QStyleOptionHeader::SortUp) {
        option->sortIndicator = QStyleOptionHeader::SortDown;
    }
}

QSize SortHeader::sectionSizeFromContents(int logicalIndex) const {
    if (measuredWithIndicator_ != isSortIndicatorShown()) {
        measured_.clear();
        measuredWithIndicator_ = isSortIndicatorShown();
    }
    const QString text =
        model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    auto found = measured_.constFind(text);
    if (found == measured_.constEnd()) {
        found = measured_.insert(text, QHeaderView::sectionSizeFromContents(logicalIndex));
    }
    return *found;
}

void SortHeader::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        measured_.clear();
    }
    QHeaderView::changeEvent(event);
}

QStyleOptionHeader::SortIndicator SortHeader::shownIndicator(int logicalIndex) const {
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    return option.sortIndicator;
}

} // namespace kavrel
