#include "PlaylistTarget.h"

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
    if (station.size() > limit) station.truncate(limit);

    const QString formatText = host.cmbFormatText();
    const QString fileName = StationFileName(host.txtFormatText(), station, entry, formatText);
    entry.FileName = fileName;
    if (!StaysInFolder(fileName) || !state.m_DownloadDirWritable) return std::nullopt;
    return PlaylistTarget{station, state.m_DownloadDir + fileName, FormatOf(formatText)};
}

bool WritePlaylist(const PlaylistTarget& target, const QString& playlistText) {
    // A PLS is kept as the directory sent it; the other formats hold the stream picked from it.
    if (target.format == PlaylistFormat::Pls) return WriteTextFile(target.path, playlistText);
    return WriteStreamPlaylist(target, PickStreamAddress(playlistText));
}

bool WriteStreamPlaylist(const PlaylistTarget& target, const QString& address) {
    switch (target.format) {
        case PlaylistFormat::Asx:
            return WriteAsxFile(target.path, address, target.title);
        case PlaylistFormat::M3u:
            return WriteM3uFile(target.path, address, target.title);
        case PlaylistFormat::Pls:
            break;
    }
    return WriteTextFile(target.path,
                         QStringLiteral("[playlist]\r\nnumberofentries=1\r\nFile1=%1\r\n"
                                        "Title1=%2\r\nLength1=-1\r\nVersion=2")
                             .arg(address, target.title));
}
