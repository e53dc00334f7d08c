#include "ui/focus_order.hpp"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace kavrel {

FocusOrder::FocusOrder(std::vector<std::string> names) : names_(std::move(names)) {}

FocusOrder FocusOrder::designOrder() {
    // The result box of row 3 (Ixx) comes after rows 4 to 6 although it stands above them.
    return FocusOrder({"frmsectiontype", "frmproperties", "optrhs", "optshs", "optchs", "cmbrhs",
                       "cmbshs",         "cmbchs",        "Label1", "Label2", "Label3", "Label4",
                       "Label5",         "Label6",        "Label7", "Label8", "Label9", "Label10",
                       "Label12",        "txta",          "txtwt",  "txtiyy", "txtzxx", "txtzyy",
                       "txtixx",         "txtrxx",        "txtryy", "txtj",   "txtb",   "txtsa",
                       "cmdfind",        "cmdprint",      "cmdexit"});
}

void FocusOrder::moveTo(std::string_view name, std::size_t position) {
    const auto found = std::find(names_.begin(), names_.end(), name);
    if (found == names_.end()) {
        return;
    }
    // Iterator arithmetic is signed: both places as distances from the first name.
    const auto first = names_.begin();
    const std::ptrdiff_t from = std::distance(first, found);
    const auto to = static_cast<std::ptrdiff_t>(std::min(position, names_.size() - 1));
    if (from < to) {
        std::rotate(first + from, first + from + 1, first + to + 1);
    } else if (to < from) {
        std::rotate(first + to, first + from, first + from + 1);
    }
}

void FocusOrder::bringForward(std::string_view ownList) {
    moveTo(ownList, 0);
    moveTo("cmdfind", 1);
    moveTo("cmdprint", 2);
    moveTo("cmdexit", 3);
}

} // namespace kavrel
