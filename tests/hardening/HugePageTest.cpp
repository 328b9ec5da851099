// A first page that lists far more entries than the 25 asked for, through the real window:
// the run reads what it needs of it and goes on to the next page. A page of 100 000 stations
// (about 70 MB, over the usual cap, which the test raises) is read up to the 25 it wants. A
// page whose entries are all passed over is read to its end; 5 000 of those show that, since
// every entry moves the progress bar and lets events run (some 60 microseconds each).
#include "DiskAndMemory.h"
#include "HardenedRun.h"
#include "Misbehaviour.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

struct HugePageCase {
    const char* name;
    int entries;
    // Every entry is one the page walk passes over, so it reads the page to its end.
    bool everyEntrySkipped;
};

void PrintTo(const HugePageCase& value, std::ostream* out) {
    *out << value.name;
}

class HugePage : public HardenedRun, public ::testing::WithParamInterface<HugePageCase> {};

TEST_P(HugePage, RunGoesOnToTheNextPage) {
    // Room for the page, and time to send it however busy the machine.
    HttpRequest::Limits limits = shortLimits();
    limits.maxBodyBytes = qint64(128) << 20;
    limits.stallTimeout = std::chrono::seconds(30);
    limits.totalTimeout = std::chrono::seconds(120);
    HttpRequest::setLimits(limits);
    Misbehaviour huge;
    huge.entryCount = GetParam().entries;
    if (GetParam().everyEntrySkipped) huge.malformation = Malformation::SkippedEntry;
    server().setMisbehaviour(firstPageTarget(), huge);
    writeEarlierFiles(bothRockPages());

    runToTheEnd(options());

    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    // The huge page goes through the Rock stations in their order, so its first 25 entries
    // are the first page's stations.
    QSet<int> secondPage;
    for (const CatalogueStation& station : rockPage(2)) secondPage.insert(station.id);
    for (const CatalogueStation& station : bothRockPages()) {
        const bool saved = !GetParam().everyEntrySkipped || secondPage.contains(station.id);
        const QString file = QString::number(station.id) + QStringLiteral(".pls");
        EXPECT_EQ(FileBytes(genreFolder() + file),
                  saved ? PlsFileBytes(catalogue().playlistText(station.id)) : earlierPlaylist())
            << file.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, HugePage,
                         ::testing::Values(HugePageCase{"EveryEntryAStation", 100000, false},
                                           HugePageCase{"EveryEntrySkipped", 5000, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
