#pragma once

#include "commands/report_path.hpp"
#include "commands/report_record.hpp"

#include "durable/append_record.hpp"

#include <QString>

#include <chrono>
#include <optional>

class QWidget;

namespace kavrel {

// The Print command of the window: asks for the report's name on the first Print of the run,
// then appends one record per Print. The report path is the window's only state besides its
// controls; a Print that cannot write says why and forgets the path, so the next Print asks
// again and the user can correct the name. While Print waits for the report, the window
// repaints but takes no input, so no other command starts before Print ends.
class ReportPrinter {
  public:
    // The window the dialogs are modal to.
    explicit ReportPrinter(QWidget* window);

    void print(const ReportInputs& inputs);

    // How long Print waits for a report another program keeps locked; tests shorten it.
    static std::chrono::milliseconds lockWait;

  private:
    std::optional<ReportWriteError> appendWhileRepainting(const std::string& record);
    QString askFileName();
    void showFailure(const QString& path, const QString& reason);

    QWidget* window_;
    std::optional<ReportPath> path_;
};

} // namespace kavrel
