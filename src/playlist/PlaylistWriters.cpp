#include "PlaylistWriters.h"

#include "FolderHandle.h"

bool WriteTextFile(const FolderHandle& folder, const QString& name, const QByteArray& bytes) {
    return folder.replaceFile(name, bytes);
}
