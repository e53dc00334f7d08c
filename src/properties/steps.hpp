#pragma once

#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"
#include "properties/step_log.hpp"
#include "properties/units.hpp"

#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kavrel {

// How a formula records its sheet. A formula set computes with `Term`s and names its
// quantities through one `Steps`: read() a dimension, symbol() a constant such as pi, step() an
// intermediate value, text() a result's text, result() a result that later steps use. Each
// named quantity appears by its name in the formulas after it. A later step that uses a
// result's shown text takes the handle result() returned to readBack(). Divide through
// divide(), or by a nonzero constant written in the code; take roots through squareRoot(): the
// recorder checks every divisor, root and value, so any failure reaches the sheet with its
// reason. Without a log the same code computes the same doubles and records nothing.

// A number of the formulas: its value and, when a sheet is asked for, the node of the formula
// that made it. The operators do the bare double operations in the written grouping, and build
// the node only when an operand has one. A constant (4, 0.01, 1.5) becomes a term where it
// meets one.
struct Term {
    Term(double v) : value(v) {} // NOLINT: constants convert implicitly, as doubles do
    Term(double v, const FormulaNode* n) : value(v), node(n) {}

    double value;
    const FormulaNode* node = nullptr;
};

// A divisor written in the code: a nonzero constant, checked when compiling. Any other divisor
// goes through Steps::divide.
struct ConstantDivisor {
    consteval ConstantDivisor(double v) : value(v) { // NOLINT: written as a plain number
        if (v == 0) {
            throw "a constant divisor is never zero";
        }
    }
    double value;
};

// The node of an operation on two terms, at least one of which is recorded. Cold: without a
// sheet it is never called, and the operators stay small enough to inline.
[[gnu::cold]] Term recorded(FormulaNode::Kind kind, double value, Term left, Term right);
// The node of x^exponent or the square root (exponent 0) of a recorded term.
[[gnu::cold]] Term recordedPower(double value, Term base, int exponent);

inline Term operator+(Term a, Term b) {
    const double v = a.value + b.value;
    return a.node || b.node ? recorded(FormulaNode::Kind::Add, v, a, b) : Term{v};
}
inline Term operator-(Term a, Term b) {
    const double v = a.value - b.value;
    return a.node || b.node ? recorded(FormulaNode::Kind::Subtract, v, a, b) : Term{v};
}
inline Term operator*(Term a, Term b) {
    const double v = a.value * b.value;
    return a.node || b.node ? recorded(FormulaNode::Kind::Multiply, v, a, b) : Term{v};
}
inline Term operator/(Term a, ConstantDivisor b) {
    const double v = a.value / b.value;
    return a.node ? recorded(FormulaNode::Kind::Divide, v, a, Term{b.value}) : Term{v};
}
inline Term square(Term x) {
    const double v = x.value * x.value;
    return x.node ? recordedPower(v, x, 2) : Term{v};
}
inline Term cube(Term x) {
    const double v = x.value * x.value * x.value;
    return x.node ? recordedPower(v, x, 3) : Term{v};
}
inline Term fourthPower(Term x) {
    const double v = x.value * x.value * x.value * x.value;
    return x.node ? recordedPower(v, x, 4) : Term{v};
}

// How a result is named and rounded: its column, meaning, metric unit and pattern, and what it
// measures, for its unit and conversion in the units shown. A result with `keepsDecimals`
// keeps its pattern's decimals where its formula set shows significant figures (AISC's W).
struct ResultStep {
    StepName name;
    Pattern pattern;
    Quantity quantity = Quantity::None;
    bool keepsDecimals = false;
};

// The units of a computation: its catalogue's, in which the dimension texts are written, and
// those its results are shown in. The table works the steps in the catalogue's units and
// converts each result once, unrounded, as its text is made; a calculation sheet works them
// in the units shown (`workedInShown`): the dimensions are converted as they are read, and
// every step, constant and result is in those units.
struct ShownUnits {
    UnitSystem home = UnitSystem::Metric;
    UnitSystem shown = UnitSystem::Metric;
    bool workedInShown = false;

    UnitSystem worked() const { return workedInShown ? shown : home; }
};

// A result that later steps use, as result() gives it: the result by name, unrounded, and the
// handle that readBack() takes to read its shown text back.
struct ShownResult {
    Term value;
    Pattern pattern;
    std::optional<std::size_t> step; // its step in the log, when one is recorded
    Quantity quantity = Quantity::None;
};

// Carries a formula set through its steps in order. The first failing step decides the
// outcome; once a step has failed, every later one yields 0 and the empty text, and changes
// nothing. Double arithmetic does not trap, so each divisor, root and value is checked here.
// Given a log, it also records every step there, up to and including the one that fails.
class Steps {
  public:
    // Results are shown with their pattern's decimals, or with `significant` figures if given.
    explicit Steps(std::string_view separator, std::optional<int> significant = std::nullopt,
                   StepLog* log = nullptr, ShownUnits units = {})
        : separator_(separator), significant_(significant), log_(log), units_(units) {}

    // Results are shown with this many significant figures unless told otherwise, but for
    // those that keep their decimals: a catalogue's own way of printing (AISC: 3).
    void showFigures(int figures) { homeFigures_ = figures; }
    UnitSystem shownUnits() const { return units_.shown; }
    // The units the steps are worked in, for the constants that are not pure numbers (0.01 from
    // mm^2 to cm^2, a weight per area, a foot of 12 in).
    UnitSystem worksIn() const { return units_.worked(); }

    // A dimension field as a number in the units worked in, named by its symbol; no value is
    // 0. The field is in the catalogue's units.
    Term read(const std::optional<std::string>& field, std::string_view symbol);
    // A constant known by its symbol, as pi.
    Term symbol(double value, std::string_view symbol);
    // A constant that stands as a number in the formulas of a sheet, so that a step made of
    // constants alone (a converted weight per area) shows how it is made.
    Term number(double value);
    // The geometry the formulas assume, in words, for the sheet.
    void assume(std::string_view sentence) {
        if (recording()) {
            log_->geometry.push_back(sentence);
        }
    }
    // The steps from here on form a part of the sheet with this title.
    void part(std::string_view title) {
        if (recording()) {
            log_->parts.push_back({log_->steps.size(), title});
        }
    }
    // An intermediate value; it must be finite (an overflow is an arithmetic failure).
    Term step(const StepName& name, Term x) {
        return unchecked() && std::isfinite(x.value) ? x.value : checkedStep(name, x);
    }
    Term divide(Term numerator, Term divisor) {
        return unchecked() && divisor.value != 0 ? numerator.value / divisor.value
                                                 : checkedDivide(numerator, divisor);
    }
    Term squareRoot(Term x) {
        return unchecked() && x.value >= 0 ? std::sqrt(x.value) : checkedSquareRoot(x);
    }
    // The display text of a result.
    std::string text(Term x, const ResultStep& result);
    // The same, kept in `shown`; the result for later steps, with the handle of its step.
    ShownResult result(Term x, const ResultStep& result, std::string& shown);
    // The number a result's fixed-decimal text shows, as a later step reads it back (the same
    // with significant figures, which change only what is shown); written A' in the sheet.
    // Worked in other units than the catalogue's, the text read back is still the one in the
    // catalogue's units (the rule reads its own shown texts), and the number is converted.
    Term readBack(const ShownResult& shown);

    // The texts, or the failure of the first step that failed.
    template <typename Texts>
    std::variant<Texts, UnreadableNumber, ArithmeticFailure> finish(Texts texts) const {
        if (std::holds_alternative<UnreadableNumber>(failure_)) {
            return UnreadableNumber{};
        }
        if (std::holds_alternative<ArithmeticFailure>(failure_)) {
            return ArithmeticFailure{};
        }
        return texts;
    }

  private:
    bool failed() const { return !std::holds_alternative<std::monostate>(failure_); }
    // Nothing to record and nothing failed yet: the table's path, which the operations above
    // take inline when their operand is fine; every other case goes through the checked forms.
    bool unchecked() const { return !log_ && !failed(); }
    Term checkedStep(const StepName& name, Term x);
    Term checkedDivide(Term numerator, Term divisor);
    Term checkedSquareRoot(Term x);
    bool recording() const { return log_ && !log_->ended; }
    void fail(StepFailure::Kind kind, const FormulaNode* operand);
    // An overflow fails the step.
    void check(Term x) {
        if (!failed() && !std::isfinite(x.value)) {
            fail(StepFailure::Kind::Overflow, x.node);
        }
    }
    // Keeps the step, the failing one too, which ends the log.
    void record(const StepName& name, Term x);
    // A named value: the step's symbol in later formulas.
    Term named(std::string_view name, double value, bool readBack);
    // An unreadable text ends the log with a step that says so.
    void unreadable(const StepName& name, const std::string& text);

    // A value of the quantity from one system to the other, through one exact factor.
    static Term converted(Term x, Quantity quantity, UnitSystem from, UnitSystem to);

    std::string_view separator_;
    std::optional<int> significant_;
    std::variant<std::monostate, UnreadableNumber, ArithmeticFailure> failure_;
    StepLog* log_;
    ShownUnits units_;
    std::optional<int> homeFigures_;
};

} // namespace kavrel
