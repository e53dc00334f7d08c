#include "sheet/formula_text.hpp"

#include <array>
#include <charconv>
#include <optional>
#include <utility>

namespace kavrel {

std::string roundTripText(double value) {
    std::array<char, 400> buffer;
    const auto end =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed)
            .ptr;
    return {buffer.data(), end};
}

namespace {

using Kind = FormulaNode::Kind;

// How an operator binds: a child binding less tightly than its parent needs parentheses, and
// so does a right operand binding equally (a - (b - c), and a + (b + c) keeps its grouping).
int rank(const FormulaNode& node, Notation notation) {
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
        // A negative number is written in parentheses wherever it is an operand.
        return (node.kind == Kind::Number || notation == Notation::Numbers) && node.value < 0 ? 0
                                                                                              : 4;
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
    std::string (*root)(std::string radicand);
};

std::string write(const FormulaNode& node, Notation notation, const Style& style);

std::string operand(const FormulaNode& node, Notation notation, const Style& style, int atLeast) {
    std::string text = write(node, notation, style);
    return rank(node, notation) < atLeast ? "(" + text + ")" : text;
}

std::string write(const FormulaNode& node, Notation notation, const Style& style) {
    switch (node.kind) {
    case Kind::Number:
        return style.number(node.value);
    case Kind::Symbol:
        return notation == Notation::Numbers ? style.number(node.value) : style.symbol(node);
    case Kind::Power:
        return style.power(operand(*node.left, notation, style, 4), node.exponent);
    case Kind::SquareRoot:
        return style.root(write(*node.left, notation, style));
    case Kind::Add:
    case Kind::Subtract:
    case Kind::Multiply:
    case Kind::Divide:
        break;
    }
    const int own = rank(node, notation);
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

std::string htmlNumber(double value) {
    const std::string text = roundTripText(value);
    return text.starts_with('-') ? "&minus;" + text.substr(1) : text;
}

constexpr Style ascii{
    " + ",
    " - ",
    " * ",
    " / ",
    roundTripText,
    asciiSymbol,
    [](std::string base, int exponent) { return base + "^" + std::to_string(exponent); },
    [](std::string radicand) { return "sqrt(" + radicand + ")"; },
};

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
    [](std::string radicand) { return "&radic;<span class=\"radicand\">" + radicand + "</span>"; },
};

} // namespace

std::string asciiFormula(const FormulaNode& formula, Notation notation) {
    return write(formula, notation, ascii);
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
        {"alpha", "&alpha;"},
        {"psi", "&psi;"},
        {"ksigma", "<var>k</var><sub>&sigma;</sub>"},
        {"lpLim", "&lambda;&#772;<sub>p,lim</sub>"}};
    for (const auto& [symbol, html] : whole) {
        if (name == symbol) {
            return std::string(html);
        }
    }
    constexpr std::pair<std::string_view, std::string_view> leading[] = {
        {"gM", "&gamma;<sub>M"}, {"lam", "&lambda;&#772;<sub>"}, {"Phi", "&Phi;<sub>"},
        {"chi", "&chi;<sub>"},   {"rho", "&rho;<sub>"},          {"lp", "&lambda;&#772;<sub>p,"}};
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
