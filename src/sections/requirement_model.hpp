#pragma once

#include "properties/units.hpp"
#include "sections/sections_panel.hpp"
#include "table/table_request.hpp"

#include <QAbstractTableModel>
#include <QString>

#include <variant>
#include <vector>

namespace kavrel {

// The engine's condition of a requirement as typed, or why it has none yet.
std::variant<Condition, QString> requirementCondition(const RequirementText& text,
                                                      const QString& separator);

// The columns a requirement can name: the engine's name and the words shown for it.
struct RequirementColumn {
    QString name;
    QString shown;
};
const std::vector<RequirementColumn>& requirementColumns();

// The panel's requirements, one row each: column, comparison, number as typed and the unit it
// is typed in. One model of many rows, not a row of widgets each: restoring thousands costs
// time in proportion to their number. A requirement that does not read is marked at its number
// with the reason, and kept as typed.
class RequirementModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Field { ColumnField, ComparisonField, NumberField, UnitField, fieldCount };
    // True on the number of a requirement that is not applied.
    static constexpr int RefusedRole = Qt::UserRole + 1;

    explicit RequirementModel(QObject* parent = nullptr);

    const std::vector<RequirementText>& texts() const { return texts_; }
    void setTexts(std::vector<RequirementText> texts);
    void append(const RequirementText& text);
    // The rows given (any order, duplicates allowed) are removed.
    void removeRequirements(std::vector<int> rows);

    // The units the numbers are typed in; the numbers themselves are the panel's to convert.
    void setUnits(UnitSystem units);
    UnitSystem units() const { return units_; }
    void setNumber(int row, const QString& number);

    // Why the requirement at `row` is not applied, or empty; only a change repaints.
    void setReason(int row, const QString& reason);
    const QString& reason(int row) const { return reasons_[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  signals:
    // The user changed a requirement (not a reason or the units).
    void edited();

  private:
    QString unitOf(const RequirementText& text) const;

    std::vector<RequirementText> texts_;
    std::vector<QString> reasons_;
    UnitSystem units_ = UnitSystem::Metric;
};

} // namespace kavrel
