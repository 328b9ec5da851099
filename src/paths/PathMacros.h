// The download-path macros (%APPPATH%, %TEMP%, %MYDOC%, %APPDATA%) and the genre folder of a run.
#pragma once

#include <QString>

// Replaces every occurrence of macro (exact case) in text by value.
void ReplaceMacro(QString& text, const QString& macro, const QString& value);

// Expands the macros of the download path, creates the download folder and its genre
// subfolder (one level each; failures pass silently) and returns the genre folder with a
// trailing separator. expandedDir receives the download folder with its trailing separator.
// A folder created inside one that everyone may write into is private to the user. writable
// is false when either folder lies in such a folder and belongs to another user (or a link of
// another user stands in its place): nothing may then be written into the genre folder.
QString ExpandDownloadDir(const QString& txtDL, const QString& genre, QString& expandedDir,
                          bool& writable);
