// Fuzz target: the reader of the live directory's JSON answers and the merge of a genre's
// searches. The first byte is the number of stations asked for, the rest is the answer; two
// searches that both get it are merged.
#include "FuzzSupport.h"
#include "JsonPageParser.h"
#include "MergedSearch.h"

#include <QSet>

namespace {

bool CutAtWholeCharacter(const QString& text, qsizetype longest) {
    return text.size() <= longest &&
           (text.isEmpty() || !text.back().isHighSurrogate() || text.size() < longest);
}

void CheckStation(const LiveStation& s) {
    FUZZ_CHECK(CutAtWholeCharacter(s.name, 1024) && s.name == s.name.trimmed());
    FUZZ_CHECK(!s.name.contains(u'\t') && !s.name.contains(u'\r') && !s.name.contains(u'\n'));
    FUZZ_CHECK(CutAtWholeCharacter(s.uuid, 64) && s.streamType.size() <= 64);
    FUZZ_CHECK(CutAtWholeCharacter(s.url, 4096) && CutAtWholeCharacter(s.urlResolved, 4096));
    // The type goes into file names: no folder can come with it.
    FUZZ_CHECK(!s.streamType.contains(u'/') && !s.streamType.contains(u'\\'));
    FUZZ_CHECK(s.bitrate.isEmpty() || s.bitrate.toLongLong() >= 0);
    const QString address = s.streamAddress();
    FUZZ_CHECK(address == s.url || (address == s.urlResolved && !s.urlResolved.isEmpty()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int limit = data[0] % 64;
    const QString answer = DecodeInput(data + 1, size - 1);
    const std::optional<JsonStationPage> page = ReadJsonStationPage(answer, limit);
    if (!page) return 0;
    // No more is read than was asked for.
    FUZZ_CHECK(page->elements <= limit && page->stations.size() <= page->elements);
    for (const LiveStation& station : page->stations) CheckStation(station);

    // Two searches answered alike: each page fetched once its last one is used up, every
    // station given once, in the order asked for.
    for (const bool byBitrate : {false, true}) {
        StationQuery query{.orderByBitrate = byBitrate, .limit = limit};
        MergedSearch search({query, query});
        int fetches = 0;
        const MergedSearch::Fetch fetch = [&](const StationQuery& asked) {
            FUZZ_CHECK(asked.offset % std::max(limit, 1) == 0);
            ++fetches;
            return asked.offset < 3 * limit ? page : JsonStationPage();
        };
        QSet<QString> given;
        qsizetype count = 0;
        while (const std::optional<LiveStation> station = search.next(fetch)) {
            FUZZ_CHECK(station->uuid.isEmpty() || !given.contains(station->uuid));
            given.insert(station->uuid);
            FUZZ_CHECK(++count <= 6 * page->stations.size());
        }
        FUZZ_CHECK(fetches <= 2 * 4 + 2);
    }
    return 0;
}
