#include "sheet/formula_text.hpp"
#include "sheet/sheet_writers.hpp"

#include <algorithm>

namespace kavrel {
namespace {

// Printed on A4, each size from a new page; nothing is loaded from elsewhere and nothing runs.
constexpr std::string_view pageStart = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Kavrel calculation sheets</title>
<style>
@page { size: A4; margin: 15mm; }
body { font-family: "DejaVu Serif", Georgia, serif; font-size: 10.5pt; color: #000;
       max-width: 180mm; margin: 1em auto; }
section.sheet { break-after: page; page-break-after: always; }
section.sheet:last-child { break-after: auto; page-break-after: auto; }
h1 { font-size: 14pt; margin: 0 0 0.5em; }
h2 { font-size: 11pt; margin: 1.2em 0 0.3em; }
table.head { border-collapse: collapse; margin-bottom: 0.8em; }
table.head th { text-align: left; vertical-align: top; padding: 0.1em 1em 0.1em 0; }
div.step { break-inside: avoid; page-break-inside: avoid; margin: 0.5em 0;
           border-top: 1px solid #bbb; padding-top: 0.3em; }
div.step p { margin: 0.1em 0 0.1em 2em; overflow-wrap: anywhere; }
div.step p.title { margin-left: 0; }
span.radicand { border-top: 1px solid #000; padding-left: 0.1em; }
var { font-style: italic; }
p.failed, p.stopped { font-weight: bold; }
)";

constexpr std::string_view styleEnd = R"(</style>
</head>
<body>
)";

// A text as a CSS string, quoted: a quote or backslash escaped, and "<" too, so that no text
// ends the style element.
std::string cssString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '<') {
            out += "\\3C ";
        } else if (c == '\n') {
            out += "\\A ";
        } else {
            out += c;
        }
    }
    return out + '"';
}

// Each sheet prints on pages of its own name, whose top margin names the size and the page:
// "200x100x10.0, page 2 of 5". A browser numbers the pages of the whole printout (a page
// counter does not restart with a named page), so with several sheets the line says which
// sheet it is and that the pages are counted over all of them.
std::string pageRules(std::span<const CalculationSheet> sheets) {
    std::string out = "@page { @top-right { font-family: \"DejaVu Serif\", Georgia, serif; "
                      "font-size: 9pt; } }\n";
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::string name = "sheet" + std::to_string(i + 1);
        std::string heading = sheets[i].size.designation;
        if (sheets.size() > 1) {
            heading += ", sheet " + std::to_string(i + 1) + " of " + std::to_string(sheets.size());
        }
        out += "@page " + name + " { @top-right { content: " + cssString(heading + ", page ") +
               " counter(page) \" of \" counter(pages)" +
               (sheets.size() > 1 ? " \" in all\"" : "") + "; } }\n#" + name + " { page: " + name +
               "; }\n";
    }
    return out;
}

void appendHtmlStep(std::string& out, const RecordedStep& step,
                    std::span<const std::string_view> symbols) {
    const std::string name = htmlSymbol(step.name.name);
    out += "<div class=\"step\">\n<p class=\"title\">" + name +
           " &mdash; <span class=\"meaning\">" + htmlDescription(step.name.meaning, symbols) +
           "</span>";
    if (!step.name.unit.empty()) {
        out += ", " + htmlUnit(step.name.unit);
    }
    out += "</p>\n";
    if (step.formula) {
        const std::string symbols = htmlFormula(*step.formula, Notation::Symbols);
        const std::string numbers = htmlFormula(*step.formula, Notation::Numbers);
        out += "<p>" + name + " = " + symbols + "</p>\n";
        if (numbers != symbols) { // a formula of constants alone is written once
            out += "<p>= " + numbers + "</p>\n";
        }
    }
    if (step.failure) {
        out += "<p class=\"failed\">Failed: " + htmlEscaped(failureText(*step.failure)) + "</p>\n";
    } else {
        const std::string value = shownValue(step.value, step.formula ? &*step.formula : nullptr);
        if (!step.formula ||
            asciiFormula(*step.formula, Notation::Numbers, Figures::ForPeople) != value) {
            out += "<p>= " + htmlEscaped(value) + "</p>\n";
        }
        if (step.rounding) {
            out += "<p>rounded to " + roundingOf(step) + ": &ldquo;" + htmlEscaped(step.text) +
                   "&rdquo;";
            if (step.readBack) {
                // The name is typeset, the rest of the words escaped around it.
                const std::string words = readBackOf(step, "\x01");
                const std::size_t at = words.find('\x01');
                // The words' units typeset ("cm^2" of a text read back in other units).
                out += ", " + htmlDescription(words.substr(0, at), {}) +
                       htmlSymbol(step.name.name, true) + htmlDescription(words.substr(at + 1), {});
            }
            out += "</p>\n";
        }
    }
    out += "</div>\n";
}

} // namespace

std::string htmlSheets(std::span<const CalculationSheet> sheets) {
    std::string out(pageStart);
    out += pageRules(sheets);
    out += styleEnd;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const CalculationSheet& sheet = sheets[i];
        out += "<section class=\"sheet\" id=\"sheet" + std::to_string(i + 1) +
               "\">\n<h1>Calculation sheet of " + htmlEscaped(sheet.size.designation) +
               "</h1>\n<table class=\"head\">\n";
        const auto& steps = sheet.log->steps;
        std::vector<std::string_view> symbols;
        for (const RecordedStep& step : steps) {
            symbols.push_back(step.name.name);
        }
        // The program's own words are typeset; what the user gave is written as given.
        constexpr std::string_view typeset[] = {"Dimensions", "pi", "Geometry", "Units"};
        for (const auto& [label, text] : sheetHead(sheet)) {
            const bool own = std::ranges::find(typeset, label) != std::end(typeset);
            out += "<tr><th>" + (label == "pi" ? std::string("&pi;") : htmlEscaped(label)) +
                   "</th><td>" + (own ? htmlDescription(text, symbols) : htmlEscaped(text)) +
                   "</td></tr>\n";
        }
        out += "</table>\n";
        for (std::size_t i = 0; i < steps.size(); ++i) {
            if (const auto title = partAt(*sheet.log, i)) {
                out += "<h2>" + htmlEscaped(*title) + "</h2>\n";
            }
            appendHtmlStep(out, steps[i], symbols);
        }
        if (sheet.error) {
            out += "<p class=\"stopped\">Stopped: " + htmlEscaped(sheet.error->message) + "</p>\n";
        }
        out += "</section>\n";
    }
    return out + "</body>\n</html>\n";
}

} // namespace kavrel
