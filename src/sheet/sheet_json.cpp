#include "sheet/formula_text.hpp"
#include "sheet/sheet_writers.hpp"
#include "table/table_formats.hpp"

namespace kavrel {
namespace {

// "name": followed by the value's text.
void appendKey(std::string& out, std::string_view key) {
    appendJsonString(out, key);
    out += ':';
}

void appendJsonStep(std::string& out, const RecordedStep& step,
                    std::optional<std::string_view> part) {
    out += '{';
    if (part) {
        // The first step of a part names it, as the text and HTML sheets head it.
        appendKey(out, "part");
        appendJsonString(out, *part);
        out += ',';
    }
    appendKey(out, "name");
    appendJsonString(out, step.name.name);
    out += ',';
    appendKey(out, "meaning");
    appendJsonString(out, step.name.meaning);
    out += ',';
    appendKey(out, "formula");
    appendJsonString(out, step.formula ? asciiFormula(*step.formula, Notation::Symbols) : "");
    out += ',';
    appendKey(out, "substituted");
    appendJsonString(out, step.formula ? asciiFormula(*step.formula, Notation::Numbers) : "");
    out += ',';
    appendKey(out, "value");
    out += step.failure ? std::string("null") : roundTripText(step.value);
    out += ',';
    appendKey(out, "unit");
    appendJsonString(out, step.name.unit);
    if (step.rounding && !step.failure) {
        out += ',';
        appendKey(out, "text");
        appendJsonString(out, step.text);
        if (step.readBack) {
            out += ',';
            appendKey(out, "readBack");
            out += roundTripText(*step.readBack);
        }
        if (const FormulaNode* conversion = step.readBackConversion) {
            // The number read back is in the text's unit; later steps take it converted.
            out += ',';
            appendKey(out, "readBackUnit");
            appendJsonString(out, step.readBackUnit);
            out += ',';
            appendKey(out, "readBackConverted");
            appendJsonString(out, asciiFormula(*conversion, Notation::Numbers));
            out += ',';
            appendKey(out, "readBackValue");
            out += roundTripText(conversion->value);
        }
    }
    if (step.failure) {
        out += ',';
        appendKey(out, "failure");
        appendJsonString(out, failureText(*step.failure));
    }
    out += '}';
}

} // namespace

std::string jsonSheets(std::span<const CalculationSheet> sheets) {
    std::string out = "[";
    for (const CalculationSheet& sheet : sheets) {
        if (out.size() > 1) {
            out += ",";
        }
        out += "\n{";
        appendKey(out, "catalogue");
        appendJsonString(out, describe(sheet.size.catalogue).name);
        out += ',';
        appendKey(out, "family");
        appendJsonString(out, familyCode(sheet.size.family));
        out += ',';
        appendKey(out, "designation");
        appendJsonString(out, sheet.size.designation);
        for (const auto& [key, field] : {std::pair{"project", &SheetFields::project},
                                         {"calculatedBy", &SheetFields::calculatedBy},
                                         {"checkedBy", &SheetFields::checkedBy},
                                         {"date", &SheetFields::date}}) {
            out += ',';
            appendKey(out, key);
            appendJsonString(out, sheet.fields.*field);
        }
        const ReadDimensions read = workedDimensions(sheet);
        out += ",\"dimensions\":{\"D\":" + roundTripText(read.depth) +
               ",\"B\":" + roundTripText(read.width) + ",\"t\":" + roundTripText(read.thickness) +
               "},\"pi\":" + roundTripText(piUsed(sheet)) + ",\"steps\":[";
        const auto& steps = sheet.log->steps;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            out += i == 0 ? "\n" : ",\n";
            appendJsonStep(out, steps[i], partAt(*sheet.log, i));
        }
        out += "]}";
    }
    return out + "\n]\n";
}

} // namespace kavrel
