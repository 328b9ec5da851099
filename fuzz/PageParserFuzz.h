// Drives a page parser over a page made of fuzz input, through a fake window and a sink that
// records what it is asked to save, and checks what must hold whatever a server sends. The first
// byte of the input chooses the window's options, the rest is the page.
#pragma once

#include "FakeScanHost.h"
#include "FetchText.h"
#include "FuzzSupport.h"
#include "PageParser.h"
#include "Rounding.h"
#include "ScanState.h"
#include "StationSink.h"
#include "TextOps.h"

#include <QStringList>
#include <QVector>
#include <algorithm>

namespace pagefuzz {

using Parse = void (PageParser::*)(int32_t);

// What one layout adds to the rules every entry keeps.
struct Layout {
    Parse parse;
    QStringView marker;  // the text every entry begins with
    void (*checkEntry)(const StationEntry& entry, const QString& page);
};

struct Options {
    QString stream;
    int32_t minBitrate = 0;
    int32_t maxStations = 25;
    float genreCount = 1;
    int32_t pageCount = 1;
    float progressBase = 0;
    bool clicksDuringPage = false;  // "Go" and "Scan" clicked while the page is read
};

// Bits 0-1 the stream filter, 2-3 the minimum bitrate, 4-5 the most stations of a page, 6-7 the
// run: one genre of one page; a page in the middle of three genres of four pages; one page
// with clicks on "Go" and "Scan" during it; no genres at all.
inline Options OptionsOf(uint8_t byte) {
    static const char* const streams[] = {"<all>", "MP3", "AAC", "OGG"};
    static const int32_t minima[] = {0, 64, 128, 100000};
    static const int32_t most[] = {25, 2, 0, 100};
    Options o;
    o.stream = QString::fromLatin1(streams[byte & 3]);
    o.minBitrate = minima[(byte >> 2) & 3];
    o.maxStations = most[(byte >> 4) & 3];
    switch (byte >> 6) {
        case 1:
            o.genreCount = 3;
            o.pageCount = 4;
            o.progressBase = 25;
            break;
        case 2:
            o.clicksDuringPage = true;
            break;
        case 3:
            o.genreCount = 0;
            o.pageCount = 4;
            break;
    }
    return o;
}

inline QString Fields(const StationEntry& e) {
    return QStringList({e.Name, e.Genre, e.Bitrate, e.StreamType, e.HomeLink, e.PlaylistLink,
                        e.NowPlaying, e.Rn, e.FileName})
        .join(QChar(0xFFFF));  // a noncharacter that decoding never produces
}
inline bool Same(const StationEntry& a, const StationEntry& b) {
    return Fields(a) == Fields(b);
}
inline bool IsEmpty(const StationEntry& e) {
    return Same(e, StationEntry());
}
inline bool IsTrimmed(const QString& text) {
    return !text.startsWith(u' ') && !text.endsWith(u' ');
}

// An entry that an earlier page left in the list.
inline StationEntry Earlier(int k) {
    const QString text = QStringLiteral("earlier %1").arg(k);
    return {text, text, text, text, text, text, text, text, text, text};
}
constexpr int32_t kEarlier = 2;

struct RecordingSink : StationSink {
    const ScanState* state = nullptr;
    QList<int32_t> saved;
    bool SaveStation(int32_t index) override {
        // Only an entry already appended to the list may be handed over.
        FUZZ_CHECK(index > kEarlier && index <= state->StationCount &&
                   index < state->Stations.size());
        saved.append(index);
        return true;
    }
};

struct Result {
    QVector<StationEntry> stations;
    int32_t count = 0;
    QList<int32_t> saved;
    QList<int> bar;
    int events = 0;
};

// One parse of page with a list that holds two earlier entries and two empty slots. With
// nestedPage, the first round of events replaces the page text by it and reads it with the
// classic parser, as "Go" and then "Scan" would.
inline Result Run(Parse parse, const QString& page, const Options& o, int32_t maxStations,
                  const QString* nestedPage) {
    FakeScanHost host;
    host.stream = o.stream;
    ScanState state;
    state.m_Genre = QStringLiteral("Rock");
    state.m_MinBitrate = o.minBitrate;
    state.m_GenreCount = o.genreCount;
    state.m_PageCount = o.pageCount;
    state.m_ProgressBase = o.progressBase;
    state.m_PageText = page;
    state.Stations = {StationEntry(), Earlier(1), Earlier(2), StationEntry(), StationEntry()};
    state.StationCount = kEarlier;
    RecordingSink sink;
    sink.state = &state;
    PageParser parser(host, state, sink);
    bool clicked = false;
    if (nestedPage) {
        host.onDoEvents = [&] {
            if (clicked) return;
            clicked = true;
            state.m_PageText = *nestedPage;
            parser.ParseClassicPage(25);
        };
    }
    (parser.*parse)(maxStations);
    return {state.Stations, state.StationCount, sink.saved, host.barValues, host.doEventsCalls};
}

// The rules of one parse without clicks.
inline void CheckParse(const Layout& layout, const QString& page, const Options& o,
                       int32_t maxStations, const Result& r) {
    const QVector<StationEntry>& s = r.stations;
    const qsizetype n = page.count(layout.marker);
    FUZZ_CHECK(r.count >= kEarlier && r.count < s.size());
    FUZZ_CHECK(Same(s[1], Earlier(1)) && Same(s[2], Earlier(2)));
    const qsizetype appended = r.count - kEarlier;
    FUZZ_CHECK(r.bar.size() == r.events);
    if (n == 0) {
        FUZZ_CHECK(s.size() == 5 && appended == 0 && r.events == 0 && r.saved.isEmpty());
        return;
    }
    // The list grows by the entries appended, past the two empty slots it had, not by the
    // markers of the page.
    FUZZ_CHECK(s.size() == std::max<qsizetype>(5, r.count + 1));
    FUZZ_CHECK(appended <= n && r.events <= n && r.events >= appended);
    const double share = static_cast<double>(o.genreCount) * o.pageCount;
    if (share == 0) FUZZ_CHECK(appended == 0 && r.events == 0);

    // The bar moves forward within this page's share of the run; the slack covers the rounding
    // of the single-precision running value.
    const double end = o.progressBase + (share == 0 ? 0 : 100.0 / share);
    const double slack = 1 + static_cast<double>(n) * 4e-6;
    int previous = RoundHalfEven(o.progressBase);
    for (const int value : r.bar) {
        FUZZ_CHECK(value >= previous && value <= end + slack);
        previous = value;
    }

    static const QStringList types = {QString(), "MP3", "AAC", "OGG"};
    QList<int32_t> passing;
    for (int32_t i = kEarlier + 1; i <= r.count; ++i) {
        const StationEntry& e = s[i];
        FUZZ_CHECK(e.Genre == QStringLiteral("Rock") && e.FileName.isEmpty());
        FUZZ_CHECK(types.contains(e.StreamType));
        FUZZ_CHECK(o.stream == QStringLiteral("<all>") || e.StreamType == o.stream);
        FUZZ_CHECK(!e.Bitrate.contains(u"</") && IsTrimmed(e.Bitrate));
        layout.checkEntry(e, page);
        if (LeadingNumber(e.Bitrate) >= o.minBitrate) passing.append(i);
    }
    for (qsizetype i = r.count + 1; i < s.size(); ++i) FUZZ_CHECK(IsEmpty(s[i]));

    // Every appended entry at or above the minimum bitrate is saved in page order, except a
    // last one that ended the page unsaved: the one past the most stations of the page, or one
    // whose fields could not all be read.
    FUZZ_CHECK(r.saved.size() <= std::max<int32_t>(maxStations, 0));
    if (passing.size() == r.saved.size()) {
        FUZZ_CHECK(passing == r.saved);
    } else {
        FUZZ_CHECK(passing.size() == r.saved.size() + 1 && passing.last() == r.count);
        FUZZ_CHECK(passing.first(r.saved.size()) == r.saved);
    }
}

// A page read with clicks during it gives what the two pages give on their own, the page read
// from the clicks first: the page in hand is not disturbed by the text or the list changing.
inline void CheckClicks(const Layout& layout, const QString& page, const Options& o) {
    const QString fetched = page.mid(page.size() / 2);
    const Result outer = Run(layout.parse, page, o, o.maxStations, nullptr);
    const Result inner = Run(&PageParser::ParseClassicPage, fetched, o, 25, nullptr);
    const Result both = Run(layout.parse, page, o, o.maxStations, &fetched);
    if (outer.events == 0) {
        FUZZ_CHECK(both.count == outer.count && both.saved == outer.saved);
        return;
    }
    const int32_t k = inner.count - kEarlier;
    FUZZ_CHECK(both.count == outer.count + k && both.count < both.stations.size());
    for (int32_t i = 1; i <= inner.count; ++i)
        FUZZ_CHECK(Same(both.stations[i], inner.stations[i]));
    for (int32_t i = kEarlier + 1; i <= outer.count; ++i)
        FUZZ_CHECK(Same(both.stations[i + k], outer.stations[i]));
    for (qsizetype i = both.count + 1; i < both.stations.size(); ++i)
        FUZZ_CHECK(IsEmpty(both.stations[i]));
    QList<int32_t> saved = inner.saved;
    for (const int32_t index : outer.saved) saved.append(index + k);
    FUZZ_CHECK(both.saved == saved);
}

inline void FuzzPage(const Layout& layout, const uint8_t* data, size_t size) {
    if (size == 0) return;
    const Options o = OptionsOf(data[0]);
    // The parsers only ever see page text as the fetcher leaves it.
    const QString page = NormaliseLineEnds(DecodeInput(data + 1, size - 1));
    if (o.clicksDuringPage) {
        CheckClicks(layout, page, o);
    } else {
        CheckParse(layout, page, o, o.maxStations,
                   Run(layout.parse, page, o, o.maxStations, nullptr));
    }
}

}  // namespace pagefuzz
