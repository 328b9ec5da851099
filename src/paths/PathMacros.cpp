#include "PathMacros.h"

#include "ModSpFolder.h"

#include <QDir>

void ReplaceMacro(QString& text, const QString& macro, const QString& value) {
    if (text.contains(macro, Qt::CaseSensitive)) text.replace(macro, value, Qt::CaseSensitive);
}

QString ExpandDownloadDir(const QString& txtDL, const QString& genre, QString& expandedDir) {
    const QChar separator = QDir::separator();
    expandedDir = txtDL;
    ReplaceMacro(expandedDir, QStringLiteral("%APPPATH%"), ProgramFolder());
    ReplaceMacro(expandedDir, QStringLiteral("%TEMP%"), TempFolder());
    ReplaceMacro(expandedDir, QStringLiteral("%MYDOC%"), SpecialFolderPath(SpecialFolderDocuments));
    ReplaceMacro(expandedDir, QStringLiteral("%APPDATA%"), SpecialFolderPath(SpecialFolderAppData));
    expandedDir += separator;
    // One level each: a missing parent is not created, and a failure is not reported.
    QDir().mkdir(expandedDir);
    const QString genreDir = expandedDir + genre + separator;
    QDir().mkdir(genreDir);
    return genreDir;
}
