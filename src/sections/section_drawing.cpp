#include "sections/section_drawing.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
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

// A dimension line from a to b with arrow heads.
void dimensionLine(QPainter& painter, QPointF a, QPointF b) {
    painter.drawLine(a, b);
    arrowHead(painter, a, b);
    arrowHead(painter, b, a);
}

// A text written in `box` as QPainter::drawText(box, flags, text) writes it, in `frame`.
DrawingLabel labelIn(const QFontMetricsF& metrics, QString text, QRectF box, int flags,
                     QTransform frame = {}) {
    const QRectF tight = metrics.boundingRect(box, flags, text);
    return {std::move(text), box, flags, frame, frame.mapRect(tight)};
}

// A text written from a point of its baseline, as QPainter::drawText(point, text) writes it.
DrawingLabel labelAt(const QFontMetricsF& metrics, QString text, QPointF baseline) {
    const QRectF box(baseline.x(), baseline.y() - metrics.ascent(),
                     metrics.horizontalAdvance(text) + 1, metrics.height());
    return labelIn(metrics, std::move(text), box, Qt::AlignLeft | Qt::AlignTop);
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

QString SectionDrawing::title() const {
    const DrawnSection& s = *section_;
    if (s.family == SectionFamily::CHS) {
        return s.designation;
    }
    return s.designation +
           (s.corners ? tr(", corners r = %1 and %2 %3")
                            .arg(number(s.corners->outer), number(s.corners->inner), s.unit)
                      : tr(", corners r = 2t and t"));
}

// The title wraps rather than run past a narrow drawing's edges.
QRectF SectionDrawing::titleBox() const {
    const QRectF room(0, 2, width(), 1e6);
    const QRectF taken = QFontMetricsF(font(), this)
                             .boundingRect(room, Qt::AlignHCenter | Qt::TextWordWrap, title());
    return {0, 2, static_cast<double>(width()), std::ceil(taken.height()) + 6};
}

std::optional<SectionDrawing::Placement> SectionDrawing::placement(bool radiiBelow) const {
    if (!section_) {
        return std::nullopt;
    }
    const DrawnSection& s = *section_;
    const bool tube = s.family == SectionFamily::CHS;
    const double D = s.depth;
    const double B = tube ? s.depth : s.width;
    // Room for the dimension lines left and below, the axis letters,
    // and the wall thickness's text above the outline, clear of the title.
    const double top = titleBox().bottom() + 24 + fontMetrics().height();
    const double bottom = 60 + (radiiBelow ? 2 * fontMetrics().height() + 4 : 0);
    const QRectF area(60, top, width() - 60 - 30, height() - top - bottom);
    const double scale = std::min(area.width() / B, area.height() / D);
    if (!(scale > 0) || !(s.thickness > 0)) {
        return std::nullopt;
    }
    return Placement{area.center(), scale, B * scale / 2, D * scale / 2};
}

bool SectionDrawing::placeTexts(DrawingLayout& layout, const Placement& at, bool radiiBelow) const {
    layout.labels.push_back(labelIn(QFontMetricsF(font(), this), title(), titleBox(),
                                    Qt::AlignCenter | Qt::TextWordWrap));
    const QPointF centre = at.centre;
    layout.axes = {QLineF(centre.x() - at.halfWidth - 14, centre.y(),
                          centre.x() + at.halfWidth + 14, centre.y()),
                   QLineF(centre.x(), centre.y() - at.halfDepth - 14, centre.x(),
                          centre.y() + at.halfDepth + 14)};
    layout.placement = at;
    addAxisLetters(layout, at);
    addDimensionTexts(layout, at);
    return section_->family == SectionFamily::CHS || addCornerRadiiText(layout, at, radiiBelow);
}

DrawingLayout SectionDrawing::layout() const {
    DrawingLayout layout;
    if (!section_) {
        return layout;
    }
    for (const bool radiiBelow : {false, true}) {
        layout = {};
        const std::optional<Placement> at = placement(radiiBelow);
        if (!at) {
            layout.labels.push_back(labelIn(QFontMetricsF(font(), this), title(), titleBox(),
                                            Qt::AlignCenter | Qt::TextWordWrap));
            return layout;
        }
        if (placeTexts(layout, *at, radiiBelow)) {
            break;
        }
    }
    return layout;
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
    const DrawingLayout drawn = layout();
    if (const std::optional<Placement>& at = drawn.placement) {
        drawOutline(painter, *at);
        drawAxes(painter, *at);
        drawDimensions(painter, *at);
        if (section_->family != SectionFamily::CHS) {
            drawCornerRadii(painter, *at);
        }
    }
    for (const DrawingLabel& label : drawn.labels) {
        painter.save();
        painter.setTransform(label.frame, true);
        painter.setPen(colours.color(label.colour));
        painter.drawText(label.box, label.flags, label.text);
        painter.restore();
    }
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
    QPen axis(palette().color(QPalette::Highlight), 1, Qt::DashDotLine);
    painter.setPen(axis);
    painter.drawLine(QPointF(centre.x() - at.halfWidth - 14, centre.y()),
                     QPointF(centre.x() + at.halfWidth + 14, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - at.halfDepth - 14),
                     QPointF(centre.x(), centre.y() + at.halfDepth + 14));
}

void SectionDrawing::addAxisLetters(DrawingLayout& layout, const Placement& at) const {
    const QFontMetricsF metrics(font(), this);
    const QPointF centre = at.centre;
    const double halfWidth = at.halfWidth;
    const double halfDepth = at.halfDepth;
    for (const QPointF baseline : {QPointF(centre.x() + halfWidth + 16, centre.y() + 4),
                                   QPointF(centre.x() - halfWidth - 24, centre.y() - 4)}) {
        layout.labels.push_back(labelAt(metrics, QStringLiteral("x"), baseline));
        layout.labels.back().colour = QPalette::Highlight;
    }
    // Both y left of their axis: the wall thickness is written to the right of the upper, the
    // corner radii may be of the lower.
    for (const QPointF baseline : {QPointF(centre.x() - 12, centre.y() - halfDepth - 8),
                                   QPointF(centre.x() - 12, centre.y() + halfDepth + 22)}) {
        layout.labels.push_back(labelAt(metrics, QStringLiteral("y"), baseline));
        layout.labels.back().colour = QPalette::Highlight;
    }
}

namespace {

// Where the wall thickness is dimensioned: across the top wall of a box and along a radius of
// a tube, outwards.
struct WallMark {
    QPointF outward;
    QPointF outer;
};

WallMark wallMark(bool tube, QPointF centre, double halfWidth, double halfDepth) {
    const QPointF outward =
        tube ? QPointF(std::cos(std::numbers::pi / 3), -std::sin(std::numbers::pi / 3))
             : QPointF(0, -1);
    return {outward, tube ? centre + outward * halfDepth
                          : QPointF(centre.x() + halfWidth * 0.5, centre.y() - halfDepth)};
}

} // namespace

void SectionDrawing::drawDimensions(QPainter& painter, const Placement& at) const {
    const DrawnSection& s = *section_;
    const bool tube = s.family == SectionFamily::CHS;
    const QPointF centre = at.centre;
    const double halfWidth = at.halfWidth;
    const double halfDepth = at.halfDepth;
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    const double left = centre.x() - halfWidth - 36;
    dimensionLine(painter, QPointF(left, centre.y() - halfDepth),
                  QPointF(left, centre.y() + halfDepth));
    if (!tube) {
        const double below = centre.y() + halfDepth + 34;
        dimensionLine(painter, QPointF(centre.x() - halfWidth, below),
                      QPointF(centre.x() + halfWidth, below));
    }
    // The wall thickness as a dimension of its own: arrows from outside onto both faces of the
    // wall, its text beyond them.
    const auto [outward, outer] = wallMark(tube, centre, halfWidth, halfDepth);
    const QPointF inner = outer - outward * (s.thickness * at.scale);
    arrow(painter, outer + outward * 16, outer);
    arrow(painter, inner - outward * 16, inner);
    painter.drawLine(outer, inner);
}

void SectionDrawing::addDimensionTexts(DrawingLayout& layout, const Placement& at) const {
    const DrawnSection& s = *section_;
    const bool tube = s.family == SectionFamily::CHS;
    const QFontMetricsF metrics(font(), this);
    const QPointF centre = at.centre;
    const double halfWidth = at.halfWidth;
    const double halfDepth = at.halfDepth;
    const auto dimension = [&s, this](const char* name, double value) {
        return QString::fromLatin1(name) + QStringLiteral(" = ") + number(value) +
               QLatin1Char(' ') + s.unit;
    };
    // The depth's text runs along its line, clear of the x-x axis.
    QTransform along;
    along.translate(centre.x() - halfWidth - 36 - 6, centre.y() - halfDepth / 2);
    along.rotate(-90);
    layout.labels.push_back(labelIn(metrics, dimension("D", s.depth), QRectF(-60, -20, 120, 20),
                                    Qt::AlignCenter, along));
    if (!tube) {
        const QPointF middle(centre.x(), centre.y() + halfDepth + 34 + 12);
        layout.labels.push_back(labelIn(metrics, dimension("B", s.width),
                                        QRectF(middle.x() - 60, middle.y() - 10, 120, 20),
                                        Qt::AlignCenter));
    }
    // Beyond the wall's arrows, kept inside the drawing.
    const auto [outward, outer] = wallMark(tube, centre, halfWidth, halfDepth);
    const QString thickness = dimension("t", s.thickness);
    const double textWidth = metrics.horizontalAdvance(thickness);
    const QPointF textAt = outer + outward * 18;
    const double textLeft = std::min(textAt.x() + 2, width() - textWidth - 2);
    layout.labels.push_back(labelIn(metrics, thickness,
                                    QRectF(textLeft, textAt.y() - 18, textWidth + 1, 18),
                                    Qt::AlignLeft | Qt::AlignBottom));
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
    painter.setPen(QPen(palette().color(QPalette::Text), 1));
    arrow(painter, centre, centre + diagonal * outer);
}

bool SectionDrawing::addCornerRadiiText(DrawingLayout& layout, const Placement& at,
                                        bool radiiBelow) const {
    const DrawnSection& s = *section_;
    const CornerRadii corners = s.corners.value_or(CornerRadii{2 * s.thickness, s.thickness});
    const double outer = std::min(corners.outer, std::min(s.width, s.depth) / 2) * at.scale;
    const QPointF centre(at.centre.x() + at.halfWidth - outer,
                         at.centre.y() + at.halfDepth - outer);
    const QString text = s.corners
                             ? tr("ro = %1 %3\nri = %2 %3")
                                   .arg(number(s.corners->outer), number(s.corners->inner), s.unit)
                             : tr("ro = 2t\nri = t");
    const QFontMetricsF metrics(font(), this);
    const double lines = 2 * metrics.height() + 2;
    const double bottom = at.centre.y() + at.halfDepth;
    const double right = width() - 2.0;
    // Beside the corner's radius inside the hollow; else just under the outline, right of the
    // y axis; else under the width's text, where the placement left room for it.
    std::vector<std::pair<QRectF, int>> places;
    if (radiiBelow) {
        places.emplace_back(
            QRectF(at.centre.x() + 4, bottom + 34 + 22, right - at.centre.x() - 4, lines),
            Qt::AlignRight | Qt::AlignTop);
    } else {
        places.emplace_back(QRectF(centre.x() - 124, centre.y() - 40 - outer, 120, 36 + outer),
                            Qt::AlignRight | Qt::AlignBottom);
        places.emplace_back(QRectF(at.centre.x() + 4, bottom + 2, right - at.centre.x() - 4, lines),
                            Qt::AlignRight | Qt::AlignTop);
    }
    const QRectF widget = rect();
    for (const auto& [box, flags] : places) {
        DrawingLabel label = labelIn(metrics, text, box, flags);
        const bool clear =
            widget.contains(label.covered) &&
            std::ranges::none_of(layout.labels,
                                 [&label](const DrawingLabel& other) {
                                     return other.covered.intersects(label.covered);
                                 }) &&
            std::ranges::none_of(layout.axes, [&label](const QLineF& axis) {
                return label.covered.intersects(
                    QRectF(axis.p1(), axis.p2()).normalized().adjusted(-1, -1, 1, 1));
            });
        if (clear) {
            layout.labels.push_back(std::move(label));
            return true;
        }
    }
    if (radiiBelow) {
        // Nowhere clear even so (a drawing too small for its texts): written where it fits best.
        layout.labels.push_back(
            labelIn(metrics, text, places.front().first, places.front().second));
        return true;
    }
    return false;
}

} // namespace kavrel
