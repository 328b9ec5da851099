#include "LibraryRun.h"

#include <QDir>

void LibraryRun::startRun() {
    m_genres.clear();
    m_current = nullptr;
    m_pruned = {};
    m_warnings.clear();
}

void LibraryRun::startGenre(const QString& genre, const GenreFolder& folder) {
    const QString& path = folder.path;
    m_current = nullptr;
    m_currentPath = path;
    if (!folder.folder) return;
    std::unique_ptr<GenreLibrary>& library = m_genres[path];
    if (!library) {
        library = std::make_unique<GenreLibrary>(genre, folder.folder, folder.download,
                                                 QDir(path).dirName());
        if (library->earlierRecord() == FolderRecord::State::Unusable) {
            m_warnings.append(QStringLiteral("%1%2 is no record of this program's, or damaged: "
                                             "nothing is pruned in %1, and the record is written "
                                             "anew")
                                  .arg(path, kFolderRecordName));
        }
    }
    m_current = library.get();
}

void LibraryRun::fileWritten(const StationEntry& station, const QString& fileName,
                             const QString& address, const QByteArray& bytes) {
    if (!m_current) return;
    m_current->add({{fileName, station.Rn, address, FileHash(bytes)},
                    station.Name,
                    station.Logo,
                    station.HomeLink});
}

void LibraryRun::fileKept(const QString& fileName) {
    if (m_current) m_current->keep(fileName);
}

void LibraryRun::listingIncomplete() {
    if (m_current) m_current->setListingIncomplete();
}

void LibraryRun::endGenre() {
    if (!m_current) return;
    if (!m_current->writePlaylists(m_options.playlists))
        m_warnings.append(
            QStringLiteral("The playlists of %1 could not be written").arg(m_currentPath));
    if (!m_current->writeRecord())
        m_warnings.append(
            QStringLiteral("%1%2 could not be written").arg(m_currentPath, kFolderRecordName));
    m_current = nullptr;
}

void LibraryRun::endRun(bool done) {
    endGenre();
    if (!done || !m_options.prune) return;
    for (const auto& [path, library] : m_genres) m_pruned += library->prune();
}
