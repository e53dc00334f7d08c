#include "commands/section_table.hpp"

#include "catalogue/catalogue.hpp"
#include "commands/find.hpp"
#include "properties/result_descriptions.hpp"

#include <variant>

namespace kavrel {

SectionTable sectionTable() {
    SectionTable table;
    std::string& csv = table.csv;
    csv = "family,designation,depth,width,thickness";
    for (const ResultDescription& result : results) {
        csv += ',';
        csv += result.column;
    }
    csv += '\n';
    for (const SectionFamily family : allFamilies) {
        for (const CatalogueEntry& entry : entriesOf(family)) {
            const FindOutcome outcome = find(findInputsFor(family, entry.designation));
            const auto* computed = std::get_if<SectionProperties>(&outcome);
            if (!computed) {
                table.failed.emplace_back(entry.designation);
            }
            const SectionProperties p = computed ? *computed : SectionProperties{};
            for (const std::string_view field :
                 {std::string_view(familyCode(family)), entry.designation, entry.depth, entry.width,
                  entry.thickness}) {
                csv += field;
                csv += ',';
            }
            for (const ResultDescription& result : results) {
                csv += p.*result.field;
                csv += ',';
            }
            csv.back() = '\n';
        }
    }
    return table;
}

} // namespace kavrel
