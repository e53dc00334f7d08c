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
    const double pi = 22.0 / 7.0; // as every formula takes it, never the true value
    const SectionDimensions dimensions =
        lookupDimensions(inputs.rhsText, inputs.shsText, inputs.chsText);
    if (inputs.rhsSelected || inputs.shsSelected) {
        return rectangularProperties(dimensions, pi, separator);
    }
    return circularProperties(dimensions, pi, separator);
}

} // namespace kavrel
