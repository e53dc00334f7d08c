#include "ui/report_printer.hpp"

#include <QEventLoop>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

#include <thread>

namespace kavrel {

std::chrono::milliseconds ReportPrinter::lockWait = AppendOptions{}.lockWait;

ReportPrinter::ReportPrinter(QWidget* window) : window_(window) {}

void ReportPrinter::print(const ReportInputs& inputs) {
    if (!path_) {
        const std::string answer = askFileName().toStdString();
        const std::string home = homeFolder();
        // Without a home folder the report would land in /temp at the root.
        if (home.empty()) {
            showFailure(QString::fromStdString(reportPath(answer, home).text),
                        QString::fromLatin1(noHomeFolderReason));
            return;
        }
        path_ = reportPath(answer, home);
    }
    if (const auto error = appendWhileRepainting(reportRecord(inputs))) {
        path_.reset();
        showFailure(QString::fromStdString(error->path), QString::fromLocal8Bit(error->reason));
    }
}

std::optional<ReportWriteError> ReportPrinter::appendWhileRepainting(const std::string& record) {
    std::optional<ReportWriteError> error;
    QEventLoop loop;
    std::thread writer([&] {
        AppendOptions options;
        options.lockWait = lockWait;
        error = appendRecord(path_->folder, path_->file, record, options);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Input waits in the queue until Print has ended; paint events go through.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    writer.join();
    return error;
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
