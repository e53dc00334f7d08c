#pragma once

#include "sections/sections_panel.hpp"

#include <QByteArray>
#include <QString>

namespace kavrel {

// What the window remembers between runs, per user.
struct SavedSettings {
    PanelState state;
    QByteArray geometry;
    QString note; // one line when the file could not be read and the defaults are used
};

// The file the program keeps its settings in (under the user's configuration folder).
QString defaultSettingsFile();

// The settings in the file; a missing file gives the defaults, an unreadable or damaged one the
// defaults and a note.
SavedSettings loadSettings(const QString& file);

// False when the file could not be written.
bool saveSettings(const QString& file, const PanelState& state, const QByteArray& geometry);

} // namespace kavrel
