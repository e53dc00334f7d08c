#pragma once

#include "catalogue/catalogues.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include <optional>

namespace kavrel {

// The panel's sizes of one's own: a family, D, B and t typed with the user's decimal
// separator, Add, the sizes added and Remove, and under the fields the reason when a size is
// refused. The panel decides with which catalogue and pi Add checks a size.
class OwnSizeBox : public QGroupBox {
    Q_OBJECT

  public:
    explicit OwnSizeBox(QString separator, QWidget* parent = nullptr);

    // The sizes added, as the engine takes them: RHS:DxBxt, SHS:DxBxt, CHS:Dxt.
    QStringList sizes() const;
    void setSizes(const QStringList& sizes);

    // Marks the size at `row` in the list with the reason the chosen catalogue leaves it out,
    // or clears the mark; the size itself is kept.
    void markSize(int row, const QString& reason) const;

    // Adds the typed size when the catalogue's geometry computes it; otherwise marks the fields
    // concerned, shows the engine's reason and keeps the typed texts.
    void addTyped(Catalogue catalogue, std::optional<double> pi,
                  UnitSystem units = UnitSystem::Metric);

    // Names the units the dimensions are typed in; for AISC the wall is the nominal one.
    void showUnits(UnitSystem units, bool nominalWall);

    QComboBox* family;
    QLineEdit* depth;
    QLineEdit* width;
    QLineEdit* thickness;
    QPushButton* add;
    QLabel* reason;
    QListWidget* list;
    QPushButton* remove;

  signals:
    void changed();

  private:
    void updateFields();

    QLabel* depthLabel_;
    QLabel* widthLabel_;
    QLabel* thicknessLabel_;

    QString separator_;
};

} // namespace kavrel
