// Whole runs through the real main window against a local directory that misbehaves: hostile
// values on its pages, playlists that fail. What is on disk afterwards, byte for byte.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "PlaylistRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

#include <memory>

namespace {

class PlaylistFaultRun : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        window = std::make_unique<frmMain>();
    }
    void TearDown() override {
        window.reset();
        DirectoryFixture::TearDown();
    }

    QString Root() const { return QDir(downloadDir()).absolutePath(); }

    void RunWith(const RunChoice& choice, const QString& downloadPath) {
        ASSERT_NO_FATAL_FAILURE(ChooseOptions(*window, choice, downloadPath));
        MainWindowDriver::Run(*window);
        ASSERT_EQ(window->txtProg->text(), QStringLiteral("Done"));
    }

    std::unique_ptr<frmMain> window;
};

// --- hostile pages ------------------------------------------------------------------------

struct HostileCase {
    const char* label;
    bool hostileRn;
    bool hostileBitrate;
    const char* nameTemplate;
    // Whether every station can still be saved inside the genre folder; a template that
    // names a subfolder of its own cannot be.
    bool allSaved;
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.label;
}

class HostilePage : public PlaylistFaultRun, public ::testing::WithParamInterface<HostileCase> {};

// The download folder lies two levels below the test's temporary folder, so an id of
// "../../ID" or a bitrate of "128/../.." would reach a folder that exists; the folders named
// after the bitrates in the genre folder let "%BITRATE%/" climb as well. Nothing may land
// anywhere in the temporary folder but directly in the genre folder.
TEST_P(HostilePage, WritesNothingOutsideTheGenreFolder) {
    const HostileCase& c = GetParam();
    Misbehaviour hostile;
    hostile.hostileRn = c.hostileRn;
    hostile.hostileBitrate = c.hostileBitrate;
    server().setMisbehaviour(QStringLiteral("/directory/"), hostile);

    RunChoice choice;
    choice.nameTemplate = QString::fromUtf8(c.nameTemplate);
    const QList<CatalogueStation> stations = SavedStations(catalogue(), choice);
    ASSERT_GE(stations.size(), 10);
    const QString genreFolder = QStringLiteral("deep/er/") + choice.genre;
    ASSERT_TRUE(QDir(Root()).mkpath(genreFolder));
    for (const CatalogueStation& station : stations)
        ASSERT_TRUE(QDir(Root()).mkpath(genreFolder + QStringLiteral("/%1").arg(station.bitrate)));

    RunWith(choice, Root() + QStringLiteral("/deep/er"));

    QList<QByteArray> expectedContents;
    for (const CatalogueStation& station : stations)
        expectedContents.append(ExpectedFileBytes(catalogue(), station, choice));
    const QMap<QString, QByteArray> files = FilesUnder(Root());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        const QString folder = QFileInfo(it.key()).path();
        EXPECT_EQ(folder.toStdString(), genreFolder.toStdString())
            << it.key().toStdString() << " was written outside the genre folder";
        EXPECT_TRUE(expectedContents.contains(it.value()))
            << it.key().toStdString() << " holds no station's playlist";
    }
    if (c.allSaved) {
        EXPECT_EQ(files.size(), stations.size());
    }
    EXPECT_FALSE(server().requestLog().filter(QStringLiteral("/sbin/")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostilePage,
    ::testing::Values(HostileCase{"id alone", true, false, "%RN%", true},
                      HostileCase{"id after the name", true, false, "%STATION% %RN%", true},
                      HostileCase{"bitrate in the usual name", false, true, "%STATION%_%BITRATE%",
                                  true},
                      HostileCase{"bitrate as a folder", false, true, "%BITRATE%/%RN%", false},
                      HostileCase{"both", true, true, "%BITRATE%%RN%", true}),
    CaseName());

// --- playlists that fail ------------------------------------------------------------------

struct FailureCase {
    const char* label;
    const char* format;
    Misbehaviour misbehaviour;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.label;
}

Misbehaviour Status(int status) {
    Misbehaviour misbehaviour;
    misbehaviour.status = status;
    return misbehaviour;
}

Misbehaviour DroppedAfter(qint64 bytes) {
    Misbehaviour misbehaviour;
    misbehaviour.dropAfterBytes = bytes;
    return misbehaviour;
}

class FailingPlaylist : public PlaylistFaultRun,
                        public ::testing::WithParamInterface<FailureCase> {};

// Two stations' playlists fail: one had a file from before, which stays as it was; the other
// gets none. Every other station is saved as usual.
TEST_P(FailingPlaylist, WritesNoFileAndKeepsTheEarlierOne) {
    const FailureCase& c = GetParam();
    RunChoice choice;
    choice.format = QString::fromUtf8(c.format);
    const QList<CatalogueStation> stations = SavedStations(catalogue(), choice);
    ASSERT_GE(stations.size(), 6);
    const CatalogueStation& withEarlier = stations[1];
    const CatalogueStation& withoutEarlier = stations[4];
    for (const CatalogueStation* failing : {&withEarlier, &withoutEarlier}) {
        server().setMisbehaviour(
            QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&").arg(failing->id), c.misbehaviour);
    }
    const QString earlierName =
        choice.genre + QLatin1Char('/') + ExpectedFileName(withEarlier, choice);
    const QByteArray earlier = "[playlist]\r\nnumberofentries=0\r\n\r\n";
    ASSERT_TRUE(QDir(Root()).mkdir(choice.genre));
    ASSERT_NO_FATAL_FAILURE(WriteFile(Root() + QLatin1Char('/') + earlierName, earlier));

    RunWith(choice, Root());

    QMap<QString, QByteArray> expected = ExpectedFiles(catalogue(), choice);
    expected.remove(choice.genre + QLatin1Char('/') + ExpectedFileName(withoutEarlier, choice));
    expected.insert(earlierName, earlier);
    ExpectSameFiles(FilesUnder(Root()), expected);
    // The failing ones were asked for, so it is the answer that kept them out.
    const QStringList asked = server().requestLog();
    for (const CatalogueStation* failing : {&withEarlier, &withoutEarlier}) {
        EXPECT_FALSE(asked.filter(QStringLiteral("?rn=%1&").arg(failing->id)).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, FailingPlaylist,
                         ::testing::Values(FailureCase{"404 PLS", "PLS file", Status(404)},
                                           FailureCase{"500 ASX", "ASX file", Status(500)},
                                           FailureCase{"404 M3U", "M3U file", Status(404)},
                                           FailureCase{"dropped PLS", "PLS file", DroppedAfter(40)},
                                           FailureCase{"dropped M3U", "M3U file",
                                                       DroppedAfter(40)}),
                         CaseName());

}  // namespace
