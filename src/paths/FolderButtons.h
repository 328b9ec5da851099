// What the Browse and Explore buttons beside the download path do with its text.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// The download path with its macros replaced, in the buttons' order (%APPPATH%, %TEMP%,
// %APPDATA%, %MYDOC%), and one separator appended. Creates nothing and adds no genre.
QString ResolveFolderMacros(const QString& txtDL);

// The folder the picker is offered: the resolved download path when that folder exists, else
// the temporary folder with a trailing separator.
QString BrowseStartFolder(const QString& txtDL);

// Lets the user pick the download folder, starting from txtDL, and returns at once. Once the
// picker closes with a folder chosen, chosen hears of the new text for the download path (a plain
// folder, no macros, no trailing separator except at the root); a cancelled picker calls nothing.
void BrowseDownloadFolder(QWidget* owner, const QString& txtDL,
                          const std::function<void(const QString&)>& chosen);

// Opens the resolved download folder in the file manager. When it cannot, tell hears, at once or
// once the desktop has answered, what the user must be told: that the folder does not exist yet
// (it is not created), or that no program could open it.
void ExploreDownloadFolder(const QString& txtDL, const std::function<void(const QString&)>& tell);
