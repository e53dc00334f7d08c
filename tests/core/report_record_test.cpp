#include "commands/find.hpp"
#include "commands/report_record.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kavrel {
namespace {

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

// Splits at CR LF; fails the test on a lone CR or LF, or on a last line without CR LF.
std::vector<std::string> recordLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line has no CR LF";
            break;
        }
        std::string line = bytes.substr(start, end - start);
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone CR or LF in " << line;
        lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

SectionProperties findResults(FindInputs in) {
    const FindOutcome out = find(in);
    EXPECT_TRUE(std::holds_alternative<SectionProperties>(out));
    return std::holds_alternative<SectionProperties>(out) ? std::get<SectionProperties>(out)
                                                          : SectionProperties{};
}

TEST(ReportRecord, WorkedExampleWithEmptyBoxes) {
    const ReportInputs in{SectionFamily::RHS, "50x25x2.0", {}};
    const std::string expected = crlfLines({
        "Section Description : RHS 50x25x2.0",
        "--------------------------------------",
        "Area ( CM^2 )                        :  ",
        "Weight ( Kg/M )                      :  ",
        "M.I Ixx ( CM^4 )                     :  ",
        "M.I Iyy ( CM^4 )                     :  ",
        "Section Modulus Zxx ( CM^3 )         :  ",
        "Section Modulus Zyy ( CM^3 )         :  ",
        "Radius of Gyration Rxx ( CM )        :  ",
        "Radius of Gyration Ryy ( CM )        :  ",
        "Torsional Constant J ( CM^4 )        :  ",
        "Torsional Modulus Constant B ( CM^3 ):  ",
        "Outer Surface Area per Mtr. ( M^2 )  :  ",
        " ",
    });
    const std::string record = reportRecord(in);
    EXPECT_EQ(record, expected);
    EXPECT_EQ(record.size(), 542u);
    EXPECT_EQ(recordLines(record).size(), 14u);
}

TEST(ReportRecord, ResultLabelsAreFortyCharactersWithTheColonInColumn38) {
    const std::vector<std::string> lines = recordLines(reportRecord({SectionFamily::SHS, "", {}}));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "Section Description : SHS ");
    EXPECT_EQ(lines[1], std::string(38, '-'));
    for (std::size_t i = 2; i < 13; ++i) {
        ASSERT_EQ(lines[i].size(), 40u) << lines[i];
        EXPECT_EQ(lines[i].substr(37), ":  ") << lines[i];
        EXPECT_EQ(lines[i].find(':'), 37u) << lines[i];
    }
    EXPECT_EQ(lines[13], " ");
}

// Byte counts: 28 + designation for line 1, 40 for line 2, 42 + value per result line, 3 for
// the last line.
struct CountCase {
    const char* name;
    ReportInputs inputs;
    std::size_t lines;
    std::size_t bytes;
};

class ReportRecordCount : public testing::TestWithParam<CountCase> {};

TEST_P(ReportRecordCount, HasItsLinesAndBytes) {
    const CountCase& c = GetParam();
    const std::string record = reportRecord(c.inputs);
    EXPECT_EQ(recordLines(record).size(), c.lines);
    EXPECT_EQ(record.size(), c.bytes);
}

SectionProperties allBoxes(const std::string& text) {
    return {text, text, text, text, text, text, text, text, text, text, text};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportRecordCount,
    testing::Values(
        CountCase{"StartUp", {SectionFamily::RHS, "", {}}, 14, 533},
        CountCase{"WorkedExample", {SectionFamily::RHS, "50x25x2.0", {}}, 14, 542},
        CountCase{"NoOptionEmptyBoxes", {std::nullopt, "50x25x2.0", {}}, 13, 505},
        CountCase{"NoOptionWithValues", {std::nullopt, "", allBoxes("1.25")}, 13, 505 + 11 * 4},
        CountCase{
            "ChsWithValues", {SectionFamily::CHS, "x", allBoxes("12.34")}, 14, 533 + 1 + 11 * 5}),
    [](const testing::TestParamInfo<CountCase>& info) { return info.param.name; });

TEST(ReportRecord, NoOptionSelectedStartsWithTheHyphenLine) {
    const std::string record = reportRecord({std::nullopt, "50x25x2.0", {}});
    EXPECT_EQ(record.rfind("--------------------------------------\r\n", 0), 0u);
    EXPECT_EQ(record.find("Section Description"), std::string::npos);
    EXPECT_EQ(record.find("50x25x2.0"), std::string::npos);
}

TEST(ReportRecord, AfterFindOfRhs50x25x2) {
    FindInputs find;
    find.rhsText = "50x25x2.0";
    find.rhsSelected = true;
    const ReportInputs in{SectionFamily::RHS, "50x25x2.0", findResults(find)};
    EXPECT_EQ(reportRecord(in), crlfLines({
                                    "Section Description : RHS 50x25x2.0",
                                    "--------------------------------------",
                                    "Area ( CM^2 )                        :  2.74",
                                    "Weight ( Kg/M )                      :  2.15",
                                    "M.I Ixx ( CM^4 )                     :  8.38",
                                    "M.I Iyy ( CM^4 )                     :  2.81",
                                    "Section Modulus Zxx ( CM^3 )         :  3.35",
                                    "Section Modulus Zyy ( CM^3 )         :  2.25",
                                    "Radius of Gyration Rxx ( CM )        :  1.75",
                                    "Radius of Gyration Ryy ( CM )        :  1.01",
                                    "Torsional Constant J ( CM^4 )        :  7.03",
                                    "Torsional Modulus Constant B ( CM^3 ):  3.84",
                                    "Outer Surface Area per Mtr. ( M^2 )  :  .140",
                                    " ",
                                }));
}

TEST(ReportRecord, AfterFindOfChs15NB) {
    FindInputs find;
    find.chsText = "15NBx2.0(L)";
    const ReportInputs in{SectionFamily::CHS, "15NBx2.0(L)", findResults(find)};
    EXPECT_EQ(reportRecord(in), crlfLines({
                                    "Section Description : CHS 15NBx2.0(L)",
                                    "--------------------------------------",
                                    "Area ( CM^2 )                        :  1.21",
                                    "Weight ( Kg/M )                      :  .95",
                                    "M.I Ixx ( CM^4 )                     :  .57",
                                    "M.I Iyy ( CM^4 )                     :  .57",
                                    "Section Modulus Zxx ( CM^3 )         :  .54",
                                    "Section Modulus Zyy ( CM^3 )         :  .54",
                                    "Radius of Gyration Rxx ( CM )        :  .69",
                                    "Radius of Gyration Ryy ( CM )        :  .69",
                                    "Torsional Constant J ( CM^4 )        :  1.14",
                                    "Torsional Modulus Constant B ( CM^3 ):  1.08",
                                    "Outer Surface Area per Mtr. ( M^2 )  :  .067",
                                    " ",
                                }));
}

TEST(ReportRecord, EachBoxGoesBehindItsOwnLabel) {
    const SectionProperties boxes{"A",   "W",   "Ixx", "Iyy", "Zxx", "Zyy",
                                  "Rxx", "Ryy", "J",   "B",   "S"};
    const std::vector<std::string> lines =
        recordLines(reportRecord({SectionFamily::SHS, "100x100x5.0", boxes}));
    ASSERT_EQ(lines.size(), 14u);
    const std::vector<std::string> expected = {
        "Area ( CM^2 )                        :  A",
        "Weight ( Kg/M )                      :  W",
        "M.I Ixx ( CM^4 )                     :  Ixx",
        "M.I Iyy ( CM^4 )                     :  Iyy",
        "Section Modulus Zxx ( CM^3 )         :  Zxx",
        "Section Modulus Zyy ( CM^3 )         :  Zyy",
        "Radius of Gyration Rxx ( CM )        :  Rxx",
        "Radius of Gyration Ryy ( CM )        :  Ryy",
        "Torsional Constant J ( CM^4 )        :  J",
        "Torsional Modulus Constant B ( CM^3 ):  B",
        "Outer Surface Area per Mtr. ( M^2 )  :  S",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 2, lines.begin() + 13), expected);
    EXPECT_EQ(lines[0], "Section Description : SHS 100x100x5.0");
}

// Typed or pasted texts can neither add lines nor change the character set of the file.
TEST(ReportRecord, PastedLinesStayOnTheDescriptionLine) {
    const std::string pasted = "50x25x2.0\r\nArea ( CM^2 )                        :  999";
    const std::vector<std::string> lines =
        recordLines(reportRecord({SectionFamily::RHS, pasted, {}}));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0],
              "Section Description : RHS 50x25x2.0??Area ( CM^2 )                        :  999");
    EXPECT_EQ(lines[2], "Area ( CM^2 )                        :  ");
}

TEST(ReportRecord, ControlCharactersInBoxesAndDesignationBecomeQuestionMarks) {
    SectionProperties boxes;
    boxes.a = "1\n2";
    boxes.sa = "\xC2\x85.1"; // U+0085, a line break for many readers
    const std::string record =
        reportRecord({SectionFamily::CHS, std::string("a\0b\tc\x7F", 6), boxes});
    const std::vector<std::string> lines = recordLines(record);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "Section Description : CHS a?b?c?");
    EXPECT_EQ(lines[2], "Area ( CM^2 )                        :  1?2");
    EXPECT_EQ(lines[12], "Outer Surface Area per Mtr. ( M^2 )  :  ?.1");
}

TEST(ReportRecord, DesignationIsWrittenInLatin1) {
    const std::string record = reportRecord({SectionFamily::RHS, "\xC3\xA4x\xE2\x82\xAC", {}});
    EXPECT_EQ(recordLines(record)[0], "Section Description : RHS \xE4x?");
    EXPECT_EQ(record.size(), 533u + 3u);
}

TEST(ReportRecord, LongDesignationIsWrittenWhole) {
    std::string designation;
    for (int i = 0; i < 10000; ++i) {
        designation += (i % 3 == 0) ? "\xC3\xA9" : (i % 3 == 1 ? "\n" : "\xE6\x97\xA5");
    }
    const std::string record = reportRecord({SectionFamily::RHS, designation, {}});
    EXPECT_EQ(record.size(), 533u + 10000u);
    const std::vector<std::string> lines = recordLines(record);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0].substr(26, 6), "\xE9??\xE9??");
}

} // namespace
} // namespace kavrel
