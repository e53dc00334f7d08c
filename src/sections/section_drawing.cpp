#include "sections/section_drawing.hpp"

#include <QPainter>
#include <QPainterPath>

#include <charconv>

namespace kavrel {
namespace {

// A rounded rectangle centred on the origin, its corners arcs of the given radius.
QPainterPath roundedRectangle(double width, double height, double radius) {
    QPainterPath path;
    path.addRoundedRect(QRectF(-width / 2, -height / 2, width, height), radius, radius);
    return path;
}

// A dimension line from a to b with arrow heads and its text beside its middle.
void dimensionLine(QPainter& painter, QPointF a, QPointF b, const QString& text, QPointF offset) {
    painter.drawLine(a, b);
    const QLineF line(a, b);
    for (const auto& [tip, towards] : {std::pair{a, b}, std::pair{b, a}}) {
        QLineF head(tip, towards);
        head.setLength(7);
        QLineF left = head;
        left.setAngle(head.angle() + 20);
        QLineF right = head;
        right.setAngle(head.angle() - 20);
        painter.drawLine(left);
        painter.drawLine(right);
    }
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
    // Room for the dimension lines left and below, and the axis letters.
    const QRectF area(60, titleHeight + 24, width() - 60 - 30, height() - titleHeight - 24 - 60);
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
    painter.drawText(QPointF(centre.x() + 4, centre.y() - halfDepth - 8), QStringLiteral("y"));
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
    // The wall thickness across the top wall, its text above the outline's right part.
    const double wallX = tube ? centre.x() : centre.x() + halfWidth * 0.5;
    const QPointF outer(wallX, centre.y() - halfDepth);
    const QPointF inner(wallX, centre.y() - halfDepth + t * at.scale);
    painter.drawLine(outer - QPointF(0, 14), outer);
    painter.drawLine(inner + QPointF(0, 14), inner);
    painter.drawText(QPointF(wallX + 4, centre.y() - halfDepth - 6),
                     QStringLiteral("t = ") + number(t) + QLatin1Char(' ') + s.unit);
}

} // namespace kavrel
