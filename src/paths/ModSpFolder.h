// Where the special folders of the download-path macros are, and the environment's values.
#pragma once

#include <QString>

// Numbers of the special folders the macros ask for.
constexpr int SpecialFolderDocuments = 5;  // %MYDOC%: the user's documents folder
constexpr int SpecialFolderAppData = 26;   // %APPDATA%: the generic data folder

// The folder's path for a special-folder number, or empty text when there is none.
QString SpecialFolderPath(int folderNumber);
// The value of an environment variable, or empty text when it is not set.
QString EnvValue(const QString& name);
// The folder %TEMP% stands for: TEMP when it is set, else the system's temporary folder.
QString TempFolder();
// The folder that holds the program's executable, without a trailing separator.
QString ProgramFolder();
