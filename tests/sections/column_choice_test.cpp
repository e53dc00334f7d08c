// The choice of columns as a section of the panel that opens under its header: closed at first,
// its check boxes made when it first opens, the choice kept by the panel whether or not it was
// ever opened.
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

qsizetype columnBoxCount(QWidget& window) {
    return window.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^chkcol"))).size();
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
Q_DECLARE_METATYPE(kavrel::PanelState)

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
        QVERIFY(button);
        QVERIFY(!button->isChecked());
        QVERIFY(!choiceShown(window));
        QCOMPARE(columnBoxCount(window), 0);
        QCOMPARE(button->arrowType(), Qt::RightArrow);
        // A choice made while closed is what the boxes show when the section opens.
        PanelState state;
        state.columns = {QStringLiteral("designation"), QStringLiteral("A"), QStringLiteral("W")};
        window.panel().setState(state);
        window.refresh();
        const QStringList columns = tableColumns(window);
        QCOMPARE(columns, state.columns);

        press(button, how);
        QVERIFY(button->isChecked());
        QVERIFY(choiceShown(window));
        QVERIFY(columnBox(window, QStringLiteral("A"))->isVisible());
        QCOMPARE(button->arrowType(), Qt::DownArrow);
        QVERIFY(columnBoxCount(window) > 20);
        QVERIFY(columnBox(window, QStringLiteral("A"))->isChecked());
        QVERIFY(!columnBox(window, QStringLiteral("depth"))->isChecked());
        QVERIFY(window.panel().state().columnsOpen);
        if (how == Press::Space) {
            QCOMPARE(QApplication::focusWidget(), button);
        }

        press(button, how);
        QVERIFY(!button->isChecked());
        QVERIFY(!choiceShown(window));
        QCOMPARE(button->arrowType(), Qt::RightArrow);
        QVERIFY(!window.panel().state().columnsOpen);
        // Opening and closing changes nothing else.
        QCOMPARE(tableColumns(window), columns);
        QCOMPARE(window.panel().state().columns, state.columns);
        press(button, how);
        QVERIFY(choiceShown(window));
        QVERIFY(columnBox(window, QStringLiteral("A"))->isChecked());
    }

    // "Columns: N of M shown": N the table's columns, M those the request can show (the design
    // columns only with a grade, metric units and a code that gives them; the buckling ones with
    // a length too).
    void theHeaderCountsTheColumnsShown_data() {
        QTest::addColumn<PanelState>("state");
        QTest::addColumn<QString>("untick"); // a box unticked in the open section, or none
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
        // 19 fixed columns; EN 1993-1-1 gives 15 design columns and 3 of buckling, IS 800 13
        // (no effective properties, the tension resistance).
        QTest::newRow("defaults") << PanelState{} << QString() << 19;
        QTest::newRow("three chosen") << three << QString() << 19;
        QTest::newRow("a box unticked") << PanelState{} << QStringLiteral("depth") << 19;
        QTest::newRow("EN grade") << en << QString() << 34;
        QTest::newRow("EN grade and length") << enLength << QString() << 37;
        QTest::newRow("EN grade in US units") << us << QString() << 19;
        QTest::newRow("IS grade") << is << QString() << 32;
        QTest::newRow("IS grade, a design box unticked") << is << QStringLiteral("TdRd") << 32;
    }
    void theHeaderCountsTheColumnsShown() {
        QFETCH(PanelState, state);
        QFETCH(QString, untick);
        QFETCH(int, offered);
        SectionsWindow window(settings(), QStringLiteral("."));
        window.panel().setState(state);
        window.refresh();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (!untick.isEmpty()) {
            openColumnChoice(window);
            QVERIFY(columnBox(window, untick)->isChecked());
            click(columnBox(window, untick));
            QVERIFY(!tableColumns(window).contains(untick));
        }
        const qsizetype shown = tableColumns(window).size();
        QCOMPARE(header(window)->text(),
                 QStringLiteral("Co&lumns: %1 of %2 shown").arg(shown).arg(offered));
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

    // The last column the table shows cannot be unticked: design columns ticked but greyed
    // (no grade) do not count, or the table would fall back to the engine's default columns
    // under boxes that say otherwise.
    void theLastShownColumnStaysTicked() {
        SectionsWindow window(settings(), QStringLiteral("."));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        openColumnChoice(window);
        QVERIFY(!window.panel().state().designColumns.isEmpty()); // ticked, greyed
        for (QCheckBox* box :
             window.findChildren<QCheckBox*>(QRegularExpression(QStringLiteral("^chkcol")))) {
            if (box->isEnabled() && box->isChecked()) {
                click(box);
            }
        }
        QCOMPARE(tableColumns(window), QStringList{QStringLiteral("C")});
        QVERIFY(columnBox(window, QStringLiteral("C"))->isChecked());
        QCOMPARE(header(window)->text(), QStringLiteral("Co&lumns: 1 of 19 shown"));
    }

    // A screen reader reads the header's name with the count, and whether it is open.
    void theHeaderIsNamedForAScreenReader() {
        SectionsWindow window(settings(), QStringLiteral("."));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(header(window));
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Columns: 16 of 19 shown"));
        QVERIFY(accessible->state().checkable);
        QVERIFY(!accessible->state().checked);
        QVERIFY(accessible->state().focusable);
        openColumnChoice(window);
        QVERIFY(accessible->state().checked);
        click(columnBox(window, QStringLiteral("depth")));
        QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Columns: 15 of 19 shown"));
        QCOMPARE(QAccessible::queryAccessibleInterface(columnBox(window, QStringLiteral("A")))
                     ->text(QAccessible::Name),
                 QStringLiteral("Column A, sectional area"));
    }
};

} // namespace kavrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    kavrel::ColumnChoiceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "column_choice_test.moc"
