// A folder opened once and then written into by name: what was checked about it (whose it is,
// who else may write into it) is what the files go into, even when its path is made to lead
// elsewhere afterwards.
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>

class FolderHandle {
public:
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // Opens the folder at path, creating it (one level) when it is missing. Its parent is found
    // by the path; the folder itself is taken from the parent as openChild takes a folder. Null
    // when it cannot be opened or is refused. Files being written into it, or into the folders
    // opened from it, are named temporaryPrefix, a process id, a random number and ".part", so
    // that those of a killed run can be told from any other files.
    static std::unique_ptr<FolderHandle> open(const QString& path, const QString& temporaryPrefix);

    // Opens the folder name (one step) in this one, creating it when it is missing; a link in
    // its place is never followed. When anyone but the user may write into this folder, another
    // user could have put a folder there first: it is taken only when it belongs to the user and
    // no one else may write into it, and one created here is the user's alone. Null when it
    // cannot be opened or is refused.
    std::unique_ptr<FolderHandle> openChild(const QString& name) const;

    // Writes bytes as the file name in this folder: beside its final place under a temporary name
    // of its own, then renamed over the entry there (a link is replaced, never followed), so a
    // write that fails leaves any earlier file as it was and nothing beside it. A replaced file
    // keeps its permissions; a new one gets the usual ones. name may lead into subfolders that
    // exist ("a/b.pls"), never through a link nor up a level. The first write into a folder
    // removes the temporary files that killed runs of the program left there. False when the
    // file was not written. One thread at a time.
    bool replaceFile(const QString& name, const QByteArray& bytes) const;

    // The bytes of the file name in this folder, reached as replaceFile reaches it; none when it
    // is missing, is no regular file (a link is not followed), cannot be read or holds more than
    // maxBytes.
    std::optional<QByteArray> readFile(const QString& name, qint64 maxBytes) const;

    // Removes the regular file name in this folder, reached as replaceFile reaches it; a link, a
    // folder or anything else there stays. False when nothing was removed.
    bool removeFile(const QString& name) const;

    // The path the folder was opened by, without a trailing separator: for showing only.
    const QString& path() const { return m_path; }

private:
    FolderHandle(int descriptor, const QString& path, const QString& temporaryPrefix)
        : m_descriptor(descriptor), m_path(path), m_temporaryPrefix(temporaryPrefix) {}

    int m_descriptor;  // the open folder where the system has them, else -1
    QString m_path;
    QString m_temporaryPrefix;
    mutable QSet<QString> m_swept;  // subfolders already cleared of stale temporary files
};
