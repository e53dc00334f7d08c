#pragma once

#include "properties/number_text.hpp"
#include "properties/step_log.hpp"

#include <string>

namespace kavrel {

// Whether a formula is written with its symbols (b1, A') or with the numbers the program used.
enum class Notation { Symbols, Numbers };

// A formula in plain ASCII: + - * /, parentheses, ^ with a whole exponent and sqrt(...), with
// the fewest parentheses that keep the program's grouping (operators of equal rank group from
// the left), so any calculator evaluates it in the program's order.
std::string asciiFormula(const FormulaNode& formula, Notation notation);

// The same formula typeset in HTML: middle dots, minus signs, superscripts, pi, roots with a
// bar, primes for texts read back, subscripts in names (b1, Ixx).
std::string htmlFormula(const FormulaNode& formula, Notation notation);

// A symbol or unit in HTML: "b1" as b with subscript 1, "A" read back as A prime, "cm^4" with
// a superscript. Text is escaped.
std::string htmlSymbol(std::string_view name, bool readBack = false);
std::string htmlUnit(std::string_view unit);
std::string htmlEscaped(std::string_view text);

} // namespace kavrel
