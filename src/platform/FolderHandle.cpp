#include "FolderHandle.h"

#include "RunningProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <cerrno>
#include <ctime>
#include <utility>
#else
#include <QSaveFile>
#endif

#ifdef Q_OS_UNIX

namespace {

// An open file or folder, closed with its owner.
class Descriptor {
public:
    explicit Descriptor(int descriptor = -1) : m_descriptor(descriptor) {}
    Descriptor(Descriptor&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(m_descriptor, other.m_descriptor);
        return *this;
    }
    ~Descriptor() { close(); }
    explicit operator bool() const { return m_descriptor >= 0; }
    int get() const { return m_descriptor; }
    int release() { return std::exchange(m_descriptor, -1); }
    // Closes now; false when the close reports an error (on some file systems a failed write
    // shows only here).
    bool close() { return m_descriptor < 0 || ::close(std::exchange(m_descriptor, -1)) == 0; }

private:
    int m_descriptor;
};

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Whether anyone but the user may create, rename or remove entries in the folder. Root may
// anyway; any other owner may change the folder's mode. Where the folder has an access list,
// its group bits are the list's mask, the most that any named user or group of the list gets,
// so the group write bit also tells whether the list lets anyone else write.
bool OthersMayWrite(const struct stat& folder) {
    return (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0 ||
           (folder.st_uid != geteuid() && folder.st_uid != 0);
}

bool IsPrivate(const struct stat& folder) {
    return folder.st_uid == geteuid() && (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// A program killed while it wrote leaves its temporary file behind. Those whose process is gone
// (or that have lain there a day, in case the id came back to another process) are removed;
// files of any other name are never touched.
void RemoveStaleTemporaryFiles(int folder, const QString& prefix) {
    Descriptor listed(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* entries = listed ? fdopendir(listed.get()) : nullptr;
    if (!entries) return;
    listed.release();  // the listing owns it now
    const auto closeListing = qScopeGuard([entries] { closedir(entries); });
    const QRegularExpression ours(QStringLiteral("^%1(\\d{1,10})-[0-9a-f]{8}\\.part$")
                                      .arg(QRegularExpression::escape(prefix)));
    const time_t dayAgo = std::time(nullptr) - 24 * 60 * 60;
    while (const dirent* entry = readdir(entries)) {
        const QRegularExpressionMatch match = ours.match(QFile::decodeName(entry->d_name));
        struct stat info {};
        if (!match.hasMatch() || fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        if (!ProcessIsRunning(match.captured(1).toLongLong()) || info.st_mtime < dayAgo)
            unlinkat(folder, entry->d_name, 0);
    }
}

bool WriteAll(int file, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(file, next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) continue;
        // A short write that makes no headway (a full disk, a size limit) counts as a failed one.
        if (written <= 0) return false;
        next += written;
        left -= written;
    }
    return true;
}

// Where a name in a folder leads: the subfolder that holds it, opened step by step without
// following a link, and its last step. folder is -1 when a step is missing, a link, or leads up
// a level.
struct Place {
    Descriptor subfolder;  // open while the place is used; none when the name has no steps
    int folder = -1;
    QByteArray fileName;
    QString subfolders;  // the steps before the last one, joined by "/"
};

Place PlaceOf(int top, const QString& name) {
    Place place;
    QStringList steps = name.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    steps.removeAll(QStringLiteral("."));
    if (name.endsWith(QLatin1Char('/')) || steps.isEmpty() || steps.contains(QStringLiteral("..")))
        return place;
    place.fileName = QFile::encodeName(steps.takeLast());
    place.subfolders = steps.join(QLatin1Char('/'));
    int folder = top;
    for (const QString& step : std::as_const(steps)) {
        place.subfolder =
            Descriptor(openat(folder, QFile::encodeName(step).constData(), kFolderFlags));
        if (!place.subfolder) return place;
        folder = place.subfolder.get();
    }
    place.folder = folder;
    return place;
}

}  // namespace

FolderHandle::~FolderHandle() {
    ::close(m_descriptor);
}

std::unique_ptr<FolderHandle> FolderHandle::open(const QString& path,
                                                 const QString& temporaryPrefix) {
    const QFileInfo folder(QDir::cleanPath(path));
    if (folder.fileName().isEmpty()) {  // the root has no parent to take it from
        Descriptor root(::open(QFile::encodeName(folder.filePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!root) return nullptr;
        return std::unique_ptr<FolderHandle>(
            new FolderHandle(root.release(), folder.filePath(), temporaryPrefix));
    }
    Descriptor parent(
        ::open(QFile::encodeName(folder.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!parent) return nullptr;
    return FolderHandle(parent.release(), folder.path(), temporaryPrefix)
        .openChild(folder.fileName());
}

std::unique_ptr<FolderHandle> FolderHandle::openChild(const QString& name) const {
    struct stat here {};
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || fstat(m_descriptor, &here) != 0)
        return nullptr;
    const bool shared = OthersMayWrite(here);
    const QByteArray encoded = QFile::encodeName(name);
    mkdirat(m_descriptor, encoded.constData(), shared ? S_IRWXU : 0777);  // or it is there
    const int opened = openat(m_descriptor, encoded.constData(), kFolderFlags);
    const int openError = opened < 0 ? errno : 0;
    Descriptor child(opened);
    // A link here was put by the user (no one else may write into this folder), often to keep
    // playlists on another disk: it is followed, but only to a folder that is the user's alone,
    // since where it leads may lie in a shared folder.
    const bool followed = (openError == ELOOP || openError == ENOTDIR) && !shared;
    if (followed)
        child = Descriptor(openat(m_descriptor, encoded.constData(), kFolderFlags & ~O_NOFOLLOW));
    struct stat info {};
    if (!child || fstat(child.get(), &info) != 0 || ((shared || followed) && !IsPrivate(info)))
        return nullptr;
    const QString childPath =
        m_path.endsWith(QLatin1Char('/')) ? m_path + name : m_path + QLatin1Char('/') + name;
    return std::unique_ptr<FolderHandle>(
        new FolderHandle(child.release(), childPath, m_temporaryPrefix));
}

bool FolderHandle::replaceFile(const QString& name, const QByteArray& bytes) const {
    const Place place = PlaceOf(m_descriptor, name);
    if (place.folder < 0) return false;
    const int folder = place.folder;
    const QByteArray& fileName = place.fileName;
    const QString& subfolderKey = place.subfolders;
    if (!m_swept.contains(subfolderKey)) {
        m_swept.insert(subfolderKey);
        RemoveStaleTemporaryFiles(folder, m_temporaryPrefix);
    }

    // A fresh name of its own: the final name may already take all the room a name has. The
    // process id in it tells whether its writer is still at work.
    QByteArray temporary;
    Descriptor file;
    for (int attempt = 0; attempt < 16 && !file; ++attempt) {
        temporary =
            QFile::encodeName(m_temporaryPrefix + QStringLiteral("%1-%2.part")
                                                      .arg(QCoreApplication::applicationPid())
                                                      .arg(QRandomGenerator::global()->generate(),
                                                           8, 16, QLatin1Char('0')));
        file = Descriptor(openat(folder, temporary.constData(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (!file && errno != EEXIST) return false;  // the folder cannot be written
    }
    if (!file) return false;
    auto removeTemporary = qScopeGuard([&] { unlinkat(folder, temporary.constData(), 0); });
    if (!WriteAll(file.get(), bytes)) return false;
    // A link lends no permissions, nor does what it points at.
    struct stat existing {};
    if (fstatat(folder, fileName.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(existing.st_mode) && fchmod(file.get(), existing.st_mode & 0777) != 0)
        return false;
    // Unlike a safe-save this does not wait for the disk to confirm each file: a harvest writes
    // thousands of them, and the wait (about 5 ms here) took seven times as long as fetching
    // the playlist.
    if (!file.close() || renameat(folder, temporary.constData(), folder, fileName.constData()) != 0)
        return false;
    removeTemporary.dismiss();
    return true;
}

std::optional<QByteArray> FolderHandle::readFile(const QString& name, qint64 maxBytes) const {
    const Place place = PlaceOf(m_descriptor, name);
    if (place.folder < 0) return std::nullopt;
    Descriptor file(openat(place.folder, place.fileName.constData(),
                           O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!file || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxBytes)
        return std::nullopt;
    QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            read(file.get(), bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return std::nullopt;  // it shrank while it was read, or cannot be read
        got += n;
    }
    return bytes;
}

bool FolderHandle::removeFile(const QString& name) const {
    const Place place = PlaceOf(m_descriptor, name);
    struct stat info {};
    return place.folder >= 0 &&
           fstatat(place.folder, place.fileName.constData(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(info.st_mode) && unlinkat(place.folder, place.fileName.constData(), 0) == 0;
}

#else

// Elsewhere folders are kept apart by their access lists, which the program does not change,
// and are written into by path.

FolderHandle::~FolderHandle() = default;

std::unique_ptr<FolderHandle> FolderHandle::open(const QString& path,
                                                 const QString& temporaryPrefix) {
    const QString cleaned = QDir::cleanPath(path);
    QDir().mkdir(cleaned);
    if (!QFileInfo(cleaned).isDir()) return nullptr;
    return std::unique_ptr<FolderHandle>(new FolderHandle(-1, cleaned, temporaryPrefix));
}

std::unique_ptr<FolderHandle> FolderHandle::openChild(const QString& name) const {
    if (name.isEmpty() || name.contains(QLatin1Char('/'))) return nullptr;
    return open(m_path + QLatin1Char('/') + name, m_temporaryPrefix);
}

bool FolderHandle::replaceFile(const QString& name, const QByteArray& bytes) const {
    const QStringList steps = name.split(QLatin1Char('/'));
    if (steps.contains(QStringLiteral(".."))) return false;
    QSaveFile file(m_path + QLatin1Char('/') + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

std::optional<QByteArray> FolderHandle::readFile(const QString& name, qint64 maxBytes) const {
    if (name.split(QLatin1Char('/')).contains(QStringLiteral(".."))) return std::nullopt;
    QFile file(m_path + QLatin1Char('/') + name);
    if (file.size() > maxBytes || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
}

bool FolderHandle::removeFile(const QString& name) const {
    if (name.split(QLatin1Char('/')).contains(QStringLiteral(".."))) return false;
    const QFileInfo file(m_path + QLatin1Char('/') + name);
    return file.isFile() && !file.isSymLink() && QFile::remove(file.filePath());
}

#endif
