#include "properties/steps.hpp"

#include <cmath>

namespace kavrel {

double Steps::read(const std::optional<std::string>& field) {
    return field ? readBack(*field) : 0.0;
}

double Steps::value(double x) {
    if (failed()) {
        return 0;
    }
    if (!std::isfinite(x)) {
        failure_ = ArithmeticFailure{};
        return 0;
    }
    return x;
}

double Steps::divide(double numerator, double divisor) {
    if (failed()) {
        return 0;
    }
    if (divisor == 0) {
        failure_ = ArithmeticFailure{};
        return 0;
    }
    return value(numerator / divisor);
}

double Steps::squareRoot(double x) {
    if (failed()) {
        return 0;
    }
    if (x < 0) {
        failure_ = ArithmeticFailure{};
        return 0;
    }
    return value(std::sqrt(x));
}

std::string Steps::text(double x, Pattern pattern) {
    const double checked = value(x);
    if (failed()) {
        return {};
    }
    return significant_ ? formatSignificant(checked, *significant_, separator_)
                        : formatResult(checked, pattern, separator_);
}

double Steps::readBack(double x, Pattern pattern) {
    const double checked = value(x);
    return failed() ? 0 : readBack(formatResult(checked, pattern, separator_));
}

double Steps::readBack(const std::string& text) {
    if (failed()) {
        return 0;
    }
    const std::optional<double> number = readNumber(text, separator_);
    if (!number) {
        failure_ = UnreadableNumber{};
        return 0;
    }
    return *number;
}

} // namespace kavrel
