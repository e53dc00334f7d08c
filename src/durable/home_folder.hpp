#pragma once

#include <string>

namespace kavrel {

// The user's home folder: $HOME, or the password database's entry when HOME is unset or
// empty; empty when neither is known.
std::string homeFolder();

} // namespace kavrel
