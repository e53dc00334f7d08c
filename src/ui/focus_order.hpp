#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kavrel {

// The window-wide keyboard focus order as a sequence of control names. Moving a control to a
// position shifts the controls between its old and new position by one, so the sequence stays
// complete without gaps or repeats.
class FocusOrder {
  public:
    explicit FocusOrder(std::vector<std::string> names);

    // Every control of the window in the order the window is built with.
    static FocusOrder designOrder();

    // Does nothing for a name that is not in the order; a position past the end means last.
    void moveTo(std::string_view name, std::size_t position);

    // The family's own list first, then Find, Print and Exit.
    void bringForward(std::string_view ownList);

    const std::vector<std::string>& names() const { return names_; }

  private:
    std::vector<std::string> names_;
};

} // namespace kavrel
