// What the Browse and Explore buttons beside the download path do with its text.
#pragma once

#include <QString>
#include <optional>

class QWidget;

// The download path with its macros replaced, in the buttons' order (%APPPATH%, %TEMP%,
// %APPDATA%, %MYDOC%), and one separator appended. Creates nothing and adds no genre.
QString ResolveFolderMacros(const QString& txtDL);

// The folder the picker is offered: the resolved download path when that folder exists, else
// the temporary folder with a trailing separator.
QString BrowseStartFolder(const QString& txtDL);

// Lets the user pick the download folder, starting from txtDL. Returns the new text for the
// download path (a plain folder, no macros, no trailing separator except at the root), or
// nothing when the user cancels.
std::optional<QString> BrowseDownloadFolder(QWidget* owner, const QString& txtDL);

// Opens the resolved download folder in the file manager. Returns what the user must be told
// when it was not opened: that the folder does not exist yet (it is not created), or that no
// program could open it. Empty text once the folder was handed to the desktop.
QString ExploreDownloadFolder(const QString& txtDL);
