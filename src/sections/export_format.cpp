#include "sections/export_format.hpp"

#include <QFileInfo>

namespace kavrel {
namespace {

constexpr ExportFormat exportFormatTable[] = {
    {TableFormat::Csv, "CSV (*.csv)", "csv"},
    {TableFormat::Json, "JSON (*.json)", "json"},
    {TableFormat::Text, "Text (*.txt)", "txt"},
};

} // namespace

std::span<const ExportFormat> exportFormats() {
    return exportFormatTable;
}

QStringList exportFilters() {
    QStringList filters;
    for (const ExportFormat& format : exportFormatTable) {
        filters << QString::fromLatin1(format.filter);
    }
    return filters;
}

const ExportFormat* formatOfEnding(const QString& file) {
    const QString suffix = QFileInfo(file).suffix();
    for (const ExportFormat& format : exportFormatTable) {
        if (suffix.compare(QLatin1String(format.suffix), Qt::CaseInsensitive) == 0) {
            return &format;
        }
    }
    return nullptr;
}

const ExportFormat& exportFormatOf(const QString& file, const QString& chosenFilter) {
    if (const ExportFormat* typed = formatOfEnding(file)) {
        return *typed;
    }
    return exportFormatTable[std::max<qsizetype>(0, exportFilters().indexOf(chosenFilter))];
}

QString exportFileName(const QString& typed, const ExportFormat& format) {
    return QFileInfo(typed).suffix().isEmpty()
               ? typed + QLatin1Char('.') + QString::fromLatin1(format.suffix)
               : typed;
}

} // namespace kavrel
