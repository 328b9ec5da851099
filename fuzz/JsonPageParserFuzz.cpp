// Fuzz target: the reader of the live directory's JSON answers, through the page walk that every
// layout shares. The first byte of the input chooses the window's options, the rest is the answer.
#include "PageParserFuzz.h"

#include <algorithm>

namespace {

void CheckJsonEntry(const StationEntry& e, const QString&) {
    FUZZ_CHECK(e.NowPlaying.isEmpty());
    FUZZ_CHECK(!e.Name.contains(u'\t') && !e.Name.contains(u'\r') && !e.Name.contains(u'\n'));
    FUZZ_CHECK(e.Name == e.Name.trimmed());
    // The type goes into file names: no folder can come with it.
    FUZZ_CHECK(!e.StreamType.contains(u'/') && !e.StreamType.contains(u'\\'));
    FUZZ_CHECK(e.Bitrate.isEmpty() || e.Bitrate.toLongLong() >= 0);
}

const pagefuzz::Layout kJson{&PageParser::ParseJsonPage, u"", CheckJsonEntry};

// The rules of one read without clicks: earlier entries stay, the bar moves forward within the
// page's share, every appended entry passed the stream filter, and the entries at or above the
// minimum bitrate are saved in order, but for a last one past the most stations of the page.
void CheckRead(const pagefuzz::Options& o, const QString& page, const pagefuzz::Result& r) {
    using namespace pagefuzz;
    const QVector<StationEntry>& s = r.stations;
    FUZZ_CHECK(r.count >= kEarlier && r.count < s.size());
    FUZZ_CHECK(Same(s[1], Earlier(1)) && Same(s[2], Earlier(2)));
    FUZZ_CHECK(r.bar.size() == r.events && r.events >= r.count - kEarlier);
    const double share = static_cast<double>(o.genreCount) * o.pageCount;
    if (share == 0) FUZZ_CHECK(r.count == kEarlier && r.saved.isEmpty());
    const double end = o.progressBase + (share == 0 ? 0 : 100.0 / share);
    int previous = RoundHalfEven(o.progressBase);
    for (const int value : r.bar) {
        FUZZ_CHECK(value >= previous && value <= end + 1);
        previous = value;
    }
    QList<int32_t> passing;
    for (int32_t i = kEarlier + 1; i <= r.count; ++i) {
        const StationEntry& e = s[i];
        FUZZ_CHECK(e.Genre == QStringLiteral("Rock") && e.FileName.isEmpty());
        FUZZ_CHECK(o.stream == QStringLiteral("<all>") || e.StreamType == o.stream);
        CheckJsonEntry(e, page);
        if (LeadingNumber(e.Bitrate) >= o.minBitrate) passing.append(i);
    }
    for (qsizetype i = r.count + 1; i < s.size(); ++i) FUZZ_CHECK(IsEmpty(s[i]));
    FUZZ_CHECK(r.saved.size() <= std::max<int32_t>(o.maxStations, 0));
    if (passing.size() != r.saved.size()) {
        FUZZ_CHECK(passing.size() == r.saved.size() + 1 && passing.last() == r.count);
        passing.removeLast();
    }
    // Compared by element: Qt's list comparison of an emptied list with an empty one hands a null
    // pointer to memcmp.
    FUZZ_CHECK(std::equal(passing.cbegin(), passing.cend(), r.saved.cbegin(), r.saved.cend()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const pagefuzz::Options o = pagefuzz::OptionsOf(data[0]);
    const QString page = NormaliseLineEnds(DecodeInput(data + 1, size - 1));
    if (o.clicksDuringPage)
        pagefuzz::CheckClicks(kJson, page, o);
    else
        CheckRead(o, page, pagefuzz::Run(kJson.parse, page, o, o.maxStations, nullptr));
    return 0;
}
