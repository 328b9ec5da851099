// What the program asks of the file system before it writes into a folder that other users may
// write into as well (such as the system's temporary folder).
#pragma once

#include <QString>

namespace FolderSafety {

// Whether every user may create and rename entries in folder (a link is followed).
bool EveryoneMayWrite(const QString& folder);
// Creates folder, one level, that only this user may enter. False when it was not created, an
// existing folder included.
bool MakePrivateFolder(const QString& folder);
// Whether the entry at path belongs to the user this program runs as; a link is looked at
// itself, not followed. False when there is no such entry.
bool OwnedByUser(const QString& path);

}  // namespace FolderSafety
