// Whole harvests through the real main window against the local directory: the playlist files
// on disk, byte for byte, for each format, layout, filter, file-name template, name limit and
// line ends the directory sends, with half the files there from before.
#include "WindowRun.h"

namespace {
using ::PrintTo;

struct HarvestCase {
    const char* name;
    RunChoice choice;
    LineEnds ends = LineEnds::Lf;
};

class Harvest : public WindowTest, public testing::WithParamInterface<HarvestCase> {};

// ASX and M3U files hold the address the reader picks, without the CR of a CR LF playlist; a
// PLS file is the playlist as it came, CRs and all. Names that the template makes alike leave
// one file: the station saved last.
TEST_P(Harvest, WritesExactlyTheFilteredStationsOfThePagesAndNothingElse) {
    const HarvestCase& c = GetParam();
    server().setLineEnds(c.ends);
    const QMap<QString, QByteArray> expected = ExpectedFiles(catalogue(), c.choice);
    // Longer than any playlist, so that a file written over one without truncation shows.
    int i = 0;
    for (const QString& path : expected.keys())
        if (i++ % 2 == 0) WriteFile(downloadDir() + path, QByteArray("earlier\r\n").repeated(400));

    harvest(c.choice);

    ExpectSameFiles(files(), expected);
    // The window keeps the genre folder's record of what it wrote, for a refresh to go by.
    const QMap<QString, QByteArray> all = files(true);
    const QString record = kFolder + "/" + c.choice.genre + "/" + kFolderRecordName;
    const std::optional<QList<RecordEntry>> entries = ReadFolderRecordBytes(all.value(record));
    ASSERT_TRUE(entries && entries->size() == expected.size());
    for (const RecordEntry& entry : *entries)
        EXPECT_EQ(FileHash(all.value(QFileInfo(record).path() + "/" + entry.fileName)),
                  entry.sha256);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Choices, Harvest, testing::Values(
    HarvestCase{"PlsMp3From96", {.stream = "MP3", .minBitrate = "96"}},
    HarvestCase{"AsxAacFrom64", {.stations = "100", .stream = "AAC", .minBitrate = "64", .format = "ASX file"}},
    HarvestCase{"M3uFastPageOf100", {.genre = "RnB", .stations = "100", .fast = true, .format = "M3U file"}},
    HarvestCase{"PlsCrLf", {.genre = "Alternative"}, LineEnds::CrLf},
    HarvestCase{"CurrentLayoutAsxFast", {.stations = "100", .fast = true, .format = "ASX file", .current = true}},
    HarvestCase{"Limit10InTheAsxTitle", {.format = "ASX file", .nameTemplate = "%STATION%", .limitText = "10"}}), ByName);
// clang-format on

}  // namespace
