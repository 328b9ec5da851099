#include "PlaylistWriters.h"

#include "PlsReader.h"
#include "TextCodec.h"

#include <QFile>
#include <QRandomGenerator>
#include <filesystem>

namespace {
const QString crlf = QStringLiteral("\r\n");
}

bool WriteTextFile(const QString& path, const QString& text) {
    const QByteArray bytes = TextCodec::toWindows1252(QString(text + crlf));
    // Written whole beside the playlist, then renamed over it: a failed write leaves the
    // earlier file as it was, and a killed program leaves at most a stray ".part" file, never
    // a half-written playlist. (No sync to disk: a run writes thousands of small files, and
    // waiting for the disk on each would make the disk, not the network, set the pace.)
    QString partPath;
    QFile file;
    for (int attempt = 0; attempt < 8 && !file.isOpen(); ++attempt) {
        partPath = path + QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                          QLatin1Char('0'));
        file.setFileName(partPath);
        file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
    }
    if (!file.isOpen()) return false;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    file.close();
    std::error_code error;
    if (written)
        std::filesystem::rename(QFile::encodeName(partPath).toStdString(),
                                QFile::encodeName(path).toStdString(), error);
    if (!written || error) {
        QFile::remove(partPath);
        return false;
    }
    return true;
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
