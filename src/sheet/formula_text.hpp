#pragma once

#include "properties/number_text.hpp"
#include "properties/step_log.hpp"

#include <span>
#include <string>
#include <string_view>

namespace kavrel {

// Whether a formula is written with its symbols (b1, A') or with the numbers the program used.
enum class Notation { Symbols, Numbers };

// How numbers are written: exactly (the JSON sheet), or as a person writes them (text, HTML).
enum class Figures { Exact, ForPeople };

// A person writes at most this many significant figures.
inline constexpr int peopleFigures = 10;

// The value to at most 10 significant figures, without an exponent or trailing zeros:
// "155.7" for 155.70000000000002, "131.7142857" for 131.71428571428572.
std::string personText(double value, int figures = peopleFigures);

// A step's value as its sheet shows it under the numbers substituted into its formula: to the
// most figures, at most ten, at which those numbers as shown compute the same text, so that a
// reader's calculator agrees with the sheet.
std::string shownValue(double value, const FormulaNode* formula);

// A formula in plain ASCII: + - * /, parentheses, ^ with a whole exponent and sqrt(...), with
// the fewest parentheses that keep the program's grouping (operators of equal rank group from
// the left), so any calculator evaluates it in the program's order. For people, its numbers
// have at most 10 significant figures and small fractions are written as such (8/3).
std::string asciiFormula(const FormulaNode& formula, Notation notation,
                         Figures figures = Figures::Exact);

// The same formula typeset in HTML for people: middle dots, minus signs, superscripts, pi,
// roots with a bar and, around more than one symbol, brackets (Qt's rich text drops the bar),
// primes for texts read back, subscripts in names (b1, Ixx).
std::string htmlFormula(const FormulaNode& formula, Notation notation);

// A symbol or unit in HTML: "b1" as b with subscript 1, "A" read back as A prime, "cm^4" with
// a superscript. Text is escaped.
std::string htmlSymbol(std::string_view name, bool readBack = false);
std::string htmlUnit(std::string_view unit);

// A step's description in HTML, as a hand calculation writes it: the words upright, the
// symbols in it typeset as in the formulas (italic, subscripts, Greek letters), powers raised,
// a minus between blanks a minus sign, sqrt(...) a root sign. A word is a symbol when it is one
// of `symbols` (the names of the sheet's steps) or of the dimensions and design quantities
// descriptions name ("t", "fy", "gm0"); "4t" is the number 4 and the symbol t.
std::string htmlDescription(std::string_view text, std::span<const std::string_view> symbols);
std::string htmlEscaped(std::string_view text);

} // namespace kavrel
