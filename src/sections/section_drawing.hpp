#pragma once

#include "catalogue/section_family.hpp"
#include "properties/formulas.hpp"

#include <QPainter>
#include <QPointF>
#include <QString>
#include <QTransform>
#include <QWidget>

#include <optional>
#include <vector>

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

// A text of the drawing where it is written: its box and alignment in the label's own frame,
// the frame's place on the widget (a turn for the depth's text), and what the text covers on
// the widget.
struct DrawingLabel {
    QString text;
    QRectF box;
    int flags = Qt::AlignCenter;
    QTransform frame;
    QRectF covered; // the text's own extent on the widget, turned with it
    QPalette::ColorRole colour = QPalette::Text;
};

// Where the section is drawn: its centre on the widget, pixels per unit of length, and half
// its width and depth in pixels.
struct DrawingPlacement {
    QPointF centre;
    double scale;
    double halfWidth;
    double halfDepth;
};

// Where the drawing puts its texts and axes for the size and the widget's size and font.
struct DrawingLayout {
    std::vector<DrawingLabel> labels;
    std::vector<QLineF> axes;                  // x-x and y-y
    std::optional<DrawingPlacement> placement; // none: the size cannot be drawn
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

    // The texts and axes as the next paint draws them; empty with no size selected.
    DrawingLayout layout() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    using Placement = DrawingPlacement;
    // With `radiiBelow` the outline leaves room under the width's text for the corner radii,
    // when they find no place clear of the rest beside the outline.
    std::optional<Placement> placement(bool radiiBelow) const;
    // The texts and axes over the given placement; false when the corner radii found no place.
    bool placeTexts(DrawingLayout& layout, const Placement& at, bool radiiBelow) const;
    QString title() const;
    void drawOutline(QPainter& painter, const Placement& at) const;
    void drawAxes(QPainter& painter, const Placement& at) const;
    void drawDimensions(QPainter& painter, const Placement& at) const;
    void drawCornerRadii(QPainter& painter, const Placement& at) const;
    // The texts: each written where layout() says.
    void addAxisLetters(DrawingLayout& layout, const Placement& at) const;
    void addDimensionTexts(DrawingLayout& layout, const Placement& at) const;
    bool addCornerRadiiText(DrawingLayout& layout, const Placement& at, bool radiiBelow) const;
    QRectF titleBox() const;
    QString number(double value) const;

    QString separator_;
    std::optional<DrawnSection> section_;
};

} // namespace kavrel
