#include "ui/report_printer.hpp"

#include "commands/append_record.hpp"

#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

namespace kavrel {

ReportPrinter::ReportPrinter(QWidget* window) : window_(window) {}

void ReportPrinter::print(const ReportInputs& inputs) {
    if (!path_) {
        path_ = reportPath(askFileName().toStdString(), homeFolder());
    }
    if (const auto error = appendRecord(*path_, reportRecord(inputs))) {
        path_.reset();
        showFailure(QString::fromStdString(error->path), QString::fromLocal8Bit(error->reason));
    }
}

QString ReportPrinter::askFileName() {
    QInputDialog dialog(window_);
    dialog.setObjectName(QStringLiteral("filenamedialog"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QStringLiteral("append File"));
    // The dialog makes its line edit the prompt's buddy, which would turn a lone "&" into an
    // access key; doubled, it is drawn as the "&" it is.
    dialog.setLabelText(QStringLiteral(
        "Enter the Output File Name && The default Location is c:temp\\Filename.txt"));
    dialog.setTextValue(QString());
    // OK gives the text as typed; Cancel gives the empty text, which is a name like any other.
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void ReportPrinter::showFailure(const QString& path, const QString& reason) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Kavrel"),
                    QStringLiteral("The report could not be written to %1: %2").arg(path, reason),
                    QMessageBox::Ok, window_);
    box.setObjectName(QStringLiteral("reportwarning"));
    // A typed name is shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace kavrel
