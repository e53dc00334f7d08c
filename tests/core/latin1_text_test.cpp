#include "commands/latin1_text.hpp"

#include <gtest/gtest.h>

#include <string>

namespace kavrel {
namespace {

struct Latin1Case {
    const char* name;
    std::string utf8;
    std::string latin1;
};

class ReportLatin1 : public testing::TestWithParam<Latin1Case> {};

TEST_P(ReportLatin1, WritesOneByteEachCharacter) {
    EXPECT_EQ(reportLatin1(GetParam().utf8), GetParam().latin1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportLatin1,
    testing::Values(
        Latin1Case{"Ascii", "15NBx2.0(L)", "15NBx2.0(L)"}, Latin1Case{"Empty", "", ""},
        Latin1Case{"UmlautIsOneByte", "\xC3\xA4", "\xE4"},
        Latin1Case{"HighestLatin1", "\xC3\xBF", "\xFF"},
        Latin1Case{"NoBreakSpace", "\xC2\xA0", "\xA0"}, Latin1Case{"EuroSign", "\xE2\x82\xAC", "?"},
        Latin1Case{"OutsideTheBasicPlane", "a\xF0\x9F\x98\x80z", "a?z"},
        Latin1Case{"LineSeparator", "\xE2\x80\xA8", "?"},
        Latin1Case{"CarriageReturnAndLineFeed", "a\r\nb", "a??b"},
        Latin1Case{"TabAndNul", std::string("\t\0", 2), "??"}, Latin1Case{"Delete", "\x7F", "?"},
        Latin1Case{"C1NextLine", "\xC2\x85", "?"}, Latin1Case{"C1First", "\xC2\x80", "?"},
        Latin1Case{"C1Last", "\xC2\x9F", "?"}, Latin1Case{"BlankIsKept", " x ", " x "},
        Latin1Case{"LoneContinuationByte", "a\x80z", "a?z"},
        Latin1Case{"Latin1ByteNotUtf8", "\xE4x", "?x"}, Latin1Case{"TruncatedAtEnd", "x\xC3", "x?"},
        Latin1Case{"TruncatedThreeByte", "\xE2\x82z", "?z"},
        Latin1Case{"OverlongSlash", "\xC0\xAF", "??"},
        Latin1Case{"OverlongThreeByte", "\xE0\x80\xAF", "???"},
        Latin1Case{"Surrogate", "\xED\xA0\x80", "???"},
        Latin1Case{"AboveUnicode", "\xF4\x90\x80\x80", "????"},
        Latin1Case{"InvalidLeadF5", "\xF5\x80", "??"},
        Latin1Case{"BrokenThenValid", "\xC3\xC3\xA9", "?\xE9"}),
    [](const testing::TestParamInfo<Latin1Case>& info) { return info.param.name; });

TEST(ReportLatin1, EveryControlCharacterBecomesAQuestionMark) {
    for (char32_t c = 0; c < 0x20; ++c) {
        EXPECT_EQ(reportLatin1(std::string(1, static_cast<char>(c))), "?") << int(c);
    }
    for (unsigned c = 0x80; c <= 0x9F; ++c) {
        const std::string utf8{static_cast<char>(0xC2), static_cast<char>(c)};
        EXPECT_EQ(reportLatin1(utf8), "?") << c;
    }
    for (unsigned c = 0xA0; c <= 0xBF; ++c) {
        const std::string utf8{static_cast<char>(0xC2), static_cast<char>(c)};
        EXPECT_EQ(reportLatin1(utf8), std::string(1, static_cast<char>(c))) << c;
    }
}

TEST(ReportLatin1, LongTextKeepsOneByteEachCharacter) {
    std::string utf8;
    for (int i = 0; i < 10000; ++i) {
        utf8 += "\xC3\xA4";
    }
    EXPECT_EQ(reportLatin1(utf8), std::string(10000, '\xE4'));
}

} // namespace
} // namespace kavrel
