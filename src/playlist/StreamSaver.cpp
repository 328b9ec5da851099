#include "StreamSaver.h"

#include "PlaylistTarget.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationFileName.h"
#include "StreamAddress.h"

void StreamSaver::SaveStation(int32_t index) {
    if (index < 1 || index >= m_state.Stations.size()) return;
    StationEntry& entry = m_state.Stations[index];
    const QString address = entry.PlaylistLink;
    if (entry.Name.isEmpty() || EncodedStreamAddress(address).isEmpty()) return;
    const QString written = m_state.m_DownloadDir + QChar(u'\n') + address;
    if (m_written.contains(written)) return;

    const std::optional<PlaylistTarget> target =
        NamePlaylist(m_host, m_state, entry, NameLimit(m_host.txtPlsSizeText()));
    if (!target || !WriteStreamPlaylist(*target, address)) return;
    m_written.insert(written);
}
