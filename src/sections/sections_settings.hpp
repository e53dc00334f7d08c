#pragma once

#include "durable/file_system.hpp"
#include "sections/sections_panel.hpp"

#include <QByteArray>
#include <QString>

namespace kavrel {

// What the window remembers between runs, per user.
struct SavedSettings {
    PanelState state;
    QByteArray geometry;
    QString note; // when some or all of the file could not be read: what, and where it is kept
    bool keepFile = false; // the unreadable file could not be set aside: never write over it
};

// A settings file larger than this is not ours: it is set aside unread.
constexpr qint64 maximumSettingsBytes = 16 * 1024 * 1024;

// The file the program keeps its settings in (under the user's configuration folder).
QString defaultSettingsFile();

// The settings in the file; a missing file gives the defaults. A key that does not read gets its
// default alone, the file copied aside; a file that cannot be read at all (or is not a regular
// file of at most maximumSettingsBytes) is renamed aside and gives the defaults. Either way the
// note says which keys and where the file is kept.
SavedSettings loadSettings(const QString& file);

// Writes the settings whole over the file through the file system seam (the real one when
// null), keeping the keys of the file that this version does not write. False when the file could
// not be written; the earlier file is then as it was.
bool saveSettings(const QString& file, const PanelState& state, const QByteArray& geometry,
                  FileSystem* fileSystem = nullptr);

} // namespace kavrel
