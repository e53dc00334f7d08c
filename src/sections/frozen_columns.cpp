#include "sections/frozen_columns.hpp"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

namespace kavrel {

FrozenColumns::FrozenColumns(QTableView& table, std::function<int()> lastFrozen)
    : QTableView(&table), table_(table), lastFrozen_(std::move(lastFrozen)) {
    setObjectName(QStringLiteral("tblfrozen"));
    setAccessibleName(tr("Sections, the columns kept in view"));
    // The table takes the keyboard; this only shows what it shows.
    setFocusPolicy(Qt::NoFocus);
    setModel(table.model());
    setSelectionModel(table.selectionModel());
    setSelectionBehavior(table.selectionBehavior());
    setSelectionMode(table.selectionMode());
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(table.alternatingRowColors());
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(table.verticalHeader()->defaultSectionSize());
    horizontalHeader()->setDefaultAlignment(table.horizontalHeader()->defaultAlignment());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(table.verticalScrollMode());
    setFrameShape(QFrame::NoFrame);
    table.viewport()->stackUnder(this);
    // Its header and rows cover it whole: the table's cells beneath are not painted for nothing.
    setAttribute(Qt::WA_OpaquePaintEvent);

    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, table.verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(table.verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(table.horizontalHeader(), &QHeaderView::sectionResized, this, &FrozenColumns::follow);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, table.horizontalHeader(),
            &QHeaderView::sectionClicked);
    connect(table.model(), &QAbstractItemModel::modelReset, this, &FrozenColumns::follow);
    table.installEventFilter(this);
    follow();
}

void FrozenColumns::follow() {
    const int last = lastFrozen_();
    int width = 0;
    for (int c = 0; c < model()->columnCount(); ++c) {
        setColumnHidden(c, c > last);
        if (c <= last) {
            setColumnWidth(c, table_.columnWidth(c));
            width += table_.columnWidth(c);
        }
    }
    setVisible(last >= 0);
    horizontalHeader()->setFixedHeight(table_.horizontalHeader()->height());
    const int frame = table_.frameWidth();
    setGeometry(frame +
                    (table_.verticalHeader()->isVisible() ? table_.verticalHeader()->width() : 0),
                frame, width, table_.viewport()->height() + table_.horizontalHeader()->height());
}

bool FrozenColumns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &table_ && (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
                               event->type() == QEvent::LayoutRequest)) {
        follow();
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace kavrel
