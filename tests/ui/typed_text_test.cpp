// Whatever a user pastes into a size list: control characters of every kind, line breaks of
// other readers, text beyond Latin-1, and 10,000 characters of it. Find must change nothing
// and show nothing; Print must write the text in Latin-1 with "?" for every character Latin-1
// cannot hold or that controls the output, so the record keeps exactly its 14 lines.
#include "commands/report_record.hpp"
#include "suites.hpp"
#include "window_test_support.hpp"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QTest>

namespace kavrel::test {
namespace {

QString fromCodePoints(std::initializer_list<char32_t> codePoints) {
    QString text;
    for (const char32_t codePoint : codePoints) {
        text += QString::fromUcs4(&codePoint, 1);
    }
    return text;
}

QString codePointRange(char32_t first, char32_t last) {
    QString text;
    for (char32_t codePoint = first; codePoint <= last; ++codePoint) {
        text += QString::fromUcs4(&codePoint, 1);
    }
    return text;
}

// The report's rule, character by character: Latin-1 when it is printable there, else "?".
QByteArray expectedLatin1(const QString& text) {
    QByteArray out;
    for (const uint codePoint : text.toUcs4()) {
        const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
        out += control || codePoint > 0xFF ? '?' : static_cast<char>(codePoint);
    }
    return out;
}

} // namespace

class TypedTextTest : public QObject, WindowFixture {
    Q_OBJECT

  private slots:
    void init() {
        QDir(reportFolder()).removeRecursively();
        window_.reset(newWindow("."));
        QVERIFY(showActive(*window_));
    }
    void cleanup() { window_.reset(); }

    void pastedDesignationThroughFindAndPrint_data() {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("C0 controls and DEL")
            << QStringLiteral("50x25x2.0") + codePointRange(0x01, 0x1F) + fromCodePoints({0x7F});
        QTest::newRow("C1 controls") << QStringLiteral("50x25") + codePointRange(0x80, 0x9F);
        QTest::newRow("line breaks of other readers")
            << QStringLiteral("50x25x2.0") +
                   fromCodePoints({0x85, 0x0B, 0x0C, 0x2028, 0x2029, 0x0D, 0x0A}) +
                   QStringLiteral("Area ( CM^2 )                        :  999");
        QTest::newRow("beyond Latin-1")
            << fromCodePoints({0x041F, 0x0440, 0x043E, 0x0444, 0x65B9, 0x94A2, 0x1F600, 0x65,
                               0x0301, 0xFEFF, 0xFFFD, 0x10FFFF});
        QTest::newRow("Latin-1 letters and no-break space")
            << fromCodePoints({0xE4, 0xDF, 0xFF, 0xA0, 0xA9, 0x35, 0x30});
        QString mixed;
        const QString alphabet = codePointRange(0x01, 0x1F) + codePointRange(0x7F, 0xA0) +
                                 fromCodePoints({0x2028, 0x20AC, 0x1F600, 0xE4, 0x78, 0x30});
        const QList<uint> characters = alphabet.toUcs4();
        for (int i = 0; i < 10000; ++i) {
            mixed += fromCodePoints({static_cast<char32_t>(characters[i % characters.size()])});
        }
        QTest::newRow("10,000 characters of all of them") << mixed;
    }

    void pastedDesignationThroughFindAndPrint() {
        QFETCH(QString, pasted);
        auto* list = get<QComboBox>("cmbrhs");
        chooseEntry(*list, QStringLiteral("50x25x2.0"));
        press("cmdfind");
        QVERIFY(!boxTexts(*window_).contains(QString()));

        QGuiApplication::clipboard()->setText(pasted);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(list->currentText(), pasted);
        // Pasting is an edit: the earlier results go.
        const QStringList shown = boxTexts(*window_);
        QCOMPARE(shown, emptyBoxes());

        // Find finds no size in it: nothing changes and no message opens.
        const QStringList before = windowState(*window_);
        {
            ModalWatcher noDialog;
            press("cmdfind");
            QCoreApplication::processEvents();
            QCOMPARE(noDialog.seen(), 0);
        }
        QCOMPARE(windowState(*window_), before);

        ModalWatcher nameDialog([](QWidget& modal) {
            auto* edit = modal.findChild<QLineEdit*>();
            QVERIFY(edit != nullptr);
            edit->setText(QStringLiteral("typed"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        press("cmdprint");
        QCOMPARE(nameDialog.seen(), 1);
        const QByteArray record = readAll(reportFolder() + QStringLiteral("/typed.txt"));

        QCOMPARE(record.count("\r\n"), 14);
        for (qsizetype at = 0; at < record.size(); ++at) {
            const auto byte = static_cast<unsigned char>(record[at]);
            const bool lineEnd = (byte == '\r' && record.mid(at, 2) == "\r\n") ||
                                 (byte == '\n' && at > 0 && record[at - 1] == '\r');
            const bool control = byte < 0x20 || (byte >= 0x7F && byte <= 0x9F);
            QVERIFY2(lineEnd || !control, qPrintable(QStringLiteral("control byte at %1").arg(at)));
        }
        const qsizetype firstEnd = record.indexOf("\r\n");
        QCOMPARE(record.left(firstEnd), "Section Description : RHS " + expectedLatin1(pasted));

        // Every other line is the record of the boxes as they stand, as for any designation.
        ReportInputs inputs;
        inputs.family = SectionFamily::RHS;
        inputs.designation = "x";
        inputs.boxes = {shown[0].toStdString(),  shown[1].toStdString(), shown[2].toStdString(),
                        shown[3].toStdString(),  shown[4].toStdString(), shown[5].toStdString(),
                        shown[6].toStdString(),  shown[7].toStdString(), shown[9].toStdString(),
                        shown[10].toStdString(), shown[8].toStdString()};
        const QByteArray plain = QByteArray::fromStdString(reportRecord(inputs));
        QCOMPARE(record.mid(firstEnd), plain.mid(plain.indexOf("\r\n")));
    }
};

int runTypedTextTest(int argc, char** argv) {
    TypedTextTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kavrel::test

#include "typed_text_test.moc"
