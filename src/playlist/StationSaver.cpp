#include "StationSaver.h"

#include "DirectoryHosts.h"
#include "DownloadTime.h"
#include "HttpRequest.h"
#include "PlaylistWriters.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"
#include "StationNameCleaner.h"

void StationSaver::SaveStation(int32_t index) {
    m_state.m_Http.reset();
    m_state.m_Http = std::make_unique<HttpRequest>();
    const int32_t limit = NameLimit(m_host.txtPlsSizeText());
    if (index < 1 || index >= m_state.Stations.size()) return;
    StationEntry& entry = m_state.Stations[index];
    if (entry.Rn.isEmpty()) return;

    const QString address = m_host.chkNewChecked()
                                ? entry.PlaylistLink
                                : QStringLiteral("http://") + DirectoryHosts::classicHost() +
                                      QStringLiteral("/sbin/shoutcast-playlist.pls?rn=") +
                                      entry.Rn + QStringLiteral("&file=filename.pls");

    if (limit < 0) return;  // no name can be cut to a negative length
    QString station = entry.Name;
    CleanStationName(station);
    if (station.size() > limit) station.truncate(limit);

    const QString fileName =
        StationFileName(m_host.txtFormatText(), station, entry, m_host.cmbFormatText());
    entry.FileName = fileName;
    if (!StaysInFolder(fileName) || !m_state.m_DownloadDirWritable) return;

    m_host.DoEvents();
    const float start = SecondsSinceMidnight();
    // Taken after the events have run: a click on "Go" replaces the request object.
    HttpRequest& http = *m_state.m_Http;
    http.open(QStringLiteral("GET"), address);
    http.send();
    // An error page or a cut-off answer is no playlist; any earlier file stays.
    if (!http.completed() || http.status() < 200 || http.status() > 299) return;
    const QString playlistText = http.responseText();

    const QString path = m_state.m_DownloadDir + fileName;
    bool written = false;
    switch (FormatOf(m_host.cmbFormatText())) {
        case PlaylistFormat::Asx:
            written = WriteAsxPlaylist(path, playlistText, station);
            break;
        case PlaylistFormat::M3u:
            written = WriteM3uPlaylist(path, playlistText, station);
            break;
        case PlaylistFormat::Pls:
            written = WriteTextFile(path, playlistText);
            break;
    }
    if (!written) return;
    m_host.setTxtStatText(DownloadTimeLine(start, SecondsSinceMidnight()));
}
