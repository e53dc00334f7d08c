#include "sections/working_window.hpp"

#include "sections/table_printer.hpp"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kavrel {

WorkingWindow::WorkingWindow(const QString& designation, const QString& html, QWidget* parent)
    : QWidget(parent, Qt::Window), sheet_(new QTextBrowser) {
    setObjectName(QStringLiteral("working"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Working of %1").arg(designation));
    setAccessibleName(windowTitle());
    sheet_->setObjectName(QStringLiteral("txtworking"));
    sheet_->setAccessibleName(tr("Calculation sheet"));
    sheet_->setOpenLinks(false);
    sheet_->setHtml(html);

    auto* buttons = new QDialogButtonBox;
    QPushButton* print = buttons->addButton(tr("&Print\u2026"), QDialogButtonBox::ActionRole);
    print->setObjectName(QStringLiteral("cmdprintworking"));
    print->setAccessibleName(tr("Print the sheet"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setAccessibleName(tr("Close"));
    connect(print, &QPushButton::clicked, this, &WorkingWindow::onPrint);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    // A window of its own has no dialog's Escape: give it one.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sheet_, 1);
    layout->addWidget(buttons);
    resize(760, 820);
}

QString WorkingWindow::text() const {
    return sheet_->toPlainText();
}

bool WorkingWindow::printTo(QPrinter& printer) const {
    sheet_->document()->print(&printer);
    return printer.printerState() != QPrinter::Error;
}

void WorkingWindow::onPrint() {
    QPrinter printer;
    printer.setDocName(printedDocumentName(windowTitle()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!printTo(printer)) {
        QMessageBox::warning(this, tr("Print"), tr("The printer could not be started."));
    }
}

} // namespace kavrel
