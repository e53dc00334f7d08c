#include "sections/cell_painter.hpp"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace kavrel {
namespace {

// A cell the style would draw as one line of text and nothing else. A text with a space could
// wrap, one without cannot, whether the view wraps or not. The focus frame is placed by the
// text's extent, which the style measures: the one cell that has it is the style's.
bool isOneLineOfText(const QStyleOptionViewItem& cell) {
    return (cell.features & QStyleOptionViewItem::HasDisplay) &&
           !(cell.features &
             (QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator)) &&
           !(cell.state & (QStyle::State_Editing | QStyle::State_HasFocus)) &&
           !cell.text.isEmpty() &&
           std::ranges::none_of(cell.text, [](QChar c) { return c.isSpace(); });
}

} // namespace

void CellPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (!isOneLineOfText(cell)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = cell.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    // The text's room and its place in it, as the style's own drawing of a view item has them.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect room = cell.rect.adjusted(margin, 0, -margin, 0);
    QTextOption placing;
    placing.setWrapMode(QTextOption::ManualWrap);
    placing.setTextDirection(cell.direction);
    placing.setAlignment(QStyle::visualAlignment(cell.direction, cell.displayAlignment));
    QTextLayout layout(cell.text, cell.font);
    layout.setTextOption(placing);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(room.width());
    layout.endLayout();
    if (line.naturalTextWidth() > room.width()) {
        QStyledItemDelegate::paint(painter, option, index); // the style elides it
        return;
    }

    // Behind the text, the style draws only a selection or a cell's own background; the view
    // has drawn the rest, alternate rows too.
    if ((cell.state & QStyle::State_Selected) || cell.backgroundBrush.style() != Qt::NoBrush) {
        QStyleOptionViewItem background = cell;
        background.text.clear();
        background.features &= ~QStyleOptionViewItem::HasDisplay;
        style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    }

    QPalette::ColorGroup group =
        cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active)) {
        group = QPalette::Inactive;
    }
    const QRect lineBox =
        QStyle::alignedRect(cell.direction, cell.displayAlignment & Qt::AlignVertical_Mask,
                            QSize(room.width(), int(line.height())), room);
    painter->save();
    painter->setPen(cell.palette.color(
        group, cell.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    layout.draw(painter, QPointF(room.x(), lineBox.top()));
    painter->restore();
}

} // namespace kavrel
