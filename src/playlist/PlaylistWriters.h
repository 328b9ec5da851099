// The playlist writers: a PLS text as the directory sent it, or a one-entry ASX or M3U file
// around the stream address picked from it. Files are Windows-1252 text with CR LF line ends;
// ASX files are plain ASCII.
#pragma once

#include <QString>

// Writes text followed by CR LF, in Windows-1252 with "?" for characters it lacks, to path.
// The file is written beside its final place under a short name of its own and then renamed
// over the entry at path (a link there is replaced, not followed), so a write that fails leaves
// any earlier file as it was. The first write into a folder removes the temporary files that
// killed runs of the program left there. Returns false when the file could not be written.
bool WriteTextFile(const QString& path, const QString& text);

// An ASX file of six lines with title and the address that PickStreamAddress picks out of
// playlistText. Both lose their control characters; "&", "<", ">", '"' and every character
// outside ASCII are written as XML references. Returns false when the file could not be written.
bool WriteAsxPlaylist(const QString& path, const QString& playlistText, const QString& title);
// The same file around a stream address already known.
bool WriteAsxFile(const QString& path, const QString& address, const QString& title);

// An M3U file of three lines ("#EXTM3U", "#EXTINF:-1," and title, the address), the address
// picked as for ASX; both lose their control characters, so neither can start a line. Returns
// false when the file could not be written.
bool WriteM3uPlaylist(const QString& path, const QString& playlistText, const QString& title);
// The same file around a stream address already known.
bool WriteM3uFile(const QString& path, const QString& address, const QString& title);
