// ScanState: the run state of the main window that the scan driver, the page fetcher, the
// parsers and the station saver share, and the program-wide station list.
#pragma once

#include "HttpRequest.h"
#include "RunTally.h"
#include "StationEntry.h"

#include <QString>
#include <QVector>
#include <cstdint>
#include <memory>

class FolderHandle;
class RunRecorder;

struct ScanState {
    bool m_Running = false;       // a run may go on; tested at the driver's check points
    int32_t m_PageCount = 0;      // result pages fetched per genre
    float m_GenreCount = 0;       // genres in this run
    float m_ProgressBase = 0;     // percentage of the run done before the current page
    QString m_Genre;              // genre being scanned, as listed ("Search" in search mode)
    int32_t m_MinBitrate = 0;     // minimum bitrate (kbit/s) that the parsers apply
    QString m_DownloadDir;        // this genre's folder, ending in a separator
    // That folder, open for the genre; null when it could not be opened or is refused (another
    // user's, in a folder that others may write into): the genre's stations are then not saved.
    std::shared_ptr<const FolderHandle> m_DownloadFolder;
    // Stations of this run that passed the window's filters but could not be written: a folder
    // refused, a name that cannot be written, a full disk.
    int32_t m_NotSaved = 0;
    // What became of the run's stations, genre by genre; begun afresh by every run.
    RunTally m_Tally;
    QString m_PageText;           // text of the last fetched page, line ends normalised
    QString m_ExpandedDir;        // the download folder as last expanded, without the genre
    // The request of the last fetch or download. Shared: the fetch that waits for it holds it
    // too, so events that replace it meanwhile cannot pull it from under the wait.
    std::shared_ptr<HttpRequest> m_Http;
    // Told what each run writes, to keep the library beside it; none when null.
    RunRecorder* m_Recorder = nullptr;
    // From a click that starts a run until the run has ended, a stopped run's unwinding included.
    bool m_RunUnderWay = false;

    // Entries 1..StationCount are the stations read so far; index 0 is never used. The list
    // is appended to for the life of the window and never emptied.
    QVector<StationEntry> Stations = QVector<StationEntry>(1);
    int32_t StationCount = 0;

    // A run is under way and was asked to stop (or lost its connection): no further station of
    // it is asked for or written.
    bool stopAsked() const { return m_RunUnderWay && !m_Running; }
};
