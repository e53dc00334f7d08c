#include "ui/select_on_focus.hpp"

#include <QEvent>
#include <QRadioButton>

namespace kavrel {

SelectOnFocus::SelectOnFocus(QRadioButton& option) : QObject(&option), option_(option) {
    option_.installEventFilter(this);
}

bool SelectOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &option_ && event->type() == QEvent::FocusIn && !option_.isChecked()) {
        option_.setChecked(true);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kavrel
