// The station-name cleaner: takes out of a directory's station name what must not reach a file
// name or a playlist title.
#pragma once

#include <QString>

// Removes the control characters (see WithoutControlCharacters), then, one after the other and
// every occurrence, "/", "\", ":", "*", "?", the double quote, "<", ">", "|", "(", ")", "!",
// "~", "@" and "www." (exact case). Nothing is trimmed; the name may become empty.
void CleanStationName(QString& name);

// text without U+0000 to U+001F and U+007F: in a file name they cut or corrupt it at the system
// call, and in a playlist a line break would start an entry of the sender's choice.
QString WithoutControlCharacters(QString text);
