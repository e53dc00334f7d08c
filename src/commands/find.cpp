#include "commands/find.hpp"

#include "catalogue/catalogue.hpp"
#include "properties/formulas.hpp"

namespace kavrel {

FindInputs findInputsFor(SectionFamily family, std::string_view designation) {
    FindInputs inputs;
    switch (family) {
    case SectionFamily::RHS:
        inputs.rhsText = designation;
        inputs.rhsSelected = true;
        break;
    case SectionFamily::SHS:
        inputs.shsText = designation;
        inputs.shsSelected = true;
        break;
    case SectionFamily::CHS:
        inputs.chsText = designation;
        break;
    }
    return inputs;
}

FindOutcome find(const FindInputs& inputs, std::string_view separator) {
    const SectionDimensions dimensions =
        lookupDimensions(inputs.rhsText, inputs.shsText, inputs.chsText);
    const SectionFamily family = inputs.rhsSelected   ? SectionFamily::RHS
                                 : inputs.shsSelected ? SectionFamily::SHS
                                                      : SectionFamily::CHS;
    return propertiesOf(family, dimensions, findPi, separator);
}

FindOutcome propertiesOf(SectionFamily family, const SectionDimensions& dimensions, double pi,
                         std::string_view separator) {
    if (family == SectionFamily::CHS) {
        return circularProperties(dimensions, pi, separator);
    }
    return rectangularProperties(dimensions, pi, separator);
}

PlasticOutcome plasticModuliOf(SectionFamily family, const SectionDimensions& dimensions, double pi,
                               std::string_view separator) {
    if (family == SectionFamily::CHS) {
        return circularPlasticModuli(dimensions, separator);
    }
    return rectangularPlasticModuli(dimensions, pi, separator);
}

} // namespace kavrel
