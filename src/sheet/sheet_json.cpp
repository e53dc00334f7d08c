#include "sheet/formula_text.hpp"
#include "sheet/sheet_writers.hpp"

namespace kavrel {
namespace {

void appendString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[(c >> 4) & 0xf];
            out += hex[c & 0xf];
        } else {
            out += c;
        }
    }
    out += '"';
}

// "name": followed by the value's text.
void appendKey(std::string& out, std::string_view key) {
    appendString(out, key);
    out += ':';
}

void appendStep(std::string& out, const RecordedStep& step) {
    out += '{';
    appendKey(out, "name");
    appendString(out, step.name.name);
    out += ',';
    appendKey(out, "meaning");
    appendString(out, step.name.meaning);
    out += ',';
    appendKey(out, "formula");
    appendString(out, step.formula ? asciiFormula(*step.formula, Notation::Symbols) : "");
    out += ',';
    appendKey(out, "substituted");
    appendString(out, step.formula ? asciiFormula(*step.formula, Notation::Numbers) : "");
    out += ',';
    appendKey(out, "value");
    out += step.failure ? std::string("null") : roundTripText(step.value);
    out += ',';
    appendKey(out, "unit");
    appendString(out, step.name.unit);
    if (step.rounding && !step.failure) {
        out += ',';
        appendKey(out, "text");
        appendString(out, step.text);
        if (step.readBack) {
            out += ',';
            appendKey(out, "readBack");
            out += roundTripText(*step.readBack);
        }
    }
    if (step.failure) {
        out += ',';
        appendKey(out, "failure");
        appendString(out, failureText(*step.failure));
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
        appendString(out, describe(sheet.size.catalogue).name);
        out += ',';
        appendKey(out, "family");
        appendString(out, familyCode(sheet.size.family));
        out += ',';
        appendKey(out, "designation");
        appendString(out, sheet.size.designation);
        const ReadDimensions read = readDimensions(sheet.size);
        out += ",\"dimensions\":{\"D\":" + roundTripText(read.depth) +
               ",\"B\":" + roundTripText(read.width) + ",\"t\":" + roundTripText(read.thickness) +
               "},\"pi\":" + roundTripText(piUsed(sheet)) + ",\"steps\":[";
        const auto& steps = sheet.log->steps;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            out += i == 0 ? "\n" : ",\n";
            appendStep(out, steps[i]);
        }
        out += "]}";
    }
    return out + "\n]\n";
}

} // namespace kavrel
