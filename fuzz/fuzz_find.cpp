// Find on any list texts and option states: it ends with eleven well-formed texts or one of
// the two failures, the separator changes nothing but itself, and no designation of the
// catalogue means the arithmetic failure (every field reads as 0).
#include "catalogue/catalogue.hpp"
#include "commands/find.hpp"
#include "properties/result_descriptions.hpp"
#include "result_text.hpp"

#include <cstdint>
#include <string>
#include <variant>

namespace {

using kavrel::fuzz::require;

bool isDesignationOf(kavrel::SectionFamily family, const std::string& text) {
    for (const kavrel::CatalogueEntry& entry : kavrel::entriesOf(family)) {
        if (entry.designation == text) {
            return true;
        }
    }
    return false;
}

void requireResultTexts(const kavrel::SectionProperties& p, bool rectangular,
                        std::string_view separator) {
    for (const kavrel::ResultDescription& result : kavrel::findResults) {
        const int decimals = kavrel::decimalsOf(rectangular ? result.rectangular : result.circular);
        require(kavrel::fuzz::isResultText(p.*result.field, decimals, separator),
                "result text with its pattern's decimals");
    }
}

std::string withPoint(std::string text) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte holds the two option states; the rest is the RHS, SHS and CHS list texts
    // separated by "\n" (the CHS text takes everything after the second "\n").
    if (size < 1) {
        return 0;
    }
    kavrel::FindInputs inputs;
    inputs.rhsSelected = (data[0] & 1) != 0;
    inputs.shsSelected = (data[0] & 2) != 0;
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string* texts[] = {&inputs.rhsText, &inputs.shsText, &inputs.chsText};
    for (int i = 0; i < 3; ++i) {
        const std::size_t end = i < 2 ? std::min(rest.find('\n'), rest.size()) : rest.size();
        *texts[i] = std::string(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }

    const kavrel::FindOutcome point = kavrel::find(inputs, ".");
    const kavrel::FindOutcome comma = kavrel::find(inputs, ",");
    require(point.index() == comma.index(), "the separator does not change the outcome");

    const bool anyDesignation = isDesignationOf(kavrel::SectionFamily::RHS, inputs.rhsText) ||
                                isDesignationOf(kavrel::SectionFamily::SHS, inputs.shsText) ||
                                isDesignationOf(kavrel::SectionFamily::CHS, inputs.chsText);
    if (!anyDesignation) {
        require(std::holds_alternative<kavrel::ArithmeticFailure>(point),
                "no designation divides by a zero depth");
    }
    require(!std::holds_alternative<kavrel::UnreadableNumber>(point),
            "catalogue texts and result texts always read");

    if (const auto* shown = std::get_if<kavrel::SectionProperties>(&point)) {
        const bool rectangular = inputs.rhsSelected || inputs.shsSelected;
        requireResultTexts(*shown, rectangular, ".");
        const auto& commaTexts = std::get<kavrel::SectionProperties>(comma);
        requireResultTexts(commaTexts, rectangular, ",");
        kavrel::SectionProperties back;
        for (const kavrel::ResultDescription& result : kavrel::findResults) {
            back.*result.field = withPoint(commaTexts.*result.field);
        }
        require(back == *shown, "under \",\" the same texts with \",\"");
    }
    return 0;
}
