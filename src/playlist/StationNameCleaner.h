// The station-name cleaner: takes out of a directory's station name what must not reach a file
// name or a playlist title.
#pragma once

#include <QString>

// Removes, one after the other and every occurrence, "/", "\", ":", "*", "?", the double
// quote, "<", ">", "|", "(", ")", "!", "~", "@" and "www." (exact case). Nothing is trimmed;
// the name may become empty.
void CleanStationName(QString& name);
