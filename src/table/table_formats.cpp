#include "table/table_formats.hpp"

#include <algorithm>

namespace kavrel {
namespace {

// Room for the whole table at once, at a rough number of bytes per cell.
std::string reserved(std::span<const std::size_t> columns, std::size_t rows, std::size_t perCell) {
    std::string out;
    out.reserve((rows + 1) * columns.size() * perCell);
    return out;
}

std::string csv(std::span<const std::size_t> columns, std::span<const TableRow* const> rows) {
    std::string out = reserved(columns, rows.size(), 8);
    const auto line = [&](auto textOf) {
        for (const std::size_t column : columns) {
            out += textOf(column);
            out += ',';
        }
        out.back() = '\n';
    };
    line([](std::size_t column) { return columnNames[column]; });
    for (const TableRow* row : rows) {
        line([row](std::size_t column) -> const std::string& { return (*row)[column]; });
    }
    return out;
}

// A number text as JSON wants it: ".140" becomes 0.140 and "-.50" becomes -0.50.
void appendJsonNumber(std::string& out, std::string_view text) {
    const std::size_t sign = text.starts_with('-') ? 1 : 0;
    out += text.substr(0, sign);
    if (text.substr(sign).starts_with('.')) {
        out += '0';
    }
    out += text.substr(sign);
}

std::string json(std::span<const std::size_t> columns, std::span<const TableRow* const> rows) {
    std::string out = reserved(columns, rows.size(), 20);
    out += '[';
    for (const TableRow* row : rows) {
        out += out.size() == 1 ? "\n{" : ",\n{";
        for (const std::size_t column : columns) {
            appendJsonString(out, columnNames[column]);
            out += ':';
            if (isNumericColumn(column)) {
                appendJsonNumber(out, (*row)[column]);
            } else {
                appendJsonString(out, (*row)[column]);
            }
            out += ',';
        }
        out.back() = '}';
    }
    out += rows.empty() ? "]\n" : "\n]\n";
    return out;
}

// Columns two blanks apart, texts to the left, numbers to the right, no blanks at line ends.
std::string text(std::span<const std::size_t> columns, std::span<const TableRow* const> rows) {
    std::vector<std::size_t> widths;
    for (const std::size_t column : columns) {
        std::size_t width = columnNames[column].size();
        for (const TableRow* row : rows) {
            width = std::max(width, (*row)[column].size());
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
    line([](std::size_t column) { return columnNames[column]; });
    for (const TableRow* row : rows) {
        line([row](std::size_t column) { return std::string_view((*row)[column]); });
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
                       std::span<const TableRow* const> rows) {
    switch (format) {
    case TableFormat::Json:
        return json(columns, rows);
    case TableFormat::Text:
        return text(columns, rows);
    case TableFormat::Csv:
        break;
    }
    return csv(columns, rows);
}

} // namespace kavrel
