#pragma once

#include "properties/section_properties.hpp"

#include <gtest/gtest.h>

namespace kavrel {

// Compares all eleven texts by name, so a failure names the result that differs.
inline void expectTexts(const FindOutcome& outcome, const SectionProperties& expected,
                        const std::string& context) {
    const auto* p = std::get_if<SectionProperties>(&outcome);
    ASSERT_NE(p, nullptr) << context << ": computed nothing";
    EXPECT_EQ(p->a, expected.a) << context << " A";
    EXPECT_EQ(p->wt, expected.wt) << context << " W";
    EXPECT_EQ(p->ixx, expected.ixx) << context << " Ixx";
    EXPECT_EQ(p->iyy, expected.iyy) << context << " Iyy";
    EXPECT_EQ(p->zxx, expected.zxx) << context << " Zxx";
    EXPECT_EQ(p->zyy, expected.zyy) << context << " Zyy";
    EXPECT_EQ(p->rxx, expected.rxx) << context << " rxx";
    EXPECT_EQ(p->ryy, expected.ryy) << context << " ryy";
    EXPECT_EQ(p->j, expected.j) << context << " J";
    EXPECT_EQ(p->b, expected.b) << context << " C";
    EXPECT_EQ(p->sa, expected.sa) << context << " S";
}

// Expected texts with "." replaced by the given separator.
inline SectionProperties withSeparator(SectionProperties p, const std::string& separator) {
    for (std::string* text :
         {&p.a, &p.wt, &p.ixx, &p.iyy, &p.zxx, &p.zyy, &p.rxx, &p.ryy, &p.j, &p.b, &p.sa}) {
        if (const auto at = text->find('.'); at != std::string::npos) {
            text->replace(at, 1, separator);
        }
    }
    return p;
}

} // namespace kavrel
