#include "sections/working_window.hpp"

#include "sections/table_printer.hpp"

#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <memory>

namespace kavrel {

WorkingWindow::WorkingWindow(const QString& designation, SheetWriter sheetFor, QWidget* parent)
    : QWidget(parent, Qt::Window), designation_(designation), sheetFor_(std::move(sheetFor)),
      sheet_(new QTextBrowser) {
    setObjectName(QStringLiteral("working"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Working of %1").arg(designation));
    setAccessibleName(windowTitle());
    sheet_->setObjectName(QStringLiteral("txtworking"));
    sheet_->setAccessibleName(tr("Calculation sheet"));
    sheet_->setOpenLinks(false);
    auto* form = new QFormLayout;
    const std::array<std::pair<const char*, QString>, 4> labels = {{
        {"txtproject", tr("Pro&ject:")},
        {"txtmadeby", tr("&Made by:")},
        {"txtcheckedby", tr("C&hecked by:")},
        {"txtdate", tr("&Date:")},
    }};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        fields_[i] = new QLineEdit;
        fields_[i]->setObjectName(QString::fromLatin1(labels[i].first));
        fields_[i]->setAccessibleName(
            QString(labels[i].second).remove(QLatin1Char('&')).chopped(1));
        form->addRow(labels[i].second, fields_[i]);
        connect(fields_[i], &QLineEdit::editingFinished, this, &WorkingWindow::rewrite);
    }
    rewrite();

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
    layout->addLayout(form);
    layout->addWidget(sheet_, 1);
    layout->addWidget(buttons);
    resize(760, 820);
}

QString WorkingWindow::text() const {
    return sheet_->toPlainText();
}

void WorkingWindow::rewrite() {
    const SheetFields fields{fields_[0]->text().toStdString(), fields_[1]->text().toStdString(),
                             fields_[2]->text().toStdString(), fields_[3]->text().toStdString()};
    const int at = sheet_->verticalScrollBar()->value();
    sheet_->setHtml(sheetFor_(fields));
    sheet_->verticalScrollBar()->setValue(at);
}

bool WorkingWindow::printTo(QPrinter& printer) const {
    // Laid out for the printer's page less a head line, each page then painted under a head
    // that names the size and the page, as a checked calculation's pages are.
    std::unique_ptr<QTextDocument> document(sheet_->document()->clone());
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    document->documentLayout()->setPaintDevice(&printer);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    const QFontMetricsF metrics(document->defaultFont(), &printer);
    const double head = metrics.height() * 2;
    document->setPageSize(QSizeF(page.width(), page.height() - head));
    const int pages = document->pageCount();
    const double body = page.height() - head;
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && !printer.newPage()) {
            return false;
        }
        painter.setFont(QFont(document->defaultFont(), &printer));
        painter.drawText(QRectF(0, 0, page.width(), metrics.height()), Qt::AlignRight,
                         tr("%1, page %2 of %3").arg(designation_).arg(p + 1).arg(pages));
        painter.save();
        painter.translate(0, head - p * body);
        document->drawContents(&painter, QRectF(0, p * body, page.width(), body));
        painter.restore();
    }
    painter.end();
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
