#include "PathMacros.h"

#include "FolderHandle.h"
#include "ModSpFolder.h"

#include <QDir>
#include <utility>

void ReplaceMacro(QString& text, const QString& macro, const QString& value) {
    if (text.contains(macro, Qt::CaseSensitive)) text.replace(macro, value, Qt::CaseSensitive);
}

QString ExpandPathMacros(const QString& txtDL, MacroOrder order) {
    QString expanded = txtDL;
    ReplaceMacro(expanded, QStringLiteral("%APPPATH%"), ProgramFolder());
    ReplaceMacro(expanded, QStringLiteral("%TEMP%"), TempFolder());
    const std::pair<QString, int> folders[] = {{QStringLiteral("%MYDOC%"), SpecialFolderDocuments},
                                               {QStringLiteral("%APPDATA%"), SpecialFolderAppData}};
    for (int i = 0; i < 2; ++i) {
        const auto& [macro, folder] = folders[order == MacroOrder::Run ? i : 1 - i];
        ReplaceMacro(expanded, macro, SpecialFolderPath(folder));
    }
    return expanded;
}

GenreFolder ExpandDownloadDir(const QString& txtDL, const QString& genre, QString& expandedDir) {
    const QChar separator = QDir::separator();
    expandedDir = ExpandPathMacros(txtDL) + separator;
    GenreFolder result{expandedDir + genre + separator, nullptr, nullptr};
    // One level each: a missing parent is not created.
    result.download = FolderHandle::open(expandedDir, PlaylistTemporaryPrefix);
    if (result.download) result.folder = result.download->openChild(genre);
    return result;
}
