// Writes a picture of Kavrel Sections as a user sees it after a typical request: a requirement
// Zxx >= 50 typed, three columns off, the table sorted by W by a click on its header, and
// 120x60x5.4 selected and drawn. Usage: kavrel-sections-screenshot OUTPUT.png
#include "sections/sections_window.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>

namespace {

int fail(const char* why) {
    std::fprintf(stderr, "kavrel-sections-screenshot: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: kavrel-sections-screenshot OUTPUT.png");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel Sections"));
    // A scratch settings file: the picture shows the defaults, not this user's choices.
    const QTemporaryDir scratch;
    kavrel::SectionsWindow window(scratch.filePath(QStringLiteral("settings.ini")));
    window.resize(1240, 720);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) {
        return fail("the window did not become active");
    }
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddrequirement")),
                      Qt::LeftButton);
    // Add requirement opens the new row's number; the column is the list's first cell.
    auto* number = window.findChild<QLineEdit*>(QStringLiteral("txtreqnumber"));
    auto* requirements = window.findChild<QTableView*>(QStringLiteral("tblrequirements"));
    if (number == nullptr || requirements == nullptr) {
        return fail("no requirement to type into");
    }
    QTest::keyClicks(number, QStringLiteral("50"));
    requirements->model()->setData(requirements->model()->index(0, 0), QStringLiteral("Zxx"));
    requirements->setFocus(); // the typed number closes into its cell
    // Fewer columns, so that the sorted one shows beside the designation; the choice of
    // columns is opened for it and closed again.
    auto* columns = window.findChild<QToolButton*>(QStringLiteral("cmdcolumns"));
    if (columns == nullptr) {
        return fail("no choice of columns");
    }
    QTest::mouseClick(columns, Qt::LeftButton);
    QTest::qWait(0); // the check boxes, made as it opens, are laid out
    for (const char* column : {"chkcolfamily", "chkcoldepth", "chkcolwidth"}) {
        QTest::mouseClick(window.findChild<QCheckBox*>(QString::fromLatin1(column)),
                          Qt::LeftButton);
    }
    QTest::mouseClick(columns, Qt::LeftButton);
    QHeaderView* header = window.table().horizontalHeader();
    int weight = 0;
    while (weight < window.model().columnCount() &&
           window.model().headerData(weight, Qt::Horizontal, Qt::AccessibleTextRole) != "W") {
        ++weight;
    }
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(weight) + 10, header->height() / 2));
    const auto& rows = window.model().rows().rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].texts[1] == "120x60x5.4") {
            window.table().selectRow(static_cast<int>(i));
        }
    }
    if (!window.drawing().section()) {
        return fail("no size is drawn");
    }
    QTest::qWait(100);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        return fail("could not write the picture");
    }
    return 0;
}
