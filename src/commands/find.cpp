#include "commands/find.hpp"

#include "catalogue/catalogue.hpp"

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
    return propertiesOf(Catalogue::IS, family, dimensions, findPi, separator);
}

} // namespace kavrel
