#pragma once

#include "commands/report_path.hpp"
#include "commands/report_record.hpp"

#include <QString>

#include <optional>

class QWidget;

namespace kavrel {

// The Print command of the window: asks for the report's name on the first Print of the run,
// then appends one record per Print. The report path is the window's only state besides its
// controls; a Print that cannot write says why and forgets the path, so the next Print asks
// again and the user can correct the name.
class ReportPrinter {
  public:
    // The window the dialogs are modal to.
    explicit ReportPrinter(QWidget* window);

    void print(const ReportInputs& inputs);

  private:
    QString askFileName();
    void showFailure(const QString& path, const QString& reason);

    QWidget* window_;
    std::optional<ReportPath> path_;
};

} // namespace kavrel
