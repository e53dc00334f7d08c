#include "table/section_table.hpp"

#include "table/table_rows.hpp"

namespace kavrel {

TableOutcome sectionTable(const TableRequest& request) {
    auto rows = tableRows(request);
    if (auto* error = std::get_if<TableError>(&rows)) {
        return std::move(*error);
    }
    return writeRows(request.format, std::get<TableRows>(rows));
}

} // namespace kavrel
