#include "commands/report_record.hpp"

#include "commands/latin1_text.hpp"

#include <string_view>

namespace kavrel {
namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view hyphenLine = "--------------------------------------";
constexpr std::string_view lastLine = " ";

// Each label is 40 characters: caption, blanks, a colon in column 38 and two blanks.
struct ResultLine {
    std::string_view label;
    std::string SectionProperties::*box;
};

constexpr ResultLine resultLines[] = {
    {"Area ( CM^2 )                        :  ", &SectionProperties::a},
    {"Weight ( Kg/M )                      :  ", &SectionProperties::wt},
    {"M.I Ixx ( CM^4 )                     :  ", &SectionProperties::ixx},
    {"M.I Iyy ( CM^4 )                     :  ", &SectionProperties::iyy},
    {"Section Modulus Zxx ( CM^3 )         :  ", &SectionProperties::zxx},
    {"Section Modulus Zyy ( CM^3 )         :  ", &SectionProperties::zyy},
    {"Radius of Gyration Rxx ( CM )        :  ", &SectionProperties::rxx},
    {"Radius of Gyration Ryy ( CM )        :  ", &SectionProperties::ryy},
    {"Torsional Constant J ( CM^4 )        :  ", &SectionProperties::j},
    {"Torsional Modulus Constant B ( CM^3 ):  ", &SectionProperties::b},
    {"Outer Surface Area per Mtr. ( M^2 )  :  ", &SectionProperties::sa},
};

// 26 characters, ending in the blank the designation follows.
std::string_view descriptionLabel(SectionFamily family) {
    switch (family) {
    case SectionFamily::RHS:
        return "Section Description : RHS ";
    case SectionFamily::SHS:
        return "Section Description : SHS ";
    case SectionFamily::CHS:
        return "Section Description : CHS ";
    }
    return "";
}

void appendLine(std::string& out, std::string_view label, std::string_view text) {
    out += label;
    out += reportLatin1(text);
    out += lineEnd;
}

} // namespace

std::string reportRecord(const ReportInputs& inputs) {
    std::string out;
    if (inputs.family) {
        appendLine(out, descriptionLabel(*inputs.family), inputs.designation);
    }
    appendLine(out, hyphenLine, {});
    for (const ResultLine& line : resultLines) {
        appendLine(out, line.label, inputs.boxes.*line.box);
    }
    appendLine(out, lastLine, {});
    return out;
}

} // namespace kavrel
