#include "sections/sections_model.hpp"

#include "sections/column_labels.hpp"
#include "table/table_columns.hpp"

#include <QFont>

namespace kavrel {

SectionsModel::SectionsModel(QString separator, QObject* parent)
    : QAbstractTableModel(parent), separator_(std::move(separator)) {}

void SectionsModel::setRows(TableRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

std::size_t SectionsModel::engineColumn(int column) const {
    return rows_.columns[static_cast<std::size_t>(column)];
}

QString SectionsModel::shownText(int row, int column) const {
    const std::size_t engine = engineColumn(column);
    QString text =
        QString::fromStdString(cellOf(rows_.rows[static_cast<std::size_t>(row)], engine));
    if (isNumericColumn(engine)) {
        text.replace(QLatin1Char('.'), separator_);
    }
    return text;
}

int SectionsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.rows.size());
}

int SectionsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.columns.size());
}

QVariant SectionsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const bool own = rows_.rows[static_cast<std::size_t>(index.row())].own;
    switch (role) {
    case Qt::DisplayRole:
        return shownText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return isNumericColumn(engineColumn(index.column()))
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::FontRole:
        if (own) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return own ? tr("a size of your own") : QVariant();
    default:
        return {};
    }
}

QVariant SectionsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    const std::size_t engine = engineColumn(section);
    switch (role) {
    case Qt::DisplayRole:
        return columnHeader(engine, rows().units);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return columnToolTip(engine, rows().units);
    case Qt::AccessibleTextRole:
        return columnName(engine);
    default:
        return {};
    }
}

} // namespace kavrel
