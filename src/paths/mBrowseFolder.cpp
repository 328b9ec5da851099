#include "mBrowseFolder.h"

#include "ModSpFolder.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <utility>

namespace {

// The desktop's own shell: Qt's folder dialog and the desktop's URL handlers.
class DesktopShell final : public Shell {
public:
    void PickFolder(QWidget* owner, const QString& prompt, const QString& startFolder,
                    const std::function<void(const QString&)>& selectionChanged,
                    const std::function<void(const QString&)>& chosen) override {
        // Window-modal and without a loop of its own: a run behind it goes on, and its waits
        // end as they would without the picker.
        auto* dialog = new QFileDialog(owner, prompt, startFolder);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->setFileMode(QFileDialog::Directory);
        dialog->setOption(QFileDialog::ShowDirsOnly, true);
        // Connected only now that the dialog stands at its start folder, so that only the
        // user's own moves count as selections.
        QObject::connect(dialog, &QFileDialog::directoryEntered, dialog, selectionChanged);
        QObject::connect(dialog, &QFileDialog::currentChanged, dialog,
                         [selectionChanged](const QString& path) {
                             if (QFileInfo(path).isDir()) selectionChanged(path);
                         });
        QObject::connect(dialog, &QDialog::finished, dialog, [dialog, chosen](int result) {
            const QStringList files = dialog->selectedFiles();
            chosen(result == QDialog::Accepted && !files.isEmpty() ? files.first() : QString());
        });
        dialog->open();
    }

    // A local folder or file goes to xdg-open where there is one: Qt only starts it, and its
    // exit status alone tells that it found no program (3) or that the program failed (4).
    void OpenUrl(const QUrl& url, const std::function<void()>& unopened) override {
        const QString opener = url.isLocalFile()
                                   ? QStandardPaths::findExecutable(QStringLiteral("xdg-open"))
                                   : QString();
        if (opener.isEmpty()) {
            if (!QDesktopServices::openUrl(url)) unopened();
            return;
        }
        // Owned by the application: it may run as long as the file manager it started.
        auto* process = new QProcess(QCoreApplication::instance());
        QObject::connect(process, &QProcess::finished, process,
                         [process, unopened](int status, QProcess::ExitStatus how) {
                             if (how == QProcess::NormalExit && (status == 3 || status == 4))
                                 unopened();
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, unopened](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart) return;
                             unopened();
                             process->deleteLater();
                         });
        process->start(opener, {url.toLocalFile()});
    }
};

DesktopShell& DesktopShellInstance() {
    static DesktopShell shell;
    return shell;
}

Shell* g_installedShell = nullptr;
QString g_browseStartPath;

// A folder as the user sees it: native separators, no trailing separator except at the root.
QString PlainFolder(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(path)));
}

}  // namespace

Shell& CurrentShell() {
    return g_installedShell ? *g_installedShell : static_cast<Shell&>(DesktopShellInstance());
}

Shell* InstallShell(Shell* shell) {
    return std::exchange(g_installedShell, shell);
}

QString BrowseStartPath() {
    return g_browseStartPath;
}
void setBrowseStartPath(const QString& path) {
    g_browseStartPath = path;
}

void BrowseForFolder(QWidget* owner, const QString& prompt, const QString& startPath,
                     const std::function<void(const QString&)>& chosen) {
    // A one-character start path (the bare root an empty download path resolves to) says too
    // little to start at; a folder remembered from an earlier picker, the root included, wins.
    if (startPath.size() > 1) {
        g_browseStartPath = startPath;
    } else if (g_browseStartPath.isEmpty()) {
        g_browseStartPath = ProgramFolder();
    }
    CurrentShell().PickFolder(
        owner, prompt, g_browseStartPath,
        [](const QString& selected) { g_browseStartPath = PlainFolder(selected); },
        [chosen](const QString& folder) {
            if (!folder.isEmpty()) g_browseStartPath = PlainFolder(folder);
            chosen(folder.isEmpty() ? QString() : g_browseStartPath);
        });
}

bool FolderExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QUrl ShellTarget(const QString& document) {
    // A web address names its scheme; a path on this machine (even one holding '#' or '%')
    // must not be read as one.
    const QUrl url(document, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1) return url;
    return QUrl::fromLocalFile(document);
}

void ShellOpen(const QString& document, const std::function<void()>& unopened) {
    CurrentShell().OpenUrl(ShellTarget(document), unopened);
}
