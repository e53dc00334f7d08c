#include "design/design.hpp"
#include "design/design_columns.hpp"
#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "sheet/explain.hpp"
#include "table/section_table.hpp"
#include "table/table_rows.hpp"
#include "table/table_sizes.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <numbers>
#include <string>
#include <vector>

namespace kavrel {
namespace {

// An IS size or a size of one's own, as the table takes it.
DesignSection section(const std::string& argument) {
    const Catalogue catalogues[] = {Catalogue::IS};
    static std::deque<TableSize> kept; // the designation's text outlives the section
    kept.push_back(std::get<TableSize>(sizeOf(argument, catalogues)));
    const TableSize& size = kept.back();
    const auto read = [](const std::optional<std::string>& f) { return readNumber(f).value_or(0); };
    const double depth = read(size.dimensions.depth);
    return {Catalogue::IS,
            size.family,
            size.designation,
            depth,
            size.family == SectionFamily::CHS ? depth : read(size.dimensions.width),
            read(size.dimensions.thickness),
            {}};
}

DesignRequest is(DesignRequest request) {
    request.code = &is800;
    return request;
}

DesignResults designOf(const std::string& size, const DesignRequest& request,
                       StepLog* log = nullptr) {
    auto outcome = designResults(section(size), request, std::nullopt, log);
    if (auto* error = std::get_if<DesignError>(&outcome)) {
        ADD_FAILURE() << size << ": " << error->message;
        return {};
    }
    return std::get<DesignResults>(std::move(outcome));
}

// The last step of this name in a sheet's log.
const RecordedStep* stepNamed(const StepLog& log, std::string_view name) {
    const RecordedStep* found = nullptr;
    for (const RecordedStep& step : log.steps) {
        if (step.name.name == name) {
            found = &step;
        }
    }
    return found;
}

double relativeError(double ours, double published) {
    return std::abs(ours - published) / published;
}

// A published calculation of SHS 150x150x5.0 to IS 800, fy 250, hot rolled (class a),
// KL = 3 m, takes E = 205 000 N/mm^2 and gives fcd 205.06 N/mm^2 and Pd 581.56 kN; with D - 3t
// it finds b/t = 27, compression semi-compact, bending plastic. Its area is the exact one to
// four figures, so the library given the same E agrees within 0.1 %.
TEST(Is800, WorkedExampleShs150x5WithThePublishedModulus) {
    DesignCode published = is800;
    published.youngsModulus = 205000;
    DesignRequest request{.fy = 250.0,
                          .flatWidth = FlatWidth::ThreeT,
                          .lengths = {{"3", 3.0}},
                          .code = &published,
                          .forming = FormingRoute::HotFinished};
    StepLog log;
    const DesignResults r = designOf("150x150x5.0", request, &log);
    const RecordedStep* fcd = stepNamed(log, "fcdx");
    ASSERT_NE(fcd, nullptr);
    EXPECT_LT(relativeError(fcd->value, 205.06), 0.001) << fcd->value;
    ASSERT_EQ(r.buckling.size(), 1U);
    EXPECT_LT(relativeError(*r.buckling[0].nbRd.value, 581.56), 0.001) << *r.buckling[0].nbRd.value;
    EXPECT_EQ(r.cB_t.text, "27.00");
    EXPECT_EQ(r.classN.text, "semi-compact");
    EXPECT_EQ(r.classMx.text, "plastic");
    EXPECT_EQ(stepNamed(log, "alpha")->value, 0.21);
}

// The same with IS 800's own E = 2 x 10^5 and the default 2t width, as the tool gives it.
TEST(Is800, WorkedExampleShs150x5AsTheToolGivesIt) {
    StepLog log;
    const DesignResults r = designOf(
        "150x150x5.0",
        is({.fy = 250.0, .lengths = {{"3", 3.0}}, .forming = FormingRoute::HotFinished}), &log);
    EXPECT_EQ(formatResult(stepNamed(log, "fcdx")->value, Pattern::Dec1), "204.5");
    EXPECT_EQ(r.buckling.at(0).nbRd.text, "579.8");
    EXPECT_EQ(r.cB_t.text, "28.00");
    EXPECT_EQ(r.classN.text, "semi-compact");
    EXPECT_EQ(r.classMx.text, "plastic");
}

// SHS 125x125x6 of one's own in fy 250: d/t within 84 eps (plastic), Tdg about 628 kN.
TEST(Is800, WorkedExampleOwnShs125x6) {
    const DesignResults r = designOf("SHS:125x125x6", is({.fy = 250.0}));
    EXPECT_LE(*r.cD_t.value, 84.0);
    EXPECT_EQ(r.classMx.text, "plastic");
    EXPECT_EQ(r.tdRd.text, "628.0");
}

// A ratio equal to a limit is in the better class; a little above, in the next. fy 250 makes
// eps 1, so each limit is Table 2's factor itself and the sizes give it exactly.
TEST(Is800, RatiosAtEachLimitOfTable2) {
    struct Row {
        std::string_view name;
        std::string size;
        DesignValue DesignResults::*klass;
        std::string_view expected;
    };
    const Row rows[] = {
        {"flange at 29.3, plastic", "SHS:313x313x10", &DesignResults::classMx, "plastic"},
        {"flange above 29.3, compact", "SHS:313.1x313.1x10", &DesignResults::classMx, "compact"},
        {"flange at 33.5, compact", "SHS:355x355x10", &DesignResults::classMx, "compact"},
        {"flange above 33.5", "SHS:355.1x355.1x10", &DesignResults::classMx, "semi-compact"},
        {"flange at 42", "SHS:440x440x10", &DesignResults::classMx, "semi-compact"},
        {"flange above 42", "SHS:440.1x440.1x10", &DesignResults::classMx, "slender"},
        {"walls in compression at 42", "SHS:440x440x10", &DesignResults::classN, "semi-compact"},
        {"walls in compression above 42", "SHS:440.1x440.1x10", &DesignResults::classN, "slender"},
        {"walls in compression never better than semi-compact", "SHS:100x100x10",
         &DesignResults::classN, "semi-compact"},
        {"web at 84, plastic", "RHS:860x100x10", &DesignResults::classMx, "plastic"},
        {"web above 84", "RHS:860.1x100x10", &DesignResults::classMx, "compact"},
        {"web at 105", "RHS:1070x100x10", &DesignResults::classMx, "compact"},
        {"web above 105", "RHS:1070.1x100x10", &DesignResults::classMx, "semi-compact"},
        {"web at 126", "RHS:1280x100x10", &DesignResults::classMx, "semi-compact"},
        {"web above 126", "RHS:1280.1x100x10", &DesignResults::classMx, "slender"},
        {"the same walls as flange about y-y", "RHS:860x100x10", &DesignResults::classMy,
         "slender"},
        {"tube moment at 42", "CHS:420x10", &DesignResults::classMx, "plastic"},
        {"tube moment above 42", "CHS:420.1x10", &DesignResults::classMx, "compact"},
        {"tube moment at 52", "CHS:520x10", &DesignResults::classMx, "compact"},
        {"tube moment above 52", "CHS:520.1x10", &DesignResults::classMy, "semi-compact"},
        {"tube moment at 146", "CHS:1460x10", &DesignResults::classMx, "semi-compact"},
        {"tube moment above 146", "CHS:1460.1x10", &DesignResults::classMx, "slender"},
        {"tube compression at 88", "CHS:880x10", &DesignResults::classN, "semi-compact"},
        {"tube compression above 88", "CHS:880.1x10", &DesignResults::classN, "slender"},
    };
    for (const Row& row : rows) {
        const DesignResults r = designOf(row.size, is({.fy = 250.0}));
        EXPECT_EQ((r.*row.klass).text, row.expected) << row.name;
    }
}

// SHS 180x180x4.0 in fy 250: d/t = 43 with D - 2t, slender, with no compression, bending or
// buckling resistance; 42 with D - 3t, semi-compact at the limit, with all of them.
TEST(Is800, FlatWidthRuleDecidesSlenderOrSemiCompact) {
    const std::vector<BucklingLength> lengths = {{"3", 3.0}};
    const DesignResults twoT = designOf("180x180x4.0", is({.fy = 250.0, .lengths = lengths}));
    EXPECT_EQ(twoT.cD_t.text, "43.00");
    EXPECT_EQ(twoT.classN.text, "slender");
    EXPECT_EQ(twoT.classMx.text, "slender");
    for (const DesignValue* none : {&twoT.ncRd, &twoT.mcRdx, &twoT.mcRdy, &twoT.buckling.at(0).nbRd,
                                    &twoT.buckling.at(0).nbRdx}) {
        EXPECT_FALSE(none->value);
        EXPECT_EQ(none->text, "");
    }
    EXPECT_TRUE(twoT.tdRd.value); // yielding in tension does not buckle a wall
    EXPECT_TRUE(twoT.vplRdx.value);

    const DesignResults threeT = designOf(
        "180x180x4.0", is({.fy = 250.0, .flatWidth = FlatWidth::ThreeT, .lengths = lengths}));
    EXPECT_EQ(threeT.cD_t.text, "42.00");
    EXPECT_EQ(threeT.classN.text, "semi-compact");
    EXPECT_EQ(threeT.classMx.text, "semi-compact");
    EXPECT_TRUE(threeT.ncRd.value);
    EXPECT_TRUE(threeT.buckling.at(0).nbRd.value);
}

// The sheet says why a slender section has no resistance, in the words.
TEST(Is800, SheetSaysWhySlenderHasNone) {
    StepLog log;
    designOf("180x180x4.0", is({.fy = 250.0}), &log);
    const RecordedStep* none = stepNamed(log, "noNcRd");
    ASSERT_NE(none, nullptr);
    EXPECT_NE(std::string(none->name.meaning)
                  .find("slender: IS 800 7.3.2's effective area is not given here"),
              std::string::npos);
    EXPECT_EQ(none->value, 43.0);
}

// Md = beta_b Zp fy / gm0, at most 1.2 Ze fy / gm0: a thick tube's Zp exceeds 1.2 Ze, so the
// limit governs; a thin SHS's does not; a semi-compact section takes Ze.
TEST(Is800, BendingTakesTheSmallerLimitAndSaysWhich) {
    struct Row {
        std::string_view name;
        std::string size;
        bool capped;
    };
    for (const Row& row : {Row{"thick tube, 1.2 Ze governs", "CHS:100x20", true},
                           Row{"thin SHS, beta_b Zp governs", "150x150x5.0", false}}) {
        StepLog log;
        const DesignResults r = designOf(row.size, is({.fy = 250.0}), &log);
        const double plastic = stepNamed(log, "Mdbx")->value;
        const double cap = stepNamed(log, "Mdex")->value;
        EXPECT_EQ(cap < plastic, row.capped) << row.name;
        EXPECT_EQ(*r.mcRdx.value, row.capped ? cap : plastic) << row.name;
        const std::string said(stepNamed(log, "McRdx")->name.meaning);
        EXPECT_NE(said.find(row.capped ? "1.2 Ze fy / gm0 governs" : "beta_b Zp fy / gm0 governs"),
                  std::string::npos)
            << row.name;
    }
    // The limit of the tube by hand: Ze = pi (D^4 - Di^4) / (32 D), D = 100, Di = 60 mm.
    StepLog tube;
    designOf("CHS:100x20", is({.fy = 250.0}), &tube);
    const double ze = std::numbers::pi * (1e8 - 1.296e7) / 3200 / 1000; // cm^3
    EXPECT_NEAR(stepNamed(tube, "Mdex")->value, 0.001 * 1.2 * ze * 250 / 1.1, 1e-9);
    // Semi-compact: beta_b = Ze/Zp, so Md = Ze fy / gm0.
    StepLog log;
    const DesignResults semi =
        designOf("180x180x4.0", is({.fy = 250.0, .flatWidth = FlatWidth::ThreeT}), &log);
    ASSERT_EQ(semi.classMx.text, "semi-compact");
    EXPECT_NEAR(*semi.mcRdx.value, stepNamed(log, "Mdex")->value / 1.2, 1e-9);
}

// Table 10: hot rolled class a (alpha 0.21), cold formed class b (0.34), cold the default.
TEST(Is800, BucklingClassByFormingRoute) {
    struct Row {
        std::string_view name;
        std::optional<FormingRoute> forming;
        double alpha;
    };
    const Row rows[] = {{"default", std::nullopt, 0.34},
                        {"cold", FormingRoute::ColdFormed, 0.34},
                        {"hot", FormingRoute::HotFinished, 0.21}};
    std::vector<double> strengths;
    for (const Row& row : rows) {
        StepLog log;
        const DesignResults r =
            designOf("100x100x4.0",
                     is({.fy = 310.0, .lengths = {{"4", 4.0}}, .forming = row.forming}), &log);
        EXPECT_EQ(stepNamed(log, "alpha")->value, row.alpha) << row.name;
        strengths.push_back(*r.buckling.at(0).nbRd.value);
    }
    EXPECT_EQ(strengths[0], strengths[1]);
    EXPECT_LT(strengths[1], strengths[2]);
}

// KL/r over 180 is said in the sheet, and the resistance is still given.
TEST(Is800, SlendernessOver180IsSaidAndStillComputed) {
    StepLog log;
    const DesignResults r = designOf("50x50x2.6", is({.fy = 250.0, .lengths = {{"5", 5.0}}}), &log);
    const RecordedStep* ratio = stepNamed(log, "KLrx");
    ASSERT_NE(ratio, nullptr);
    EXPECT_GT(ratio->value, 180);
    EXPECT_NE(std::string(ratio->name.meaning).find("above 180"), std::string::npos);
    EXPECT_TRUE(r.buckling.at(0).nbRd.value);
}

// The grades of IS 4923 and IS 1161: one fy for every wall; eps = sqrt(250 / fy) unrounded.
TEST(Is800, GradesGiveTheirYieldStrengthForEveryWall) {
    const std::pair<SteelGrade, std::string_view> grades[] = {{SteelGrade::YSt210, "210"},
                                                              {SteelGrade::YSt240, "240"},
                                                              {SteelGrade::YSt310, "310"},
                                                              {SteelGrade::YSt355, "355"}};
    for (const auto& [grade, fy] : grades) {
        for (const std::string size : {"50x50x2.6", "SHS:200x200x12", "CHS:60.3x3.2"}) {
            StepLog log;
            const DesignResults r = designOf(size, is({.grade = grade}), &log);
            EXPECT_EQ(r.fy.text, fy) << size;
            EXPECT_EQ(stepNamed(log, "eps")->value, std::sqrt(250.0 / *readNumber(fy)));
            EXPECT_EQ(stepNamed(log, "gM0")->value, 1.10);
        }
    }
    // A given fy: the grade chooses nothing else in IS 800, and an EN grade is refused still.
    StepLog log;
    EXPECT_EQ(designOf("100x100x4.0", is({.grade = SteelGrade::YSt310, .fy = 250.0}), &log).fy.text,
              "250");
    EXPECT_EQ(std::string(stepNamed(log, "fy")->name.meaning),
              "yield strength as given (--fy) for every size");
    for (const std::optional<double> fy : {std::optional<double>(), std::optional(250.0)}) {
        const DesignOutcome wrong =
            designResults(section("100x100x4.0"), is({.grade = SteelGrade::S355, .fy = fy}));
        ASSERT_TRUE(std::holds_alternative<DesignError>(wrong));
        EXPECT_EQ(std::get<DesignError>(wrong).message,
                  "S355 is not a grade of IS 4923 and IS 1161, the steel of the IS sizes");
    }
}

// The exact geometry of the resistances is the window's own (corners 2t and t): with the
// true pi the window's formulas show the same A, Ixx and Iyy for every IS size.
TEST(Is800, ExactGeometryIsTheWindowsWithTheTruePi) {
    const Catalogue catalogues[] = {Catalogue::IS};
    int sizes = 0;
    for (const TableSize& size : catalogueSizes(catalogues)) {
        const auto shown = std::get<SectionResults>(
            resultsOf(Catalogue::IS, size.family, size.dimensions, std::numbers::pi));
        StepLog log;
        designOf(size.designation, is({.fy = 250.0}), &log);
        const bool tube = size.family == SectionFamily::CHS;
        const auto text = [&](std::string_view name) {
            return formatResult(stepNamed(log, name)->value, Pattern::Int4Dec2);
        };
        EXPECT_EQ(text("A"), shown.properties.a) << size.designation;
        EXPECT_EQ(text(tube ? "I" : "Ixx"), shown.properties.ixx) << size.designation;
        EXPECT_EQ(text(tube ? "I" : "Iyy"), shown.properties.iyy) << size.designation;
        ++sizes;
    }
    EXPECT_EQ(sizes, 191);
}

// The resistances take the exact geometry whatever pi the shown properties take.
TEST(Is800, ResistancesIgnoreThePiOfTheShownProperties) {
    const auto csv = [](std::optional<double> pi, std::vector<std::string> columns) {
        return std::get<std::string>(
            sectionTable({.sizes = {"280x280x10", "15NBx2.0(L)"},
                          .columns = std::move(columns),
                          .pi = pi,
                          .design = {.grade = SteelGrade::YSt310, .lengths = {{"3", 3.0}}}}));
    };
    const std::vector<std::string> shown = {"A", "Ixx"};
    EXPECT_NE(csv(std::nullopt, shown), csv(std::numbers::pi, shown)); // A as shown follows pi
    const std::vector<std::string> resistances = {"TdRd", "NcRd", "McRdx", "VplRdx", "NbRd"};
    EXPECT_EQ(csv(std::nullopt, resistances), csv(std::numbers::pi, resistances));
}

// The sheet of an IS size with --grade: the exact geometry said, each width with its rule, the
// Table 2 limits, the classes in words, the clauses, and per length KL/r, the class and fcd.
TEST(Is800, SheetWorksTheResistancesClauseByClause) {
    const ExplainOutcome sheet = explainSizes({.sizes = {"150x150x5.0", "180x180x4.0"},
                                               .design = {.fy = 250.0, .lengths = {{"12", 12.0}}}},
                                              SheetFormat::Text);
    ASSERT_FALSE(sheet.error) << sheet.error->message;
    for (const std::string_view said :
         {"the true pi, no shown text read back, whatever pi the properties above take",
          "D - 2t, the clear width of IS 800 Fig. 2 (flat width rule 2t)",
          "limit of plastic, 29.3 eps: internal element of a compression flange",
          "class in bending about x-x, the worse of the compression flange (b/t 28.00 <= 29.30: "
          "plastic) and the webs (d/t 28.00 <= 84.00: plastic): plastic",
          "(d/t 43.00 > 42.00: slender; b/t 43.00 > 42.00: slender): slender",
          "Tdg = A fy / gm0 (IS 800:2007, 6.2)",
          "beta_b Zp fy / gm0 governs (IS 800:2007, 8.2.1.2)", "(IS 800:2007, 8.4)",
          "imperfection factor of buckling class b, hollow section cold formed (--forming "
          "cold, the default where the route is not known)",
          "above 180, the limit of a member carrying compression (IS 800:2007, Table 3)",
          "design compressive stress, (fy / gm0) / (phi + sqrt(phi^2 - lam^2))",
          "slender: IS 800 7.3.2's effective area is not given here"}) {
        // The text sheet wraps its lines: compare with the line breaks taken out.
        std::string flat;
        for (const char c : sheet.bytes) {
            if (c == '\n') {
                if (!flat.empty() && flat.back() != ' ') {
                    flat += ' ';
                }
            } else if (c != ' ' || (!flat.empty() && flat.back() != ' ')) {
                flat += c;
            }
        }
        EXPECT_NE(flat.find(said), std::string::npos) << said;
    }
}

// The table: IS columns and words, empty cells and JSON null for a slender section, the
// classes compared by merit, and the usage errors of the other code's options.
TEST(Is800Table, ColumnsCellsAndOrderOfMerit) {
    const std::string csv =
        std::get<std::string>(sectionTable({.sizes = {"180x180x4.0", "150x150x5.0"},
                                            .design = {.fy = 250.0, .lengths = {{"3", 3.0}}}}));
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "family,designation,W,fy,cD_t,cB_t,D_t,classN,classMx,classMy,NcRd,McRdx,"
              "McRdy,VplRdx,VplRdy,TdRd,NbRdx,NbRdy,NbRd");
    EXPECT_NE(csv.find("SHS,180x180x4.0,21.78,250,43.00,43.00,,slender,slender,slender,"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",,,,"), std::string::npos) << csv;

    const std::string json = std::get<std::string>(sectionTable({.sizes = {"180x180x4.0"},
                                                                 .columns = {"classN", "NcRd"},
                                                                 .format = TableFormat::Json,
                                                                 .design = {.fy = 250.0}}));
    EXPECT_EQ(json, "[\n{\"classN\":\"slender\",\"NcRd\":null}\n]\n");

    const auto designations = [](std::vector<Condition> where,
                                 std::optional<SortKey> sort = std::nullopt) {
        const auto rows = std::get<TableRows>(
            tableRows({.sizes = {"180x180x4.0", "150x150x5.0", "SHS:355x355x10"},
                       .conditions = std::move(where),
                       .sort = std::move(sort),
                       .design = {.fy = 250.0}}));
        std::string out;
        for (const ShownRow& row : rows.rows) {
            out += row.texts[1] + " ";
        }
        return out;
    };
    const auto condition = [](std::string_view text) {
        return std::get<Condition>(parseCondition(text));
    };
    EXPECT_EQ(designations({condition("classMx<=compact")}), "150x150x5.0 SHS:355x355x10 ");
    EXPECT_EQ(designations({condition("classMx=plastic")}), "150x150x5.0 ");
    EXPECT_EQ(designations({condition("classMx>semi-compact")}), "180x180x4.0 ");
    EXPECT_EQ(designations({}, SortKey{"classMx"}), "150x150x5.0 SHS:355x355x10 180x180x4.0 ");
    EXPECT_EQ(designations({}, SortKey{"classMx", true}),
              "180x180x4.0 SHS:355x355x10 150x150x5.0 ");
}

// The library itself refuses an option of the other code rather than taking its own rule.
TEST(Is800, LibraryRefusesTheOtherCodesOptions) {
    DesignSection en = section("100x100x4.0");
    en.catalogue = Catalogue::EN10219;
    const std::pair<DesignRequest, DesignSection> cases[] = {
        {{.grade = SteelGrade::S355, .flatWidth = FlatWidth::TwoT}, en},
        {{.grade = SteelGrade::S355, .forming = FormingRoute::HotFinished}, en},
        {is({.fy = 250.0, .gammaM1 = 1.25}), section("100x100x4.0")},
    };
    for (const auto& [request, on] : cases) {
        EXPECT_TRUE(std::holds_alternative<DesignError>(designResults(on, request)));
    }
}

TEST(Is800Table, UsageErrorsOfTheOtherCode) {
    struct Row {
        std::string_view name;
        TableRequest request;
        std::string_view says;
    };
    const std::vector<Catalogue> en = {Catalogue::EN10219};
    const Row rows[] = {
        {"an IS grade with an EN catalogue",
         {.catalogues = en, .design = {.grade = SteelGrade::YSt310}},
         "--grade YSt310 is not a grade of the EN10219 sizes"},
        {"an EN grade with IS",
         {.design = {.grade = SteelGrade::S355}},
         "--grade S355 is not a grade of the IS sizes"},
        {"--forming with EN",
         {.catalogues = en,
          .design = {.grade = SteelGrade::S355, .forming = FormingRoute::HotFinished}},
         "--forming is for the IS catalogue"},
        {"--flat-width 2t with EN",
         {.catalogues = en, .design = {.grade = SteelGrade::S355, .flatWidth = FlatWidth::TwoT}},
         "--flat-width 2t is for the IS catalogue"},
        {"--fy alone with EN", {.catalogues = en, .design = {.fy = 300.0}}, "--fy needs --grade"},
        {"--forming without a grade",
         {.design = {.forming = FormingRoute::ColdFormed}},
         "--forming needs --grade"},
        {"--gamma-m1 with IS",
         {.design = {.fy = 250.0, .gammaM1 = 1.3}},
         "--gamma-m1: the IS 800 resistances given here take gamma_m0 only"},
        {"IS and EN together",
         {.catalogues = {Catalogue::IS, Catalogue::EN10210}, .design = {.fy = 250.0}},
         "one code at a time"},
        {"an EN column with IS",
         {.columns = {"Aeff"}, .design = {.fy = 250.0}},
         "column \"Aeff\" is not given by IS 800:2007"},
        {"TdRd with EN",
         {.columns = {"TdRd"}, .catalogues = en, .design = {.grade = SteelGrade::S355}},
         "column \"TdRd\" is not given by EN 1993-1-1"},
    };
    for (const Row& row : rows) {
        const TableOutcome outcome = sectionTable(row.request);
        const auto* error = std::get_if<TableError>(&outcome);
        ASSERT_NE(error, nullptr) << row.name;
        EXPECT_EQ(error->kind, TableError::Kind::BadRequest) << row.name;
        EXPECT_NE(error->message.find(row.says), std::string::npos)
            << row.name << ": " << error->message;
    }
}

} // namespace
} // namespace kavrel
