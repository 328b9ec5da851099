// The page walk that both directory layouts share: the stream-type filter, appending to the
// station list, the progress bar, the minimum bitrate and handing entries to the saver.
#include "PageParser.h"

#include "EntryCutter.h"
#include "Rounding.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationSink.h"
#include "TextOps.h"

#include <exception>

namespace {

// The list's catch-all choice: no stream-type filter.
constexpr QStringView kAllStreams = u"<all>";

// The stream type an entry names, or the type of the entry before when it names none. Of the
// three markers the last one found wins; a marker in the first two places does not count.
void ReadStreamType(QStringView typeText, QString& streamType) {
    if (Find(typeText, u"MP3</", 1, Qt::CaseInsensitive) > 2) streamType = QStringLiteral("MP3");
    if (Find(typeText, u"AAC+</", 1, Qt::CaseInsensitive) > 2) streamType = QStringLiteral("AAC");
    if (Find(typeText, u"OGG</", 1, Qt::CaseInsensitive) > 2) streamType = QStringLiteral("OGG");
}

}  // namespace

void PageParser::walkPage(EntryCutter& cutter, int32_t maxStations) {
    try {
        walkEntries(cutter, maxStations);
    } catch (const std::exception&) {
        // The rest of the page is unreadable: drop it quietly and let the scan go on.
    }
}

void PageParser::walkEntries(EntryCutter& cutter, int32_t maxStations) {
    const QString filter = m_host.cmbStreamText();
    const bool filterOff = filter == kAllStreams;

    // The pieces are views into this copy: events run while the page is read, and a fetch
    // started from them may replace m_PageText.
    const QString page = m_state.m_PageText;
    const Pieces entries = Split(page, cutter.entryMarker());
    const qsizetype n = entries.lastIndex();  // piece 0, before the first entry, is not read
    if (n <= 0) return;

    QVector<StationEntry>& stations = m_state.Stations;
    stations.resize(m_state.StationCount + n + 1);
    // A page with a flood of entry markers asked for a long list; the next page gives the room
    // back instead of keeping it for the life of the window.
    if (stations.capacity() > 2 * stations.size() + 1024) stations.squeeze();

    // Each entry moves the bar by its share of the run: a page is worth 100 / (genres x pages).
    const double share = static_cast<double>(m_state.m_GenreCount) * static_cast<double>(n) *
                         static_cast<double>(m_state.m_PageCount);
    if (share == 0.0) throw PageFault("no genres or no pages to share the progress");
    const double step = 100.0 / share;
    float progress = m_state.m_ProgressBase;
    int32_t saved = 0;
    QString streamType;

    for (qsizetype i = 1; i <= n; ++i) {
        progress = static_cast<float>(static_cast<double>(progress) + step);
        if (!(progress > -2147483648.0f && progress < 2147483648.0f))
            throw PageFault("progress beyond the bar's range");
        m_host.setVp1Value(RoundHalfEven(progress));
        m_host.DoEvents();

        if (!cutter.cut(entries.at(i))) continue;
        ReadStreamType(cutter.typeText(), streamType);
        if (!filterOff && streamType != filter) continue;

        const int32_t index = ++m_state.StationCount;
        // Only a page read from within the events above (the Scan button) can have left the
        // list shorter than this page asked for.
        if (index >= stations.size()) stations.resize(index + 1);
        StationEntry& entry = stations[index];
        entry.StreamType = streamType;
        entry.Genre = m_state.m_Genre;
        cutter.fill(entry);

        if (LeadingNumber(entry.Bitrate) >= m_state.m_MinBitrate) {
            if (++saved > maxStations) return;
            m_sink.SaveStation(index);
        }
    }
}
