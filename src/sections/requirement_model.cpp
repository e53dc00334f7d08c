#include "sections/requirement_model.hpp"

#include "sections/column_labels.hpp"
#include "sections/typed_fields.hpp"
#include "table/table_columns.hpp"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace kavrel {
namespace {

QString quotedText(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

const ComparisonSymbol* symbolWritten(const QString& written) {
    for (const ComparisonSymbol& symbol : comparisonSymbols) {
        if (written == QString::fromUtf8(symbol.written)) {
            return &symbol;
        }
    }
    return nullptr;
}

} // namespace

const std::vector<RequirementColumn>& requirementColumns() {
    static const std::vector<RequirementColumn> columns = [] {
        std::vector<RequirementColumn> made;
        for (std::size_t i = 0; i < windowColumnCount; ++i) {
            if (isNumericColumn(i)) {
                made.push_back({columnName(i), columnName(i) + QStringLiteral(" (") +
                                                   columnMeaning(i) + QLatin1Char(')')});
            }
        }
        return made;
    }();
    return columns;
}

std::variant<Condition, QString> requirementCondition(const RequirementText& text,
                                                      const QString& separator) {
    const QString shown = text.number.trimmed();
    if (const auto engine = engineNumber(shown, separator)) {
        const std::string condition =
            text.column.toStdString() + " " + text.comparison.toStdString() + " " + *engine;
        auto parsed = parseCondition(condition);
        if (auto* found = std::get_if<Condition>(&parsed)) {
            return std::move(*found);
        }
        // The engine quotes the number as it reads it; the user sees it as typed.
        QString why = QString::fromStdString(std::get<TableError>(parsed).message);
        why.replace(QString::fromStdString(kavrel::quoted(*engine)), quotedText(shown));
        return why;
    }
    return quotedText(shown) + RequirementModel::tr(" is not a number");
}

RequirementModel::RequirementModel(QObject* parent) : QAbstractTableModel(parent) {}

void RequirementModel::setTexts(std::vector<RequirementText> texts) {
    beginResetModel();
    texts_ = std::move(texts);
    reasons_.assign(texts_.size(), QString());
    endResetModel();
}

void RequirementModel::append(const RequirementText& text) {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    texts_.push_back(text);
    reasons_.emplace_back();
    endInsertRows();
}

void RequirementModel::removeRequirements(std::vector<int> rows) {
    std::ranges::sort(rows, std::greater<>());
    const auto [end, last] = std::ranges::unique(rows);
    rows.erase(end, last);
    for (const int row : rows) {
        if (row < 0 || row >= rowCount()) {
            continue;
        }
        beginRemoveRows({}, row, row);
        texts_.erase(texts_.begin() + row);
        reasons_.erase(reasons_.begin() + row);
        endRemoveRows();
    }
}

void RequirementModel::setUnits(UnitSystem units) {
    if (units_ == units) {
        return;
    }
    units_ = units;
    if (!texts_.empty()) {
        emit dataChanged(index(0, NumberField), index(rowCount() - 1, UnitField));
    }
}

void RequirementModel::setNumber(int row, const QString& number) {
    QString& typed = texts_[static_cast<std::size_t>(row)].number;
    if (typed != number) {
        typed = number;
        emit dataChanged(index(row, NumberField), index(row, NumberField));
    }
}

void RequirementModel::setReason(int row, const QString& reason) {
    QString& kept = reasons_[static_cast<std::size_t>(row)];
    if (kept != reason) {
        kept = reason;
        // The number alone: an editor open on it is marked too.
        emit dataChanged(index(row, NumberField), index(row, NumberField));
    }
}

QString RequirementModel::unitOf(const RequirementText& text) const {
    for (std::size_t i = 0; i < windowColumnCount; ++i) {
        if (columnName(i) == text.column) {
            return columnUnit(i, units_);
        }
    }
    return {};
}

int RequirementModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

int RequirementModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fieldCount;
}

QVariant RequirementModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const RequirementText& text = texts_[static_cast<std::size_t>(index.row())];
    const QString& reason = reasons_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case ColumnField: {
        const auto& columns = requirementColumns();
        const auto found = std::ranges::find(columns, text.column, &RequirementColumn::name);
        if (role == Qt::EditRole) {
            return text.column;
        }
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
            return found == columns.end() ? text.column : found->shown;
        }
        break;
    }
    case ComparisonField:
        if (role == Qt::EditRole) {
            return text.comparison;
        }
        if (role == Qt::DisplayRole) {
            const ComparisonSymbol* symbol = symbolWritten(text.comparison);
            return symbol ? QString::fromUtf8(symbol->shown) : text.comparison;
        }
        break;
    case NumberField:
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return text.number;
        case RefusedRole:
            return !reason.isEmpty();
        case Qt::ToolTipRole:
            return reason.isEmpty() ? QVariant() : QVariant(reason);
        case Qt::AccessibleDescriptionRole: {
            const QString unit = unitOf(text);
            QString described = unit.isEmpty() ? QString() : tr("in %1").arg(unit);
            if (!reason.isEmpty()) {
                described += (described.isEmpty() ? QString() : QStringLiteral("; ")) + reason;
            }
            return described;
        }
        case Qt::ForegroundRole:
            return reason.isEmpty() ? QVariant() : QVariant(QBrush(QColor(0xd0, 0x34, 0x2c)));
        case Qt::BackgroundRole:
            // The field's red, on the cell: it reads on light and dark palettes alike.
            return reason.isEmpty() ? QVariant() : QVariant(QBrush(QColor(0xd0, 0x34, 0x2c, 48)));
        default:
            break;
        }
        break;
    case UnitField:
        if (role == Qt::DisplayRole) {
            return unitOf(text);
        }
        break;
    default:
        break;
    }
    return {};
}

bool RequirementModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() == UnitField) {
        return false;
    }
    RequirementText& text = texts_[static_cast<std::size_t>(index.row())];
    QString& field = index.column() == ColumnField       ? text.column
                     : index.column() == ComparisonField ? text.comparison
                                                         : text.number;
    const QString given = value.toString();
    if (field == given) {
        return true;
    }
    field = given;
    // The unit follows the column.
    emit dataChanged(
        index.siblingAtColumn(index.column() == ColumnField ? ColumnField : index.column()),
        index.siblingAtColumn(index.column() == ColumnField ? UnitField : index.column()));
    emit edited();
    return true;
}

Qt::ItemFlags RequirementModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags base = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() != UnitField ? base | Qt::ItemIsEditable : base;
}

QVariant RequirementModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case ColumnField:
        return tr("Column");
    case ComparisonField:
        return tr("Is");
    case NumberField:
        return tr("Number");
    case UnitField:
        return tr("Unit");
    default:
        return {};
    }
}

} // namespace kavrel
