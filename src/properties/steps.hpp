#pragma once

#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"
#include "properties/step_log.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kavrel {

// A number of the formulas. Its operators do exactly the double operation written, in the
// grouping written; only while a sheet is recorded does it also carry the formula that made it,
// so without a sheet it costs a null pointer test per operation.
// A constant of the formulas (4, 0.01, 1.5) becomes a term where it meets one.
struct Term {
    Term(double v) : value(v) {} // NOLINT: constants convert implicitly, as doubles do
    Term(double v, const FormulaNode* n) : value(v), node(n) {}

    double value;
    const FormulaNode* node = nullptr;
};

// The node of an operation on two terms, at least one of which is recorded.
Term recorded(FormulaNode::Kind kind, double value, Term left, Term right);
// The node of x^exponent or the square root (exponent 0) of a recorded term.
Term recordedPower(double value, Term base, int exponent);

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
// Unchecked: the formulas divide through Steps::divide, except by nonzero constants.
inline Term operator/(Term a, Term b) {
    const double v = a.value / b.value;
    return a.node || b.node ? recorded(FormulaNode::Kind::Divide, v, a, b) : Term{v};
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

// How a result is named and rounded: its column, meaning, unit and pattern.
struct ResultStep {
    StepName name;
    Pattern pattern;
};

// Carries a formula set through its steps in order. The first failing step decides the
// outcome; once a step has failed, every later one yields 0 and the empty text, and changes
// nothing. Double arithmetic does not trap, so each divisor, root and value is checked here.
// Given a log, it also records every step, up to and including the one that fails.
class Steps {
  public:
    explicit Steps(std::string_view separator, StepLog* log = nullptr)
        : separator_(separator), log_(log) {}

    // A dimension field as a number, named by its symbol; no value is 0.
    Term read(const std::optional<std::string>& field, std::string_view symbol);
    // A constant known by its symbol, as pi.
    Term symbol(double value, std::string_view symbol);
    // The geometry the formulas assume, in words, for the sheet.
    void assume(std::string_view sentence) {
        if (log_) {
            log_->geometry.push_back(sentence);
        }
    }
    // An intermediate value; it must be finite (an overflow is an arithmetic failure).
    Term step(const StepName& name, Term x);
    Term divide(Term numerator, Term divisor);
    Term squareRoot(Term x);
    // The display text of a result.
    std::string text(Term x, const ResultStep& result);
    // A result's display text read back as the rounded number it shows.
    Term readBack(const std::string& text);

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
    bool recording() const { return log_ && !log_->ended; }
    void fail(StepFailure::Kind kind, const FormulaNode* operand);
    // An overflow fails the step.
    void check(Term x);
    // Keeps the step, the failing one too, which ends the log.
    void record(const StepName& name, Term x);
    Term named(const StepName& name, double value, bool readBack);

    std::string_view separator_;
    std::variant<std::monostate, UnreadableNumber, ArithmeticFailure> failure_;
    StepLog* log_;
};

} // namespace kavrel
