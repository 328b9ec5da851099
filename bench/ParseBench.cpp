// Parse benchmark: reading a result page of 100 entries, in each layout, into the station list
// (a window that does nothing, a sink that only counts, no network), against one plain scan of
// the same page for its entry marker. The parse should cost at most 5 times the scan.
#include "Catalogue.h"
#include "DirectoryQuery.h"
#include "FetchText.h"
#include "PageParser.h"
#include "PageWriter.h"
#include "QuietHost.h"
#include "RatioTable.h"
#include "ScanState.h"
#include "StationSink.h"
#include "TextCodec.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

namespace {

constexpr int kEntries = 100;
constexpr double kTarget = 5.0;

// Counts the stations it is handed and saves nothing.
class CountingSink final : public StationSink {
public:
    bool SaveStation(int32_t) override { return ++saved > 0; }
    int saved = 0;
};

// A page of the local directory as the page fetcher leaves it in m_PageText: decoded, line
// ends normalised.
QString DirectoryPage(PageLayout layout) {
    static const Catalogue catalogue;
    const DirectoryQuery query =
        DirectoryQuery::fromRawQuery(QByteArray("numresult=") + QByteArray::number(kEntries));
    const QList<CatalogueStation> matches = catalogue.matching(query);
    const PageWriter writer(layout, query, QStringLiteral("127.0.0.1:8000"),
                            static_cast<int>(matches.size()));
    QByteArray bytes = writer.head();
    for (int i = 0; i < kEntries; ++i) bytes += writer.entry(matches[i], i + 1, EntryLook{});
    bytes += writer.foot();
    return NormaliseLineEnds(TextCodec::decode(bytes, QByteArray("utf-8")));
}

void Parse(benchmark::State& state, PageLayout layout) {
    QuietHost host;
    ScanState scan;
    CountingSink sink;
    PageParser parser(host, scan, sink);
    scan.m_PageText = DirectoryPage(layout);
    scan.m_Genre = QStringLiteral("TopTen");
    scan.m_GenreCount = 1;
    scan.m_PageCount = 1;
    for (auto _ : state) {
        scan.StationCount = 0;  // the list keeps its room from page to page
        sink.saved = 0;
        if (layout == PageLayout::Classic)
            parser.ParseClassicPage(kEntries);
        else
            parser.ParseCurrentPage(kEntries);
        benchmark::DoNotOptimize(sink.saved);
    }
    if (sink.saved != kEntries) state.SkipWithError("the page did not give 100 stations");
    state.counters["bytes"] = static_cast<double>(scan.m_PageText.size() * 2);
}

// One pass over the page counting the layout's entry marker: the least any parse must do.
void ScanForMarker(benchmark::State& state, PageLayout layout) {
    const QString page = DirectoryPage(layout);
    const QString marker = layout == PageLayout::Classic
                               ? QStringLiteral("<a href=\"/sbin/shoutcast-playlist.pls")
                               : QStringLiteral("dirMoreDtlDiv");
    qsizetype found = 0;
    for (auto _ : state) {
        found = 0;
        for (qsizetype at = page.indexOf(marker); at >= 0; at = page.indexOf(marker, at + 1))
            ++found;
        benchmark::DoNotOptimize(found);
    }
    if (found != kEntries) state.SkipWithError("the page does not hold 100 markers");
}

BENCHMARK_CAPTURE(Parse, classic, PageLayout::Classic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScanForMarker, classic, PageLayout::Classic)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Parse, current, PageLayout::Current)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ScanForMarker, current, PageLayout::Current)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return RunRatioTable(
        argc, argv,
        {{QStringLiteral("parse 100 entries, classic layout"), QStringLiteral("Parse/classic"),
          QStringLiteral("ScanForMarker/classic"), kTarget},
         {QStringLiteral("parse 100 entries, current layout"), QStringLiteral("Parse/current"),
          QStringLiteral("ScanForMarker/current"), kTarget}});
}
