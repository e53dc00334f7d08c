// The step recorder on its own: a read-back marks the step whose handle it takes, and the same
// formula gives the same doubles and outcome with a log and without.
#include "properties/steps.hpp"
#include "sheet/formula_text.hpp"

#include <gtest/gtest.h>

namespace kavrel {
namespace {

constexpr ResultStep area{{"A", "sectional area", "cm^2"}, Pattern::Int6Dec2};

// Two results of one name: the read-back belongs to the first, whose handle it takes, and later
// formulas show it primed.
TEST(Steps, ReadBackMarksTheStepOfItsHandle) {
    StepLog log;
    Steps s(".", std::nullopt, &log);
    const Term t = s.symbol(2.345, "t");
    std::string first;
    std::string second;
    const ShownResult shown = s.result(t * 1, area, first);
    s.result(t * 2, area, second);
    const Term primed = s.readBack(shown);
    s.step({"W", "weight", "kg/m"}, primed * 0.785);

    ASSERT_EQ(log.steps.size(), 3U);
    EXPECT_EQ(first, "2.35");
    EXPECT_EQ(log.steps[0].readBack, 2.35);
    EXPECT_EQ(log.steps[0].readBackText, "2.35");
    EXPECT_FALSE(log.steps[1].readBack);
    EXPECT_EQ(asciiFormula(*log.steps[2].formula, Notation::Symbols), "A' * 0.785");
    EXPECT_EQ(primed.value, 2.35);
}

// Without a log the handle carries no step and the read-back is the same number.
TEST(Steps, ReadBackWithoutALogGivesTheSameNumber) {
    Steps s(",");
    std::string text;
    const ShownResult shown = s.result(s.symbol(2.345, "t"), area, text);
    EXPECT_FALSE(shown.step);
    EXPECT_EQ(text, "2,35");
    EXPECT_EQ(s.readBack(shown).value, 2.35);
}

// A zero divisor fails through divide() with or without a log; the failure stays the outcome.
TEST(Steps, ZeroDivisorFailsWithAndWithoutALog) {
    for (const bool logged : {false, true}) {
        StepLog log;
        Steps s(".", std::nullopt, logged ? &log : nullptr);
        const Term b = s.symbol(0, "b");
        const Term q = s.step({"q", "a quotient", ""}, s.divide(s.symbol(1, "a"), b));
        EXPECT_EQ(q.value, 0) << logged;
        EXPECT_TRUE(std::holds_alternative<ArithmeticFailure>(s.finish(0))) << logged;
        if (logged) {
            ASSERT_EQ(log.steps.size(), 1U);
            ASSERT_TRUE(log.steps[0].failure);
            EXPECT_EQ(log.steps[0].failure->kind, StepFailure::Kind::DivisionByZero);
            EXPECT_EQ(log.steps[0].failure->operand->symbol, "b");
        }
    }
}

} // namespace
} // namespace kavrel
