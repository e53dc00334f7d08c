#pragma once

#include <QString>
#include <QWidget>

class QPrinter;
class QTextBrowser;

namespace kavrel {

// The calculation sheet of one size in a window of its own: the engine's HTML sheet, read in
// a text browser and printed from it.
class WorkingWindow : public QWidget {
    Q_OBJECT

  public:
    WorkingWindow(const QString& designation, const QString& html, QWidget* parent = nullptr);

    QString text() const;

    // Prints the sheet; false when the printer could not be started.
    bool printTo(QPrinter& printer) const;

  private:
    void onPrint();

    QTextBrowser* sheet_;
};

} // namespace kavrel
