#include "sections/sort_header.hpp"

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

QStyleOptionHeader::SortIndicator SortHeader::shownIndicator(int logicalIndex) const {
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    return option.sortIndicator;
}

} // namespace kavrel
