#include "FolderButtons.h"

#include "ModSpFolder.h"
#include "PathMacros.h"
#include "mBrowseFolder.h"

#include <QDir>

QString ResolveFolderMacros(const QString& txtDL) {
    QString path = txtDL;
    ReplaceMacro(path, QStringLiteral("%APPPATH%"), ProgramFolder());
    ReplaceMacro(path, QStringLiteral("%TEMP%"), TempFolder());
    ReplaceMacro(path, QStringLiteral("%APPDATA%"), SpecialFolderPath(SpecialFolderAppData));
    ReplaceMacro(path, QStringLiteral("%MYDOC%"), SpecialFolderPath(SpecialFolderDocuments));
    return path + QDir::separator();
}

QString BrowseStartFolder(const QString& txtDL) {
    const QString resolved = ResolveFolderMacros(txtDL);
    return FolderExists(resolved) ? resolved : TempFolder() + QDir::separator();
}

std::optional<QString> BrowseDownloadFolder(QWidget* owner, const QString& txtDL) {
    const QString chosen =
        BrowseForFolder(owner, QStringLiteral("Select folder"), BrowseStartFolder(txtDL));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
}

void ExploreDownloadFolder(const QString& txtDL) {
    ShellOpen(ResolveFolderMacros(txtDL));
}
