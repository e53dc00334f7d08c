#pragma once

#include <string>
#include <string_view>

namespace kavrel {

// A UTF-8 text as the report writes it: one Latin-1 byte per character. A character Latin-1
// cannot hold, a malformed UTF-8 sequence and every control character (below 0x20, 0x7F and
// U+0080 to U+009F) each become "?", so no text can break a report line or start a new one.
std::string reportLatin1(std::string_view utf8);

} // namespace kavrel
