#pragma once

#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"
#include "properties/step_log.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace kavrel {

// The numbers of the formulas. The formula code is written once, as a template on its number
// type: `Plain` when no sheet is asked for, whose operators are the bare double operations, and
// `Term` when one is, whose operators do exactly the same double operations in the same
// grouping and also build the formula that made the number. A constant of the formulas (4,
// 0.01, 1.5) becomes a number of that type where it meets one.
struct Plain {
    Plain(double v) : value(v) {} // NOLINT: constants convert implicitly, as doubles do
    double value;
};

inline Plain operator+(Plain a, Plain b) {
    return a.value + b.value;
}
inline Plain operator-(Plain a, Plain b) {
    return a.value - b.value;
}
inline Plain operator*(Plain a, Plain b) {
    return a.value * b.value;
}
inline Plain operator/(Plain a, Plain b) {
    return a.value / b.value;
}
inline Plain square(Plain x) {
    return x.value * x.value;
}
inline Plain cube(Plain x) {
    return x.value * x.value * x.value;
}
inline Plain fourthPower(Plain x) {
    return x.value * x.value * x.value * x.value;
}

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
// Steps<Term> also records every step in its log, up to and including the one that fails.
template <typename Number> class Steps {
  public:
    static constexpr bool records = std::is_same_v<Number, Term>;

    // Results are shown with their pattern's decimals, or with `significant` figures if given.
    explicit Steps(std::string_view separator, std::optional<int> significant = std::nullopt,
                   StepLog* log = nullptr)
        : separator_(separator), significant_(significant), log_(log) {}

    // A dimension field as a number, named by its symbol; no value is 0.
    Number read(const std::optional<std::string>& field, std::string_view symbol);
    // A constant known by its symbol, as pi.
    Number symbol(double value, std::string_view symbol);
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
    Number step(const StepName& name, Number x);
    Number divide(Number numerator, Number divisor);
    Number squareRoot(Number x);
    // The display text of a result.
    std::string text(Number x, const ResultStep& result);
    // The same, kept in `shown`; the result by its name for later steps, unrounded.
    Number result(Number x, const ResultStep& result, std::string& shown);
    // The number a result's fixed-decimal text shows, as a later step reads it back (the same
    // with significant figures, which change only what is shown). `x` is the result by name.
    Number readBack(Number x, Pattern pattern);

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
    bool recording() const {
        if constexpr (records) {
            return log_ && !log_->ended;
        }
        return false;
    }
    void fail(StepFailure::Kind kind, const FormulaNode* operand);
    // An overflow fails the step.
    void check(Number x);
    // Keeps the step, the failing one too, which ends the log.
    void record(const StepName& name, Number x);
    // A named value: the step's symbol in later formulas.
    Number named(std::string_view name, double value, bool readBack);
    // An unreadable text ends the log with a step that says so.
    void unreadable(const StepName& name, const std::string& text);

    std::string_view separator_;
    std::optional<int> significant_;
    std::variant<std::monostate, UnreadableNumber, ArithmeticFailure> failure_;
    StepLog* log_;
};

extern template class Steps<Plain>;
extern template class Steps<Term>;

} // namespace kavrel
