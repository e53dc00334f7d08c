#include "table/table_formats.hpp"
#include "design/design_code.hpp"

#include <algorithm>

namespace kavrel {
namespace {

// The names and texts of the fixed and the design columns, by position.
struct Cells {
    std::span<const std::string> designNames;
    std::span<const WrittenRow> rows;
    std::span<const std::size_t> columns;
    std::span<const std::string_view> units; // of each chosen column, when headers name them

    std::string_view name(std::size_t column) const {
        return column < columnCount ? columnNames[column] : designNames[column - columnCount];
    }
    std::string_view unit(std::size_t column) const {
        if (units.empty()) {
            return {};
        }
        const auto at = std::find(columns.begin(), columns.end(), column) - columns.begin();
        return units[static_cast<std::size_t>(at)];
    }
    // The header of a column in CSV and JSON: its name, and its unit when there is one.
    std::string header(std::size_t column) const {
        const std::string_view u = unit(column);
        return u.empty() ? std::string(name(column))
                         : std::string(name(column)) + " (" + std::string(u) + ")";
    }
    std::string_view text(const WrittenRow& row, std::size_t column) const {
        return column < columnCount ? std::string_view((*row.texts)[column])
                                    : std::string_view((*row.design)[column - columnCount]);
    }
};

// Room for the whole table at once, at a rough number of bytes per cell.
std::string reserved(std::span<const std::size_t> columns, std::size_t rows, std::size_t perCell) {
    std::string out;
    out.reserve((rows + 1) * columns.size() * perCell);
    return out;
}

std::string csv(std::span<const std::size_t> columns, const Cells& cells) {
    std::string out = reserved(columns, cells.rows.size(), 8);
    const auto line = [&](auto textOf) {
        for (const std::size_t column : columns) {
            out += textOf(column);
            out += ',';
        }
        out.back() = '\n';
    };
    line([&cells](std::size_t column) { return cells.header(column); });
    for (const WrittenRow& row : cells.rows) {
        line([&cells, &row](std::size_t column) { return cells.text(row, column); });
    }
    return out;
}

// A number text as JSON wants it: ".140" becomes 0.140 and "-.50" becomes -0.50.
void appendJsonNumber(std::string& out, std::string_view text) {
    if (text.empty()) {
        out += "null"; // a design figure the rules do not give
        return;
    }
    if (classNamed(text)) {
        appendJsonString(out, text); // a class in IS 800's words
        return;
    }
    const std::size_t sign = text.starts_with('-') ? 1 : 0;
    out += text.substr(0, sign);
    if (text.substr(sign).starts_with('.')) {
        out += '0';
    }
    out += text.substr(sign);
}

std::string json(std::span<const std::size_t> columns, const Cells& cells) {
    std::string out = reserved(columns, cells.rows.size(), 20);
    out += '[';
    for (const WrittenRow& row : cells.rows) {
        out += out.size() == 1 ? "\n{" : ",\n{";
        for (const std::size_t column : columns) {
            appendJsonString(out, cells.header(column));
            out += ':';
            if (isNumericColumn(column)) {
                appendJsonNumber(out, cells.text(row, column));
            } else {
                appendJsonString(out, cells.text(row, column));
            }
            out += ',';
        }
        out.back() = '}';
    }
    out += cells.rows.empty() ? "]\n" : "\n]\n";
    return out;
}

// Columns two blanks apart, texts to the left, numbers to the right, no blanks at line ends.
std::string text(std::span<const std::size_t> columns, const Cells& cells) {
    std::vector<std::size_t> widths;
    for (const std::size_t column : columns) {
        std::size_t width = std::max(cells.name(column).size(), cells.unit(column).size());
        for (const WrittenRow& row : cells.rows) {
            width = std::max(width, cells.text(row, column).size());
        }
        widths.push_back(width);
    }
    std::string out;
    const auto line = [&](auto textOf) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::string_view cell = textOf(columns[i]);
            const std::string padding(widths[i] - cell.size(), ' ');
            out += i == 0 ? "" : "  ";
            out += isNumericColumn(columns[i]) ? padding + std::string(cell)
                                               : std::string(cell) + padding;
        }
        out.erase(out.find_last_not_of(' ') + 1);
        out += '\n';
    };
    line([&cells](std::size_t column) { return cells.name(column); });
    if (!cells.units.empty()) {
        line([&cells](std::size_t column) { return cells.unit(column); });
    }
    for (const WrittenRow& row : cells.rows) {
        line([&cells, &row](std::size_t column) { return cells.text(row, column); });
    }
    return out;
}

} // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xf];
            out += hex[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string writeTable(TableFormat format, std::span<const std::size_t> columns,
                       std::span<const std::string> designNames, std::span<const WrittenRow> rows,
                       std::span<const std::string_view> units) {
    const Cells cells{designNames, rows, columns, units};
    switch (format) {
    case TableFormat::Json:
        return json(columns, cells);
    case TableFormat::Text:
        return text(columns, cells);
    case TableFormat::Csv:
        break;
    }
    return csv(columns, cells);
}

std::string writeTable(TableFormat format, std::span<const std::size_t> columns,
                       std::span<const TableRow* const> rows) {
    const DesignRow none;
    std::vector<WrittenRow> written;
    written.reserve(rows.size());
    for (const TableRow* row : rows) {
        written.push_back({row, &none});
    }
    return writeTable(format, columns, {}, written);
}

} // namespace kavrel
