#pragma once

#include "properties/number_text.hpp"
#include "properties/section_properties.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace kavrel {

// Carries a formula set through its steps in order. The first failing step decides the
// outcome; once a step has failed, every later one yields 0 and the empty text, and changes
// nothing. Double arithmetic does not trap, so each divisor, root and value is checked here.
class Steps {
  public:
    // Results are shown with their pattern's decimals, or with `significant` figures if given.
    explicit Steps(std::string_view separator, std::optional<int> significant = std::nullopt)
        : separator_(separator), significant_(significant) {}

    // A dimension field as a number; no value is 0.
    double read(const std::optional<std::string>& field);
    // A value that must be finite (an overflow is an arithmetic failure).
    double value(double x);
    double divide(double numerator, double divisor);
    double squareRoot(double x);
    // The display text of a result.
    std::string text(double x, Pattern pattern);
    // The number a result's fixed-decimal text shows, as a later step reads it back; the same
    // with --significant, which changes only what is shown.
    double readBack(double x, Pattern pattern);
    // A text read back as the number it shows.
    double readBack(const std::string& text);

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

    std::string_view separator_;
    std::optional<int> significant_;
    std::variant<std::monostate, UnreadableNumber, ArithmeticFailure> failure_;
};

inline double square(double x) {
    return x * x;
}
inline double cube(double x) {
    return x * x * x;
}
inline double fourthPower(double x) {
    return x * x * x * x;
}

} // namespace kavrel
