#pragma once

#include <QObject>

class QRadioButton;

namespace kavrel {

// A family option becomes selected when it receives the keyboard focus, by Tab, arrow keys or
// a click, just as when it is clicked.
class SelectOnFocus : public QObject {
  public:
    explicit SelectOnFocus(QRadioButton& option);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QRadioButton& option_;
};

} // namespace kavrel
