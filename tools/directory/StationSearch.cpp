#include "StationSearch.h"

#include "DirectoryQuery.h"

namespace {

bool isTrue(const QByteArray& value) {
    return value.compare("true", Qt::CaseInsensitive) == 0;
}

StationSearch::Order orderOf(const QByteArray& value) {
    if (value == "bitrate") return StationSearch::Order::Bitrate;
    if (value == "clickcount") return StationSearch::Order::ClickCount;
    if (value == "votes") return StationSearch::Order::Votes;
    return StationSearch::Order::Name;
}

}  // namespace

StationSearch StationSearch::fromRawQuery(QByteArrayView rawQuery) {
    StationSearch search;
    for (const auto& [key, value] : queryPieces(rawQuery)) {
        if (key == "name") {
            search.name = queryText(value);
        } else if (key == "nameExact") {
            search.nameExact = isTrue(value);
        } else if (key == "tagExact") {
            search.tagExact = isTrue(value);
        } else if (key == "tag") {
            search.tag = queryText(value);
        } else if (key == "countrycode") {
            search.countryCode = queryText(value);
        } else if (key == "language") {
            search.language = queryText(value);
        } else if (key == "languageExact") {
            search.languageExact = isTrue(value);
        } else if (key == "codec") {
            search.codec = queryText(value);
        } else if (key == "bitrateMin") {
            search.bitrateMin = queryNumber(value, search.bitrateMin);
        } else if (key == "bitrateMax") {
            search.bitrateMax = queryNumber(value, search.bitrateMax);
        } else if (key == "order") {
            search.order = orderOf(value);
        } else if (key == "reverse") {
            search.reverse = isTrue(value);
        } else if (key == "offset") {
            const int offset = queryNumber(value, -1);
            if (offset >= 0) search.offset = offset;
        } else if (key == "limit") {
            const int limit = queryNumber(value, -1);
            if (limit >= 0) search.limit = limit;
        } else if (key == "hidebroken") {
            search.hideBroken = isTrue(value);
        }
    }
    return search;
}
