#include "PlaylistTarget.h"

#include "FolderHandle.h"
#include "PlaylistText.h"
#include "PlsReader.h"
#include "RunRecorder.h"
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

// Bytes with nothing in them hold no web stream: the station is passed over, not counted.
bool WriteBytes(const PlaylistTarget& target, const QByteArray& bytes, const QString& address) {
    if (bytes.isEmpty()) return false;
    if (!OneStation(*target.notSaved,
                    [&] { return target.folder->replaceFile(target.fileName, bytes); }))
        return false;
    if (target.recorder)
        target.recorder->fileWritten(target.station, target.fileName, address, bytes);
    return true;
}

QByteArray StreamFileBytes(PlaylistFormat format, const QString& address, const QString& title) {
    switch (format) {
        case PlaylistFormat::Asx:
            return AsxFileBytes(address, title);
        case PlaylistFormat::M3u:
            return M3uFileBytes(address, title);
        case PlaylistFormat::Pls:
            break;
    }
    return StreamPlsFileBytes(address, title);
}

}  // namespace

std::optional<PlaylistTarget> NamePlaylist(const ScanHost& host, ScanState& state,
                                           StationEntry& entry, int32_t limit) {
    return OneStation(state.m_NotSaved, [&]() -> std::optional<PlaylistTarget> {
        if (limit < 0) return std::nullopt;  // no name can be cut to a negative length
        QString station = entry.Name;
        CleanStationName(station);
        const QString formatText = host.cmbFormatText();
        const QString fileName = StationFileName(
            host.txtFormatText(), ShortenedStationName(station, limit), entry, formatText);
        entry.FileName = fileName;
        if (fileName.isEmpty() || !StaysInFolder(fileName) || !state.m_DownloadFolder)
            return std::nullopt;
        return PlaylistTarget{StationTitle(entry.Name), state.m_DownloadFolder, fileName,
                              &state.m_NotSaved,        FormatOf(formatText),   entry,
                              state.m_Recorder};
    });
}

bool WritePlaylist(const PlaylistTarget& target, const QString& playlistText) {
    // A PLS keeps the directory's entries that lead to web streams; the other formats hold the
    // stream picked from it.
    if (target.format == PlaylistFormat::Pls) {
        const QByteArray bytes = PlsFileBytes(playlistText);
        // The stream the file's first choice leads to, among the entries it kept.
        return WriteBytes(target, bytes, PickStreamAddress(QString::fromUtf8(bytes)));
    }
    return WriteStreamPlaylist(target, PickStreamAddress(playlistText));
}

bool WriteStreamPlaylist(const PlaylistTarget& target, const QString& address) {
    return WriteBytes(target, StreamFileBytes(target.format, address, target.title), address);
}
