// Print through the window: the file-name dialog, the record the boxes give, a Print that
// cannot write, and typed texts that must not break the record. HOME is the test
// program's scratch folder, so reports land in its temp folder.
#include "suites.hpp"
#include "ui/report_printer.hpp"
#include "window_test_support.hpp"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWindow>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <memory>

namespace kavrel::test {
namespace {

// The result boxes in the order of the record's lines.
const char* const reportOrder[] = {"txta",   "txtwt",  "txtixx", "txtiyy", "txtzxx", "txtzyy",
                                   "txtrxx", "txtryy", "txtj",   "txtb",   "txtsa"};

// Answers the modal dialogs Print shows, one queued answer each, in order. A dialog with no
// answer left is counted as unexpected and rejected, so a wrong dialog cannot hang the test.
class ModalAnswers {
  public:
    using Answer = std::function<void(QWidget&)>;

    void expect(Answer answer) { answers_.push_back(std::move(answer)); }
    int shown() const { return watcher_.seen(); }
    int unexpected() const { return unexpected_; }

  private:
    void answer(QWidget& modal) {
        if (answers_.empty()) {
            ++unexpected_;
            return; // the watcher rejects what is left open
        }
        Answer next = std::move(answers_.front());
        answers_.pop_front();
        next(modal);
    }

    std::deque<Answer> answers_;
    int unexpected_ = 0;
    ModalWatcher watcher_{[this](QWidget& modal) { answer(modal); }};
};

// Types the name into the file-name dialog and presses OK.
ModalAnswers::Answer typeName(const QString& name) {
    return [name](QWidget& modal) {
        auto* edit = modal.findChild<QLineEdit*>();
        QVERIFY(edit != nullptr);
        edit->setText(name);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

// A click that comes from the window system, queued like a user's, unlike QTest's clicks,
// which are delivered at once.
void queueClick(QWidget& button) {
    QWindow* window = button.window()->windowHandle();
    const QPointF local = button.mapTo(button.window(), button.rect().center());
    const QPointF global = button.mapToGlobal(button.rect().center());
    using Queued = QWindowSystemInterface::AsynchronousDelivery;
    QWindowSystemInterface::handleMouseEvent<Queued>(window, local, global, Qt::LeftButton,
                                                     Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<Queued>(window, local, global, Qt::NoButton,
                                                     Qt::LeftButton, QEvent::MouseButtonRelease);
}

// Answers the warning Print shows, keeping its text.
ModalAnswers::Answer keepWarning(QString& text) {
    return [&text](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        QVERIFY(box != nullptr);
        text = box->text();
        box->accept();
    };
}

QByteArray crlfLines(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

// Counts the paint events of a widget while it lives.
class PaintCounter : public QObject {
  public:
    PaintCounter(QWidget& widget, int& paints) : paints_(paints) {
        widget.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints_ += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

  private:
    int& paints_;
};

} // namespace

class PrintTest : public QObject, WindowFixture {
    Q_OBJECT

  private slots:
    void init() {
        QDir(reportFolder()).removeRecursively();
        window_.reset(newWindow("."));
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    void firstPrintAsksOnceAndLaterPrintsAppend() {
        chooseEntry(*get<QComboBox>("cmbrhs"), QStringLiteral("50x25x2.0"));
        press("cmdfind");
        QCOMPARE(get<QLineEdit>("txta")->text(), QStringLiteral("2.74"));

        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("results")));
        press("cmdprint");
        press("cmdprint");
        QCOMPARE(dialogs.shown(), 1);
        QCOMPARE(dialogs.unexpected(), 0);

        const QByteArray record = crlfLines({
            "Section Description : RHS 50x25x2.0",
            "--------------------------------------",
            "Area ( CM^2 )                        :  2.74",
            "Weight ( Kg/M )                      :  2.15",
            "M.I Ixx ( CM^4 )                     :  8.38",
            "M.I Iyy ( CM^4 )                     :  2.81",
            "Section Modulus Zxx ( CM^3 )         :  3.35",
            "Section Modulus Zyy ( CM^3 )         :  2.25",
            "Radius of Gyration Rxx ( CM )        :  1.75",
            "Radius of Gyration Ryy ( CM )        :  1.01",
            "Torsional Constant J ( CM^4 )        :  7.03",
            "Torsional Modulus Constant B ( CM^3 ):  3.84",
            "Outer Surface Area per Mtr. ( M^2 )  :  .140",
            " ",
        });
        QCOMPARE(readAll(reportFolder() + "/results.txt"), record + record);

        // Each result line ends in what its box shows.
        const QList<QByteArray> lines = record.split('\n');
        for (int i = 0; i < 11; ++i) {
            const QByteArray shown = get<QLineEdit>(reportOrder[i])->text().toLatin1();
            QVERIFY2(lines[i + 2] == lines[i + 2].left(40) + shown + "\r", reportOrder[i]);
        }
    }

    void recordAfterChsFind() {
        QTest::mouseClick(get<QRadioButton>("optchs"), Qt::LeftButton);
        chooseEntry(*get<QComboBox>("cmbchs"), QStringLiteral("15NBx2.0(L)"));
        press("cmdfind");
        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("jobs\\beam1")));
        QVERIFY(QDir().mkpath(reportFolder() + "/jobs"));
        press("cmdprint");
        QCOMPARE(readAll(reportFolder() + "/jobs/beam1.txt"),
                 crlfLines({
                     "Section Description : CHS 15NBx2.0(L)",
                     "--------------------------------------",
                     "Area ( CM^2 )                        :  1.21",
                     "Weight ( Kg/M )                      :  .95",
                     "M.I Ixx ( CM^4 )                     :  .57",
                     "M.I Iyy ( CM^4 )                     :  .57",
                     "Section Modulus Zxx ( CM^3 )         :  .54",
                     "Section Modulus Zyy ( CM^3 )         :  .54",
                     "Radius of Gyration Rxx ( CM )        :  .69",
                     "Radius of Gyration Ryy ( CM )        :  .69",
                     "Torsional Constant J ( CM^4 )        :  1.14",
                     "Torsional Modulus Constant B ( CM^3 ):  1.08",
                     "Outer Surface Area per Mtr. ( M^2 )  :  .067",
                     " ",
                 }));
    }

    void dialogShowsItsPromptTitleAndAnEmptyField() {
        const QString prompt = QStringLiteral(
            "Enter the Output File Name & The default Location is c:temp\\Filename.txt");
        QString title, drawn, field;
        bool samePixels = false;
        ModalAnswers dialogs;
        dialogs.expect([&](QWidget& modal) {
            title = modal.windowTitle();
            auto* edit = modal.findChild<QLineEdit*>();
            QLabel* label = nullptr;
            for (QLabel* candidate : modal.findChildren<QLabel*>()) {
                if (candidate->isVisible() && !candidate->text().isEmpty()) {
                    label = candidate;
                }
            }
            QVERIFY(edit != nullptr && label != nullptr);
            field = edit->text();
            // What is drawn: the text after the label's own access-key handling...
            drawn = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            // ...and the pixels, against a label that shows the prompt literally.
            QLabel literal;
            literal.setTextFormat(Qt::PlainText);
            literal.setText(prompt);
            literal.setFont(label->font());
            literal.setAlignment(label->alignment());
            literal.setContentsMargins(label->contentsMargins());
            literal.resize(label->size());
            const auto pixels = [](QWidget* widget) {
                return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
            };
            samePixels = pixels(label) == pixels(&literal);
            edit->setText(QStringLiteral("named"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        press("cmdprint");
        QCOMPARE(dialogs.shown(), 1);
        QCOMPARE(title, QStringLiteral("append File"));
        QCOMPARE(drawn, prompt);
        QVERIFY(samePixels);
        QCOMPARE(field, QString());
        QVERIFY(QFile::exists(reportFolder() + "/named.txt"));
    }

    void cancelledDialogGivesTheEmptyName() {
        ModalAnswers dialogs;
        dialogs.expect([](QWidget& modal) {
            modal.findChild<QLineEdit*>()->setText(QStringLiteral("typed, then cancelled"));
            qobject_cast<QDialog*>(&modal)->reject();
        });
        press("cmdprint");
        press("cmdprint");
        QCOMPARE(dialogs.shown(), 1);
        QCOMPARE(dialogs.unexpected(), 0);
        // Straight after start-up: RHS selected, its list and the boxes empty.
        const QByteArray report = readAll(reportFolder() + "/.txt");
        QCOMPARE(report.size(), 2 * 533);
        QVERIFY(report.startsWith("Section Description : RHS \r\n---"));
    }

    void failedPrintWarnsAndAsksAgain() {
        chooseEntry(*get<QComboBox>("cmbrhs"), QStringLiteral("50x25x2.0"));
        press("cmdfind");
        const QStringList before = windowState(*window_);

        QString warning, caption;
        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("missing\\x")));
        dialogs.expect([&](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            QVERIFY(box != nullptr);
            warning = box->text();
            caption = box->windowTitle();
            QCOMPARE(box->icon(), QMessageBox::Warning);
            box->accept();
        });
        press("cmdprint");
        QCOMPARE(dialogs.shown(), 2);
        QCOMPARE(caption, QStringLiteral("Kavrel"));
        QCOMPARE(warning, QStringLiteral("The report could not be written to ") + reportFolder() +
                              QStringLiteral("/missing/x.txt: ") +
                              QString::fromLocal8Bit(std::strerror(ENOENT)));
        QVERIFY(window_->isVisible());
        QCOMPARE(windowState(*window_), before);
        QVERIFY(!QDir(reportFolder() + "/missing").exists());

        // The name is asked again, and the corrected Print writes its one record.
        dialogs.expect(typeName(QStringLiteral("results")));
        press("cmdprint");
        QCOMPARE(dialogs.shown(), 3);
        QCOMPARE(dialogs.unexpected(), 0);
        const QByteArray report = readAll(reportFolder() + "/results.txt");
        QVERIFY(report.startsWith("Section Description : RHS 50x25x2.0\r\n"));
        QCOMPARE(report.count("\r\n"), 14);
    }

    void lockedReportRepaintsTakesNoInputAndGivesUp() {
        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("locked")));
        press("cmdprint");
        const QString file = reportFolder() + "/locked.txt";
        const QByteArray before = readAll(file);
        // Another program's lock: flock(1) takes the same kind.
        QFile other(file);
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(flock(other.handle(), LOCK_EX), 0);

        int paints = 0;
        PaintCounter counter(*window_, paints);
        QSignalSpy finds(get<QPushButton>("cmdfind"), &QPushButton::clicked);
        int paintsWhileWaiting = 0, findsWhileWaiting = -1;
        bool stillWaiting = false;
        QTimer::singleShot(50, window_.get(), [&] {
            queueClick(*get<QPushButton>("cmdfind"));
            window_->update();
        });
        QTimer::singleShot(250, window_.get(), [&] {
            stillWaiting = QApplication::activeModalWidget() == nullptr;
            paintsWhileWaiting = paints;
            findsWhileWaiting = static_cast<int>(finds.count());
        });
        QString warning;
        dialogs.expect(keepWarning(warning));
        const auto wait = ReportPrinter::lockWait;
        ReportPrinter::lockWait = std::chrono::milliseconds(500);
        press("cmdprint");
        ReportPrinter::lockWait = wait;

        QCOMPARE(warning, "The report could not be written to " + file +
                              ": it is in use by another program");
        QVERIFY(stillWaiting);
        QVERIFY(paintsWhileWaiting > 0);
        QCOMPARE(findsWhileWaiting, 0);
        QCOMPARE(readAll(file), before);
        // The same click, with no Print running, does press Find.
        queueClick(*get<QPushButton>("cmdfind"));
        QTRY_VERIFY(finds.count() > 0);
    }

    void noHomeFolderIsAFailedPrint() {
        // Only root can take a user id with no password entry, and give it back.
        if (geteuid() != 0) {
            QSKIP("needs root to print as a user with no password entry");
        }
        uid_t nobody = 54321;
        while (getpwuid(nobody) != nullptr) {
            ++nobody;
        }
        const QByteArray home = qgetenv("HOME");
        qunsetenv("HOME");
        QCOMPARE(setresuid(nobody, 0, 0), 0);
        QString warning;
        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("results")));
        dialogs.expect(keepWarning(warning));
        press("cmdprint");
        QCOMPARE(setresuid(0, 0, 0), 0);
        qputenv("HOME", home);

        QCOMPARE(warning, QStringLiteral("The report could not be written to "
                                         "c:\\temp\\results.txt: no home folder is known"));
        QVERIFY(!QFile::exists(QStringLiteral("/temp/results.txt")));
        QVERIFY(!QDir(reportFolder()).exists());
    }

    void pastedLinesCannotForgeReportLines() {
        auto* list = get<QComboBox>("cmbrhs");
        QGuiApplication::clipboard()->setText(
            QStringLiteral("50x25x2.0\r\nArea ( CM^2 )                        :  999"));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(list->currentText().contains(QLatin1Char('\n')));

        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("pasted")));
        press("cmdprint");
        const QList<QByteArray> lines = readAll(reportFolder() + "/pasted.txt").split('\n');
        QCOMPARE(lines.size(), 15); // 14 lines and nothing behind the last line end
        QCOMPARE(lines[0], QByteArray("Section Description : RHS 50x25x2.0??Area ( CM^2 )"
                                      "                        :  999\r"));
        QCOMPARE(lines[2], QByteArray("Area ( CM^2 )                        :  \r"));
        QCOMPARE(lines[14], QByteArray());
    }

    void longTypedDesignationIsWrittenInLatin1() {
        // 10,000 characters of umlauts, euro signs and tabs: Find finds nothing and changes
        // nothing; Print writes one byte per character, "?" where Latin-1 has none.
        QString typed;
        QByteArray written;
        for (int i = 0; i < 2500; ++i) {
            typed += QStringLiteral("\u00e4x\u20ac\t");
            written += "\xe4x??";
        }
        get<QComboBox>("cmbrhs")->setEditText(typed);
        const QStringList before = windowState(*window_);
        press("cmdfind");
        QCOMPARE(windowState(*window_), before);

        ModalAnswers dialogs;
        dialogs.expect(typeName(QStringLiteral("long")));
        press("cmdprint");
        const QByteArray report = readAll(reportFolder() + "/long.txt");
        QCOMPARE(report.size(), 533 + 10000);
        QCOMPARE(report.mid(26, 10000), written);
    }
};

int runPrintTest(int argc, char** argv) {
    PrintTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kavrel::test

#include "print_test.moc"
