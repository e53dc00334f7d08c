// kavrel-table: section tables through the same formulas as Find, on standard output.
// This program only turns its arguments into a request and the outcome into output and an
// exit status: 0 done, 1 a fault of the program or of writing, 2 a usage error.
#include "design/design_columns.hpp"
#include "kavrel_version.hpp"
#include "sheet/explain.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"
#include "table/table_options.hpp"

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
  AISC      714 HSS of the AISC Shapes Database v16.0, in inches (US units unless --units
            metric): the design wall tdes in every property, corners of radii 2t and t, Ixx
            and Iyy with the database's corner term (64/(27 pi)) t^4, the weight from the
            nominal wall; results to 3 significant figures, W to 2 decimals

A SIZE is a designation of a chosen catalogue exactly as its list writes it ("100x100x5.0",
"15NBx2.0(L)", "42.4x3.2"; AISC in any case and either spelling, "HSS8X4X1/4" or
"HSS8X4X.250"), or a size of one's own in the units in force (millimetres unless --units
us or AISC): RHS:DxBxt, SHS:DxBxt or CHS:Dxt (D the depth or outside diameter, B the width,
t the wall thickness), such as RHS:250x150x8 or CHS:60.3x3.2, computed with the geometry of
the one catalogue chosen; for AISC t is the nominal wall, and the properties take the design
wall 0.93t to three decimals of an inch, as the database does.

Options:
)usage";

// After the options.
constexpr std::string_view usageEnd = R"usage(
Conditions and sorting compare the numbers the texts show.
The lightest RHS with Zxx of at least 50 cm^3 and ryy of at least 2 cm:
  kavrel-table --family RHS --where 'Zxx>=50' --where 'ryy>=2' --sort W --limit 1
A size of one's own beside a catalogue size, with the plastic moduli and the true pi:
  kavrel-table --columns designation,A,Zxx,Zpx --pi exact --format text RHS:250x150x8 200x100x8.0
The lightest hot-finished SHS with a plastic modulus of at least 100 cm^3:
  kavrel-table --catalogue EN10210 --family SHS --where 'Zpx>=100' --sort W --limit 1
Cold-formed sizes with three significant figures, as the published tables print them:
  kavrel-table --catalogue EN10219 --significant 3 --format text 50x25x2.0 CHS:48.3x3.2
The AISC database's figures of an HSS, in inches, and the same in metric units:
  kavrel-table --catalogue AISC --format text HSS8X4X1/4
  kavrel-table --catalogue AISC --units metric --format text HSS8X4X1/4
The working of a size as a page to print from a browser:
  kavrel-table --explain --format html 50x25x2.0 > sheet.html
The lightest cold-formed SHS in S355 that carries 800 kN over 3.5 m:
  kavrel-table --catalogue EN10219 --family SHS --grade S355 --length 3.5 --where 'NbRd>=800' --sort W --limit 1
The lightest IS SHS in YSt310, hot rolled, at least compact in bending, carrying 500 kN at KL = 3 m:
  kavrel-table --family SHS --grade YSt310 --forming hot --length 3 --where 'classMx<=compact' --where 'NbRd>=500' --sort W --limit 1

Columns (all but Zpx, Zpy and catalogue are written when --columns is not given), with
their metric units (--units us: in, in^2, lb/ft, in^4, in^3, in, ft^2/ft):
  family, designation
  depth, width, thickness  mm (AISC: thickness is the design wall)
)usage";

// The AISC names of Kavrel's columns, after the columns.
constexpr std::string_view aiscNames = R"usage(
In the AISC Manual's names: Zxx and Zyy are Sx and Sy (elastic section moduli), Zpx and
Zpy are Zx and Zy (plastic section moduli), rxx and ryy are rx and ry, J and C are J and
C; Kavrel's S is the outer surface area per length, not a section modulus.
)usage";

std::string helpText() {
    std::string text = std::string(usage) + optionsHelp() + std::string(usageEnd);
    const auto describe = [&text](const auto& result) {
        text += "  " + std::string(result.column) + std::string(8 - result.column.size(), ' ') +
                std::string(result.meaning) + ", " + std::string(result.unit) + "\n";
    };
    for (const ResultDescription& result : findResults) {
        describe(result);
    }
    for (const PlasticDescription& result : plasticResults) {
        describe(result);
    }
    text += "  catalogue  IS, EN10210, EN10219 or AISC; --columns all writes it first when\n"
            "           --catalogue is given\n";
    text += aiscNames;
    text += "\nWith --grade (written without --columns: family, designation, W and these but Aeff,"
            "\nWeffx and Weffy; --columns all adds them all; ratios with two decimals, kN and kNm"
            "\nwith one, fy with none; empty where the rules give no figure; Aeff, Weffx and"
            "\nWeffy for the EN catalogues only, TdRd for IS only):\n";
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

// The sheets of the request's sizes; a size whose formulas fail has its sheet up to the
// failing step, and the status the table gives it.
int explain(const TableRequest& request, std::string_view formatText, const SheetFields& fields) {
    SheetFormat format = SheetFormat::Text;
    if (!formatText.empty()) {
        const auto parsed = parseSheetFormat(formatText);
        if (const auto* error = std::get_if<TableError>(&parsed)) {
            return usageError("--format " + quoted(formatText) + ": " + error->message);
        }
        format = std::get<SheetFormat>(parsed);
    }
    const ExplainOutcome outcome = explainSizes(request, format, fields);
    if (outcome.error && outcome.bytes.empty() && outcome.leftOut.empty()) {
        return usageError(outcome.error->message);
    }
    // A size the families leave out is said, not silently dropped; none left is a failure.
    for (const std::string& reason : outcome.leftOut) {
        std::fprintf(stderr, "kavrel-table: %s\n", reason.c_str());
    }
    if (outcome.sheetCount == 0 && !outcome.leftOut.empty()) {
        return 1;
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
    const auto parsed = parseCommandLine({argv + 1, static_cast<std::size_t>(argc - 1)});
    if (const auto* error = std::get_if<TableError>(&parsed)) {
        return usageError(error->message);
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    const TableRequest& request = line.request;
    if (line.help) {
        return write(stdout, helpText()) ? 0 : 1;
    }
    if (line.version) {
        return write(stdout, "kavrel-table " + std::string(kavrel::version) + "\n") ? 0 : 1;
    }
    if (line.explaining) {
        if (!line.tableOnly.empty()) {
            return usageError(std::string(line.tableOnly) + " does not apply to --explain");
        }
        return explain(request, line.formatText, line.sheetFields);
    }
    if (!line.sheetOnly.empty()) {
        return usageError(std::string(line.sheetOnly) + " applies to --explain only");
    }
    if (line.formatText == "html") {
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
