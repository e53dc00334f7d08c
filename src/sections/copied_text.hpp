#pragma once

#include "table/table_rows.hpp"

#include <QString>
#include <QStringList>

#include <vector>

namespace kavrel {

// The rows at these positions (all rows when none are given) with the header line, as
// tab-separated lines that paste into a spreadsheet cell by cell, numbers with the separator.
QString copiedText(const TableRows& rows, const std::vector<int>& positions,
                   const QString& separator);

} // namespace kavrel
