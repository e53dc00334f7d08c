#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace kavrel {

// The fields of one CSV line without quoting, as the published files and the table write
// them: a CR of a CR LF line end is dropped, and a line ending in a comma has an empty last
// field.
inline std::vector<std::string> csvFields(std::string line) {
    if (line.ends_with('\r')) {
        line.pop_back();
    }
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) {
        fields.push_back(field);
    }
    if (!line.empty() && line.back() == ',') {
        fields.emplace_back();
    }
    return fields;
}

} // namespace kavrel
