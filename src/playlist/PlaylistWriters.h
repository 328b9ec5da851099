// The playlist writers' file half: puts the bytes of a playlist file (PlaylistText) in place.
#pragma once

#include <QByteArray>
#include <QString>

class FolderHandle;

// Writes bytes as the file name in folder. The file replaces the entry there in one step (a link
// there is replaced, not followed), so a write that fails leaves any earlier file as it was and
// nothing beside it. Returns false when the file could not be written.
bool WriteTextFile(const FolderHandle& folder, const QString& name, const QByteArray& bytes);
