#pragma once

#include "catalogue/section_family.hpp"
#include "properties/formulas.hpp"

#include <QPainter>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <optional>

namespace kavrel {

// A size as the drawing takes it: its family and dimensions in the units in force.
struct DrawnSection {
    SectionFamily family;
    QString designation;
    double depth;
    double width;
    double thickness;
    std::optional<CornerRadii> corners;  // none: an outer radius of 2t and an inner one of t
    QString unit = QStringLiteral("mm"); // of the dimensions and radii
};

// The selected size to scale: the outline with the corner radii its catalogue's formulas assume
// (for the IS RHS and SHS an outer radius of 2t and an inner radius of t), the wall, the dimensions
// D, B and t on dimension lines, and the axes x-x (parallel to the width, the axis of Ixx) and y-y.
// Drawn in the palette's colours.
class SectionDrawing : public QWidget {
    Q_OBJECT

  public:
    explicit SectionDrawing(QString separator, QWidget* parent = nullptr);

    void setSection(std::optional<DrawnSection> section);
    const std::optional<DrawnSection>& section() const { return section_; }

    QSize sizeHint() const override { return {280, 320}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Where the section is drawn: its centre on the widget, pixels per mm, and half its width
    // and depth in pixels.
    struct Placement {
        QPointF centre;
        double scale;
        double halfWidth;
        double halfDepth;
    };
    void drawOutline(QPainter& painter, const Placement& at) const;
    void drawAxes(QPainter& painter, const Placement& at) const;
    void drawDimensions(QPainter& painter, const Placement& at) const;
    void drawCornerRadii(QPainter& painter, const Placement& at) const;
    QString number(double value) const;

    QString separator_;
    std::optional<DrawnSection> section_;
};

} // namespace kavrel
