#include "sheet/formula_text.hpp"
#include "sheet/sheet_writers.hpp"

namespace kavrel {
namespace {

constexpr std::size_t lineWidth = 100;

// The text after `first`, broken at blanks into lines of at most 100 characters, the later
// ones indented to the width of `first`. A single word longer than a line stays whole.
void appendWrapped(std::string& out, const std::string& first, std::string_view text) {
    const std::string indent(first.size(), ' ');
    std::string line = first;
    bool lineHasWord = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        const std::size_t extra = (lineHasWord ? 1 : 0) + word.size();
        if (lineHasWord && line.size() + extra > lineWidth) {
            out += line + "\n";
            line = indent;
            lineHasWord = false;
        }
        if (lineHasWord) {
            line += ' ';
        }
        line += word;
        lineHasWord = true;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    out += line + "\n";
}

void appendStep(std::string& out, const RecordedStep& step) {
    std::string title = std::string(step.name.name) + "  " + std::string(step.name.meaning);
    if (!step.name.unit.empty()) {
        title += ", " + std::string(step.name.unit);
    }
    appendWrapped(out, "", title);
    const std::string lead = "    " + std::string(step.name.name) + " = ";
    const std::string equals = std::string(lead.size() - 2, ' ') + "= ";
    const std::string value = shownValue(step.value, step.formula ? &*step.formula : nullptr);
    std::string substituted;
    if (step.formula) {
        const std::string symbols =
            asciiFormula(*step.formula, Notation::Symbols, Figures::ForPeople);
        appendWrapped(out, lead, symbols);
        substituted = asciiFormula(*step.formula, Notation::Numbers, Figures::ForPeople);
        if (substituted != symbols) { // a formula of constants alone is written once
            appendWrapped(out, equals, substituted);
        }
    }
    if (step.failure) {
        appendWrapped(out, "    failed: ", failureText(*step.failure));
        return;
    }
    if (substituted != value) { // a step that only names a number needs no second line
        appendWrapped(out, equals, value);
    }
    if (step.rounding) {
        std::string shown = "rounded to " + roundingOf(step) + ": \"" + step.text + "\"";
        if (step.readBack) {
            std::string primed(step.name.name);
            primed += '\'';
            shown += ", ";
            shown += readBackOf(step, primed);
        }
        appendWrapped(out, "    ", shown);
    }
}

} // namespace

std::string textSheets(std::span<const CalculationSheet> sheets) {
    std::string out;
    for (const CalculationSheet& sheet : sheets) {
        if (!out.empty()) {
            out += std::string(lineWidth, '=') + "\n\n";
        }
        out += "Calculation sheet of " + sheet.size.designation + "\n\n";
        for (const auto& [label, text] : sheetHead(sheet)) {
            std::string first(label);
            if (text.empty()) { // a field left for the pen: no trailing blanks
                out += first + "\n";
                continue;
            }
            first.resize(13, ' ');
            appendWrapped(out, first, text);
        }
        const auto& steps = sheet.log->steps;
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (const auto title = partAt(*sheet.log, i)) {
                out += '\n';
                out += *title;
                out += ":\n";
            }
            out += "\n";
            appendStep(out, steps[i]);
        }
        if (sheet.error) {
            out += "\n";
            appendWrapped(out, "Stopped: ", sheet.error->message);
        }
        out += "\n";
    }
    return out;
}

} // namespace kavrel
