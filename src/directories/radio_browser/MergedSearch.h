// MergedSearch: the several searches of one genre (tags x codecs) read as one list, in the order
// the window chose (most listened, or highest bitrate first), each station once. A search's next
// page is asked for only when its last page is used up, and none after a page shorter than its
// limit or one that brought no station id new to the search.
#pragma once

#include "JsonPageParser.h"
#include "StationSearchAddress.h"

#include <QList>
#include <QSet>
#include <functional>
#include <optional>

class MergedSearch {
public:
    // Fetches and reads one page of a search; none when no answer could be had (the run ends).
    using Fetch = std::function<std::optional<JsonStationPage>(const StationQuery& query)>;

    explicit MergedSearch(const QList<StationQuery>& searches);

    // The next station; none when every search is used up or a fetch had no answer.
    std::optional<LiveStation> next(const Fetch& fetch);

private:
    struct Search {
        StationQuery query;  // of the next page
        QList<LiveStation> page;
        qsizetype at = 0;  // the next station of the page
        // The last page was shorter than its limit, or held no station id new to the search.
        bool ended = false;
        QSet<QString> received;  // ids of the stations of its pages
    };
    // Stations of a search ahead of b's, in the order chosen.
    bool ahead(const LiveStation& a, const LiveStation& b) const;

    QList<Search> m_searches;
    QSet<QString> m_seen;  // ids of the stations given
    bool m_byBitrate = false;
};
