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

// The stream an address names, the same for http and https and with or without a trailing "/".
QStringView StreamOf(QStringView address) {
    for (const QStringView scheme : {u"http://", u"https://"})
        if (address.startsWith(scheme, Qt::CaseInsensitive))
            address = address.sliced(scheme.size());
    if (address.endsWith(u'/')) address.chop(1);
    return address;
}

}  // namespace

bool StreamSaver::SaveStation(int32_t index) {
    if (index < 1 || index >= m_state.Stations.size()) return false;
    StationEntry& entry = m_state.Stations[index];
    const QString address = entry.PlaylistLink;
    if (entry.Name.isEmpty() || !IsWebAddress(address)) return false;
    const QString stream = m_state.m_DownloadDir + QChar(u'\n') + StreamOf(address).toString();
    if (m_streams.contains(stream)) return false;

    const std::optional<PlaylistTarget> target =
        NamePlaylist(m_host, m_state, entry, NameLimit(m_host.txtPlsSizeText()));
    if (!target || m_files.contains(target->path)) return false;
    if (!WriteStreamPlaylist(m_host, *target, address)) return false;
    m_streams.insert(stream);
    m_files.insert(target->path);
    return true;
}
