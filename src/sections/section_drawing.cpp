#include "sections/section_drawing.hpp"

#include <QPainter>
#include <QPainterPath>

#include <charconv>
#include <cmath>
#include <numbers>

namespace kavrel {
namespace {

// A rounded rectangle centred on the origin, its corners arcs of the given radius.
QPainterPath roundedRectangle(double width, double height, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(-width / 2, -height / 2, width, height), radius, radius);
    return path;
}

// The two strokes of an arrow head at `tip`, pointing away from `from`.
void arrowHead(QPainter& painter, QPointF tip, QPointF from) {
    QLineF head(tip, from);
    head.setLength(7);
    QLineF left = head;
    left.setAngle(head.angle() + 20);
    QLineF right = head;
    right.setAngle(head.angle() - 20);
    painter.drawLine(left);
    painter.drawLine(right);
}

// A line from `from` to `tip` with an arrow head at the tip.
void arrow(QPainter& painter, QPointF from, QPointF tip) {
    painter.drawLine(from, tip);
    arrowHead(painter, tip, from);
}

// A dimension line from a to b with arrow heads and its text beside its middle.
void dimensionLine(QPainter& painter, QPointF a, QPointF b, const QString& text, QPointF offset) {
    painter.drawLine(a, b);
    const QLineF line(a, b);
    arrowHead(painter, a, b);
    arrowHead(painter, b, a);
    const QPointF middle = line.center() + offset;
    const QRectF box(middle.x() - 60, middle.y() - 10, 120, 20);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

SectionDrawing::SectionDrawing(QString separator, QWidget* parent)
    : QWidget(parent), separator_(std::move(separator)) {
    setObjectName(QStringLiteral("drawing"));
    setAccessibleName(tr("Drawing of the selected size"));
    setMinimumSize(220, 240);
    setMaximumWidth(340);
}

void SectionDrawing::setSection(std::optional<DrawnSection> section) {
    section_ = std::move(section);
    setAccessibleDescription(section_ ? tr("%1 drawn to scale").arg(section_->designation)
                                      : tr("No size is selected"));
    update();
}

QString SectionDrawing::number(double value) const {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QString::fromLatin1(text, end - text).replace(QLatin1Char('.'), separator_);
}

void SectionDrawing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    painter.fillRect(rect(), colours.base());
    painter.setPen(colours.color(QPalette::Text));
    if (!section_) {
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap, tr("Select a size"));
        return;
    }
    const DrawnSection& s = *section_;
    const bool tube = s.family == SectionFamily::CHS;
    const double D = s.depth;
    const double B = tube ? s.depth : s.width;
    const double t = s.thickness;

    const int titleHeight = painter.fontMetrics().height() + 6;
    QString cornersText;
    if (!tube) {
        cornersText = s.corners
                          ? tr(", corners r = %1 and %2 %3")
                                .arg(number(s.corners->outer), number(s.corners->inner), s.unit)
                          : tr(", corners r = 2t and t");
    }
    painter.drawText(QRect(0, 2, width(), titleHeight), Qt::AlignCenter,
                     s.designation + cornersText);
    // Room for the dimension lines left and below, the axis letters,
    // and the wall thickness's text above the outline, clear of the title.
    const int top = titleHeight + 24 + painter.fontMetrics().height();
    const QRectF area(60, top, width() - 60 - 30, height() - top - 60);
    const double scale = std::min(area.width() / B, area.height() / D);
    if (!(scale > 0) || !(t > 0)) {
        return;
    }
    const Placement at{area.center(), scale, B * scale / 2, D * scale / 2};
    drawOutline(painter, at);
    drawAxes(painter, at);
    drawDimensions(painter, at);
}

void SectionDrawing::drawOutline(QPainter& painter, const Placement& at) const {
    const DrawnSection& s = *section_;
    const bool tube = s.family == SectionFamily::CHS;
    const double D = s.depth;
    const double B = tube ? s.depth : s.width;
    const double t = s.thickness;
    const CornerRadii corners = s.corners.value_or(CornerRadii{2 * t, t});
    const QPalette& colours = palette();
    painter.save();
    painter.translate(at.centre);
    painter.scale(at.scale, at.scale);
    QPainterPath wall;
    if (tube) {
        wall.addEllipse(QPointF(0, 0), D / 2, D / 2);
        wall.addEllipse(QPointF(0, 0), D / 2 - t, D / 2 - t);
    } else {
        wall = roundedRectangle(B, D, std::min(corners.outer, std::min(B, D) / 2));
        wall.addPath(roundedRectangle(B - 2 * t, D - 2 * t,
                                      std::min(corners.inner, std::min(B, D) / 2 - t)));
    }
    wall.setFillRule(Qt::OddEvenFill);
    QPen outline(colours.color(QPalette::Text), 1.5 / at.scale);
    painter.setPen(outline);
    painter.setBrush(colours.color(QPalette::Mid));
    painter.drawPath(wall);
    painter.restore();
}

// The axes through the centroid: x-x parallel to the width, y-y parallel to the depth.
void SectionDrawing::drawAxes(QPainter& painter, const Placement& at) const {
    const QPointF centre = at.centre;
    const double halfWidth = at.halfWidth;
    const double halfDepth = at.halfDepth;
    QPen axis(palette().color(QPalette::Highlight), 1, Qt::DashDotLine);
    painter.setPen(axis);
    painter.drawLine(QPointF(centre.x() - halfWidth - 14, centre.y()),
                     QPointF(centre.x() + halfWidth + 14, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - halfDepth - 14),
                     QPointF(centre.x(), centre.y() + halfDepth + 14));
    painter.drawText(QPointF(centre.x() + halfWidth + 16, centre.y() + 4), QStringLiteral("x"));
    painter.drawText(QPointF(centre.x() - halfWidth - 24, centre.y() - 4), QStringLiteral("x"));
    // The upper y left of its axis: the wall thickness is written to the right of it.
    painter.drawText(QPointF(centre.x() - 12, centre.y() - halfDepth - 8), QStringLiteral("y"));
    painter.drawText(QPointF(centre.x() + 4, centre.y() + halfDepth + 22), QStringLiteral("y"));
}

void SectionDrawing::drawDimensions(QPainter& painter, const Placement& at) const {
    const DrawnSection& s = *section_;
    const bool tube = s.family == SectionFamily::CHS;
    const double D = s.depth;
    const double B = tube ? s.depth : s.width;
    const double t = s.thickness;
    const QPointF centre = at.centre;
    const double halfWidth = at.halfWidth;
    const double halfDepth = at.halfDepth;
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    const double left = centre.x() - halfWidth - 36;
    dimensionLine(painter, QPointF(left, centre.y() - halfDepth),
                  QPointF(left, centre.y() + halfDepth), {}, QPointF(0, 0));
    // The depth's text runs along its line, clear of the x-x axis.
    painter.save();
    painter.translate(left - 6, centre.y() - halfDepth / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-60, -20, 120, 20), Qt::AlignCenter,
                     QStringLiteral("D = ") + number(D) + QLatin1Char(' ') + s.unit);
    painter.restore();
    if (!tube) {
        const double below = centre.y() + halfDepth + 34;
        dimensionLine(
            painter, QPointF(centre.x() - halfWidth, below), QPointF(centre.x() + halfWidth, below),
            QStringLiteral("B = ") + number(B) + QLatin1Char(' ') + s.unit, QPointF(0, 12));
    }
    // The wall thickness as a dimension of its own: arrows from outside onto both faces of the
    // wall, across the top wall of a box and along a radius of a tube, its text beyond them.
    const QPointF outward =
        tube ? QPointF(std::cos(std::numbers::pi / 3), -std::sin(std::numbers::pi / 3))
             : QPointF(0, -1);
    const QPointF outer = tube ? centre + outward * halfDepth
                               : QPointF(centre.x() + halfWidth * 0.5, centre.y() - halfDepth);
    const QPointF inner = outer - outward * (t * at.scale);
    arrow(painter, outer + outward * 16, outer);
    arrow(painter, inner - outward * 16, inner);
    painter.drawLine(outer, inner);
    // Beyond the arrows, kept inside the drawing.
    const QString thickness = QStringLiteral("t = ") + number(t) + QLatin1Char(' ') + s.unit;
    const double textWidth = painter.fontMetrics().horizontalAdvance(thickness);
    const QPointF textAt = outer + outward * 18;
    const double textLeft = std::min(textAt.x() + 2, width() - textWidth - 2);
    painter.drawText(QRectF(textLeft, textAt.y() - 18, textWidth + 1, 18),
                     Qt::AlignLeft | Qt::AlignBottom, thickness);
    if (!tube) {
        drawCornerRadii(painter, at);
    }
}

// The corner radii on the drawing: a radius of the lower right outer corner with its arrow, and
// the radii written inside the hollow beside it.
void SectionDrawing::drawCornerRadii(QPainter& painter, const Placement& at) const {
    const DrawnSection& s = *section_;
    const CornerRadii corners = s.corners.value_or(CornerRadii{2 * s.thickness, s.thickness});
    const double outer = std::min(corners.outer, std::min(s.width, s.depth) / 2) * at.scale;
    const QPointF centre(at.centre.x() + at.halfWidth - outer,
                         at.centre.y() + at.halfDepth - outer);
    const QPointF diagonal(std::sqrt(0.5), std::sqrt(0.5));
    arrow(painter, centre, centre + diagonal * outer);
    const QString text = s.corners
                             ? tr("ro = %1 %3\nri = %2 %3")
                                   .arg(number(s.corners->outer), number(s.corners->inner), s.unit)
                             : tr("ro = 2t\nri = t");
    const QRectF box(centre.x() - 124, centre.y() - 40 - outer, 120, 36 + outer);
    painter.drawText(box, Qt::AlignRight | Qt::AlignBottom, text);
}

} // namespace kavrel
