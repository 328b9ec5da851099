#include "PlaylistWriters.h"

#include "PlsReader.h"
#include "TextCodec.h"

#include <QSaveFile>

namespace {
const QString crlf = QStringLiteral("\r\n");
}

bool WriteTextFile(const QString& path, const QString& text) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = TextCodec::toWindows1252(QString(text + crlf));
    // A short write (a full disk, a size limit) is no error to QSaveFile, but it is one here.
    if (file.write(bytes) != bytes.size()) file.cancelWriting();
    return file.commit();  // an unsuccessful write is discarded, never renamed into place
}

bool WriteAsxPlaylist(const QString& path, const QString& playlistText, const QString& title) {
    const QString address = PickStreamAddress(playlistText);
    QString text;
    text += QStringLiteral("<ASX VERSION=\"3.0\">") + crlf;
    text += QStringLiteral("<Title>") + title + QStringLiteral("</Title>") + crlf;
    text += QStringLiteral("<Entry>") + crlf;
    text += QStringLiteral("<ref href=\"") + address + QStringLiteral("\"/>") + crlf;
    text += QStringLiteral("</Entry>") + crlf;
    text += QStringLiteral("</ASX>") + crlf;
    return WriteTextFile(path, text);
}

bool WriteM3uPlaylist(const QString& path, const QString& playlistText, const QString& title) {
    const QString address = PickStreamAddress(playlistText);
    QString text;
    text += QStringLiteral("#EXTM3U") + crlf;
    text += QStringLiteral("#EXTINF:-1,") + title + crlf;
    text += address + crlf;
    return WriteTextFile(path, text);
}
