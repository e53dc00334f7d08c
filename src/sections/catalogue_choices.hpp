#pragma once

#include <array>
#include <string_view>

namespace kavrel {

// The catalogues the chooser offers, in its order: the key the settings keep, and the name in
// words. A catalogue the engine learns is one more line here, and its key goes into the
// request where SectionsPanel::request() says so.
struct CatalogueChoice {
    std::string_view key;
    std::string_view name;
    bool choosesPi; // 22/7 or the true pi; other catalogues take the true pi
};

inline constexpr std::array catalogueChoices = {
    CatalogueChoice{"IS", "IS hollow sections", true},
};

} // namespace kavrel
