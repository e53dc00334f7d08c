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

Term Steps::read(const std::optional<std::string>& field, std::string_view symbol) {
    double number = 0;
    if (field && !failed()) {
        const std::optional<double> read = readNumber(*field, separator_);
        if (!read) {
            failure_ = UnreadableNumber{};
            if (recording()) {
                log_->steps.push_back({{symbol, "a dimension", "mm"}});
                log_->steps.back().failure = {StepFailure::Kind::UnreadableNumber, nullptr, *field};
                log_->ended = true;
            }
            return 0.0;
        }
        number = *read;
    }
    return this->symbol(number, symbol);
}

Term Steps::symbol(double value, std::string_view symbol) {
    if (!log_) {
        return value;
    }
    return {value, log_->node({FormulaNode::Kind::Symbol, value, nullptr, nullptr, 0, symbol})};
}

void Steps::fail(StepFailure::Kind kind, const FormulaNode* operand) {
    failure_ = ArithmeticFailure{};
    if (recording()) {
        log_->pendingFailure = StepFailure{kind, operand};
    }
}

Term Steps::divide(Term numerator, Term divisor) {
    if (failed()) {
        // A failing step keeps its whole formula for the sheet.
        return recording() ? numerator / divisor : Term{0.0};
    }
    if (divisor.value == 0) {
        fail(StepFailure::Kind::DivisionByZero, divisor.node);
        // The sheet shows the formula as far as it went.
        return log_ ? numerator / divisor : Term{0.0};
    }
    return numerator / divisor;
}

Term Steps::squareRoot(Term x) {
    if (failed() && !recording()) {
        return 0.0;
    }
    if (!failed() && x.value < 0) {
        fail(StepFailure::Kind::NegativeRoot, x.node);
    }
    const double v = failed() ? 0.0 : std::sqrt(x.value);
    return x.node ? recordedPower(v, x, 0) : Term{v};
}

void Steps::check(Term x) {
    if (!failed() && !std::isfinite(x.value)) {
        fail(StepFailure::Kind::Overflow, x.node);
    }
}

void Steps::record(const StepName& name, Term x) {
    RecordedStep& step = log_->steps.emplace_back(RecordedStep{name, x.node, x.value});
    if (failed()) {
        step.failure = log_->pendingFailure;
        log_->ended = true;
    }
}

Term Steps::named(const StepName& name, double value, bool readBack) {
    if (!log_) {
        return value;
    }
    FormulaNode symbol{FormulaNode::Kind::Symbol, value, nullptr, nullptr, 0, name.name, readBack};
    return {value, log_->node(symbol)};
}

Term Steps::step(const StepName& name, Term x) {
    if (failed() && !recording()) {
        return 0.0;
    }
    check(x);
    if (recording()) {
        record(name, x);
    }
    return failed() ? Term{0.0} : named(name, x.value, false);
}

std::string Steps::text(Term x, const ResultStep& result) {
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
    std::string shown = formatResult(x.value, result.pattern, separator_);
    if (log_) {
        log_->steps.back().decimals = decimalsOf(result.pattern);
        log_->steps.back().text = shown;
    }
    return shown;
}

Term Steps::readBack(const std::string& text) {
    if (failed()) {
        return 0.0;
    }
    const std::optional<double> number = readNumber(text, separator_);
    if (!number) {
        failure_ = UnreadableNumber{};
        if (recording()) {
            log_->steps.push_back({{"text", "a result's text read back", ""}});
            log_->steps.back().failure = {StepFailure::Kind::UnreadableNumber, nullptr, text};
            log_->ended = true;
        }
        return 0.0;
    }
    if (!log_) {
        return *number;
    }
    // The result whose text this is: the latest one shown, as each is read back right after.
    for (auto step = log_->steps.rbegin(); step != log_->steps.rend(); ++step) {
        if (step->decimals && step->text == text) {
            step->readBack = *number;
            return named(step->name, *number, true);
        }
    }
    return *number;
}

} // namespace kavrel
