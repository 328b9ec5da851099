#include "StreamSaver.h"

#include "PlaylistTarget.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"

#include <QUrl>

namespace {

bool IsWebAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty() &&
           (url.scheme() == u"http" || url.scheme() == u"https");
}

// The playlist a station's directory would have sent: one entry, the stream, no length.
QString OneStreamPls(const QString& address, const QString& title) {
    return QStringLiteral(
               "[playlist]\r\nnumberofentries=1\r\nFile1=%1\r\nTitle1=%2\r\n"
               "Length1=-1\r\nVersion=2")
        .arg(address, title);
}

}  // namespace

void StreamSaver::SaveStation(int32_t index) {
    if (index < 1 || index >= m_state.Stations.size()) return;
    StationEntry& entry = m_state.Stations[index];
    const QString address = entry.PlaylistLink;
    if (entry.Name.isEmpty() || !IsWebAddress(address)) return;
    const QString written = m_state.m_DownloadDir + QChar(u'\n') + address;
    if (m_written.contains(written)) return;

    const std::optional<PlaylistTarget> target =
        NamePlaylist(m_host, m_state, entry, NameLimit(m_host.txtPlsSizeText()));
    if (!target || !WritePlaylist(m_host, *target, OneStreamPls(address, target->title))) return;
    m_written.insert(written);
}
