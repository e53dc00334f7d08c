// The focus order model: moving one control to a position, and the orders the window goes
// through at start-up and on choosing a family.
#include "suites.hpp"

#include "ui/focus_order.hpp"

#include <QTest>

#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace kavrel::test {
namespace {

using Names = std::vector<std::string>;

const Names labels = {"Label1", "Label2", "Label3", "Label4",  "Label5", "Label6",
                      "Label7", "Label8", "Label9", "Label10", "Label12"};
const Names boxes = {"txta",   "txtwt",  "txtiyy", "txtzxx", "txtzyy", "txtixx",
                     "txtrxx", "txtryy", "txtj",   "txtb",   "txtsa"};

QStringList toList(const Names& names) {
    QStringList list;
    for (const std::string& name : names) {
        list << QString::fromStdString(name);
    }
    return list;
}

Names join(std::initializer_list<Names> parts) {
    Names all;
    for (const Names& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

} // namespace

class FocusOrderTest : public QObject {
    Q_OBJECT

  private slots:
    void designOrder() {
        const Names expected = join({{"frmsectiontype", "frmproperties", "optrhs", "optshs",
                                      "optchs", "cmbrhs", "cmbshs", "cmbchs"},
                                     labels,
                                     boxes,
                                     {"cmdfind", "cmdprint", "cmdexit"}});
        QCOMPARE(toList(FocusOrder::designOrder().names()), toList(expected));
        QCOMPARE(expected.size(), std::size_t{33});
    }

    void moveTo_data() {
        QTest::addColumn<Names>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::addColumn<Names>("after");

        const Names abcde = {"a", "b", "c", "d", "e"};
        QTest::newRow("forward shifts the ones between back")
            << abcde << "b" << 3 << Names{"a", "c", "d", "b", "e"};
        QTest::newRow("backward shifts the ones between on")
            << abcde << "d" << 1 << Names{"a", "d", "b", "c", "e"};
        QTest::newRow("to the front") << abcde << "e" << 0 << Names{"e", "a", "b", "c", "d"};
        QTest::newRow("to the end") << abcde << "a" << 4 << Names{"b", "c", "d", "e", "a"};
        QTest::newRow("onto its own place") << abcde << "c" << 2 << abcde;
        QTest::newRow("past the end means last")
            << abcde << "b" << 9 << Names{"a", "c", "d", "e", "b"};
        QTest::newRow("unknown name changes nothing") << abcde << "x" << 0 << abcde;
    }

    void moveTo() {
        QFETCH(Names, before);
        QFETCH(QString, name);
        QFETCH(int, position);
        QFETCH(Names, after);
        FocusOrder order(before);
        order.moveTo(name.toStdString(), static_cast<std::size_t>(position));
        QCOMPARE(toList(order.names()), toList(after));
    }

    // Each row starts from the design order and brings the listed families forward in turn.
    void familyOrders_data() {
        QTest::addColumn<QStringList>("lists");
        QTest::addColumn<Names>("expected");

        const Names frames = {"frmsectiontype", "frmproperties"};
        const Names options = {"optrhs", "optshs", "optchs"};
        const Names commands = {"cmdfind", "cmdprint", "cmdexit"};
        QTest::newRow("start-up: RHS")
            << QStringList{"cmbrhs"}
            << join({{"cmbrhs"}, commands, frames, options, {"cmbshs", "cmbchs"}, labels, boxes});
        QTest::newRow("RHS then SHS")
            << QStringList{"cmbrhs", "cmbshs"}
            << join({{"cmbshs"}, commands, {"cmbrhs"}, frames, options, {"cmbchs"}, labels, boxes});
        QTest::newRow("RHS, SHS and back to RHS")
            << QStringList{"cmbrhs", "cmbshs", "cmbrhs"}
            << join({{"cmbrhs"}, commands, {"cmbshs"}, frames, options, {"cmbchs"}, labels, boxes});
        QTest::newRow("RHS then CHS")
            << QStringList{"cmbrhs", "cmbchs"}
            << join({{"cmbchs"}, commands, {"cmbrhs"}, frames, options, {"cmbshs"}, labels, boxes});
        QTest::newRow("RHS, SHS, CHS")
            << QStringList{"cmbrhs", "cmbshs", "cmbchs"}
            << join({{"cmbchs"}, commands, {"cmbshs", "cmbrhs"}, frames, options, labels, boxes});
        QTest::newRow("RHS twice")
            << QStringList{"cmbrhs", "cmbrhs"}
            << join({{"cmbrhs"}, commands, frames, options, {"cmbshs", "cmbchs"}, labels, boxes});
    }

    void familyOrders() {
        QFETCH(QStringList, lists);
        QFETCH(Names, expected);
        FocusOrder order = FocusOrder::designOrder();
        for (const QString& list : lists) {
            order.bringForward(list.toStdString());
        }
        QCOMPARE(toList(order.names()), toList(expected));
    }
};

int runFocusOrderTest(int argc, char** argv) {
    FocusOrderTest test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace kavrel::test

#include "focus_order_test.moc"
