// A first page that lists 2 000 entries instead of the 25 asked for (about 850 kB), through the
// real window: the run reads what it needs of it and goes on to the next page. A page of
// 100 000 entries (42 MB) goes the same way but takes seconds of processor time and close to
// a gigabyte, most of it for laying out the page's one line in the hidden source box.
#include "DiskAndMemory.h"
#include "HardenedRun.h"
#include "Misbehaviour.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

struct HugePageCase {
    const char* name;
    // Every entry is one the page walk passes over, so it reads the page to its end.
    bool everyEntrySkipped;
};

void PrintTo(const HugePageCase& value, std::ostream* out) { *out << value.name; }

class HugePage : public HardenedRun, public ::testing::WithParamInterface<HugePageCase> {};

TEST_P(HugePage, RunGoesOnToTheNextPage) {
    Misbehaviour huge;
    huge.entryCount = 2000;
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
                         ::testing::Values(HugePageCase{"EveryEntryAStation", false},
                                           HugePageCase{"EveryEntrySkipped", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
