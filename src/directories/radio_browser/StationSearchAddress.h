// What the live community directory's station search is asked for one genre of the window, and
// the address of one result page of it.
#pragma once

#include "QueryAddress.h"

#include <QList>

// One search of the directory. Values are sent percent-encoded.
struct StationQuery {
    QString tag{};                // one whole tag (tagExact), or none
    QString name{};               // a part of the station's name, or none
    QString codec{};              // the codec, matched whole and case-blind; none: every codec
    QString countryCode{};        // ISO 3166-1 alpha-2 (countrycode), or none
    QString language{};           // one whole language (languageExact), or none
    int bitrateMin = 0;           // 0: not sent
    int bitrateMax = -1;          // -1: not sent; 0 asks for the stations of unknown bitrate
    bool orderByBitrate = false;  // highest bitrate first, else most listened first
    int offset = 0;
    int limit = 25;
};

// What a harvest may ask of the live directory beyond the window's options (the command line's).
struct LiveFilters {
    QStringList tagGenres;     // genres of the run that are each one whole tag, named as the tag
    QStringList countryCodes;  // any of these countries; none: every country
    QStringList languages;     // any of these languages; none: every language
};

// The searches that together make up the window's genre: one for each of the genre's tags (none
// for TopTen; for Search, the search text as the name; a tag genre's own tag), each codec of the
// stream type ("AAC" is AAC and AAC+), each country and each language asked for. With a minimum
// bitrate, each has a twin for the stations whose bitrate the directory does not know (0), which
// the minimum does not exclude. In the order of the tags, then the codecs, the countries, the
// languages, then the twins.
QList<StationQuery> GenreSearches(const PageQuery& window, const LiveFilters& filters = {});

// base (such as "https://host") + "/json/stations/search?" with the page's offset and limit,
// broken stations hidden, and what the query asks for.
QString BuildStationSearchAddress(const QString& base, const StationQuery& query);
