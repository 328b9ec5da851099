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
    GenreTally& tally = m_state.m_Tally.current();
    const auto passOver = [](int& reason) {
        ++reason;
        return false;
    };
    if (entry.Name.isEmpty()) return passOver(tally.filtered);
    // Streams are told apart by the address as it is written into the file.
    const QString encoded = EncodedStreamAddress(address);
    if (encoded.isEmpty()) return passOver(tally.addressRefused);
    const QString stream = m_state.m_DownloadDir + QChar(u'\n') + StreamOf(encoded).toString();
    if (m_streams.contains(stream)) return passOver(tally.duplicateStream);

    const std::optional<PlaylistTarget> target =
        NamePlaylist(m_host, m_state, entry, NameLimit(m_host.txtPlsSizeText()));
    if (!target) return false;  // counted as not saved
    const QString file = m_state.m_DownloadDir + target->fileName;
    if (m_files.contains(file)) return passOver(tally.nameTaken);
    if (!WriteStreamPlaylist(*target, address)) return false;
    m_streams.insert(stream);
    m_files.insert(file);
    ++tally.written;
    return true;
}
