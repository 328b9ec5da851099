#include "FolderButtons.h"

#include "ModSpFolder.h"
#include "PathMacros.h"
#include "mBrowseFolder.h"

#include <QDir>

QString ResolveFolderMacros(const QString& txtDL) {
    return ExpandPathMacros(txtDL, MacroOrder::FolderButtons) + QDir::separator();
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

void ExploreDownloadFolder(const QString& txtDL, const std::function<void(const QString&)>& tell) {
    const QString folder = ResolveFolderMacros(txtDL);
    if (!FolderExists(folder)) {
        tell(QStringLiteral("The folder does not exist yet: ") + folder);
        return;
    }
    ShellOpen(folder, [tell, folder] {
        tell(QStringLiteral("No program could open the folder ") + folder);
    });
}
