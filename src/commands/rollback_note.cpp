#include "commands/rollback_note.hpp"

#include "commands/report_path.hpp"

#include <charconv>
#include <cstdlib>

namespace kavrel {
namespace {

constexpr std::string_view heading = "kavrel rollback note\n";

template <typename Number> void putNumber(std::string& out, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
    out += '\n';
}

template <typename Number> bool takeNumber(std::string_view& in, Number& value) {
    const auto [end, error] = std::from_chars(in.data(), in.data() + in.size(), value);
    if (error != std::errc() || end == in.data() + in.size() || *end != '\n') {
        return false;
    }
    in.remove_prefix(static_cast<std::size_t>(end - in.data()) + 1);
    return true;
}

} // namespace

std::string encodeNote(const RollbackNote& note) {
    std::string out(heading);
    putNumber(out, note.report.size());
    putNumber(out, note.record.size());
    putNumber(out, note.device);
    putNumber(out, note.inode);
    putNumber(out, note.length);
    return out + note.report + note.record;
}

std::optional<RollbackNote> decodeNote(std::string_view bytes) {
    if (bytes.substr(0, heading.size()) != heading) {
        return std::nullopt;
    }
    bytes.remove_prefix(heading.size());
    std::size_t reportSize = 0;
    std::size_t recordSize = 0;
    RollbackNote note;
    if (!takeNumber(bytes, reportSize) || !takeNumber(bytes, recordSize) ||
        !takeNumber(bytes, note.device) || !takeNumber(bytes, note.inode) ||
        !takeNumber(bytes, note.length) || note.length < 0 || reportSize > bytes.size() ||
        bytes.size() - reportSize != recordSize) {
        return std::nullopt;
    }
    note.report = bytes.substr(0, reportSize);
    note.record = bytes.substr(reportSize);
    return note;
}

std::string noteFile(const std::string& stateFolder, dev_t device, ino_t inode) {
    std::string name = stateFolder + "/report-";
    putNumber(name, device);
    name.back() = '-';
    putNumber(name, inode);
    name.back() = '.';
    return name + "note";
}

std::string userStateFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/') {
        return std::string(state) + "/kavrel";
    }
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.local/state/kavrel";
}

} // namespace kavrel
