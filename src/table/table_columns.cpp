#include "table/table_columns.hpp"

#include <algorithm>

namespace kavrel {

std::optional<std::size_t> columnIndex(std::string_view name) {
    const auto* found = std::find(columnNames.begin(), columnNames.end(), name);
    if (found == columnNames.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - columnNames.begin());
}

} // namespace kavrel
