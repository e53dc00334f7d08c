#include "ui/window_fonts.hpp"

namespace kavrel {
namespace {

QFont arialItalic(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setItalic(true);
    // Set explicitly either way: a child font left unset would inherit the window's bold.
    font.setBold(bold);
    return font;
}

} // namespace

QFont windowFont() {
    return arialItalic(16, true);
}

QFont findButtonFont() {
    return arialItalic(16, false);
}

QFont controlFont() {
    return arialItalic(15, false);
}

} // namespace kavrel
