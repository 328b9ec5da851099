#include "StationSaver.h"

#include "DirectoryHosts.h"
#include "DownloadTime.h"
#include "HttpRequest.h"
#include "PlaylistTarget.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"

bool StationSaver::SaveStation(int32_t index) {
    m_state.m_Http.reset();
    m_state.m_Http = std::make_unique<HttpRequest>();
    const int32_t limit = NameLimit(m_host.txtPlsSizeText());
    if (index < 1 || index >= m_state.Stations.size()) return false;
    StationEntry& entry = m_state.Stations[index];
    if (entry.Rn.isEmpty()) return false;

    const QString address = m_host.chkNewChecked()
                                ? entry.PlaylistLink
                                : QStringLiteral("http://") + DirectoryHosts::classicHost() +
                                      QStringLiteral("/sbin/shoutcast-playlist.pls?rn=") +
                                      entry.Rn + QStringLiteral("&file=filename.pls");

    const std::optional<PlaylistTarget> target = NamePlaylist(m_host, m_state, entry, limit);
    if (!target) return false;

    m_host.DoEvents();
    const float start = SecondsSinceMidnight();
    // Taken after the events have run: a click on "Go" replaces the request object.
    HttpRequest& http = *m_state.m_Http;
    http.open(QStringLiteral("GET"), address);
    http.send();
    // An error page or a cut-off answer is no playlist; any earlier file stays.
    if (!http.completed() || http.status() < 200 || http.status() > 299) return false;
    if (!WritePlaylist(m_host, *target, http.responseText())) return false;
    m_host.setTxtStatText(DownloadTimeLine(start, SecondsSinceMidnight()));
    return true;
}
