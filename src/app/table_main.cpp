// kavrel-table: section tables through the same formulas as Find, on standard output.
// This program only turns its arguments into a request and the outcome into output and an
// exit status: 0 done, 1 a fault of the program or of writing, 2 a usage error.
#include "design/design_columns.hpp"
#include "kavrel_version.hpp"
#include "sheet/explain.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace kavrel;

constexpr std::string_view usage = R"usage(Usage: kavrel-table [OPTION]... [SIZE]...
Section properties of steel hollow sections as a table: whole catalogues, or the sizes given.

Catalogues, chosen with --catalogue (IS when none is chosen):
  IS        the window's 191 Indian-standard sizes and formulas: corners of radii 2t and t,
            pi as --pi says, later results worked from the shown texts of earlier ones
  EN10210   387 EN 10210-2 hot-finished sizes: exact rounded corners of radii 1.5t outside
            and t inside, exact tubes, the true pi
  EN10219   339 EN 10219-2 cold-formed sizes: exact rounded corners of radii 2t and t up to
            t = 6 mm, 2.5t and 1.5t up to 10 mm, 3t and 2t above, exact tubes, the true pi

A SIZE is a designation of a chosen catalogue exactly as its list writes it ("100x100x5.0",
"15NBx2.0(L)", "42.4x3.2"), or a size of one's own in millimetres: RHS:DxBxt, SHS:DxBxt or
CHS:Dxt (D the depth or outside diameter, B the width, t the wall thickness), such as
RHS:250x150x8 or CHS:60.3x3.2, computed with the geometry of the one catalogue chosen.

Options:
  --catalogue NAME  the sizes and formulas of catalogue NAME: IS, EN10210 or EN10219; may be
                    repeated, the rows of each in that order
  --family F        only sizes of family F: RHS, SHS or CHS; may be repeated
  --where 'C OP N'  only rows whose column C compares so with the number N; OP is one of
                    >=, <=, >, <, =; may be repeated, and every condition must hold
  --sort C          sort by column C, ascending; --sort -C sorts descending
  --limit N         at most N rows
  --columns LIST    the columns to write, comma-separated, or "all"
  --format F        csv (the default), json or text; with --explain: text (the default),
                    html or json
  --significant N   every result rounded to N significant figures (1 to 15) instead of its
                    fixed decimals, as published section tables print them with 3
  --pi P            22/7 (the default, as in the window) or exact, for IS; the other
                    catalogues always use the true pi, and refuse 22/7
  --grade G         the class and design resistances to EN 1993-1-1 (EN 1993-1-5 for class
                    4) in steel G: S235, S275, S355, S420 or S460; EN10210 and EN10219 only.
                    fy is the product standard's minimum by wall thickness (EN 10210-1,
                    EN 10219-1): t <= 16 mm, 16 < t <= 40 mm, 40 < t <= 63 mm (EN10210 only).
                    For IS, to IS 800:2007 in the IS 4923 and IS 1161 tube grades YSt210,
                    YSt240, YSt310 or YSt355 (fy 210 to 355 for every wall), from the exact
                    geometry (corners 2t and t, the true pi) whatever --pi says; the classes
                    are plastic, compact, semi-compact and slender, compared in that order
  --fy N            one yield strength N for every size, 100 to 1000 N/mm^2; the grade still
                    chooses the buckling curve (hot finished a, a0 in S460; cold formed c).
                    For IS it may stand without --grade
  --gamma-m0 X      partial factor of cross-sections, 1.0 to 2.0; 1.0 when not given (IS
                    800: 1.10, for yielding and buckling alike)
  --gamma-m1 X      partial factor of buckling, 1.0 to 2.0; 1.0 when not given (EN only)
  --flat-width R    the flat width c of each wall of an RHS or SHS in its c/t: 3t (the
                    default for EN, D - 3t and B - 3t, as the UK published tables take it),
                    corners (the straight inside face, D - 2t - 2ri and B - 2t - 2ri) or, for
                    IS and its default, 2t (D - 2t and B - 2t, IS 800's clear width)
  --forming F       IS only: cold (the default where the route is not known) or hot, the
                    buckling class of IS 800 Table 10: hot rolled a, cold formed b
  --length L        flexural buckling at buckling length L in metres; may be repeated, the
                    buckling columns of each length then named as NbRd@L
  --explain         instead of the table, the calculation sheet of each size: every step of
                    the formulas with its numbers, the texts shown and the texts read back;
                    --catalogue, --family, --significant, --pi and the design options apply,
                    --where, --sort, --limit and --columns do not
  --help            show this help and exit
  --version         show the version and exit

Conditions and sorting compare the numbers the texts show.
The lightest RHS with Zxx of at least 50 cm^3 and ryy of at least 2 cm:
  kavrel-table --family RHS --where 'Zxx>=50' --where 'ryy>=2' --sort W --limit 1
A size of one's own beside a catalogue size, with the plastic moduli and the true pi:
  kavrel-table --columns designation,A,Zxx,Zpx --pi exact --format text RHS:250x150x8 200x100x8.0
The lightest hot-finished SHS with a plastic modulus of at least 100 cm^3:
  kavrel-table --catalogue EN10210 --family SHS --where 'Zpx>=100' --sort W --limit 1
Cold-formed sizes with three significant figures, as the published tables print them:
  kavrel-table --catalogue EN10219 --significant 3 --format text 50x25x2.0 CHS:48.3x3.2
The working of a size as a page to print from a browser:
  kavrel-table --explain --format html 50x25x2.0 > sheet.html
The lightest cold-formed SHS in S355 that carries 800 kN over 3.5 m:
  kavrel-table --catalogue EN10219 --family SHS --grade S355 --length 3.5 --where 'NbRd>=800' --sort W --limit 1
The lightest IS SHS in YSt310, hot rolled, at least compact in bending, carrying 500 kN at KL = 3 m:
  kavrel-table --family SHS --grade YSt310 --forming hot --length 3 --where 'classMx<=compact' --where 'NbRd>=500' --sort W --limit 1

Columns (all but Zpx, Zpy and catalogue are written when --columns is not given):
  family, designation
  depth, width, thickness  mm
)usage";

std::string helpText() {
    std::string text(usage);
    const auto describe = [&text](const auto& result) {
        text += "  " + std::string(result.column) + std::string(8 - result.column.size(), ' ') +
                std::string(result.meaning) + ", " + std::string(result.unit) + "\n";
    };
    for (const ResultDescription& result : results) {
        describe(result);
    }
    for (const PlasticDescription& result : plasticResults) {
        describe(result);
    }
    text += "  catalogue  IS, EN10210 or EN10219; --columns all writes it first when --catalogue"
            " is given\n";
    text += "\nWith --grade (written without --columns: family, designation, W and these but Aeff,"
            "\nWeffx and Weffy; --columns all adds them all; ratios with two decimals, kN and kNm"
            "\nwith one, fy with none; empty where the rules give no figure):\n";
    const auto designLine = [&text](std::string_view column, std::string_view meaning,
                                    std::string_view unit) {
        text += "  " + std::string(column) + std::string(9 - column.size(), ' ') +
                std::string(meaning) + (unit.empty() ? "" : ", " + std::string(unit)) + "\n";
    };
    for (const DesignColumn& column : designColumns) {
        designLine(column.column, column.meaning, column.unit);
    }
    for (const BucklingColumn& column : bucklingColumns) {
        designLine(column.column, std::string(column.meaning) + ", with --length", "kN");
    }
    return text;
}

bool write(std::FILE* stream, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() &&
           std::fflush(stream) == 0;
}

int usageError(std::string_view message) {
    std::fprintf(stderr, "kavrel-table: %.*s\n", static_cast<int>(message.size()), message.data());
    return 2;
}

// Parses an option's value into the request; the message names the option and its value.
template <typename Value, typename Store>
std::optional<int> apply(std::string_view option, std::string_view text,
                         std::variant<Value, TableError> parsed, Store store) {
    if (const auto* error = std::get_if<TableError>(&parsed)) {
        return usageError(std::string(option) + " " + quoted(text) + ": " + error->message);
    }
    store(std::get<Value>(std::move(parsed)));
    return std::nullopt;
}

// The design resistances' options, kept apart: they fill request.design.
constexpr std::string_view designOptions[] = {
    "--grade", "--fy", "--gamma-m0", "--gamma-m1", "--flat-width", "--length", "--forming"};

std::optional<int> designOption(DesignRequest& design, std::string_view name,
                                std::string_view text) {
    if (name == "--grade") {
        return apply(name, text, parseGrade(text), [&](SteelGrade g) { design.grade = g; });
    }
    if (name == "--fy") {
        return apply(name, text, parseYieldStrength(text), [&](double fy) { design.fy = fy; });
    }
    if (name == "--gamma-m0") {
        return apply(name, text, parsePartialFactor(text), [&](double g) { design.gammaM0 = g; });
    }
    if (name == "--gamma-m1") {
        return apply(name, text, parsePartialFactor(text), [&](double g) { design.gammaM1 = g; });
    }
    if (name == "--flat-width") {
        return apply(name, text, parseFlatWidth(text),
                     [&](FlatWidth rule) { design.flatWidth = rule; });
    }
    if (name == "--forming") {
        return apply(name, text, parseForming(text),
                     [&](FormingRoute route) { design.forming = route; });
    }
    return apply(name, text, parseLength(text),
                 [&](BucklingLength length) { design.lengths.push_back(std::move(length)); });
}

std::optional<int> option(TableRequest& request, std::string_view name, std::string_view text) {
    if (std::ranges::find(designOptions, name) != std::end(designOptions)) {
        return designOption(request.design, name, text);
    }
    if (name == "--family") {
        return apply(name, text, parseFamily(text),
                     [&](SectionFamily f) { request.families.push_back(f); });
    }
    if (name == "--where") {
        return apply(name, text, parseCondition(text),
                     [&](Condition c) { request.conditions.push_back(std::move(c)); });
    }
    if (name == "--sort") {
        return apply(name, text, parseSortKey(text), [&](SortKey k) { request.sort = k; });
    }
    if (name == "--limit") {
        return apply(name, text, parseLimit(text), [&](std::size_t n) { request.limit = n; });
    }
    if (name == "--columns") {
        return apply(name, text, parseColumns(text),
                     [&](std::vector<std::string> c) { request.columns = std::move(c); });
    }
    if (name == "--catalogue") {
        return apply(name, text, parseCatalogue(text),
                     [&](Catalogue c) { request.catalogues.push_back(c); });
    }
    if (name == "--significant") {
        return apply(name, text, parseSignificant(text), [&](int n) { request.significant = n; });
    }
    return apply(name, text, parsePi(text), [&](double pi) { request.pi = pi; });
}

bool takesValue(std::string_view name) {
    for (const std::string_view known : {"--catalogue", "--family", "--where", "--sort", "--limit",
                                         "--columns", "--format", "--significant", "--pi"}) {
        if (name == known) {
            return true;
        }
    }
    return std::ranges::find(designOptions, name) != std::end(designOptions);
}

// The sheets of the request's sizes; a size whose formulas fail has its sheet up to the
// failing step, and the status the table gives it.
int explain(const TableRequest& request, std::string_view formatText) {
    SheetFormat format = SheetFormat::Text;
    if (!formatText.empty()) {
        const auto parsed = parseSheetFormat(formatText);
        if (const auto* error = std::get_if<TableError>(&parsed)) {
            return usageError("--format " + quoted(formatText) + ": " + error->message);
        }
        format = std::get<SheetFormat>(parsed);
    }
    const ExplainOutcome outcome = explainSizes(request, format);
    if (outcome.error && outcome.bytes.empty()) {
        return usageError(outcome.error->message);
    }
    if (!write(stdout, outcome.bytes)) {
        std::perror("kavrel-table");
        return 1;
    }
    if (outcome.error) {
        std::fprintf(stderr, "kavrel-table: %s\n", outcome.error->message.c_str());
        return outcome.error->kind == TableError::Kind::BadRequest ? 2 : 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    TableRequest request;
    bool explaining = false;
    std::string_view formatText;
    std::string_view tableOnly; // an option that sheets do not take
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            return write(stdout, helpText()) ? 0 : 1;
        }
        if (argument == "--version") {
            return write(stdout, "kavrel-table " + std::string(kavrel::version) + "\n") ? 0 : 1;
        }
        if (argument == "--explain") {
            explaining = true;
            continue;
        }
        if (!argument.starts_with('-')) {
            request.sizes.emplace_back(argument);
            continue;
        }
        // --name value or --name=value
        const auto equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        if (!takesValue(name)) {
            return usageError("unknown option " + quoted(name) + " (see --help)");
        }
        std::string_view text;
        if (equals != std::string_view::npos) {
            text = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            text = argv[++i];
        } else {
            return usageError(std::string(name) + " needs a value");
        }
        if (name == "--format") {
            // html is checked once it is known whether sheets are asked for.
            formatText = text;
            if (text != "html") {
                if (const std::optional<int> status =
                        apply(name, text, parseFormat(text),
                              [&](TableFormat f) { request.format = f; })) {
                    return *status;
                }
            }
            continue;
        }
        if (name == "--where" || name == "--sort" || name == "--limit" || name == "--columns") {
            tableOnly = name;
        }
        if (const std::optional<int> status = option(request, name, text)) {
            return *status;
        }
    }

    if (explaining) {
        if (!tableOnly.empty()) {
            return usageError(std::string(tableOnly) + " does not apply to --explain");
        }
        return explain(request, formatText);
    }
    if (formatText == "html") {
        return usageError("--format \"html\": only a calculation sheet (--explain) is written as "
                          "HTML");
    }

    const TableOutcome outcome = sectionTable(request);
    if (const auto* error = std::get_if<TableError>(&outcome)) {
        if (error->kind == TableError::Kind::BadRequest) {
            return usageError(error->message);
        }
        std::fprintf(stderr, "kavrel-table: %s\n", error->message.c_str());
        return 1;
    }
    if (!write(stdout, std::get<std::string>(outcome))) {
        std::perror("kavrel-table");
        return 1;
    }
    return 0;
}
