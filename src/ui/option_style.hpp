#pragma once

#include <QProxyStyle>

namespace kavrel {

// The window's style with a narrower gap between an option's button and its caption, so
// that "Rectangular Hollow Section (RHS)" fits the option's fixed width in full.
class OptionStyle : public QProxyStyle {
  public:
    OptionStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

} // namespace kavrel
