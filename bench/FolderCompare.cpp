#include "FolderCompare.h"

#include "FolderRecord.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStringList>

namespace {

QStringList FilesBelow(const QString& folder) {
    QStringList files;
    const QDir top(folder);
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    // A harvest's record of its genre folders is no station file: the floors write none.
    while (it.hasNext())
        if (const QString file = top.relativeFilePath(it.next()); !file.endsWith(kFolderRecordName))
            files << file;
    files.sort();
    return files;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

QString CompareFolders(const QString& first, const QString& second) {
    const QStringList a = FilesBelow(first);
    const QStringList b = FilesBelow(second);
    if (a != b) return QStringLiteral("different files: %1 against %2").arg(a.size()).arg(b.size());
    for (const QString& file : a) {
        if (Contents(QDir(first).filePath(file)) != Contents(QDir(second).filePath(file)))
            return QStringLiteral("different contents: ") + file;
    }
    return {};
}

int CountFiles(const QString& folder) {
    return static_cast<int>(FilesBelow(folder).size());
}
