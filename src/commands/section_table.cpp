#include "commands/section_table.hpp"

#include "catalogue/catalogue.hpp"
#include "commands/find.hpp"

#include <variant>

namespace kavrel {

SectionTable sectionTable() {
    SectionTable table;
    std::string& csv = table.csv;
    csv = "family,designation,depth,width,thickness,A,W,Ixx,Iyy,Zxx,Zyy,rxx,ryy,S,J,C\n";
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
                  entry.thickness, std::string_view(p.a), std::string_view(p.wt),
                  std::string_view(p.ixx), std::string_view(p.iyy), std::string_view(p.zxx),
                  std::string_view(p.zyy), std::string_view(p.rxx), std::string_view(p.ryy),
                  std::string_view(p.sa), std::string_view(p.j), std::string_view(p.b)}) {
                csv += field;
                csv += ',';
            }
            csv.back() = '\n';
        }
    }
    return table;
}

} // namespace kavrel
