// The download-path macros (%APPPATH%, %TEMP%, %MYDOC%, %APPDATA%) and the genre folder of a run.
#pragma once

#include <QString>
#include <memory>

class FolderHandle;

// Replaces every occurrence of macro (exact case) in text by value.
void ReplaceMacro(QString& text, const QString& macro, const QString& value);

// The order in which the macros of the download path are replaced: a run replaces %APPPATH%,
// %TEMP%, %MYDOC%, %APPDATA%; the folder buttons %MYDOC% last. Only a macro that comes later is
// replaced within the value of another.
enum class MacroOrder { Run, FolderButtons };

// The download path with its macros replaced in that order, without a trailing separator added.
QString ExpandPathMacros(const QString& txtDL, MacroOrder order = MacroOrder::Run);

// How a playlist being written is named until it is whole (".radiosift-" and more): a killed
// run's are told by it from any other file.
inline const QString PlaylistTemporaryPrefix = QStringLiteral(".radiosift-");

// The genre folder of a run.
struct GenreFolder {
    QString path;  // where it is, with a trailing separator
    // The folder itself, open for the genre's files; null when it could not be opened or is
    // refused: nothing may then be written into it.
    std::shared_ptr<const FolderHandle> folder;
    // The download folder that holds it, open as well; null when it could not be opened.
    std::shared_ptr<const FolderHandle> download;
};

// Expands the macros of the download path, opens the download folder and its genre subfolder,
// creating each (one level) when missing, and returns the genre folder. expandedDir receives the
// download folder with its trailing separator. Each folder is opened without following a link
// in its place. In a folder that anyone but the user may write into, a folder that another
// user made first (or that others may write into) is refused, and one created there is
// private to the user.
GenreFolder ExpandDownloadDir(const QString& txtDL, const QString& genre, QString& expandedDir);
