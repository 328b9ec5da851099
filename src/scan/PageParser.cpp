// The page walk that every directory layout shares: the stream-type filter, appending to the
// station list, the progress bar, the minimum bitrate and handing entries to the saver.
#include "PageParser.h"

#include "EntryCutter.h"
#include "Rounding.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationSink.h"
#include "TextOps.h"

#include <array>
#include <exception>

namespace {

// The list's catch-all choice: no stream-type filter.
constexpr QStringView kAllStreams = u"<all>";

// Where a type marker ("MP3</", "AAC+</", "OGG</") first occurs in a text, case-blind, as
// Find(text, marker, 1, Qt::CaseInsensitive) gives it; 0 for nowhere.
struct TypeMarker {
    QStringView name;  // the marker without its closing "</"
    qsizetype first = 0;
};

// The three markers are found in one pass over the text: every marker ends in "</", which has no
// other case, so each occurrence of a marker ends at a literal "</". Only there is the name
// before it compared, case-blind. Entries are long and the markers are near their start or
// absent, so three case-blind searches through the whole entry cost far more than this.
void FindTypeMarkers(QStringView text, std::array<TypeMarker, 3>& markers) {
    qsizetype left = static_cast<qsizetype>(markers.size());
    ForEachTagClose(text, [&](qsizetype close) {
        if (close == 0) return true;  // no marker fits before it
        // Most closing tags follow a character that no marker ends in ('3', '+', 'G' or 'g');
        // an ASCII one is turned away before the markers are looked at.
        const char16_t before = text[close - 1].unicode();
        const char16_t folded = before | 0x20;
        if (before < 0x80 && folded != u'3' && folded != u'+' && folded != u'g') return true;
        for (TypeMarker& marker : markers) {
            const qsizetype at = close - marker.name.size();
            if (marker.first != 0 || at < 0) continue;
            if (before < 0x80 && AsciiLower(before) != AsciiLower(marker.name.back().unicode()))
                continue;
            if (EqualCaseBlind(text.sliced(at, marker.name.size()), marker.name)) {
                marker.first = at + 1;
                --left;
            }
        }
        return left > 0;
    });
}

// The stream type an entry names, or the type of the entry before when it names none. Of the
// three markers the last one found wins; a marker in the first two places does not count.
void ReadStreamType(QStringView typeText, QString& streamType) {
    std::array<TypeMarker, 3> markers = {{{u"MP3"}, {u"AAC+"}, {u"OGG"}}};
    FindTypeMarkers(typeText, markers);
    if (markers[0].first > 2) streamType = QStringLiteral("MP3");
    if (markers[1].first > 2) streamType = QStringLiteral("AAC");
    if (markers[2].first > 2) streamType = QStringLiteral("OGG");
}

}  // namespace

void MarkedEntryCutter::readStreamType(QString& streamType) const {
    ReadStreamType(typeText(), streamType);
}

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
    const qsizetype n = cutter.splitPage(page);
    if (n <= 0) return;

    // The list grows as entries are appended, not by a slot per marker up front: a page that is
    // nothing but markers would otherwise cost a station record per marker.
    QVector<StationEntry>& stations = m_state.Stations;

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
        // Stop takes effect before the next station, not at the end of the page.
        if (m_state.stopAsked()) return;

        if (!cutter.cut(i)) continue;
        cutter.readStreamType(streamType);
        if (!filterOff && streamType != filter) {
            ++m_state.m_Tally.current().otherCodec;
            continue;
        }

        const int32_t index = ++m_state.StationCount;
        // A page read from within the events above (the Scan button) has appended too.
        if (index >= stations.size()) stations.resize(index + 1);
        StationEntry& entry = stations[index];
        entry.StreamType = streamType;
        entry.Genre = m_state.m_Genre;
        cutter.fill(entry);

        if (LeadingNumber(entry.Bitrate) >= m_state.m_MinBitrate) {
            if (++saved > maxStations) return;
            m_sink.SaveStation(index);
        } else {
            ++m_state.m_Tally.current().filtered;
        }
    }
}
