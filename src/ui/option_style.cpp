#include "ui/option_style.hpp"

#include <QApplication>
#include <QStyleFactory>

namespace kavrel {

// A fresh instance of the application's style: QProxyStyle takes ownership of its base.
OptionStyle::OptionStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

int OptionStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    if (metric == PM_RadioButtonLabelSpacing) {
        return 3;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

} // namespace kavrel
