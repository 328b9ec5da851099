// The playlist of a whole genre, written beside the genre's folder: one entry per station file
// the run wrote there, for players and media servers that import a list rather than a folder.
#pragma once

#include "WrittenFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

enum class GenrePlaylistFormat { M3u, Xspf };

// "m3u" or "xspf", case-blind; none for any other text.
std::optional<GenrePlaylistFormat> GenrePlaylistFormatNamed(const QString& name);

// "Rock.m3u", "Rock.xspf": the genre folder's name and the format's extension.
QString GenrePlaylistFileName(const QString& folderName, GenrePlaylistFormat format);

// The playlist's bytes, UTF-8 without a byte order mark and CR LF after every line; stations in
// the order given. A logo or home page that is not an http or https address is left out, as is a
// station whose stream address is none.
// M3U: "#EXTM3U", then for each station "#EXTINF:-1" with the attributes tvg-logo (when there is
// a logo) and group-title (the genre), ",", the title, and the stream address on the next line.
// No attribute value holds '"' (written as "'"), a comma or an invisible character.
// XSPF (version 1): the genre as the playlist's title, a track per station with location,
// title, info (the home page) and image (the logo), every text escaped for XML.
QByteArray GenrePlaylistBytes(GenrePlaylistFormat format, const QString& genre,
                              const QList<WrittenFile>& stations);
