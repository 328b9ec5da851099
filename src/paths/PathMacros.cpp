#include "PathMacros.h"

#include "FolderHandle.h"
#include "ModSpFolder.h"

#include <QDir>

void ReplaceMacro(QString& text, const QString& macro, const QString& value) {
    if (text.contains(macro, Qt::CaseSensitive)) text.replace(macro, value, Qt::CaseSensitive);
}

GenreFolder ExpandDownloadDir(const QString& txtDL, const QString& genre, QString& expandedDir) {
    const QChar separator = QDir::separator();
    expandedDir = txtDL;
    ReplaceMacro(expandedDir, QStringLiteral("%APPPATH%"), ProgramFolder());
    ReplaceMacro(expandedDir, QStringLiteral("%TEMP%"), TempFolder());
    ReplaceMacro(expandedDir, QStringLiteral("%MYDOC%"), SpecialFolderPath(SpecialFolderDocuments));
    ReplaceMacro(expandedDir, QStringLiteral("%APPDATA%"), SpecialFolderPath(SpecialFolderAppData));
    expandedDir += separator;
    GenreFolder result{expandedDir + genre + separator, nullptr, nullptr};
    // One level each: a missing parent is not created.
    result.download = FolderHandle::open(expandedDir, PlaylistTemporaryPrefix);
    if (result.download) result.folder = result.download->openChild(genre);
    return result;
}
