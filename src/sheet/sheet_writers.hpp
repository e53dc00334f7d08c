#pragma once

#include "sheet/calculation_sheet.hpp"

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kavrel {

enum class SheetFormat { Text, Html, Json };

// Sheets as the bytes to write: text for a terminal and paper, no line over 100 characters;
// one self-contained HTML page, one size per printed A4 page; or one JSON array, one object
// per size, whose numbers read back to exactly the doubles used.
std::string writeSheets(SheetFormat format, std::span<const CalculationSheet> sheets);

std::string textSheets(std::span<const CalculationSheet> sheets);
std::string htmlSheets(std::span<const CalculationSheet> sheets);
std::string jsonSheets(std::span<const CalculationSheet> sheets);

// The head of a sheet as label and plain text, the same in the text and the HTML sheet.
std::vector<std::pair<std::string_view, std::string>> sheetHead(const CalculationSheet& sheet);

// How a result is rounded, in words: "2 decimals", "3 significant figures".
std::string roundingOf(const RecordedStep& step);

// How a result's text is read back by later steps, in words: "read back as A' = 2.74", or
// with significant figures shown "read back from its fixed-decimal text "2.74" as A' = 2.74";
// `name` is the result's name as the format writes it with its prime.
std::string readBackOf(const RecordedStep& step, std::string_view name);

// The title of the part of the sheet that starts at this step, if one does.
std::optional<std::string_view> partAt(const StepLog& log, std::size_t step);

// What failed, in words: "division by zero: the divisor A' is 0".
std::string failureText(const StepFailure& failure);

} // namespace kavrel
