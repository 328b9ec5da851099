// What each playlist format holds, as the bytes of its file: UTF-8 without a byte order mark
// (ASX files plain ASCII), CR LF after every line. Stream addresses go in
// only when they lead to a web stream, in their encoded form (EncodedStreamAddress); titles and
// lines carry no invisible characters (WithoutInvisibleCharacters). Empty when there is nothing
// to write.
#pragma once

#include <QByteArray>
#include <QString>

// A PLS playlist as the directory sent it, with only its entries that lead to web streams
// (WebEntriesOnly); empty when none does.
QByteArray PlsFileBytes(const QString& playlistText);

// A PLS file of one entry: the address, the title and no length.
QByteArray StreamPlsFileBytes(const QString& address, const QString& title);

// An ASX file of six lines and an empty one around title and address. "&", "<", ">", '"' and every
// character outside ASCII are written as XML references, so the file opens with "<ASX", as players
// need.
QByteArray AsxFileBytes(const QString& address, const QString& title);

// An M3U file of three lines and an empty one: "#EXTM3U", "#EXTINF:-1," and the title, the
// address.
QByteArray M3uFileBytes(const QString& address, const QString& title);
