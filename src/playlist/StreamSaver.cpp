#include "StreamSaver.h"

#include "PlaylistTarget.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"
#include "StreamAddress.h"

namespace {

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
    if (entry.Name.isEmpty()) return false;
    // Streams are told apart by the address as it is written into the file.
    const QString encoded = EncodedStreamAddress(address);
    if (encoded.isEmpty()) return false;
    const QString stream = m_state.m_DownloadDir + QChar(u'\n') + StreamOf(encoded).toString();
    if (m_streams.contains(stream)) return false;

    const std::optional<PlaylistTarget> target =
        NamePlaylist(m_host, m_state, entry, NameLimit(m_host.txtPlsSizeText()));
    const QString file = target ? m_state.m_DownloadDir + target->fileName : QString();
    if (!target || m_files.contains(file)) return false;
    if (!WriteStreamPlaylist(*target, address)) return false;
    m_streams.insert(stream);
    m_files.insert(file);
    return true;
}
