#pragma once

// What the window tests share: finding controls by name, showing the window as a desktop
// would, choosing entries the way a user does, and answering modal dialogs.

#include "ui/main_window.hpp"

#include <QByteArray>
#include <QComboBox>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace kavrel::test {

// The result boxes in the order Find writes them.
inline const QStringList writingOrder = {"txta",   "txtwt",  "txtixx", "txtiyy", "txtzxx", "txtzyy",
                                         "txtrxx", "txtryy", "txtsa",  "txtj",   "txtb"};

template <typename Widget> Widget* control(const QWidget& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}

// The window a suite works on, and its controls by name; each suite's init makes the window.
class WindowFixture {
  protected:
    std::unique_ptr<MainWindow> window_;

    template <typename Widget> Widget* get(const char* name) const {
        return control<Widget>(*window_, name);
    }
    void press(const char* button) const {
        QTest::mouseClick(get<QPushButton>(button), Qt::LeftButton);
    }
};

// Shows the window and waits until it is active, so the keyboard reaches it.
bool showActive(QWidget& window);

// The texts of the result boxes in writing order.
QStringList boxTexts(const QWidget& window);

// What the user sees of the window's state: the options, the lists' texts and whether each
// is enabled, and the result boxes; to tell that an action changed nothing.
QStringList windowState(const QWidget& window);

// Where the reports of this run go: $HOME/temp (HOME is a scratch folder in the tests).
QString reportFolder();

// A report file's bytes, or "<no file>".
QByteArray readAll(const QString& file);

// Eleven empty texts.
QStringList emptyBoxes();

// Chooses the entry with this text from the list's popup by the keyboard, as a user would.
void chooseEntry(QComboBox& list, const QString& text);

// Presses Alt with the letter on whatever holds the focus.
void pressAlt(Qt::Key key);

// A window whose Find step is the real one, with the given decimal separator.
MainWindow* newWindow(const std::string& separator);

// Answers every modal dialog that opens while it lives: hands it to the handler, which must
// close it. A dialog left open is rejected so that a test cannot hang on it.
class ModalWatcher : public QObject {
  public:
    using Handler = std::function<void(QWidget&)>;
    explicit ModalWatcher(Handler handler = {});
    int seen() const { return seen_; }

  private:
    void poll();
    Handler handler_;
    QTimer timer_;
    QPointer<QWidget> last_;
    int seen_ = 0;
};

} // namespace kavrel::test
