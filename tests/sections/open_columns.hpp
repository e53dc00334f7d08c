#pragma once

#include <QTest>
#include <QToolButton>
#include <QWidget>

namespace kavrel {

// Opens a section of the panel as a user does, by a click on its header: what it holds may be
// made only then, and is laid out when the events are next handled.
inline QToolButton* openSection(QWidget& window, const QString& header) {
    auto* button = window.findChild<QToolButton*>(header);
    if (button != nullptr && !button->isChecked()) {
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::qWait(0);
    }
    return button;
}

// The choice of columns, whose check boxes are made when it is first opened.
inline QToolButton* openColumnChoice(QWidget& window) {
    return openSection(window, QStringLiteral("cmdcolumns"));
}

inline QToolButton* openOwnSizes(QWidget& window) {
    return openSection(window, QStringLiteral("cmdown"));
}

} // namespace kavrel
