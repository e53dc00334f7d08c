#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

class StepLog;

// One node of a formula as the program evaluated it: a constant, a named quantity (a
// dimension, pi, or an earlier step), or an operation on nodes made before it. The tree keeps
// the program's grouping, so writing it out in any notation keeps the order of evaluation.
struct FormulaNode {
    enum class Kind { Number, Symbol, Add, Subtract, Multiply, Divide, Power, SquareRoot };
    Kind kind;
    double value; // the constant, the symbol's value, or the operation's result
    const FormulaNode* left = nullptr;
    const FormulaNode* right = nullptr; // none for Power and SquareRoot
    int exponent = 0;                   // Power: a whole number, evaluated as repeated products
    std::string_view symbol = {};       // Symbol: "D", "pi", "b1", "A"
    bool readBack = false;              // Symbol: the shown text read back (written A')
    StepLog* log = nullptr;             // where the nodes built from this one go
};

// How a step failed; `operand` is the divisor, the radicand or the value concerned.
struct StepFailure {
    enum class Kind { DivisionByZero, NegativeRoot, Overflow, UnreadableNumber };
    Kind kind;
    const FormulaNode* operand = nullptr;
    std::string text = {}; // UnreadableNumber: the text that is no number
};

// A named quantity of the formulas: what it is in words and its unit.
struct StepName {
    std::string_view name;
    std::string_view meaning;
    std::string_view unit;
};

// How a result's text is rounded: to decimals, or to significant figures.
struct Rounding {
    int digits;
    bool significant;
};

// One step as evaluated: an intermediate value, or a result with its text.
struct RecordedStep {
    StepName name;
    const FormulaNode* formula = nullptr; // none for an unreadable dimension
    double value = 0;
    std::optional<Rounding> rounding = {}; // a result
    std::string text = {};
    // A result whose text later steps use: the number they read back, and the fixed-decimal
    // text it is read from (the shown text unless significant figures are shown).
    std::optional<double> readBack = {};
    std::string readBackText = {};
    // Worked in other units than the text's: the number read back converted to them, as later
    // steps take it, and the unit of the text.
    const FormulaNode* readBackConversion = nullptr;
    std::string_view readBackUnit = {};
    std::optional<StepFailure> failure = {};
};

// A titled part of a sheet: the steps from `from` on, up to the next part.
struct StepPart {
    std::size_t from;
    std::string_view title;
};

// What the formula code records while it computes, when a calculation sheet is asked for: the
// geometry it assumes, then every step in the order evaluated, up to the first that fails.
// Nodes live as long as the log and point back to it, so a log is never copied or moved.
class StepLog {
  public:
    StepLog() = default;
    StepLog(const StepLog&) = delete;
    StepLog& operator=(const StepLog&) = delete;

    const FormulaNode* node(FormulaNode node);
    // A text made while computing (a name or title with a number in it), kept as long as the
    // log, for the string views of steps and parts.
    std::string_view keep(std::string text) { return texts_.emplace_back(std::move(text)); }

    std::vector<std::string_view> geometry; // sentences, in the order the formula sets said them
    std::vector<RecordedStep> steps;
    std::vector<StepPart> parts;
    std::optional<StepFailure> pendingFailure; // failed inside the step being evaluated
    bool ended = false;                        // a step failed: nothing more is recorded

  private:
    std::deque<FormulaNode> nodes_;
    std::deque<std::string> texts_;
};

} // namespace kavrel
