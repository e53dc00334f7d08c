#pragma once

#include <QTest>
#include <QToolButton>
#include <QWidget>

namespace kavrel {

// Opens the panel's choice of columns as a user does, by a click on its header: its check
// boxes are made only then, and laid out when the events are next handled.
inline QToolButton* openColumnChoice(QWidget& window) {
    auto* header = window.findChild<QToolButton*>(QStringLiteral("cmdcolumns"));
    if (header != nullptr && !header->isChecked()) {
        QTest::mouseClick(header, Qt::LeftButton);
        QTest::qWait(0);
    }
    return header;
}

// Opens the sizes of one's own the same way.
inline QToolButton* openOwnSizes(QWidget& window) {
    auto* header = window.findChild<QToolButton*>(QStringLiteral("cmdown"));
    if (header != nullptr && !header->isChecked()) {
        QTest::mouseClick(header, Qt::LeftButton);
        QTest::qWait(0);
    }
    return header;
}

} // namespace kavrel
