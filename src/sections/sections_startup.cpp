#include "sections/sections_startup.hpp"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace kavrel {
namespace {

// The arrow of a toolbar's or menu bar's overflow button, drawn by the style when shown.
class OverflowArrow : public QIconEngine {
  public:
    OverflowArrow(const QStyle& style, QStyle::PrimitiveElement arrow)
        : style_(&style), arrow_(arrow) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        if (style_ == nullptr) {
            return;
        }
        QStyleOption option;
        option.rect = rect;
        option.palette = QApplication::palette();
        option.state = mode == QIcon::Disabled ? QStyle::State_None : QStyle::State_Enabled;
        style_->drawPrimitive(arrow_, &option, painter);
    }
    // On a clear ground: the engine's own pixmap would leave its ground as it was made.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap arrow(size);
        arrow.fill(Qt::transparent);
        QPainter painter(&arrow);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return arrow;
    }
    QIconEngine* clone() const override { return new OverflowArrow(*this); }

  private:
    QPointer<const QStyle> style_;
    QStyle::PrimitiveElement arrow_;
};

// The application's style, but for the overflow arrow. Qt's common style reads that arrow
// from a picture, and a menu bar asks for it when it is made: the first picture read in a run
// loads every image-format plugin, some milliseconds of each start for a button this window
// shows only when too narrow for its menus.
class SectionsStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton) {
            const bool rightToLeft = option != nullptr ? option->direction == Qt::RightToLeft
                                                       : QGuiApplication::isRightToLeft();
            return QIcon(new OverflowArrow(*this, rightToLeft ? PE_IndicatorArrowLeft
                                                              : PE_IndicatorArrowRight));
        }
        if (which == SP_ToolBarVerticalExtensionButton) {
            return QIcon(new OverflowArrow(*this, PE_IndicatorArrowDown));
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void setUpSectionsApplication() {
    QApplication::setApplicationName(QStringLiteral("kavrel-sections"));
    // The Wayland app id: how a dock matches the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kavrel.Kavrel.Sections"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel Sections"));
    // The style Qt chose (or -style named), wrapped; one without a name Qt knows is kept as it is.
    const QString chosen = QApplication::style()->name();
    if (QStyle* base = QStyleFactory::create(chosen)) {
        QApplication::setStyle(new SectionsStyle(base));
    }
}

} // namespace kavrel
