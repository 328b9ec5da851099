#include "PlaylistTarget.h"

#include "PlaylistText.h"
#include "PlaylistWriters.h"
#include "PlsReader.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"
#include "StationNameCleaner.h"

std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, const ScanState& state,
                                           StationEntry& entry, int32_t limit) {
    if (limit < 0) return std::nullopt;  // no name can be cut to a negative length
    QString station = entry.Name;
    CleanStationName(station);
    const QString fileName = StationFileName(
        host.txtFormatText(), ShortenedStationName(station, limit), entry, host.cmbFormatText());
    entry.FileName = fileName;
    if (fileName.isEmpty() || !StaysInFolder(fileName) || !state.m_DownloadDirWritable)
        return std::nullopt;
    return PlaylistTarget{StationTitle(entry.Name), state.m_DownloadDir + fileName};
}

bool WritePlaylist(const ScanHost& host, const PlaylistTarget& target,
                   const QString& playlistText) {
    // A PLS keeps the directory's entries that lead to web streams; the other formats hold the
    // stream picked from it.
    if (FormatOf(host.cmbFormatText()) == PlaylistFormat::Pls) {
        const QByteArray bytes = PlsFileBytes(playlistText);
        return !bytes.isEmpty() && WriteTextFile(target.path, bytes);
    }
    return WriteStreamPlaylist(host, target, PickStreamAddress(playlistText));
}

bool WriteStreamPlaylist(const ScanHost& host, const PlaylistTarget& target,
                         const QString& address) {
    QByteArray bytes;
    switch (FormatOf(host.cmbFormatText())) {
        case PlaylistFormat::Asx:
            bytes = AsxFileBytes(address, target.title);
            break;
        case PlaylistFormat::M3u:
            bytes = M3uFileBytes(address, target.title);
            break;
        case PlaylistFormat::Pls:
            bytes = StreamPlsFileBytes(address, target.title);
            break;
    }
    return !bytes.isEmpty() && WriteTextFile(target.path, bytes);
}
