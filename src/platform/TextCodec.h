// Text conversions between the program's strings and the 8-bit texts it reads and writes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace TextCodec {

// Windows-1252 to Unicode; the five unassigned bytes map to the C1 controls of the same value.
QString fromWindows1252(QByteArrayView bytes);
// UTF-8, with every byte that does not belong to a valid UTF-8 sequence read as Windows-1252. A
// byte order mark that opens the bytes is dropped; U+FEFF anywhere else is kept.
QString fromUtf8OrWindows1252(QByteArrayView bytes);
// Decodes by the byte order mark that opens the bytes (UTF-8, UTF-16 or UTF-32), else by a
// charset name as found in a Content-Type header; an unknown or empty name falls back to
// fromUtf8OrWindows1252.
QString decode(QByteArrayView bytes, const QByteArray& charset);

}  // namespace TextCodec
