// The station-name cleaner: takes out of a directory's station name what must not reach a file
// name or a playlist title.
#pragma once

#include <QString>

// Removes the invisible characters (see WithoutInvisibleCharacters), then, one after the other
// and every occurrence, "/", "\", ":", "*", "?", the double quote, "<", ">", "|", "(", ")", "!",
// "~", "@" and "www." (exact case). Nothing is trimmed; the name may become empty.
void CleanStationName(QString& name);

// text without the characters of the Unicode categories Cc, Cf, Zl and Zp (controls, C1 controls
// included; format characters such as the direction overrides, zero-width characters and U+FEFF;
// line and paragraph separators), and without half a surrogate pair. In a file name they cut or
// corrupt it at the system call or make it read as another name ("Good\u202Eslp.exe"); in a
// playlist a line break would start an entry of the sender's choice.
QString WithoutInvisibleCharacters(const QString& text);

// The title a playlist gives a station: its name as the directory gives it, without invisible
// characters, runs of blanks made one blank and no blank at either end.
QString StationTitle(const QString& name);
