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

void BrowseDownloadFolder(QWidget* owner, const QString& txtDL,
                          const std::function<void(const QString&)>& chosen) {
    BrowseForFolder(owner, QStringLiteral("Select folder"), BrowseStartFolder(txtDL),
                    [chosen](const QString& folder) {
                        if (!folder.isEmpty()) chosen(folder);
                    });
}

void ExploreDownloadFolder(const QString& txtDL) {
    ShellOpen(ResolveFolderMacros(txtDL));
}
