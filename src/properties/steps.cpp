#include "properties/steps.hpp"

#include "properties/step_names.hpp"

#include <cmath>

namespace kavrel {

const FormulaNode* StepLog::node(FormulaNode node) {
    node.log = this;
    return &nodes_.emplace_back(node);
}

namespace {

// A term's node; a constant gets one of its own in the log of the term it meets.
const FormulaNode* nodeOf(Term x, StepLog* log) {
    return x.node ? x.node : log->node({FormulaNode::Kind::Number, x.value});
}

} // namespace

Term recorded(FormulaNode::Kind kind, double value, Term left, Term right) {
    StepLog* log = (left.node ? left.node : right.node)->log;
    return {value, log->node({kind, value, nodeOf(left, log), nodeOf(right, log)})};
}

Term recordedPower(double value, Term base, int exponent) {
    const auto kind = exponent == 0 ? FormulaNode::Kind::SquareRoot : FormulaNode::Kind::Power;
    return {value, base.node->log->node({kind, value, base.node, nullptr, exponent})};
}

namespace {

// The one division by a term, unchecked: divide() checks the divisor first, and a failing step
// keeps its whole formula for the sheet.
Term quotient(Term numerator, Term divisor) {
    const double v = numerator.value / divisor.value;
    return numerator.node || divisor.node
               ? recorded(FormulaNode::Kind::Divide, v, numerator, divisor)
               : Term{v};
}

} // namespace

void Steps::unreadable(const StepName& name, const std::string& text) {
    failure_ = UnreadableNumber{};
    if (recording()) {
        RecordedStep& step = log_->steps.emplace_back(RecordedStep{name});
        step.failure = StepFailure{StepFailure::Kind::UnreadableNumber, nullptr, text};
        log_->ended = true;
    }
}

Term Steps::read(const std::optional<std::string>& field, std::string_view symbol) {
    double number = 0;
    if (failed()) {
        return 0.0;
    }
    if (field) {
        const std::optional<double> read = readNumber(*field, separator_);
        if (!read) {
            unreadable({symbol, "a dimension", unitOf(Quantity::Length, units_.home)}, *field);
            return 0.0;
        }
        number = convert(*read, Quantity::Length, units_.home, units_.worked());
    }
    return named(symbol, number, false);
}

Term Steps::symbol(double value, std::string_view symbol) {
    return named(symbol, value, false);
}

Term Steps::number(double value) {
    return recording() ? Term{value, log_->node({FormulaNode::Kind::Number, value})} : value;
}

Term Steps::named(std::string_view name, double value, bool readBack) {
    if (!log_) {
        return value;
    }
    const FormulaNode symbol{FormulaNode::Kind::Symbol, value, nullptr, nullptr, 0, name, readBack};
    return {value, log_->node(symbol)};
}

void Steps::fail(StepFailure::Kind kind, const FormulaNode* operand) {
    failure_ = ArithmeticFailure{};
    if (recording()) {
        log_->pendingFailure = StepFailure{kind, operand};
    }
}

Term Steps::checkedDivide(Term numerator, Term divisor) {
    if (failed()) {
        // A failing step keeps its whole formula for the sheet.
        return recording() ? quotient(numerator, divisor) : Term{0.0};
    }
    if (divisor.value == 0) {
        fail(StepFailure::Kind::DivisionByZero, divisor.node);
        return recording() ? quotient(numerator, divisor) : Term{0.0};
    }
    return quotient(numerator, divisor);
}

Term Steps::checkedSquareRoot(Term x) {
    if (failed() && !recording()) {
        return 0.0;
    }
    if (!failed() && x.value < 0) {
        fail(StepFailure::Kind::NegativeRoot, x.node);
    }
    const double v = failed() ? 0.0 : std::sqrt(x.value);
    return x.node ? recordedPower(v, x, 0) : Term{v};
}

void Steps::record(const StepName& name, Term x) {
    RecordedStep& step = log_->steps.emplace_back(RecordedStep{name, x.node, x.value});
    if (failed()) {
        step.failure = log_->pendingFailure;
        log_->ended = true;
    }
}

Term Steps::checkedStep(const StepName& name, Term x) {
    if (failed() && !recording()) {
        return 0.0;
    }
    check(x);
    if (recording()) {
        // The names give metric units; worked in inches, their lengths are inches.
        StepName worked = name;
        if (units_.worked() == UnitSystem::US) {
            worked.unit = stepNames::inchesOf(name.unit);
        }
        record(worked, x);
    }
    return failed() ? Term{0.0} : named(name.name, x.value, false);
}

Term Steps::converted(Term x, Quantity quantity, UnitSystem from, UnitSystem to) {
    if (from == to) {
        return x;
    }
    const double v = convert(x.value, quantity, from, to);
    if (!x.node) {
        return v;
    }
    const Term factor{metricPerUsOf(quantity)};
    return recorded(to == UnitSystem::US ? FormulaNode::Kind::Divide : FormulaNode::Kind::Multiply,
                    v, x, factor);
}

std::string Steps::text(Term x, const ResultStep& result) {
    if (failed() && !recording()) {
        return {};
    }
    StepName name = result.name;
    if (result.quantity != Quantity::None) {
        name.unit = unitOf(result.quantity, units_.shown);
        if (result.quantity == Quantity::Surface && units_.shown == UnitSystem::US) {
            name.meaning = "outer surface area per foot"; // its unit is ft^2/ft
        }
        if (!failed()) {
            x = converted(x, result.quantity, units_.worked(), units_.shown);
        }
    }
    check(x);
    if (recording()) {
        record(name, x);
    }
    if (failed()) {
        return {};
    }
    const std::optional<int> figures = significant_           ? significant_
                                       : result.keepsDecimals ? std::nullopt
                                                              : homeFigures_;
    std::string shown = figures ? formatSignificant(x.value, *figures, separator_)
                                : formatResult(x.value, result.pattern, separator_);
    if (recording()) {
        RecordedStep& step = log_->steps.back();
        step.rounding =
            figures ? Rounding{*figures, true} : Rounding{decimalsOf(result.pattern), false};
        step.text = shown;
    }
    return shown;
}

ShownResult Steps::result(Term x, const ResultStep& result, std::string& shown) {
    const bool recorded = recording();
    shown = text(x, result);
    if (failed()) {
        return {0.0, result.pattern, std::nullopt, result.quantity};
    }
    const std::optional<std::size_t> step =
        recorded ? std::optional(log_->steps.size() - 1) : std::nullopt;
    return {named(result.name.name, x.value, false), result.pattern, step, result.quantity};
}

Term Steps::readBack(const ShownResult& shown) {
    if (failed()) {
        return 0.0;
    }
    const UnitSystem worked = units_.worked();
    const double home = convert(shown.value.value, shown.quantity, worked, units_.home);
    const std::string text = formatResult(home, shown.pattern, separator_);
    const std::optional<double> parsed = readNumber(text, separator_);
    if (!parsed) {
        unreadable({"text", "a result's text read back", ""}, text);
        return 0.0;
    }
    if (!shown.step || !recording()) {
        return convert(*parsed, shown.quantity, units_.home, worked);
    }
    const Term read = converted(number(*parsed), shown.quantity, units_.home, worked);
    RecordedStep& step = log_->steps[*shown.step];
    step.readBack = *parsed;
    step.readBackText = text;
    if (worked != units_.home) {
        step.readBackConversion = read.node;
        step.readBackUnit = unitOf(shown.quantity, units_.home);
    }
    return named(step.name.name, read.value, true);
}

} // namespace kavrel
