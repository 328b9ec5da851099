// The PLS reader: picks the one stream address that an ASX or M3U file gets out of the PLS
// playlist that the directory returns for a station.
#pragma once

#include <QString>

// The first entry whose listener counts leave room (current × 1.1 below the maximum), else the
// first entry's address, else empty text. The reader goes by line numbers (lines split at line
// feeds): line 1 holds the entry count, lines 3k−1, 3k and 3k+1 the File, Title and Length
// lines of entry k, and entry k is only looked at when a line follows its Length line. A step
// that cannot be read keeps the value from before. Never fails; the address carries no
// trailing carriage return.
QString PickStreamAddress(const QString& playlistText);
