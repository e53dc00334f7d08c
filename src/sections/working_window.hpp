#pragma once

#include "table/table_request.hpp"

#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class QPrinter;
class QTextBrowser;

namespace kavrel {

// The calculation sheet of one size in a window of its own: the engine's HTML sheet, read in
// a text browser and printed from it, every page headed with the size and the page's number;
// a small form above it fills the sheet's head (project, made by, checked by, date).
class WorkingWindow : public QWidget {
    Q_OBJECT

  public:
    // `sheetFor` writes the HTML sheet with the head's fields as the form holds them.
    using SheetWriter = std::function<QString(const SheetFields&)>;
    WorkingWindow(const QString& designation, SheetWriter sheetFor, QWidget* parent = nullptr);

    // The form's fields: project, made by, checked by, date.
    const std::array<QLineEdit*, 4>& fields() const { return fields_; }

    QString text() const;

    // Prints the sheet; false when the printer could not be started.
    bool printTo(QPrinter& printer) const;

  private:
    void onPrint();
    void rewrite();

    QString designation_;
    SheetWriter sheetFor_;
    std::array<QLineEdit*, 4> fields_{};
    QTextBrowser* sheet_;
};

} // namespace kavrel
