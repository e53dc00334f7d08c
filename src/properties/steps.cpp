#include "properties/steps.hpp"

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

template <typename Number>
void Steps<Number>::unreadable(const StepName& name, const std::string& text) {
    failure_ = UnreadableNumber{};
    if (recording()) {
        RecordedStep& step = log_->steps.emplace_back(RecordedStep{name});
        step.failure = StepFailure{StepFailure::Kind::UnreadableNumber, nullptr, text};
        log_->ended = true;
    }
}

template <typename Number>
Number Steps<Number>::read(const std::optional<std::string>& field, std::string_view symbol) {
    double number = 0;
    if (failed()) {
        return 0.0;
    }
    if (field) {
        const std::optional<double> read = readNumber(*field, separator_);
        if (!read) {
            unreadable({symbol, "a dimension", "mm"}, *field);
            return 0.0;
        }
        number = *read;
    }
    return named(symbol, number, false);
}

template <typename Number> Number Steps<Number>::symbol(double value, std::string_view symbol) {
    return named(symbol, value, false);
}

template <typename Number>
Number Steps<Number>::named(std::string_view name, double value, bool readBack) {
    if constexpr (records) {
        if (log_) {
            const FormulaNode symbol{
                FormulaNode::Kind::Symbol, value, nullptr, nullptr, 0, name, readBack};
            return {value, log_->node(symbol)};
        }
    }
    return value;
}

template <typename Number>
void Steps<Number>::fail(StepFailure::Kind kind, const FormulaNode* operand) {
    failure_ = ArithmeticFailure{};
    if (recording()) {
        log_->pendingFailure = StepFailure{kind, operand};
    }
}

// The node of a number, for the sheet's account of what failed.
template <typename Number> const FormulaNode* formulaOf(Number x) {
    if constexpr (std::is_same_v<Number, Term>) {
        return x.node;
    }
    return nullptr;
}

template <typename Number> Number Steps<Number>::divide(Number numerator, Number divisor) {
    if (failed()) {
        // A failing step keeps its whole formula for the sheet.
        return recording() ? numerator / divisor : Number{0.0};
    }
    if (divisor.value == 0) {
        fail(StepFailure::Kind::DivisionByZero, formulaOf(divisor));
        return recording() ? numerator / divisor : Number{0.0};
    }
    return numerator / divisor;
}

template <typename Number> Number Steps<Number>::squareRoot(Number x) {
    if (failed() && !recording()) {
        return 0.0;
    }
    if (!failed() && x.value < 0) {
        fail(StepFailure::Kind::NegativeRoot, formulaOf(x));
    }
    const double v = failed() ? 0.0 : std::sqrt(x.value);
    if constexpr (records) {
        if (x.node) {
            return recordedPower(v, x, 0);
        }
    }
    return v;
}

template <typename Number> void Steps<Number>::check(Number x) {
    if (!failed() && !std::isfinite(x.value)) {
        fail(StepFailure::Kind::Overflow, formulaOf(x));
    }
}

template <typename Number> void Steps<Number>::record(const StepName& name, Number x) {
    RecordedStep& step = log_->steps.emplace_back(RecordedStep{name, formulaOf(x), x.value});
    if (failed()) {
        step.failure = log_->pendingFailure;
        log_->ended = true;
    }
}

template <typename Number> Number Steps<Number>::step(const StepName& name, Number x) {
    if (failed() && !recording()) {
        return 0.0;
    }
    check(x);
    if (recording()) {
        record(name, x);
    }
    return failed() ? Number{0.0} : named(name.name, x.value, false);
}

template <typename Number> std::string Steps<Number>::text(Number x, const ResultStep& result) {
    if (failed() && !recording()) {
        return {};
    }
    check(x);
    if (recording()) {
        record(result.name, x);
    }
    if (failed()) {
        return {};
    }
    std::string shown = significant_ ? formatSignificant(x.value, *significant_, separator_)
                                     : formatResult(x.value, result.pattern, separator_);
    if (recording()) {
        RecordedStep& step = log_->steps.back();
        step.rounding = significant_ ? Rounding{*significant_, true}
                                     : Rounding{decimalsOf(result.pattern), false};
        step.text = shown;
    }
    return shown;
}

template <typename Number>
Number Steps<Number>::result(Number x, const ResultStep& result, std::string& shown) {
    shown = text(x, result);
    return failed() ? Number{0.0} : named(result.name.name, x.value, false);
}

template <typename Number> Number Steps<Number>::readBack(Number x, Pattern pattern) {
    if (failed()) {
        return 0.0;
    }
    const std::string text = formatResult(x.value, pattern, separator_);
    const std::optional<double> number = readNumber(text, separator_);
    if (!number) {
        unreadable({"text", "a result's text read back", ""}, text);
        return 0.0;
    }
    if constexpr (records) {
        if (recording() && x.node) {
            // The result of this name shown last: the step that x names.
            for (auto step = log_->steps.rbegin(); step != log_->steps.rend(); ++step) {
                if (step->rounding && step->name.name == x.node->symbol) {
                    step->readBack = *number;
                    step->readBackText = text;
                    return named(step->name.name, *number, true);
                }
            }
        }
    }
    return *number;
}

template class Steps<Plain>;
template class Steps<Term>;

} // namespace kavrel
