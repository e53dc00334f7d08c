#include "sheet/formula_text.hpp"

#include <array>
#include <charconv>

namespace kavrel {

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

std::string htmlSymbol(std::string_view name, bool readBack) {
    std::string out;
    if (name == "pi") {
        out = "&pi;";
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
