#include "PlaylistTarget.h"

#include "FolderHandle.h"
#include "PlaylistWriters.h"
#include "PlsReader.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"
#include "StationNameCleaner.h"

#include <exception>

namespace {

// A failure while one station is named or written ends that station only: what went wrong is
// counted, and the page goes on with the next station.
template <typename Step>
auto OneStation(int32_t& notSaved, Step step) -> decltype(step()) {
    try {
        if (auto done = step()) return done;
    } catch (const std::exception&) {
    }
    ++notSaved;
    return {};
}

bool WriteFormat(const ScanHost& host, const PlaylistTarget& target, const QString& address) {
    const FolderHandle& folder = *target.folder;
    switch (FormatOf(host.cmbFormatText())) {
        case PlaylistFormat::Asx:
            return WriteAsxFile(folder, target.fileName, address, target.title);
        case PlaylistFormat::M3u:
            return WriteM3uFile(folder, target.fileName, address, target.title);
        case PlaylistFormat::Pls:
            break;
    }
    return WriteTextFile(folder, target.fileName,
                         QStringLiteral("[playlist]\r\nnumberofentries=1\r\nFile1=%1\r\n"
                                        "Title1=%2\r\nLength1=-1\r\nVersion=2")
                             .arg(address, target.title));
}

}  // namespace

std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, ScanState& state,
                                           StationEntry& entry, int32_t limit) {
    return OneStation(state.m_NotSaved, [&]() -> std::optional<PlaylistTarget> {
        if (limit < 0) return std::nullopt;  // no name can be cut to a negative length
        QString station = entry.Name;
        CleanStationName(station);
        if (station.size() > limit) station.truncate(limit);

        const QString fileName =
            StationFileName(host.txtFormatText(), station, entry, host.cmbFormatText());
        entry.FileName = fileName;
        if (!StaysInFolder(fileName) || !state.m_DownloadFolder) return std::nullopt;
        return PlaylistTarget{station, state.m_DownloadFolder, fileName, &state.m_NotSaved};
    });
}

bool WritePlaylist(const ScanHost& host, const PlaylistTarget& target,
                   const QString& playlistText) {
    return OneStation(*target.notSaved, [&] {
        // A PLS is kept as the directory sent it; the other formats hold the stream picked
        // from it.
        if (FormatOf(host.cmbFormatText()) == PlaylistFormat::Pls)
            return WriteTextFile(*target.folder, target.fileName, playlistText);
        return WriteFormat(host, target, PickStreamAddress(playlistText));
    });
}

bool WriteStreamPlaylist(const ScanHost& host, const PlaylistTarget& target,
                         const QString& address) {
    return OneStation(*target.notSaved, [&] { return WriteFormat(host, target, address); });
}
