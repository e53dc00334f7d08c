#pragma once

#include "properties/result_descriptions.hpp"
#include "properties/section_properties.hpp"

#include <gtest/gtest.h>

namespace kavrel {

// Compares all eleven texts by name, so a failure names the result that differs.
inline void expectTexts(const FindOutcome& outcome, const SectionProperties& expected,
                        const std::string& context) {
    const auto* p = std::get_if<SectionProperties>(&outcome);
    ASSERT_NE(p, nullptr) << context << ": computed nothing";
    for (const ResultDescription& result : findResults) {
        EXPECT_EQ(p->*result.field, expected.*result.field) << context << " " << result.column;
    }
}

// Expected texts with "." replaced by the given separator.
inline SectionProperties withSeparator(SectionProperties p, const std::string& separator) {
    for (const ResultDescription& result : findResults) {
        std::string& text = p.*result.field;
        if (const auto at = text.find('.'); at != std::string::npos) {
            text.replace(at, 1, separator);
        }
    }
    return p;
}

} // namespace kavrel
