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

// The file name (without folder) made from fileTemplate: "%STATION%" becomes station (the name
// already cleaned and shortened), then "%BITRATE%", "%RN%", "%GENRE%", "%STREAM%" take the
// entry's fields and "%FORMAT%" the format text, every occurrence, exact case; the format's
// extension is appended. Path separators in Bitrate and Rn, which come from the directory's
// pages, are dropped, and so are control characters anywhere in the name.
QString StationFileName(const QString& fileTemplate, const QString& station,
                        const StationEntry& entry, const QString& formatText);

// Whether a file name stays inside the folder it is put in: walking its path steps, ".." must
// never climb above where it starts, whether "\" is read as a separator or as a letter, so a
// name is judged the same everywhere.
bool StaysInFolder(const QString& fileName);
