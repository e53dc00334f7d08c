#include "commands/report_record.hpp"

#include "commands/latin1_text.hpp"
#include "properties/result_descriptions.hpp"

#include <string_view>

namespace kavrel {
namespace {

constexpr std::string_view lineEnd = "\r\n";
constexpr std::string_view hyphenLine = "--------------------------------------";
constexpr std::string_view lastLine = " ";

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
    for (const ResultDescription* result : resultsInReportOrder) {
        appendLine(out, result->reportLabel, inputs.boxes.*result->field);
    }
    appendLine(out, lastLine, {});
    return out;
}

} // namespace kavrel
