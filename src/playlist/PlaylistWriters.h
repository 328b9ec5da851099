// The playlist writers: a PLS text as the directory sent it, or a one-entry ASX or M3U file
// around the stream address picked from it. Files are Windows-1252 text with CR LF line ends;
// ASX files are plain ASCII.
#pragma once

#include <QString>

class FolderHandle;

// Writes text followed by CR LF, in Windows-1252 with "?" for characters it lacks, as the file
// name in folder. The file replaces the entry there in one step (a link there is replaced, not
// followed), so a write that fails leaves any earlier file as it was and nothing beside it.
// Returns false when the file could not be written.
bool WriteTextFile(const FolderHandle& folder, const QString& name, const QString& text);

// An ASX file of six lines with title and the address that PickStreamAddress picks out of
// playlistText. Both lose their control characters; "&", "<", ">", '"' and every character
// outside ASCII are written as XML references. Returns false when the file could not be written.
bool WriteAsxPlaylist(const FolderHandle& folder, const QString& name, const QString& playlistText,
                      const QString& title);
// The same file around a stream address already known.
bool WriteAsxFile(const FolderHandle& folder, const QString& name, const QString& address,
                  const QString& title);

// An M3U file of three lines ("#EXTM3U", "#EXTINF:-1," and title, the address), the address
// picked as for ASX; both lose their control characters, so neither can start a line. Returns
// false when the file could not be written.
bool WriteM3uPlaylist(const FolderHandle& folder, const QString& name, const QString& playlistText,
                      const QString& title);
// The same file around a stream address already known.
bool WriteM3uFile(const FolderHandle& folder, const QString& name, const QString& address,
                  const QString& title);
