#include "FolderSafety.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QDir>
#endif

namespace FolderSafety {

#ifdef Q_OS_UNIX

bool EveryoneMayWrite(const QString& folder) {
    struct stat info {};
    return stat(QFile::encodeName(folder).constData(), &info) == 0 && (info.st_mode & S_IWOTH);
}

bool MakePrivateFolder(const QString& folder) {
    return mkdir(QFile::encodeName(folder).constData(), S_IRWXU) == 0;
}

bool OwnedByUser(const QString& path) {
    struct stat info {};
    return lstat(QFile::encodeName(path).constData(), &info) == 0 && info.st_uid == geteuid();
}

#else

// Folders elsewhere are kept apart by their access lists, which the program does not change.
bool EveryoneMayWrite(const QString&) {
    return false;
}
bool MakePrivateFolder(const QString& folder) {
    return QDir().mkdir(folder);
}
bool OwnedByUser(const QString&) {
    return true;
}

#endif

}  // namespace FolderSafety
