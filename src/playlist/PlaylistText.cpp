#include "PlaylistText.h"

#include "PlsReader.h"
#include "StationNameCleaner.h"
#include "StreamAddress.h"

#include <QStringList>

namespace {

const QString crlf = QStringLiteral("\r\n");

// Each line ended by CR LF.
QByteArray FileBytes(const QStringList& lines) {
    return (lines.join(crlf) + crlf).toUtf8();
}

// Text for an ASX file, which players read as XML: markup characters escaped and every character
// outside ASCII as a numeric reference.
QString AsxText(const QString& text) {
    QString escaped;
    // toHtmlEscaped escapes "&", "<", ">" and '"'.
    for (const char32_t c : text.toHtmlEscaped().toUcs4())
        escaped += c < 0x80 ? QString(QChar(c)) : QStringLiteral("&#%1;").arg(uint(c));
    return escaped;
}

}  // namespace

QByteArray PlsFileBytes(const QString& playlistText) {
    const QStringList lines = WebEntriesOnly(playlistText);
    return lines.isEmpty() ? QByteArray() : FileBytes(lines);
}

QByteArray StreamPlsFileBytes(const QString& address, const QString& title) {
    const QString stream = EncodedStreamAddress(address);
    if (stream.isEmpty()) return {};
    return FileBytes({QStringLiteral("[playlist]"), QStringLiteral("numberofentries=1"),
                      QStringLiteral("File1=") + stream,
                      QStringLiteral("Title1=") + StationTitle(title), QStringLiteral("Length1=-1"),
                      QStringLiteral("Version=2")});
}

QByteArray AsxFileBytes(const QString& address, const QString& title) {
    const QString stream = EncodedStreamAddress(address);
    if (stream.isEmpty()) return {};
    return FileBytes(
        {QStringLiteral("<ASX VERSION=\"3.0\">"),
         QStringLiteral("<Title>") + AsxText(StationTitle(title)) + QStringLiteral("</Title>"),
         QStringLiteral("<Entry>"),
         QStringLiteral("<ref href=\"") + AsxText(stream) + QStringLiteral("\"/>"),
         QStringLiteral("</Entry>"), QStringLiteral("</ASX>"), QString()});
}

QByteArray M3uFileBytes(const QString& address, const QString& title) {
    const QString stream = EncodedStreamAddress(address);
    if (stream.isEmpty()) return {};
    return FileBytes({QStringLiteral("#EXTM3U"),
                      QStringLiteral("#EXTINF:-1,") + StationTitle(title), stream, QString()});
}
