#include "ui/startup.hpp"

#include "ui/pictures.hpp"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPixmap>

#include <array>

namespace kavrel {
namespace {

// The window icon's pictures, smallest first. Only the first, a PNG, is set before the window
// shows: handing the larger ones to the window system costs the first frame several
// milliseconds, so they follow once it is out.
constexpr std::array windowIconFiles = {":/kavrel/kavrel-32.png", ":/kavrel/kavrel-48.png",
                                        ":/kavrel/kavrel-128.png", ":/kavrel/kavrel-256.png"};

QIcon fullWindowIcon() {
    QIcon icon;
    for (const char* file : windowIconFiles) {
        icon.addFile(QString::fromLatin1(file));
    }
    return icon;
}

class FirstFrameWatch : public QObject {
  public:
    FirstFrameWatch(QWidget& window, std::function<void()> shown)
        : QObject(&window), shown_(std::move(shown)) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued behind the paint, and so behind the flush that ends it.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    shown_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    std::function<void()> shown_;
};

} // namespace

void afterFirstFrame(QWidget& window, std::function<void()> shown) {
    new FirstFrameWatch(window, std::move(shown));
}

std::unique_ptr<MainWindow> startUp(std::function<void()> firstFrameShown) {
    QApplication::setApplicationName(QStringLiteral("kavrel"));
    // The Wayland app id: how a dock matches the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kavrel.Kavrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kavrel"));
    // From a pixmap: a QIcon given a file name would look for icon-engine plugins first.
    QApplication::setWindowIcon(
        QIcon(QPixmap::fromImage(readPicture(QString::fromLatin1(windowIconFiles.front())))));

    auto window = std::make_unique<MainWindow>();
    afterFirstFrame(*window, [shown = std::move(firstFrameShown)] {
        if (shown) {
            shown();
        }
        QApplication::setWindowIcon(fullWindowIcon());
    });
    window->show();
    window->activateWindow();
    return window;
}

} // namespace kavrel
