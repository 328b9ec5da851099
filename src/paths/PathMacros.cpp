#include "PathMacros.h"

#include "FolderSafety.h"
#include "ModSpFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Creates folder, one level, and tells whether the program may write into it. In a folder that
// everyone may write into, another user could have put a folder or a link of theirs in its
// place: only one that this user created or owns is written into, and a new one is private.
bool MakeFolderToWriteInto(const QString& folder) {
    const QString cleaned = QDir::cleanPath(folder);
    if (!FolderSafety::EveryoneMayWrite(QFileInfo(cleaned).path())) {
        QDir().mkdir(folder);
        return true;
    }
    return FolderSafety::MakePrivateFolder(cleaned) || FolderSafety::OwnedByUser(cleaned);
}

}  // namespace

void ReplaceMacro(QString& text, const QString& macro, const QString& value) {
    if (text.contains(macro, Qt::CaseSensitive)) text.replace(macro, value, Qt::CaseSensitive);
}

QString ExpandDownloadDir(const QString& txtDL, const QString& genre, QString& expandedDir,
                          bool& writable) {
    const QChar separator = QDir::separator();
    expandedDir = txtDL;
    ReplaceMacro(expandedDir, QStringLiteral("%APPPATH%"), ProgramFolder());
    ReplaceMacro(expandedDir, QStringLiteral("%TEMP%"), TempFolder());
    ReplaceMacro(expandedDir, QStringLiteral("%MYDOC%"), SpecialFolderPath(SpecialFolderDocuments));
    ReplaceMacro(expandedDir, QStringLiteral("%APPDATA%"), SpecialFolderPath(SpecialFolderAppData));
    expandedDir += separator;
    // One level each: a missing parent is not created, and a failure is not reported.
    const QString genreDir = expandedDir + genre + separator;
    writable = MakeFolderToWriteInto(expandedDir) && MakeFolderToWriteInto(genreDir);
    return genreDir;
}
