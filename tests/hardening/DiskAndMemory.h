// What a run left on disk and what the test process holds in memory, as the hardening tests
// look at them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Every file below root, hidden ones too, as paths relative to root ("Rock/123.pls"), sorted.
QStringList FilesBelow(const QString& root);

// The whole file; empty when it cannot be read.
QByteArray FileBytes(const QString& path);

// Whether a file name ends in one of the extensions the program gives its playlists.
bool HasPlaylistExtension(const QString& fileName);

// The bytes of the PLS file that a station's playlist text becomes: the text and CR LF, in
// Windows-1252. The catalogue's texts hold no character that Windows-1252 places differently
// from Latin-1, so Latin-1 (with "?" for the rest) gives those bytes without the program's help.
QByteArray PlsFileBytes(const QString& playlistText);

namespace ProcessMemory {
// Resident memory of this process now (VmRSS), in bytes; -1 when unknown.
qint64 resident();
// The highest resident memory since start or since the last resetPeak (VmHWM); -1 when unknown.
qint64 peak();
// Lets peak() start again from the current resident memory; false when the system refuses.
bool resetPeak();
}  // namespace ProcessMemory
