#include "GenreLibrary.h"

#include "FolderHandle.h"

namespace {

// The most a file a run wrote can hold: anything larger is not one of them.
constexpr qint64 kLargestPlaylist = 16 * 1024 * 1024;

}  // namespace

PruneTally& PruneTally::operator+=(const PruneTally& other) {
    removed += other.removed;
    renamed += other.renamed;
    changed += other.changed;
    failed += other.failed;
    return *this;
}

GenreLibrary::GenreLibrary(QString genre, std::shared_ptr<const FolderHandle> folder,
                           std::shared_ptr<const FolderHandle> download, QString folderName)
    : m_genre(std::move(genre)),
      m_folder(std::move(folder)),
      m_download(std::move(download)),
      m_folderName(std::move(folderName)) {
    if (!m_folder) return;
    FolderRecord record = ReadFolderRecord(*m_folder);
    m_earlierState = record.state;
    m_earlier = std::move(record.entries);
}

void GenreLibrary::add(WrittenFile file) {
    const auto at = m_writtenAt.constFind(file.record.fileName);
    if (at != m_writtenAt.constEnd()) {
        m_written[*at] = std::move(file);
        return;
    }
    m_writtenAt.insert(file.record.fileName, m_written.size());
    m_written.append(std::move(file));
}

bool GenreLibrary::writePlaylists(const QList<GenrePlaylistFormat>& formats) const {
    bool allWritten = true;
    // Every address is read once, whatever the number of formats.
    const QList<WrittenFile> stations =
        formats.isEmpty() ? QList<WrittenFile>() : GenrePlaylistStations(m_written);
    for (const GenrePlaylistFormat format : formats) {
        allWritten = m_download &&
                     m_download->replaceFile(GenrePlaylistFileName(m_folderName, format),
                                             GenrePlaylistBytes(format, m_genre, stations)) &&
                     allWritten;
    }
    return allWritten;
}

bool GenreLibrary::writeRecord() const {
    if (!m_folder) return false;
    QList<RecordEntry> entries;
    entries.reserve(m_written.size() + m_earlier.size());
    for (const WrittenFile& file : m_written) entries.append(file.record);
    for (const RecordEntry& entry : m_earlier)
        if (!m_writtenAt.contains(entry.fileName)) entries.append(entry);
    return m_folder->replaceFile(kFolderRecordName, FolderRecordBytes(entries));
}

PruneTally GenreLibrary::prune() {
    PruneTally tally;
    if (!m_folder) return tally;
    RunFiles run{m_kept, {}};
    for (const WrittenFile& file : m_written) {
        run.names.insert(file.record.fileName);
        if (!file.record.stationId.isEmpty()) run.stationIds.insert(file.record.stationId);
    }
    QList<RecordEntry> stillToPrune;
    for (const RecordEntry& entry : std::as_const(m_earlier)) {
        const EarlierFile verdict = JudgeEarlierFile(
            entry, run, m_listingWhole, m_folder->readFile(entry.fileName, kLargestPlaylist));
        switch (verdict) {
            case EarlierFile::Changed:
                ++tally.changed;
                break;
            case EarlierFile::Listed:
                stillToPrune.append(entry);
                break;
            case EarlierFile::Renamed:
            case EarlierFile::Left:
                if (!m_folder->removeFile(entry.fileName)) {
                    ++tally.failed;
                    stillToPrune.append(entry);
                    break;
                }
                ++tally.removed;
                if (verdict == EarlierFile::Renamed) ++tally.renamed;
                break;
            case EarlierFile::WrittenAgain:
                if (!m_writtenAt.contains(entry.fileName)) stillToPrune.append(entry);  // kept
                break;
            case EarlierFile::Gone:
                break;
        }
    }
    m_earlier = std::move(stillToPrune);
    writeRecord();
    return tally;
}
