// Writes a picture of the window as a user sees it after a typical request: SHS selected,
// "100x100x5.0" chosen from its list and Find pressed. Usage: kavrel-screenshot OUTPUT.png
#include "ui/startup.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

namespace {

template <typename Widget> Widget* control(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

bool chooseEntry(QComboBox& list, const QString& text) {
    const int index = list.findText(text);
    if (index < 0) {
        return false;
    }
    list.showPopup();
    QAbstractItemView* view = list.view();
    if (!QTest::qWaitFor([view] { return view->isVisible(); })) {
        return false;
    }
    view->setCurrentIndex(list.model()->index(index, list.modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
    return QTest::qWaitFor([view] { return !view->isVisible(); });
}

int fail(const char* why) {
    std::fprintf(stderr, "kavrel-screenshot: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        return fail("usage: kavrel-screenshot OUTPUT.png");
    }
    QApplication app(argc, argv);
    const auto started = kavrel::startUp();
    kavrel::MainWindow& window = *started;
    if (!QTest::qWaitForWindowActive(&window)) {
        return fail("the window did not become active");
    }
    QTest::mouseClick(control<QRadioButton>(window, "optshs"), Qt::LeftButton);
    if (!chooseEntry(*control<QComboBox>(window, "cmbshs"), QStringLiteral("100x100x5.0"))) {
        return fail("could not choose 100x100x5.0");
    }
    QTest::mouseClick(control<QPushButton>(window, "cmdfind"), Qt::LeftButton);
    if (control<QLineEdit>(window, "txta")->text().isEmpty()) {
        return fail("Find filled no box");
    }
    // Let the last repaints settle before the picture is taken.
    QTest::qWait(100);
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        return fail("could not write the picture");
    }
    return 0;
}
