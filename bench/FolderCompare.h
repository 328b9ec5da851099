// FolderCompare: whether two download folders hold the same files with the same bytes.
#pragma once

#include <QString>

// Empty when both folders hold the same relative file paths with equal contents; otherwise a
// line naming the first difference.
QString CompareFolders(const QString& first, const QString& second);

// The number of files below a folder.
int CountFiles(const QString& folder);
