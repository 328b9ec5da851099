#include "DiskAndMemory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

QStringList FilesBelow(const QString& root) {
    QStringList files;
    const QDir base(root);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) files << base.relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool HasPlaylistExtension(const QString& fileName) {
    for (const char* extension : {".pls", ".m3u", ".asx"}) {
        if (fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) return true;
    }
    return false;
}

QByteArray PlsFileBytes(const QString& playlistText) {
    return playlistText.toLatin1() + "\r\n";
}

namespace {

qint64 StatusField(const char* name) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QByteArray key = QByteArray(name) + ':';
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith(key)) continue;
        // "VmRSS:	   12345 kB"
        bool ok = false;
        const qint64 kib = line.mid(key.size()).trimmed().split(' ').value(0).toLongLong(&ok);
        return ok ? kib * 1024 : -1;
    }
    return -1;
}

}  // namespace

namespace ProcessMemory {

qint64 resident() { return StatusField("VmRSS"); }
qint64 peak() { return StatusField("VmHWM"); }

bool resetPeak() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

}  // namespace ProcessMemory
