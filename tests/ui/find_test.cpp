// Find in the window: the worked sections under "." and ",", by a click and by Alt+F; texts
// reaching Find as typed; the message box of an unreadable number; nothing on other failures.
#include "suites.hpp"
#include "window_test_support.hpp"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>
#include <vector>

namespace kavrel::test {
namespace {

QStringList withSeparator(QStringList texts, const QString& separator) {
    for (QString& text : texts) {
        text.replace(QLatin1Char('.'), separator);
    }
    return texts;
}

void pressFind(QWidget& window, const QString& how) {
    auto* find = control<QPushButton>(window, "cmdfind");
    QSignalSpy clicks(find, &QPushButton::clicked);
    if (how == QStringLiteral("click")) {
        QTest::mouseClick(find, Qt::LeftButton);
    } else {
        pressAlt(Qt::Key_F);
    }
    QTRY_COMPARE(clicks.count(), 1);
}

// Records what the window hands to Find and answers with what the test says.
struct FindRecorder {
    std::vector<FindInputs> inputs;
    std::vector<std::string> separators;
    std::vector<FindOutcome> answers;

    FindStep step() {
        return [this](const FindInputs& in, std::string_view separator) {
            inputs.push_back(in);
            separators.emplace_back(separator);
            FindOutcome answer = answers.front();
            if (answers.size() > 1) {
                answers.erase(answers.begin());
            }
            return answer;
        };
    }
};

SectionProperties numbered() {
    return {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
}

// The texts of numbered() in the order Find writes them.
QStringList numberedInWritingOrder() {
    return {"1", "2", "3", "4", "5", "6", "7", "8", "11", "9", "10"};
}

} // namespace

class FindTest : public QObject, WindowFixture {
    Q_OBJECT

    void open(std::unique_ptr<MainWindow> window) {
        window_ = std::move(window);
        QVERIFY(showActive(*window_));
    }

  private slots:
    void cleanup() { window_.reset(); }

    void worked_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("designation");
        QTest::addColumn<QStringList>("expected"); // in writing order

        const QStringList rhs = {"2.74", "2.15", "8.38", "2.81", "3.35", "2.25",
                                 "1.75", "1.01", ".140", "7.03", "3.84"};
        const QStringList shs = {"1.43", "1.12", "1.28", "1.28", "1.02", "1.02",
                                 ".95",  ".95",  ".092", "2.10", "1.50"};
        const QStringList chs = {"1.21", ".95", ".57",  ".57",  ".54", ".54",
                                 ".69",  ".69", ".067", "1.14", "1.08"};
        for (const char* separator : {".", ","}) {
            for (const char* how : {"click", "alt"}) {
                const auto row = [&](const char* family, const char* option, const char* list,
                                     const char* designation, const QStringList& texts) {
                    QTest::addRow("%s, %s, separator %s", family, how, separator)
                        << separator << how << option << list << designation
                        << withSeparator(texts, QString::fromLatin1(separator));
                };
                row("RHS", "optrhs", "cmbrhs", "50x25x2.0", rhs);
                row("SHS", "optshs", "cmbshs", "25x25x1.6", shs);
                row("CHS", "optchs", "cmbchs", "15NBx2.0(L)", chs);
            }
        }
    }

    void worked() {
        QFETCH(QString, separator);
        QFETCH(QString, how);
        QFETCH(QString, option);
        QFETCH(QString, list);
        QFETCH(QString, designation);
        QFETCH(QStringList, expected);
        open(std::unique_ptr<MainWindow>(newWindow(separator.toStdString())));

        QTest::mouseClick(window_->findChild<QRadioButton*>(option), Qt::LeftButton);
        auto* sizes = window_->findChild<QComboBox*>(list);
        chooseEntry(*sizes, designation);
        sizes->setFocus(Qt::TabFocusReason);
        ModalWatcher watcher;
        pressFind(*window_, how);
        QCOMPARE(boxTexts(*window_), expected);
        QCOMPARE(watcher.seen(), 0);
    }

    // The window as the program makes it: the separator comes from the user's number settings.
    void systemSeparator() {
        const QString system = QLocale::system().decimalPoint();
        if (qEnvironmentVariableIsSet("KAVREL_EXPECT_COMMA_LOCALE")) {
            QCOMPARE(system, QStringLiteral(","));
        }
        open(std::make_unique<MainWindow>());
        chooseEntry(*get<QComboBox>("cmbrhs"), QStringLiteral("50x25x2.0"));
        pressFind(*window_, QStringLiteral("click"));
        QCOMPARE(boxTexts(*window_), withSeparator({"2.74", "2.15", "8.38", "2.81", "3.35", "2.25",
                                                    "1.75", "1.01", ".140", "7.03", "3.84"},
                                                   system));
    }

    // Texts no list entry matches change no box and show nothing, however Find is pressed.
    void unknownDesignation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "alt"}) {
            QTest::addRow("capital X, %s", how) << "50X25X2.6" << how;
            QTest::addRow("no decimal, %s", how) << "50x25x2" << how;
            QTest::addRow("SHS size in RHS list, %s", how) << "25x25x1.6" << how;
        }
    }

    void unknownDesignation() {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        open(std::unique_ptr<MainWindow>(newWindow(".")));
        auto* list = get<QComboBox>("cmbrhs");
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(list, typed);
        ModalWatcher watcher;
        pressFind(*window_, how);
        QTest::qWait(50);
        QCOMPARE(boxTexts(*window_), emptyBoxes());
        QCOMPARE(watcher.seen(), 0);
        QCOMPARE(list->currentText(), typed);
    }

    // What the user typed reaches Find exactly: no completion, no case folding, even after
    // the list lost the focus to a clicked button.
    void typedTextReachesFind_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "alt"}) {
            QTest::addRow("50X25X2.6, %s", how) << "50X25X2.6" << how;
            QTest::addRow("50x25x2, %s", how) << "50x25x2" << how;
            QTest::addRow("50x25x2.0, %s", how) << "50x25x2.0" << how;
        }
    }

    void typedTextReachesFind() {
        QFETCH(QString, typed);
        QFETCH(QString, how);
        FindRecorder recorder;
        recorder.answers = {ArithmeticFailure{}};
        open(std::make_unique<MainWindow>(recorder.step(), ";"));
        auto* list = get<QComboBox>("cmbrhs");
        list->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(list, typed);
        pressFind(*window_, how);
        QCOMPARE(recorder.inputs.size(), std::size_t{1});
        const FindInputs& in = recorder.inputs.front();
        QCOMPARE(QString::fromStdString(in.rhsText), typed);
        QCOMPARE(QString::fromStdString(in.shsText), QString());
        QCOMPARE(QString::fromStdString(in.chsText), QString());
        QVERIFY(in.rhsSelected);
        QVERIFY(!in.shsSelected);
        QCOMPARE(recorder.separators.front(), std::string(";"));
        QCOMPARE(list->currentText(), typed);
    }

    void inputsPerFamily_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<bool>("rhs");
        QTest::addColumn<bool>("shs");
        QTest::newRow("RHS") << "optrhs" << true << false;
        QTest::newRow("SHS") << "optshs" << false << true;
        QTest::newRow("CHS") << "optchs" << false << false;
    }

    void inputsPerFamily() {
        QFETCH(QString, option);
        QFETCH(bool, rhs);
        QFETCH(bool, shs);
        FindRecorder recorder;
        recorder.answers = {numbered()};
        open(std::make_unique<MainWindow>(recorder.step(), "."));
        QTest::mouseClick(window_->findChild<QRadioButton*>(option), Qt::LeftButton);
        pressFind(*window_, QStringLiteral("click"));
        QCOMPARE(recorder.inputs.size(), std::size_t{1});
        QCOMPARE(recorder.inputs.front().rhsSelected, rhs);
        QCOMPARE(recorder.inputs.front().shsSelected, shs);
        // Each named result lands in its own box.
        QCOMPARE(boxTexts(*window_), numberedInWritingOrder());
    }

    // A failing Find leaves every box as it was; only an unreadable number says so.
    void failures_data() {
        QTest::addColumn<bool>("unreadable");
        QTest::newRow("unreadable number shows the message") << true;
        QTest::newRow("arithmetic failure shows nothing") << false;
    }

    void failures() {
        QFETCH(bool, unreadable);
        FindRecorder recorder;
        recorder.answers = {numbered(), unreadable ? FindOutcome{UnreadableNumber{}}
                                                   : FindOutcome{ArithmeticFailure{}}};
        open(std::make_unique<MainWindow>(recorder.step(), "."));
        pressFind(*window_, QStringLiteral("click"));
        QCOMPARE(boxTexts(*window_), numberedInWritingOrder());

        struct Seen {
            QString text;
            QString title;
            QMessageBox::Icon icon = QMessageBox::Warning;
            QMessageBox::StandardButtons buttons;
            qsizetype buttonCount = 0;
            bool modal = false;
            QStringList boxesMeanwhile;
        };
        std::optional<Seen> seen;
        ModalWatcher watcher([this, &seen](QWidget& dialog) {
            auto* box = qobject_cast<QMessageBox*>(&dialog);
            QVERIFY(box != nullptr);
            seen = Seen{box->text(),           box->windowTitle(),
                        box->icon(),           box->standardButtons(),
                        box->buttons().size(), box->isModal(),
                        boxTexts(*window_)};
            box->button(QMessageBox::Ok)->click();
        });
        pressFind(*window_, QStringLiteral("alt"));
        QTest::qWait(50);
        QCOMPARE(recorder.inputs.size(), std::size_t{2});
        QCOMPARE(boxTexts(*window_), numberedInWritingOrder());
        if (!unreadable) {
            QCOMPARE(watcher.seen(), 0);
            return;
        }
        QCOMPARE(watcher.seen(), 1);
        QVERIFY(seen.has_value());
        QCOMPARE(seen->text, QStringLiteral("Select The Required Section And Click Find"));
        QCOMPARE(seen->title, QStringLiteral("Kavrel"));
        QCOMPARE(seen->icon, QMessageBox::NoIcon);
        QCOMPARE(seen->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen->buttonCount, qsizetype{1});
        QVERIFY(seen->modal);
        QCOMPARE(seen->boxesMeanwhile, numberedInWritingOrder());
    }
};

int runFindTest(int argc, char** argv) {
    FindTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kavrel::test

#include "find_test.moc"
