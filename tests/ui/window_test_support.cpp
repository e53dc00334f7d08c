#include "window_test_support.hpp"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTest>

namespace kavrel::test {

bool showActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QStringList boxTexts(const QWidget& window) {
    QStringList texts;
    for (const QString& name : writingOrder) {
        texts << window.findChild<QLineEdit*>(name)->text();
    }
    return texts;
}

QStringList emptyBoxes() {
    QStringList texts;
    for (qsizetype i = 0; i < writingOrder.size(); ++i) {
        texts << QString();
    }
    return texts;
}

void chooseEntry(QComboBox& list, const QString& text) {
    const int index = list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    list.showPopup();
    QAbstractItemView* view = list.view();
    QTRY_VERIFY(view->isVisible());
    view->setCurrentIndex(list.model()->index(index, list.modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!view->isVisible());
}

void pressAlt(Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target != nullptr);
    QTest::keyClick(target, key, Qt::AltModifier);
}

MainWindow* newWindow(const std::string& separator) {
    return new MainWindow(&kavrel::find, separator);
}

ModalWatcher::ModalWatcher(Handler handler) : handler_(std::move(handler)) {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
    timer_.start();
}

void ModalWatcher::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        return;
    }
    if (modal == last_) {
        // The handler had its turn and the dialog is still open.
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        }
        return;
    }
    last_ = modal;
    ++seen_;
    if (handler_) {
        handler_(*modal);
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    }
}

QStringList windowState(const QWidget& window) {
    QStringList state;
    for (const char* name : {"optrhs", "optshs", "optchs"}) {
        state << QString::number(control<QRadioButton>(window, name)->isChecked());
    }
    for (const char* name : {"cmbrhs", "cmbshs", "cmbchs"}) {
        auto* list = control<QComboBox>(window, name);
        state << list->currentText() << QString::number(list->isEnabled());
    }
    return state + boxTexts(window);
}

QString reportFolder() {
    return QDir::homePath() + QStringLiteral("/temp");
}

QByteArray readAll(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<no file>");
}

} // namespace kavrel::test
