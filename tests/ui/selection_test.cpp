// Start-up, choosing a family, choosing a size, editing a size list's text, and Exit.
#include "suites.hpp"
#include "window_test_support.hpp"

#include "catalogue/catalogue.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace kavrel::test {
namespace {

const QStringList labels = {"Label1", "Label2", "Label3", "Label4",  "Label5", "Label6",
                            "Label7", "Label8", "Label9", "Label10", "Label12"};
const QStringList boxes = {"txta",   "txtwt",  "txtiyy", "txtzxx", "txtzyy", "txtixx",
                           "txtrxx", "txtryy", "txtj",   "txtb",   "txtsa"};
const QStringList commands = {"cmdfind", "cmdprint", "cmdexit"};
const QStringList frames = {"frmsectiontype", "frmproperties"};
const QStringList options = {"optrhs", "optshs", "optchs"};

QStringList orderOf(const MainWindow& window) {
    QStringList names;
    for (const std::string& name : window.focusOrder().names()) {
        names << QString::fromStdString(name);
    }
    return names;
}

// Presses Tab the given number of times and names the control holding the focus after each.
QStringList tabWalk(int presses) {
    QStringList visited;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    return visited;
}

QStringList entriesOf(const QComboBox& list) {
    QStringList entries;
    for (int i = 0; i < list.count(); ++i) {
        entries << list.itemText(i);
    }
    return entries;
}

QStringList catalogueOf(SectionFamily family) {
    QStringList designations;
    for (const std::string& designation : designationsOf(family)) {
        designations << QString::fromStdString(designation);
    }
    return designations;
}

QStringList startUpOrder() {
    return QStringList{"cmbrhs"} + commands + frames + options + QStringList{"cmbshs", "cmbchs"} +
           labels + boxes;
}

QStringList someResults() {
    return {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
}

// Results as Find leaves them, so that a test can see them being emptied.
void fillBoxes(QWidget& window) {
    const QStringList texts = someResults();
    for (qsizetype i = 0; i < writingOrder.size(); ++i) {
        window.findChild<QLineEdit*>(writingOrder[i])->setText(texts[i]);
    }
}

} // namespace

class SelectionTest : public QObject, WindowFixture {
    Q_OBJECT

    void checkFamilyState(const char* option, const char* ownList) {
        for (const char* name : {"optrhs", "optshs", "optchs"}) {
            QCOMPARE(get<QRadioButton>(name)->isChecked(), qstrcmp(name, option) == 0);
        }
        for (const char* name : {"cmbrhs", "cmbshs", "cmbchs"}) {
            auto* list = get<QComboBox>(name);
            const bool own = qstrcmp(name, ownList) == 0;
            QCOMPARE(list->isEnabled(), own);
            if (!own) {
                QCOMPARE(list->currentText(), QString());
            }
        }
        QCOMPARE(boxTexts(*window_), emptyBoxes());
    }

  private slots:
    void init() { window_ = std::make_unique<MainWindow>(); }
    void cleanup() { window_.reset(); }

    // Nothing depends on the window system delivering a focus event to the first option.
    void startUpWithoutShowing() {
        checkFamilyState("optrhs", "cmbrhs");
        QCOMPARE(get<QComboBox>("cmbrhs")->currentText(), QString());
        QCOMPARE(orderOf(*window_), startUpOrder());
    }

    void startUp() {
        QVERIFY(showActive(*window_));
        checkFamilyState("optrhs", "cmbrhs");
        QCOMPARE(get<QComboBox>("cmbrhs")->currentText(), QString());
        QCOMPARE(QApplication::focusWidget(), get<QRadioButton>("optrhs"));
        QCOMPARE(orderOf(*window_), startUpOrder());
        // From the RHS option, Tab skips the other options, the labels and the disabled lists.
        QCOMPARE(tabWalk(17), boxes + QStringList{"cmbrhs"} + commands + QStringList{"optrhs"} +
                                  QStringList{"txta"});
    }

    void entries_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("count");
        QTest::newRow("RHS") << "cmbrhs" << int(SectionFamily::RHS) << 62;
        QTest::newRow("SHS") << "cmbshs" << int(SectionFamily::SHS) << 69;
        QTest::newRow("CHS") << "cmbchs" << int(SectionFamily::CHS) << 60;
    }

    void entries() {
        QFETCH(QString, list);
        QFETCH(int, family);
        QFETCH(int, count);
        auto* combo = window_->findChild<QComboBox*>(list);
        QCOMPARE(combo->count(), count);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->currentText(), QString());
        // In catalogue order, not sorted.
        QCOMPARE(entriesOf(*combo), catalogueOf(SectionFamily(family)));
    }

    // The ways a user selects a family: each runs that family's transition once.
    void familyTransition_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("ownList");
        QTest::addColumn<QStringList>("order");
        const QStringList toShs = QStringList{"cmbshs"} + commands + QStringList{"cmbrhs"} +
                                  frames + options + QStringList{"cmbchs"} + labels + boxes;
        const QStringList toChs = QStringList{"cmbchs"} + commands + QStringList{"cmbrhs"} +
                                  frames + options + QStringList{"cmbshs"} + labels + boxes;
        QTest::newRow("click SHS") << "click"
                                   << "optshs"
                                   << "cmbshs" << toShs;
        QTest::newRow("click CHS") << "click"
                                   << "optchs"
                                   << "cmbchs" << toChs;
        QTest::newRow("arrow down to SHS") << "down"
                                           << "optshs"
                                           << "cmbshs" << toShs;
        QTest::newRow("arrow down twice to CHS")
            << "down twice"
            << "optchs"
            << "cmbchs"
            << QStringList{"cmbchs"} + commands + QStringList{"cmbshs", "cmbrhs"} + frames +
                   options + labels + boxes;
        QTest::newRow("focus arrives at SHS") << "focus"
                                              << "optshs"
                                              << "cmbshs" << toShs;
        QTest::newRow("focus arrives at CHS") << "focus"
                                              << "optchs"
                                              << "cmbchs" << toChs;
    }

    void familyTransition() {
        QFETCH(QString, how);
        QFETCH(QString, option);
        QFETCH(QString, ownList);
        QFETCH(QStringList, order);
        QVERIFY(showActive(*window_));
        chooseEntry(*get<QComboBox>("cmbrhs"), QStringLiteral("50x25x2.0"));
        fillBoxes(*window_);

        auto* target = window_->findChild<QRadioButton*>(option);
        if (how == QStringLiteral("click")) {
            QTest::mouseClick(target, Qt::LeftButton);
        } else if (how == QStringLiteral("down")) {
            get<QRadioButton>("optrhs")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        } else if (how == QStringLiteral("down twice")) {
            get<QRadioButton>("optrhs")->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        } else {
            target->setFocus(Qt::TabFocusReason);
        }
        QTRY_COMPARE(QApplication::focusWidget(), target);
        checkFamilyState(qPrintable(option), qPrintable(ownList));
        QCOMPARE(get<QComboBox>("cmbrhs")->count(), 62);
        QCOMPARE(orderOf(*window_), order);
    }

    // RHS -> SHS -> RHS: the orders on the model and as Tab walks them; the RHS choice is gone.
    void toShsAndBack() {
        QVERIFY(showActive(*window_));
        chooseEntry(*get<QComboBox>("cmbrhs"), QStringLiteral("50x25x2.0"));
        QCOMPARE(get<QComboBox>("cmbrhs")->currentText(), QStringLiteral("50x25x2.0"));

        QTest::mouseClick(get<QRadioButton>("optshs"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), get<QRadioButton>("optshs"));
        QCOMPARE(orderOf(*window_), QStringList{"cmbshs"} + commands + QStringList{"cmbrhs"} +
                                        frames + options + QStringList{"cmbchs"} + labels + boxes);
        QCOMPARE(tabWalk(17), boxes + QStringList("cmbshs") + commands + QStringList("optshs") +
                                  QStringList("txta"));

        QTest::mouseClick(get<QRadioButton>("optrhs"), Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), get<QRadioButton>("optrhs"));
        checkFamilyState("optrhs", "cmbrhs");
        QCOMPARE(get<QComboBox>("cmbrhs")->currentText(), QString());
        QCOMPARE(get<QComboBox>("cmbrhs")->count(), 62);
        QCOMPARE(orderOf(*window_), QStringList{"cmbrhs"} + commands + QStringList{"cmbshs"} +
                                        frames + options + QStringList{"cmbchs"} + labels + boxes);
        QCOMPARE(tabWalk(17), boxes + QStringList("cmbrhs") + commands + QStringList("optrhs") +
                                  QStringList("txta"));
    }

    // Every real choice of an entry empties the results, the one already shown included.
    void sizeTransition_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("same entry again from the popup") << "popup";
        QTest::newRow("same entry again by a mouse click") << "mouse";
        QTest::newRow("next entry by arrow key") << "down";
    }

    void sizeTransition() {
        QFETCH(QString, how);
        QVERIFY(showActive(*window_));
        auto* list = get<QComboBox>("cmbrhs");
        chooseEntry(*list, QStringLiteral("50x25x2.0"));
        fillBoxes(*window_);
        QCOMPARE(boxTexts(*window_), someResults());

        if (how == QStringLiteral("popup")) {
            chooseEntry(*list, QStringLiteral("50x25x2.0"));
            QCOMPARE(list->currentText(), QStringLiteral("50x25x2.0"));
        } else if (how == QStringLiteral("mouse")) {
            list->showPopup();
            QAbstractItemView* view = list->view();
            QTRY_VERIFY(view->isVisible());
            const QRect entry = view->visualRect(list->model()->index(list->currentIndex(), 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
            QTRY_VERIFY(!view->isVisible());
            QCOMPARE(list->currentText(), QStringLiteral("50x25x2.0"));
        } else {
            list->setFocus(Qt::TabFocusReason);
            QTest::keyClick(list, Qt::Key_Down);
            QCOMPARE(list->currentIndex(), list->findText(QStringLiteral("50x25x2.0")) + 1);
        }
        QCOMPARE(boxTexts(*window_), emptyBoxes());
    }

    // Typing, deleting and pasting in a size list empty the results; the text stays.
    void editingEmptiesResults_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::newRow("typing") << "type"
                                << "50x25x2.0x";
        QTest::newRow("deleting") << "backspace"
                                  << "50x25x2.";
        QTest::newRow("pasting") << "paste"
                                 << "50x25x2.0100x50x4.0";
    }

    void editingEmptiesResults() {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QVERIFY(showActive(*window_));
        auto* list = get<QComboBox>("cmbrhs");
        chooseEntry(*list, QStringLiteral("50x25x2.0"));
        list->setFocus(Qt::TabFocusReason);
        list->lineEdit()->end(false);
        fillBoxes(*window_);

        if (how == QStringLiteral("type")) {
            QTest::keyClicks(list, QStringLiteral("x"));
        } else if (how == QStringLiteral("backspace")) {
            QTest::keyClick(list, Qt::Key_Backspace);
        } else {
            QApplication::clipboard()->setText(QStringLiteral("100x50x4.0"));
            QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(list->currentText(), text);
        QCOMPARE(boxTexts(*window_), emptyBoxes());
    }

    // The entries are fixed: Return in the field adds nothing and keeps the typed text.
    void returnAddsNoEntry() {
        QVERIFY(showActive(*window_));
        auto* list = get<QComboBox>("cmbrhs");
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(list, QStringLiteral("123x45x6.7"));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(list->count(), 62);
        QCOMPARE(list->findText(QStringLiteral("123x45x6.7")), -1);
        QCOMPARE(list->currentText(), QStringLiteral("123x45x6.7"));
    }

    // The combo box reports "activated" when its field loses the focus holding a typed text
    // equal to an entry. Typed, Find by Alt+F, then a dialog takes the focus: Print's own
    // (Alt+P, cancelled so nothing is written) or one like it. The results must still be there
    // for Print to read.
    void typedTextSurvivesLosingFocus_data() {
        QTest::addColumn<bool>("byPrint");
        QTest::newRow("Alt+P, Print's file-name dialog") << true;
        QTest::newRow("a modal input dialog") << false;
    }

    void typedTextSurvivesLosingFocus() {
        QFETCH(bool, byPrint);
        QVERIFY(showActive(*window_));
        QTest::mouseClick(get<QRadioButton>("optshs"), Qt::LeftButton);
        auto* list = get<QComboBox>("cmbshs");
        list->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(QApplication::focusWidget(), list);
        QTest::keyClicks(list, QStringLiteral("100x100x5.0"));
        QSignalSpy activations(list, &QComboBox::activated);

        pressAlt(Qt::Key_F);
        QTRY_VERIFY(!get<QLineEdit>("txta")->text().isEmpty());
        const QStringList found = boxTexts(*window_);
        QCOMPARE(QApplication::focusWidget(), list);

        // Whatever the dialog, the boxes as they stand while it is open.
        QStringList whileOpen;
        ModalWatcher answer([this, &whileOpen](QWidget& dialog) {
            whileOpen = boxTexts(*window_);
            if (auto* input = qobject_cast<QInputDialog*>(&dialog)) {
                input->reject();
            }
        });
        if (byPrint) {
            pressAlt(Qt::Key_P);
        } else {
            QTimer::singleShot(0, window_.get(), [this] {
                QInputDialog::getText(window_.get(), QStringLiteral("Kavrel"),
                                      QStringLiteral("File name"));
            });
        }
        QTRY_COMPARE(answer.seen(), 1);
        QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
        // The trap was sprung: the list did report an activation on losing the focus.
        QVERIFY(activations.count() >= 1);
        QCOMPARE(whileOpen, found);
        QCOMPARE(list->currentText(), QStringLiteral("100x100x5.0"));
        QCOMPARE(boxTexts(*window_), found);
    }

    void reportInputs() {
        QVERIFY(showActive(*window_));
        QTest::mouseClick(get<QRadioButton>("optchs"), Qt::LeftButton);
        chooseEntry(*get<QComboBox>("cmbchs"), QStringLiteral("15NBx2.0(L)"));
        fillBoxes(*window_);
        const ReportInputs inputs = window_->reportInputs();
        QVERIFY(inputs.family == SectionFamily::CHS);
        QCOMPARE(QString::fromStdString(inputs.designation), QStringLiteral("15NBx2.0(L)"));
        const SectionProperties& b = inputs.boxes;
        const QStringList reported = {QString::fromStdString(b.a),   QString::fromStdString(b.wt),
                                      QString::fromStdString(b.ixx), QString::fromStdString(b.iyy),
                                      QString::fromStdString(b.zxx), QString::fromStdString(b.zyy),
                                      QString::fromStdString(b.rxx), QString::fromStdString(b.ryy),
                                      QString::fromStdString(b.sa),  QString::fromStdString(b.j),
                                      QString::fromStdString(b.c)};
        QCOMPARE(reported, someResults());
    }

    // Exit, its access key and the window system's close control all end the event loop.
    void endsTheProgram_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit clicked") << "click";
        QTest::newRow("Alt+X") << "alt";
        QTest::newRow("window closed") << "close";
    }

    void endsTheProgram() {
        QFETCH(QString, how);
        QVERIFY(showActive(*window_));
        QTimer::singleShot(0, window_.get(), [this, how] {
            if (how == QStringLiteral("click")) {
                QTest::mouseClick(get<QPushButton>("cmdexit"), Qt::LeftButton);
            } else if (how == QStringLiteral("alt")) {
                pressAlt(Qt::Key_X);
            } else {
                window_->windowHandle()->close();
            }
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window_->isVisible());
    }
};

int runSelectionTest(int argc, char** argv) {
    SelectionTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kavrel::test

#include "selection_test.moc"
