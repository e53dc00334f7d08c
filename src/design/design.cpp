#include "design/design.hpp"

#include "design/design_steps.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kavrel {
namespace {

std::string shortest(double x) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    return {buffer, end};
}

// The yield strength and what it comes from, or why there is none.
struct Yield {
    double fy;
    std::string meaning;
};

std::variant<Yield, DesignError> yieldOf(const DesignSection& section,
                                         const DesignRequest& request) {
    const ProductStandard* standard = productStandardOf(section.catalogue);
    if (request.grade &&
        std::ranges::find(standard->grades, *request.grade) == standard->grades.end()) {
        return DesignError{std::string(gradeName(*request.grade)) + " is not a grade of " +
                           std::string(standard->name) + ", the steel of the " +
                           std::string(describe(section.catalogue).name) + " sizes"};
    }
    // Where a grade chooses nothing but fy, a given fy leaves it nothing to choose.
    if (!request.grade || (request.fy && request.code->fyAlone)) {
        return Yield{*request.fy, "yield strength as given (--fy) for every size"};
    }
    const std::string grade(gradeName(*request.grade));
    if (request.fy) {
        return Yield{*request.fy, "yield strength as given (--fy) for every size; the grade " +
                                      grade + " chooses the buckling curve"};
    }
    const auto strength = yieldStrengthOf(*standard, *request.grade, section.thickness);
    if (!strength) {
        return DesignError{
            "\"" + std::string(section.designation) + "\": t = " + shortest(section.thickness) +
            " mm is beyond the thickness bands of " + std::string(standard->name) + " (up to " +
            shortest(standard->bands.back().upTo) + " mm): no fy of " + grade + "; --fy gives one"};
    }
    return Yield{strength->fy, "yield strength of " + grade + " for " +
                                   std::string(strength->band->words) + ", the minimum of " +
                                   std::string(standard->name)};
}

bool inRange(std::optional<double> x, double low, double high) {
    return !x || (std::isfinite(*x) && *x >= low && *x <= high);
}

} // namespace

std::optional<std::string> checkDesignRequest(const DesignRequest& request) {
    if (!inRange(request.fy, 100, 1000)) {
        return "fy must be 100 to 1000 N/mm^2";
    }
    if (!inRange(request.gammaM0, 1, 2) || !inRange(request.gammaM1, 1, 2)) {
        return "a partial factor must be 1.0 to 2.0";
    }
    for (const BucklingLength& length : request.lengths) {
        if (!(std::isfinite(length.metres) && length.metres > 0)) {
            return "a buckling length must be a positive number of metres";
        }
    }
    return std::nullopt;
}

DesignOutcome designResults(const DesignSection& section, const DesignRequest& request,
                            std::optional<int> significant, StepLog* log) {
    if (!productStandardOf(section.catalogue)) {
        return DesignError{"design resistances are given for the EN catalogues (EN10210, "
                           "EN10219), not for " +
                           std::string(describe(section.catalogue).name)};
    }
    const DesignCode& code = *request.code;
    if (!request.asked()) {
        return DesignError{std::string(code.name) + " needs a grade" +
                           (code.fyAlone ? " or a yield strength" : "")};
    }
    // An option of another code is refused, not silently taken for this code's own rule.
    const std::string name(code.name);
    if (request.flatWidth == FlatWidth::TwoT && !code.twoTWidth) {
        return DesignError{name + " does not take the flat width 2t"};
    }
    if (request.forming && !code.formingChosen) {
        return DesignError{name + " takes the forming route of the catalogue's product standard"};
    }
    if (request.gammaM1 && !code.gammaM1Taken) {
        return DesignError{"no resistance to " + name + " given here takes gamma_M1"};
    }
    auto yield = yieldOf(section, request);
    if (auto* error = std::get_if<DesignError>(&yield)) {
        return std::move(*error);
    }
    const Yield& y = std::get<Yield>(yield);
    Steps s(defaultSeparator, significant, log);
    const SectionValues& v = section.values;
    design::Context c{s,
                      log,
                      code,
                      section,
                      request,
                      significant,
                      s.symbol(section.depth, "D"),
                      s.symbol(section.width, "B"),
                      s.symbol(section.thickness, "t"),
                      s.symbol(v.a, "A"),
                      s.symbol(v.ixx, "Ixx"),
                      s.symbol(v.iyy, "Iyy"),
                      s.symbol(v.zxx, "Zxx"),
                      s.symbol(v.zyy, "Zyy"),
                      s.symbol(v.zpx, "Zpx"),
                      s.symbol(v.zpy, "Zpy"),
                      0,
                      0,
                      0,
                      0};
    DesignResults out;
    if (section.catalogue == Catalogue::IS) {
        design::exactGeometry(c);
    }
    s.part(c.kept([&] {
        return (request.grade ? "Steel " + std::string(gradeName(*request.grade)) : "Steel") +
               std::string(" and partial factors (" + std::string(code.clauses.materials) + ", " +
                           std::string(code.clauses.partialFactors) +
                           "); A, I, Z and Zp unrounded");
    }));
    c.fy = c.shown(y.fy, {"fy", c.kept([&] { return std::string(y.meaning); }), "N/mm^2"},
                   Pattern::Dec0, out.fy);
    c.eps =
        s.step({"eps", c.kept([&] {
                    return std::string("epsilon, sqrt(" + shortest(code.fyReference) + " / fy)");
                }),
                ""},
               s.squareRoot(s.divide(code.fyReference, c.fy)));
    c.gM0 = s.step({"gM0", code.gammaM0Meaning, ""}, request.gammaM0.value_or(code.gammaM0));
    c.gM1 = s.step({"gM1", code.gammaM1Meaning, ""}, request.gammaM1.value_or(code.gammaM1));

    if (code.work) {
        code.work(c, out);
    } else if (const design::Classes classes = design::classify(c, out); classes.n) {
        const design::EffectiveSection effective = design::effectiveSection(c, classes, out);
        design::resistances(c, classes, effective, out);
    } else {
        out.buckling.resize(request.lengths.size());
    }
    auto finished = s.finish(std::move(out));
    if (auto* results = std::get_if<DesignResults>(&finished)) {
        return std::move(*results);
    }
    return DesignError{"\"" + std::string(section.designation) +
                       "\": no design resistances can be computed for it"};
}

} // namespace kavrel
