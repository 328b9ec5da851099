#include "PlaylistWriters.h"

#include "PlsReader.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <filesystem>
#include <system_error>

namespace {

const QString crlf = QStringLiteral("\r\n");

// The file a write to path ends up in: a symbolic link is followed, so the link stays a link.
// What the file system said about it is kept with it (one look for an ordinary file).
QFileInfo FinalFile(const QString& path) {
    QFileInfo file(path);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.isSymLink() ? QFileInfo(path) : file;
}

// Writes bytes to path by writing them beside it under a name of its own and renaming that
// over it, so that a write that fails leaves any earlier file as it was and nothing beside it.
// A replaced file keeps its permissions; a new one gets the usual ones. Unlike QSaveFile this
// does not wait for the disk to confirm each file: a harvest writes thousands of them, and on
// this machine the wait (about 5 ms) took seven times as long as fetching the playlist.
bool ReplaceFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo existing = FinalFile(path);
    const QString target = existing.filePath();
    // A fresh name beside the file; another file of that name (left by a crash) is passed by.
    QFile file;
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(target +
                         QStringLiteral(".%1.part")
                             .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) break;
        if (!file.exists()) return false;  // the folder cannot be written
    }
    if (!file.isOpen()) return false;
    // A short write (a full disk, a size limit) counts as a failed one.
    bool written = file.write(bytes) == bytes.size();
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    if (written && existing.exists()) written = file.setPermissions(existing.permissions());
    std::error_code error;
    // QFile::rename will not replace a file; the file system's own rename does, in one step.
    if (written)
        std::filesystem::rename(file.filesystemFileName(), existing.filesystemFilePath(), error);
    if (!written || error) {
        file.remove();
        return false;
    }
    return true;
}

}  // namespace

bool WriteTextFile(const QString& path, const QString& text) {
    return ReplaceFile(path, TextCodec::toWindows1252(QString(text + crlf)));
}

bool WriteAsxPlaylist(const QString& path, const QString& playlistText, const QString& title) {
    return WriteAsxFile(path, PickStreamAddress(playlistText), title);
}

bool WriteAsxFile(const QString& path, const QString& address, const QString& title) {
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
    return WriteM3uFile(path, PickStreamAddress(playlistText), title);
}

bool WriteM3uFile(const QString& path, const QString& address, const QString& title) {
    QString text;
    text += QStringLiteral("#EXTM3U") + crlf;
    text += QStringLiteral("#EXTINF:-1,") + title + crlf;
    text += address + crlf;
    return WriteTextFile(path, text);
}
