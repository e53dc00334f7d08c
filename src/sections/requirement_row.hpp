#pragma once

#include "sections/sections_panel.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <variant>

namespace kavrel {

// One requirement of the panel: a numeric column, a comparison, a number typed with the user's
// decimal separator, a Remove button, and under them the reason when the number is refused.
class RequirementRow : public QWidget {
    Q_OBJECT

  public:
    RequirementRow(const RequirementText& text, QWidget* parent = nullptr);

    RequirementText text() const;

    // The engine's condition, or why there is none (the number field is marked).
    std::variant<Condition, QString> condition(const QString& separator);

    // The units the number is typed in, named beside it.
    void setUnits(UnitSystem units);
    UnitSystem units() const { return units_; }

    QComboBox* column;
    QComboBox* comparison;
    QLineEdit* number;
    QPushButton* remove;
    QLabel* reason;
    QLabel* unit; // of the chosen column in the units in force

  signals:
    void changed();

  private:
    void showUnit();
    UnitSystem units_ = UnitSystem::Metric;
};

} // namespace kavrel
