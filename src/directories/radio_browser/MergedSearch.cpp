#include "MergedSearch.h"

MergedSearch::MergedSearch(const QList<StationQuery>& searches) {
    for (const StationQuery& query : searches) {
        Search search;
        search.query = query;
        m_searches.append(search);
    }
    m_byBitrate = !searches.isEmpty() && searches.first().orderByBitrate;
}

bool MergedSearch::ahead(const LiveStation& a, const LiveStation& b) const {
    if (m_byBitrate) return a.bitrate.toLongLong() > b.bitrate.toLongLong();
    return a.clicks > b.clicks;
}

std::optional<LiveStation> MergedSearch::next(const Fetch& fetch) {
    for (;;) {
        Search* first = nullptr;
        for (Search& search : m_searches) {
            while (search.at == search.page.size() && !search.ended) {
                const std::optional<JsonStationPage> page = fetch(search.query);
                if (!page) return std::nullopt;
                search.page = page->stations;
                search.at = 0;
                search.query.offset += search.query.limit;
                // A server that pays no heed to the offset would be asked for ever: a page
                // without a station id new to the search is its last.
                bool fresh = false;
                for (const LiveStation& station : search.page) {
                    if (station.uuid.isEmpty() || search.received.contains(station.uuid)) continue;
                    search.received.insert(station.uuid);
                    fresh = true;
                }
                search.ended =
                    !fresh || page->elements < search.query.limit || search.query.limit <= 0;
            }
            if (search.at == search.page.size()) continue;
            // Ties go to the search listed first.
            if (!first || ahead(search.page[search.at], first->page[first->at])) first = &search;
        }
        if (!first) return std::nullopt;
        LiveStation station = std::move(first->page[first->at++]);
        if (!station.uuid.isEmpty()) {
            if (m_seen.contains(station.uuid)) continue;
            m_seen.insert(station.uuid);
        }
        return station;
    }
}
