// The playlist writers' file half: puts the bytes of a playlist file (PlaylistText) in place.
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to path. The file is written beside its final place under a short name of its own
// and then renamed over the entry at path (a link there is replaced, not followed), so a write
// that fails leaves any earlier file as it was. The first write into a folder removes the
// temporary files that killed runs of the program left there. Returns false when the file could
// not be written.
bool WriteTextFile(const QString& path, const QByteArray& bytes);
