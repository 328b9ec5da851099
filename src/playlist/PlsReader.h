// The PLS reader: picks the one stream address that an ASX or M3U file gets out of the PLS
// playlist that the directory returns for a station, and keeps of that playlist what a PLS file
// may hold.
#pragma once

#include <QString>
#include <QStringList>

// The first entry whose listener counts leave room (current × 1.1 below the maximum), else the
// first entry's address, else empty text. The reader goes by line numbers (lines split at line
// feeds): line 1 holds the entry count, lines 3k−1, 3k and 3k+1 the File, Title and Length
// lines of entry k, and entry k is only looked at when a line follows its Length line. A step
// that cannot be read keeps the value from before. Never fails; the address carries no
// trailing carriage return.
QString PickStreamAddress(const QString& playlistText);

// The lines of playlistText (split at CR LF, LF or CR) that a PLS file keeps: only entries whose
// File line holds a web stream address (EncodedStreamAddress), that address in its encoded form,
// with their Title and Length lines; the entries kept numbered 1, 2, ... in the order of their File
// lines, and the count line ("NumberOfEntries", any case) saying how many. Section lines ("["),
// "Version" lines and empty lines stay; every other line is left out, so no address reaches the
// file unchecked. Each line loses its invisible characters. Empty when no entry is kept.
QStringList WebEntriesOnly(const QString& playlistText);
