#include "StationSaver.h"

#include "DirectoryHosts.h"
#include "DownloadTime.h"
#include "HttpRequest.h"
#include "PlaylistTarget.h"
#include "RunRecorder.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"

bool StationSaver::SaveStation(int32_t index) {
    m_state.m_Http.reset();
    m_state.m_Http = std::make_shared<HttpRequest>();
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
    // A Stop clicked during the events above, or during the request, ends the station here.
    if (m_state.stopAsked()) return false;
    const float start = SecondsSinceMidnight();
    // Held, not borrowed: events while the request waits may replace m_Http.
    const std::shared_ptr<HttpRequest> request = m_state.m_Http;
    HttpRequest& http = *request;
    http.open(QStringLiteral("GET"), address);
    GenreTally& tally = m_state.m_Tally.current();
    ++tally.requests;
    http.send();
    // The request stays in m_Http until the next one: it keeps no answer that long.
    const QString text = http.responseText();
    http.releaseAnswer();
    // An error page or a cut-off answer is no playlist; any earlier file stays, and stays the
    // station's.
    if (!http.completed() || http.status() < 200 || http.status() > 299) {
        if (m_state.m_Recorder) m_state.m_Recorder->fileKept(target->fileName);
        return false;
    }
    if (m_state.stopAsked()) return false;
    const int32_t notSavedBefore = m_state.m_NotSaved;
    if (!WritePlaylist(*target, text)) {
        // Not a failed write: the playlist held no web stream.
        if (m_state.m_NotSaved == notSavedBefore) ++tally.addressRefused;
        return false;
    }
    ++tally.written;
    m_host.setTxtStatText(DownloadTimeLine(start, SecondsSinceMidnight()));
    return true;
}
