// The folder picker and the desktop's "open", with the seam through which tests answer both.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

// What the program asks of the desktop shell. The desktop's own shell is in use unless another
// one is installed (tests install one that answers the picker and records what would open).
class Shell {
public:
    virtual ~Shell() = default;

    // Shows a picker for folders only, titled prompt and opened at startFolder, modal to the
    // owner's window, and returns at once: the owner's thread goes on with its events and waits
    // meanwhile. While the picker is open, selectionChanged hears of every folder the user
    // selects; when it closes, chosen hears of the folder chosen, or of empty text when the user
    // cancels.
    virtual void PickFolder(QWidget* owner, const QString& prompt, const QString& startFolder,
                            const std::function<void(const QString&)>& selectionChanged,
                            const std::function<void(const QString&)>& chosen) = 0;
    // Hands an address to the desktop: a folder opens in the file manager, a web page in the
    // browser. unopened runs, at once or once the desktop has answered, when no program could
    // open it.
    virtual void OpenUrl(const QUrl& url, const std::function<void()>& unopened) = 0;
};

// The shell in use.
Shell& CurrentShell();
// Puts shell in use for every later picker and open; nullptr puts the desktop's own back.
// Returns the shell installed before (nullptr for the desktop's own).
Shell* InstallShell(Shell* shell);

// Lets the user pick a folder, starting at startPath when it is longer than one character, else
// at the folder last selected in a picker since the program started (the program's folder
// before the first). Returns at once; once the picker closes, chosen hears of the folder in
// native form without a trailing separator (except at the root), or of empty text when the user
// cancels.
void BrowseForFolder(QWidget* owner, const QString& prompt, const QString& startPath,
                     const std::function<void(const QString&)>& chosen);

// The folder the next picker opens at when its caller gives none; empty before the first picker.
QString BrowseStartPath();
void setBrowseStartPath(const QString& path);

// True when path names an existing folder; false for a file, a missing path or one that cannot
// be examined.
bool FolderExists(const QString& path);

// Asks the desktop to open document: a web address in the browser, anything else as a local
// file or folder. unopened runs, now or later, when no program could open it.
void ShellOpen(
    const QString& document, const std::function<void()>& unopened = [] {});
// The address ShellOpen hands to the desktop for document.
QUrl ShellTarget(const QString& document);
