#include "sheet/formula_text.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

namespace kavrel {

namespace {

// The significant digits of a plain decimal text: leading and trailing zeros do not count.
std::size_t significantDigits(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return 0;
    }
    return digits.find_last_not_of('0') - first + 1;
}

// A value that is a small fraction exactly as the program computes it (8/3, 4/3, 22/7), written
// as such when its decimals would run past what a person writes.
std::optional<std::pair<long long, int>> fractionOf(double value) {
    if (!std::isfinite(value) || std::abs(value) > 1e9 || value == std::trunc(value) ||
        significantDigits(roundTripText(value)) <= peopleFigures) {
        return std::nullopt;
    }
    for (int denominator = 2; denominator <= 12; ++denominator) {
        const double numerator = std::round(value * denominator);
        if (numerator / denominator == value) {
            return std::pair{static_cast<long long>(numerator), denominator};
        }
    }
    return std::nullopt;
}

} // namespace

std::string personText(double value, int figures) {
    std::string exact = roundTripText(value);
    if (!std::isfinite(value) || significantDigits(exact) <= static_cast<std::size_t>(figures)) {
        return exact;
    }
    // d.ddddddddde±x: the value to ten figures, then written out without the exponent.
    std::array<char, 64> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific, figures - 1)
                         .ptr;
    const std::string_view scientific(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);
    const int point = exponent + 1; // digits before the decimal point
    std::string out;
    if (point <= 0) {
        out = "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= static_cast<int>(digits.size())) {
        out = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<std::size_t>(point)) + "." +
              digits.substr(static_cast<std::size_t>(point));
    }
    if (out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.') {
            out.pop_back();
        }
    }
    return negative ? "-" + out : out;
}

namespace {

using Kind = FormulaNode::Kind;

// How an operator binds: a child binding less tightly than its parent needs parentheses, and
// so does a right operand binding equally (a - (b - c), and a + (b + c) keeps its grouping).
int rank(const FormulaNode& node, Notation notation, bool fractions) {
    switch (node.kind) {
    case Kind::Add:
    case Kind::Subtract:
        return 1;
    case Kind::Multiply:
    case Kind::Divide:
        return 2;
    case Kind::Power:
        return 3;
    case Kind::Number:
    case Kind::Symbol:
        if (node.kind == Kind::Number || notation == Notation::Numbers) {
            // A negative number is written in parentheses wherever it is an operand, and a
            // fraction binds as a division.
            if (node.value < 0) {
                return 0;
            }
            if (fractions && fractionOf(node.value)) {
                return 2;
            }
        }
        return 4;
    case Kind::SquareRoot:
        break;
    }
    return 4;
}

struct Style {
    std::string_view plus, minus, times, over;
    std::string (*number)(double);
    std::string (*symbol)(const FormulaNode&);
    std::string (*power)(std::string base, int exponent);
    std::string (*root)(std::string radicand, bool compound);
    bool fractions; // numbers for people: a small fraction is written as one, "8/3"
};

// A number as the style writes it, and whether that is a fraction.
std::string numberText(double value, const Style& style) {
    if (style.fractions) {
        if (const auto fraction = fractionOf(value)) {
            return std::to_string(fraction->first) + "/" + std::to_string(fraction->second);
        }
    }
    return style.number(value);
}

std::string write(const FormulaNode& node, Notation notation, const Style& style);

std::string operand(const FormulaNode& node, Notation notation, const Style& style, int atLeast) {
    std::string text = write(node, notation, style);
    return rank(node, notation, style.fractions) < atLeast ? "(" + text + ")" : text;
}

std::string write(const FormulaNode& node, Notation notation, const Style& style) {
    switch (node.kind) {
    case Kind::Number:
        return numberText(node.value, style);
    case Kind::Symbol:
        return notation == Notation::Numbers ? numberText(node.value, style) : style.symbol(node);
    case Kind::Power:
        return style.power(operand(*node.left, notation, style, 4), node.exponent);
    case Kind::SquareRoot:
        // A root of more than one symbol or number is bracketed wherever its bar may be lost.
        return style.root(write(*node.left, notation, style),
                          node.left->kind != Kind::Number && node.left->kind != Kind::Symbol);
    case Kind::Add:
    case Kind::Subtract:
    case Kind::Multiply:
    case Kind::Divide:
        break;
    }
    const int own = rank(node, notation, style.fractions);
    const std::string_view op = node.kind == Kind::Add        ? style.plus
                                : node.kind == Kind::Subtract ? style.minus
                                : node.kind == Kind::Multiply ? style.times
                                                              : style.over;
    return operand(*node.left, notation, style, own) + std::string(op) +
           operand(*node.right, notation, style, own + 1);
}

std::string asciiSymbol(const FormulaNode& node) {
    return std::string(node.symbol) + (node.readBack ? "'" : "");
}

std::string peopleNumber(double value) {
    return personText(value);
}

std::string htmlNumber(double value) {
    const std::string text = personText(value);
    return text.starts_with('-') ? "&minus;" + text.substr(1) : text;
}

std::string asciiPower(std::string base, int exponent) {
    return base + "^" + std::to_string(exponent);
}

std::string asciiRoot(std::string radicand, bool) {
    return "sqrt(" + radicand + ")";
}

constexpr Style ascii{" + ",       " - ",      " * ",     " / ", roundTripText,
                      asciiSymbol, asciiPower, asciiRoot, false};
constexpr Style asciiForPeople{" + ",       " - ",      " * ",     " / ", peopleNumber,
                               asciiSymbol, asciiPower, asciiRoot, true};

constexpr Style html{
    " + ",
    " &minus; ",
    " &middot; ",
    " / ",
    htmlNumber,
    [](const FormulaNode& node) { return htmlSymbol(node.symbol, node.readBack); },
    [](std::string base, int exponent) {
        return base + "<sup>" + std::to_string(exponent) + "</sup>";
    },
    [](std::string radicand, bool compound) {
        return "&radic;<span class=\"radicand\">" + (compound ? "(" + radicand + ")" : radicand) +
               "</span>";
    },
    true,
};

} // namespace

namespace {

// A number as a person reads it off the sheet: its fraction, or its text to ten figures.
double asShown(double value) {
    if (const auto fraction = fractionOf(value)) {
        return static_cast<double>(fraction->first) / fraction->second;
    }
    double shown = value;
    const std::string text = personText(value);
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

// The formula computed in the program's order from the numbers as shown.
double evaluateAsShown(const FormulaNode& node) {
    switch (node.kind) {
    case Kind::Number:
    case Kind::Symbol:
        return asShown(node.value);
    case Kind::Power: {
        const double base = evaluateAsShown(*node.left);
        double out = base;
        for (int i = 1; i < node.exponent; ++i) {
            out = out * base;
        }
        return out;
    }
    case Kind::SquareRoot:
        return std::sqrt(evaluateAsShown(*node.left));
    case Kind::Add:
        return evaluateAsShown(*node.left) + evaluateAsShown(*node.right);
    case Kind::Subtract:
        return evaluateAsShown(*node.left) - evaluateAsShown(*node.right);
    case Kind::Multiply:
        return evaluateAsShown(*node.left) * evaluateAsShown(*node.right);
    case Kind::Divide:
        break;
    }
    return evaluateAsShown(*node.left) / evaluateAsShown(*node.right);
}

} // namespace

std::string shownValue(double value, const FormulaNode* formula) {
    if (!formula) {
        return personText(value);
    }
    // The most figures, up to ten, at which the numbers shown still give the value shown: a
    // difference of near values carries fewer than its inputs.
    const double fromShown = evaluateAsShown(*formula);
    for (int figures = peopleFigures; figures > 1; --figures) {
        std::string text = personText(value, figures);
        if (personText(fromShown, figures) == text) {
            return text;
        }
    }
    return personText(value, 1);
}

std::string asciiFormula(const FormulaNode& formula, Notation notation, Figures figures) {
    return write(formula, notation, figures == Figures::Exact ? ascii : asciiForPeople);
}

std::string htmlFormula(const FormulaNode& formula, Notation notation) {
    return write(formula, notation, html);
}

std::string htmlEscaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The design rules' Greek names as a page writes them: whole names, then names that begin
// with a Greek letter and end in a subscript ("gM0", "lamx", "rhoD").
std::optional<std::string> greekSymbol(std::string_view name) {
    constexpr std::pair<std::string_view, std::string_view> whole[] = {
        {"eps", "&epsilon;"},
        {"eps2", "&epsilon;<sup>2</sup>"},
        {"epsilon", "&epsilon;"},
        {"alpha", "&alpha;"},
        {"psi", "&psi;"},
        {"ksigma", "<var>k</var><sub>&sigma;</sub>"},
        {"lpLim", "&lambda;&#772;<sub>p,lim</sub>"},
        {"lam", "&lambda;&#772;"},
        {"Phi", "&Phi;"},
        {"phi", "&phi;"},
        {"chi", "&chi;"},
        {"beta_b", "&beta;<sub>b</sub>"}};
    for (const auto& [symbol, html] : whole) {
        if (name == symbol) {
            return std::string(html);
        }
    }
    constexpr std::pair<std::string_view, std::string_view> leading[] = {
        {"gM", "&gamma;<sub>M"}, {"gm", "&gamma;<sub>m"},        {"lam", "&lambda;&#772;<sub>"},
        {"Phi", "&Phi;<sub>"},   {"phi", "&phi;<sub>"},          {"chi", "&chi;<sub>"},
        {"rho", "&rho;<sub>"},   {"lp", "&lambda;&#772;<sub>p,"}};
    for (const auto& [prefix, html] : leading) {
        if (name.starts_with(prefix) && name.size() > prefix.size()) {
            return std::string(html) + htmlEscaped(name.substr(prefix.size())) + "</sub>";
        }
    }
    return std::nullopt;
}

std::string htmlSymbol(std::string_view name, bool readBack) {
    std::string out;
    if (name == "pi") {
        out = "&pi;";
    } else if (std::optional<std::string> greek = greekSymbol(name)) {
        out = std::move(*greek);
    } else {
        out = "<var>" + htmlEscaped(name.substr(0, 1)) + "</var>";
        if (name.size() > 1) {
            out += "<sub>" + htmlEscaped(name.substr(1)) + "</sub>";
        }
    }
    return readBack ? out + "&prime;" : out;
}

namespace {

// The quantities descriptions name besides the steps of the sheet: the dimensions, the corner
// radii, and what the design rules' descriptions take.
constexpr std::string_view describedSymbols[] = {
    "D",   "B",   "t",     "tnom", "tdes",    "r",      "ro",  "ri",  "rm",  "pi",  "x",
    "y",   "E",   "L",     "KL",   "Ncr",     "fy",     "fcd", "W",   "Wpl", "Av",  "Aeff",
    "A",   "Ze",  "Zp",    "Ixx",  "Iyy",     "Zxx",    "Zyy", "Zpx", "Zpy", "lam", "Phi",
    "phi", "chi", "alpha", "eps",  "epsilon", "beta_b", "gm0", "gM0", "gM1", "Tdg", "b",
    "d",   "c",   "Ah",    "h",    "K",       "rx",     "ry"};

bool isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string htmlDescription(std::string_view text, std::span<const std::string_view> symbols) {
    const auto isSymbol = [symbols](std::string_view word) {
        return std::ranges::find(symbols, word) != symbols.end() ||
               std::ranges::find(describedSymbols, word) != std::end(describedSymbols);
    };
    std::string out;
    std::string_view previousWord;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (!isWordCharacter(c)) {
            if (c == '^' && at + 1 < text.size() && isDigit(text[at + 1])) {
                out += "<sup>" + std::string(1, text[at + 1]) + "</sup>";
                at += 2;
            } else if (c == '-' && at > 0 && text[at - 1] == ' ' && at + 1 < text.size() &&
                       text[at + 1] == ' ') {
                out += "&minus;";
                ++at;
            } else {
                out += htmlEscaped(text.substr(at, 1));
                ++at;
            }
            continue;
        }
        // A word: letters, digits and _, with a decimal point between digits and an apostrophe
        // before a letter ("wall's" is one word).
        std::size_t end = at;
        while (end < text.size() && (isWordCharacter(text[end]) ||
                                     (text[end] == '.' && end > at && isDigit(text[end - 1]) &&
                                      end + 1 < text.size() && isDigit(text[end + 1])) ||
                                     (text[end] == '\'' && end + 1 < text.size() &&
                                      isWordCharacter(text[end + 1]) && !isDigit(text[end + 1])))) {
            ++end;
        }
        const std::string_view word = text.substr(at, end - at);
        at = end;
        if (word == "sqrt" && at < text.size() && text[at] == '(') {
            out += "&radic;";
            previousWord = word;
            continue;
        }
        // A letter after "class" or "curve" names the class, as "buckling curve a".
        const bool named = previousWord == "class" || previousWord == "curve";
        std::size_t digits = 0;
        while (digits < word.size() && (isDigit(word[digits]) || word[digits] == '.')) {
            ++digits;
        }
        const std::string_view rest = word.substr(digits);
        if (!named && !rest.empty() && isSymbol(rest)) {
            out += htmlEscaped(word.substr(0, digits)) + htmlSymbol(rest);
        } else {
            out += htmlEscaped(word);
        }
        previousWord = word;
    }
    return out;
}

std::string htmlUnit(std::string_view unit) {
    std::string out;
    for (std::size_t at = 0; at < unit.size(); ++at) {
        if (unit[at] == '^' && at + 1 < unit.size()) {
            out += "<sup>" + htmlEscaped(unit.substr(at + 1, 1)) + "</sup>";
            ++at;
        } else {
            out += htmlEscaped(unit.substr(at, 1));
        }
    }
    return out;
}

} // namespace kavrel
