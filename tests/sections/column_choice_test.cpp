// The choice of columns as a section of the panel that opens under its header: closed at first,
// its check boxes made when it first opens, the choice kept by the panel whether or not it was
// ever opened.
#include "panel_state_metatype.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sections_window.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"

#include "open_columns.hpp"
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace kavrel {
namespace {

QToolButton* header(QWidget& window) {
    return window.findChild<QToolButton*>(QStringLiteral("cmdcolumns"));
}

QCheckBox* columnBox(QWidget& window, const QString& name) {
    return window.findChild<QCheckBox*>(QStringLiteral("chkcol") + name);
}

bool choiceShown(QWidget& window) {
    return window.findChild<QWidget*>(QStringLiteral("columnchoice"))->isVisibleTo(&window);
}

// The names of the table's columns, as the engine names them.
QStringList tableColumns(SectionsWindow& window) {
    QStringList names;
    const TableRows& rows = window.model().rows();
    for (const std::size_t column : rows.columns) {
        names << (column < columnCount
                      ? QString::fromLatin1(columnNames[column].data(),
                                            static_cast<qsizetype>(columnNames[column].size()))
                      : QString::fromStdString(rows.designNames[column - columnCount]));
    }
    return names;
}

// A click on the box itself: the middle of a box wider than its label misses it.
void click(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

enum class Press { Mouse, Space };

void press(QToolButton* button, Press how) {
    if (how == Press::Mouse) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    }
}

} // namespace
} // namespace kavrel

Q_DECLARE_METATYPE(kavrel::Press)

namespace kavrel {

class ColumnChoiceTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    QString settings() const { return scratch_.filePath(QStringLiteral("settings.ini")); }

  private slots:
    void init() { QFile::remove(settings()); }

    void opensAndClosesByMouseAndKeyboard_data() {
        QTest::addColumn<Press>("how");
        QTest::newRow("mouse") << Press::Mouse;
        QTest::newRow("space key") << Press::Space;
    }
    void opensAndClosesByMouseAndKeyboard() {
        QFETCH(Press, how);
        SectionsWindow window(settings(), QStringLiteral("."));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QToolButton* button = header(window);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Columns: 16 of 19 shown"));
        QVERIFY(accessible->state().checkable && accessible->state().focusable);
        QVERIFY(!accessible->state().checked);
        QVERIFY(!choiceShown(window));
        QCOMPARE(button->arrowType(), Qt::RightArrow);
        QCOMPARE(columnBox(window, QStringLiteral("A")), nullptr); // made when first opened
        // A choice made while closed is what the boxes show when the section opens.
        PanelState state;
        state.columns = {QStringLiteral("designation"), QStringLiteral("A"), QStringLiteral("W")};
        window.panel().setState(state);
        window.refresh();
        QCOMPARE(tableColumns(window), state.columns);

        press(button, how);
        QVERIFY(accessible->state().checked);
        QVERIFY(choiceShown(window));
        QCOMPARE(button->arrowType(), Qt::DownArrow);
        QVERIFY(columnBox(window, QStringLiteral("A"))->isChecked());
        QVERIFY(!columnBox(window, QStringLiteral("depth"))->isChecked());
        QVERIFY(window.panel().state().columnsOpen);
        QCOMPARE(QApplication::focusWidget(), button); // the next press closes it

        press(button, how);
        QVERIFY(!accessible->state().checked);
        QVERIFY(!choiceShown(window));
        QCOMPARE(button->arrowType(), Qt::RightArrow);
        QVERIFY(!window.panel().state().columnsOpen);
        // Opening and closing changes nothing else.
        QCOMPARE(tableColumns(window), state.columns);
        QCOMPARE(window.panel().state().columns, state.columns);
    }

    // "Columns: N of M shown": N the table's columns, M those the request can show (the design
    // columns only with a grade, metric units and a code that gives them; the buckling ones with
    // a length too). The last column shown cannot be unticked: design columns ticked but greyed
    // do not count, or the table would fall back to the engine's default columns.
    void theHeaderCountsTheColumnsShown_data() {
        QTest::addColumn<PanelState>("state");
        QTest::addColumn<QString>("untick"); // in the open section; "*" every ticked box
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("offered");
        PanelState three;
        three.columns = {QStringLiteral("designation"), QStringLiteral("A"), QStringLiteral("W")};
        PanelState en;
        en.catalogue = QStringLiteral("EN10210");
        en.grade = QStringLiteral("S355");
        PanelState enLength = en;
        enLength.length = QStringLiteral("3");
        PanelState us = enLength;
        us.units = QStringLiteral("us");
        PanelState is;
        is.grade = QStringLiteral("YSt310");
        // 19 fixed columns, 16 by default; EN 1993-1-1 gives 15 design columns (12 by default)
        // and 3 of buckling, IS 800 13 (no effective properties, the tension resistance).
        const QString none;
        QTest::newRow("defaults") << PanelState{} << none << 16 << 19;
        QTest::newRow("three chosen") << three << none << 3 << 19;
        QTest::newRow("a box unticked") << PanelState{} << QStringLiteral("depth") << 15 << 19;
        QTest::newRow("every box unticked") << PanelState{} << QStringLiteral("*") << 1 << 19;
        QTest::newRow("EN grade") << en << none << 28 << 34;
        QTest::newRow("EN grade and length") << enLength << none << 31 << 37;
        QTest::newRow("EN grade in US units") << us << none << 16 << 19;
        QTest::newRow("IS grade") << is << none << 29 << 32;
        QTest::newRow("IS grade, TdRd unticked") << is << QStringLiteral("TdRd") << 28 << 32;
    }
    void theHeaderCountsTheColumnsShown() {
        QFETCH(PanelState, state);
        QFETCH(QString, untick);
        QFETCH(int, shown);
        QFETCH(int, offered);
        SectionsWindow window(settings(), QStringLiteral("."));
        window.panel().setState(state);
        window.refresh();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (!untick.isEmpty()) {
            openColumnChoice(window);
            for (QCheckBox* box :
                 window.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^chkcol")))) {
                if (box->isEnabled() && box->isChecked() &&
                    (untick == QStringLiteral("*") || box == columnBox(window, untick))) {
                    click(box);
                }
            }
            QVERIFY(!tableColumns(window).contains(untick));
        }
        QCOMPARE(tableColumns(window).size(), shown);
        const QString count = QStringLiteral("lumns: %1 of %2 shown").arg(shown).arg(offered);
        QCOMPARE(header(window)->text(), QStringLiteral("Co&") + count);
        QCOMPARE(QAccessible::queryAccessibleInterface(header(window))->text(QAccessible::Name),
                 QStringLiteral("Co") + count);
    }

    // The choice is saved and restored whether the section was never opened, opened and closed
    // again, or left open; a file from before the section could close opens it closed.
    void aChoiceIsRestoredWhetherOrNotTheSectionWasOpened_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("open"); // as the next window opens
        // The design columns kept besides those shown: ticked by default and not given by the
        // code or without a length, they stay ticked for when they are.
        QTest::addColumn<QStringList>("unshown");
        const QStringList none;
        const QStringList byDefault = {QStringLiteral("TdRd"), QStringLiteral("NbRdx"),
                                       QStringLiteral("NbRdy"), QStringLiteral("NbRd")};
        QTest::newRow("never opened") << QStringLiteral("state") << false << none;
        QTest::newRow("ticked, then closed") << QStringLiteral("closed") << false << byDefault;
        QTest::newRow("ticked, left open") << QStringLiteral("open") << true << byDefault;
        QTest::newRow("a file without the key") << QStringLiteral("old file") << false << none;
    }
    void aChoiceIsRestoredWhetherOrNotTheSectionWasOpened() {
        QFETCH(QString, how);
        QFETCH(bool, open);
        QFETCH(QStringList, unshown);
        const QStringList chosen = {QStringLiteral("designation"), QStringLiteral("thickness"),
                                    QStringLiteral("A"), QStringLiteral("Zpx")};
        const QStringList design = {QStringLiteral("classN"), QStringLiteral("NcRd")};
        QString headerText;
        if (how == QStringLiteral("old file")) {
            QFile file(settings());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[General]\ncatalogue=EN10210\ngrade=S355\n"
                       "columns=designation, thickness, A, Zpx\ndesign_columns=classN, NcRd\n");
            headerText = QStringLiteral("Co&lumns: 6 of 34 shown");
        } else {
            SectionsWindow window(settings(), QStringLiteral("."));
            PanelState state;
            state.catalogue = QStringLiteral("EN10210");
            state.grade = QStringLiteral("S355");
            if (how == QStringLiteral("state")) {
                state.columns = chosen;
                state.designColumns = design;
                window.panel().setState(state);
            } else {
                // The defaults less what is not chosen, ticked and unticked by the mouse.
                window.panel().setState(state);
                window.show();
                QVERIFY(QTest::qWaitForWindowExposed(&window));
                openColumnChoice(window);
                for (QCheckBox* box : window.findChildren<QCheckBox*>(
                         QRegularExpression(QStringLiteral("^chkcol")))) {
                    const QString name = box->objectName().mid(6);
                    if (box->isEnabled() &&
                        box->isChecked() != (chosen.contains(name) || design.contains(name))) {
                        click(box);
                    }
                }
                if (how == QStringLiteral("closed")) {
                    QTest::mouseClick(header(window), Qt::LeftButton);
                }
            }
            window.refresh();
            QCOMPARE(tableColumns(window), chosen + design);
            headerText = header(window)->text();
            QVERIFY(window.saveSettingsNow());
        }
        SectionsWindow again(settings(), QStringLiteral("."));
        QVERIFY(again.findChild<QLabel*>(QStringLiteral("lblnote"))->text().isEmpty());
        QCOMPARE(again.panel().state().columns, chosen);
        QCOMPARE(again.panel().state().designColumns, design + unshown);
        QCOMPARE(again.panel().state().columnsOpen, open);
        QCOMPARE(choiceShown(again), open);
        QCOMPARE(header(again)->text(), headerText);
        // The table, and so Export, Print and Copy, show the chosen columns, those of the
        // engine for the same request.
        QCOMPARE(tableColumns(again), chosen + design);
        const auto expected = std::get<TableRows>(
            tableRows({.columns = {"designation", "thickness", "A", "Zpx", "classN", "NcRd"},
                       .catalogues = {Catalogue::EN10210},
                       .design = {.grade = SteelGrade::S355}}));
        QCOMPARE(again.model().rows().columns, expected.columns);
        QCOMPARE(again.model().rows().rows.size(), expected.rows.size());
        QCOMPARE(again.model().rows().rows[0].texts, expected.rows[0].texts);
        openColumnChoice(again);
        for (const QString& name : chosen + design + QStringList{QStringLiteral("depth")}) {
            QCOMPARE(columnBox(again, name)->isChecked(), name != QStringLiteral("depth"));
        }
    }
};

} // namespace kavrel

// Run by the parts tests' program, so that the tests of the window's parts build as one.
int runColumnChoiceTests(int argc, char** argv) {
    kavrel::ColumnChoiceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "column_choice_test.moc"
