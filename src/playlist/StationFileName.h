// The file name a station's playlist is saved under: the template with its macros replaced, the
// extension of the chosen format, and the test that the name stays inside the genre folder.
#pragma once

#include "StationEntry.h"

#include <QString>
#include <cstdint>

enum class PlaylistFormat { Pls, Asx, M3u };

// The format named by the text of the format list: exact case, ASX before M3U, else PLS.
PlaylistFormat FormatOf(const QString& formatText);

// The "Max length" box read as a number: its leading numeric part (0 when there is none),
// rounded half to even. A limit too large to count to means no shortening.
int32_t NameLimit(const QString& text);

// The start of a cleaned station name that "%STATION%" gets: at most limit UTF-16 units, ended
// between two whole characters (never inside a surrogate pair, a flag or a letter with its
// accent). A negative limit counts as 0.
QString ShortenedStationName(const QString& name, int32_t limit);

// The file name (without folder) made from fileTemplate in one pass, every occurrence, exact
// case: "%STATION%" becomes station (the name already cleaned and shortened), "%BITRATE%",
// "%RN%", "%GENRE%", "%STREAM%" the entry's fields and "%FORMAT%" the format text; what a macro
// put in is never read as a macro. Path separators in Bitrate and Rn, which come from the
// directory's pages, are dropped, and invisible characters anywhere in the name. The file's own
// name (the last path step) loses its leading dots and blanks, so it is never hidden, gets the
// format's extension and is cut at whole characters so that it fits the 255 bytes of UTF-8 that
// file systems take. Empty when nothing is left of that name but its extension.
QString StationFileName(const QString& fileTemplate, const QString& station,
                        const StationEntry& entry, const QString& formatText);

// Whether a file name stays inside the folder it is put in: walking its path steps, ".." must
// never climb above where it starts, whether "\" is read as a separator or as a letter, so a
// name is judged the same everywhere.
bool StaysInFolder(const QString& fileName);
