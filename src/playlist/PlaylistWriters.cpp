#include "PlaylistWriters.h"

#include "RunningProcess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <filesystem>
#include <system_error>

namespace {

// A file being written gets a short name of its own beside its final place: the final name
// may already take all the room a name has. The process id in it tells whether its writer is
// still at work.
QString TemporaryName() {
    return QStringLiteral(".radiosift-%1-%2.part")
        .arg(QCoreApplication::applicationPid())
        .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

// A program killed while it wrote leaves its temporary file behind. The first write into a
// folder removes those whose process is gone (or that have lain there a day, in case the id
// came back to another process); files of any other name are never touched.
void RemoveStaleTemporaryFiles(const QString& folder) {
    static QMutex mutex;
    static QSet<QString> swept;
    {
        const QMutexLocker lock(&mutex);
        if (swept.contains(folder)) return;
        swept.insert(folder);
    }
    static const QRegularExpression ours(
        QStringLiteral("^\\.radiosift-(\\d{1,10})-[0-9a-f]{8}\\.part$"));
    const QDateTime dayAgo = QDateTime::currentDateTimeUtc().addDays(-1);
    QDirIterator it(folder, {QStringLiteral(".radiosift-*.part")},
                    QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    while (it.hasNext()) {
        const QFileInfo file = it.nextFileInfo();
        const QRegularExpressionMatch match = ours.match(file.fileName());
        if (!match.hasMatch()) continue;
        if (!ProcessIsRunning(match.captured(1).toLongLong()) || file.lastModified() < dayAgo)
            QFile::remove(file.filePath());
    }
}

// Writes bytes to path by writing them beside it under a name of its own and renaming that
// over it, so that a write that fails leaves any earlier file as it was and nothing beside it.
// The rename replaces the entry at path itself: a link there is replaced, never followed. A
// replaced file keeps its permissions; a new one gets the usual ones. Unlike QSaveFile this
// does not wait for the disk to confirm each file: a harvest writes thousands of them, and on
// this machine the wait (about 5 ms) took seven times as long as fetching the playlist.
bool ReplaceFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo existing(path);
    const QString folder = existing.absolutePath();
    RemoveStaleTemporaryFiles(folder);
    // A fresh name; another file of that name is passed by.
    QFile file;
    for (int attempt = 0; attempt < 16; ++attempt) {
        file.setFileName(folder + QLatin1Char('/') + TemporaryName());
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) break;
        if (!file.exists()) return false;  // the folder cannot be written
    }
    if (!file.isOpen()) return false;
    // A short write (a full disk, a size limit) counts as a failed one.
    bool written = file.write(bytes) == bytes.size();
    // A link lends no permissions, nor does what it points at.
    if (written && !existing.isSymLink() && existing.isFile())
        written = file.setPermissions(existing.permissions());
    file.close();
    written = written && file.error() == QFileDevice::NoError;
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

bool WriteTextFile(const QString& path, const QByteArray& bytes) {
    return ReplaceFile(path, bytes);
}
