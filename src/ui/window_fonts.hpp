#pragma once

#include <QFont>

namespace kavrel {

// Every font of the window is Arial italic. Sizes are in pixels, so they come out the same on
// every screen before Qt's high-DPI scaling.

// The window's own font, which the two frame captions use: 16 px bold.
QFont windowFont();

// The Find button: 16 px, not bold.
QFont findButtonFont();

// Every other control: 15 px, not bold.
QFont controlFont();

} // namespace kavrel
