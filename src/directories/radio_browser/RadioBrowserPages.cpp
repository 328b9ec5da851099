#include "RadioBrowserPages.h"

#include "MergedSearch.h"
#include "PageFetcher.h"
#include "Rounding.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationSink.h"

void RadioBrowserPages::startRun() {
    m_servers.startRun();
    m_state.Stations = QVector<StationEntry>(1);
    m_state.StationCount = 0;
    m_saver.startRun();
}

void RadioBrowserPages::runGenre(const GenrePages& genre, ScanState& state) {
    MergedSearch search(GenreSearches(genre.query(1), m_filters));
    const QString filter = m_host.cmbStreamText();
    const double base = state.m_ProgressBase;
    const double share = 100.0 / static_cast<double>(state.m_GenreCount);
    const MergedSearch::Fetch fetch = [this](const StationQuery& query) {
        return this->fetch(query);
    };
    int written = 0;
    while (written < genre.stations) {
        genre.checkPoint();
        const std::optional<LiveStation> station = search.next(fetch);
        if (!station) break;
        m_host.DoEvents();
        genre.checkPoint();
        // The directory was asked for the codecs chosen; an answer may still hold others.
        if (filter != u"<all>" && station->streamType != filter) {
            ++state.m_Tally.current().otherCodec;
            continue;
        }
        if (!save(*station)) continue;
        ++written;
        m_host.setVp1Value(RoundHalfEven(base + share * written / genre.stations));
    }
    genre.checkPoint();  // a page that no server answered ends the run
    state.m_ProgressBase = static_cast<float>(base + share);
}

std::optional<JsonStationPage> RadioBrowserPages::fetch(const StationQuery& query) {
    const qint64 longest = kJsonBytesPerStation * std::max(query.limit, 1);
    while (const std::optional<QString> base = m_servers.current()) {
        m_host.setTxturlText(BuildStationSearchAddress(*base, query));
        const bool resolved = m_fetcher.load(longest);
        if (!m_state.m_Running) return std::nullopt;
        // A longer answer was cut off as soon as it passed the bound, and did not complete.
        const HttpRequest& http = *m_state.m_Http;
        if (resolved && http.completed() && http.status() == 200) {
            std::optional<JsonStationPage> page =
                ReadJsonStationPage(m_state.m_PageText, query.limit);
            m_fetcher.releasePage();
            if (page) {
                m_servers.answered();
                return page;
            }
        }
        m_servers.failed();
    }
    // A look-up given up for Stop found no server either; the run then ends stopped.
    if (m_state.m_Running) m_fetcher.reportNoConnection();
    return std::nullopt;
}

bool RadioBrowserPages::save(const LiveStation& station) {
    QVector<StationEntry>& stations = m_state.Stations;
    const int32_t index = ++m_state.StationCount;
    if (index >= stations.size()) stations.resize(index + 1);
    stations[index] = station.entry(m_state.m_Genre);
    if (m_saver.SaveStation(index)) return true;
    stations[index] = StationEntry();
    --m_state.StationCount;
    return false;
}
