#include "LibraryRun.h"

#include <QDir>

void LibraryRun::startRun(LibraryOptions options) {
    m_options = std::move(options);
    m_genres.clear();
    m_current = nullptr;
    m_warnings.clear();
}

void LibraryRun::startGenre(const QString& genre, const QString& path,
                            std::shared_ptr<const FolderHandle> folder,
                            std::shared_ptr<const FolderHandle> download) {
    m_current = nullptr;
    m_currentPath = path;
    if (!folder) return;
    std::unique_ptr<GenreLibrary>& library = m_genres[path];
    if (!library) {
        const QString folderName = QDir(path).dirName();
        library = std::make_unique<GenreLibrary>(genre, std::move(folder), std::move(download),
                                                 folderName);
        if (library->earlierRecord() == FolderRecord::State::Unusable) {
            m_warnings.append(QStringLiteral("%1%2 is no record of this program's, or damaged: "
                                             "nothing is pruned in %1, and the record is written "
                                             "anew")
                                  .arg(path, kFolderRecordName));
        }
    }
    m_current = library.get();
}

void LibraryRun::fileWritten(WrittenFile file) {
    if (m_current) m_current->add(std::move(file));
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

PruneTally LibraryRun::endRun(bool done) {
    endGenre();
    PruneTally tally;
    if (!done || !m_options.prune) return tally;
    for (const auto& [path, library] : m_genres) tally += library->prune();
    return tally;
}
