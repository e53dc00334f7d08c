#pragma once

#include "table/table_formats.hpp"

#include <QString>
#include <QStringList>

#include <span>

namespace kavrel {

// A format Export writes: the engine's format, the dialog's filter and the file name's ending.
struct ExportFormat {
    TableFormat format;
    const char* filter;
    const char* suffix;
};

std::span<const ExportFormat> exportFormats();
QStringList exportFilters();

// The format for a file name: from its ending when that is one of the formats' (in any case),
// otherwise from the chosen filter (the first format when the filter is none of them).
const ExportFormat& exportFormatOf(const QString& file, const QString& chosenFilter);

// The format whose ending the name has, or none.
const ExportFormat* formatOfEnding(const QString& file);

// The file to write: the name as typed, with the format's ending added when it has none.
QString exportFileName(const QString& typed, const ExportFormat& format);

} // namespace kavrel
