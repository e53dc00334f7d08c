#include "commands/latin1_text.hpp"

#include <cstddef>

namespace kavrel {
namespace {

constexpr char replacement = '?';

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// One decoded step: the code point, or none for a malformed sequence, and the bytes it used.
// A malformed sequence uses its maximal valid prefix (at least one byte), so each broken
// sequence gives one "?" and the next character is read intact.
struct Step {
    bool valid;
    char32_t codePoint;
    std::size_t length;
};

Step decodeOne(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {true, lead, 1};
    }
    std::size_t length = 0;
    char32_t codePoint = 0;
    // The second byte's allowed range excludes overlong forms, surrogates and values above
    // U+10FFFF.
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        if (lead == 0xE0) {
            secondLow = 0xA0;
        } else if (lead == 0xED) {
            secondHigh = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        if (lead == 0xF0) {
            secondLow = 0x90;
        } else if (lead == 0xF4) {
            secondHigh = 0x8F;
        }
    } else {
        return {false, 0, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (at + i >= text.size()) {
            return {false, 0, i};
        }
        const auto byte = static_cast<unsigned char>(text[at + i]);
        const bool inRange =
            i == 1 ? byte >= secondLow && byte <= secondHigh : isContinuation(byte);
        if (!inRange) {
            return {false, 0, i};
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return {true, codePoint, length};
}

bool isControl(char32_t codePoint) {
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

} // namespace

std::string reportLatin1(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const Step step = decodeOne(utf8, at);
        at += step.length;
        if (!step.valid || step.codePoint > 0xFF || isControl(step.codePoint)) {
            out.push_back(replacement);
        } else {
            out.push_back(static_cast<char>(static_cast<unsigned char>(step.codePoint)));
        }
    }
    return out;
}

} // namespace kavrel
