// Whole runs through the real main window against the local directory: the playlist files on
// disk, byte for byte, for each format, file-name template, name limit and download path.
#include "DirectoryFixture.h"
#include "MainWindowDriver.h"
#include "PlaylistRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>

#include <memory>

namespace {

class PlaylistRun : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        window = std::make_unique<frmMain>();
    }
    void TearDown() override {
        window.reset();
        DirectoryFixture::TearDown();
    }

    // The download folder without its trailing separator, as a user would type it.
    QString Root() const { return QDir(downloadDir()).absolutePath(); }

    void RunWith(const RunChoice& choice, const QString& downloadPath) {
        ASSERT_NO_FATAL_FAILURE(ChooseOptions(*window, choice, downloadPath));
        MainWindowDriver::Run(*window);
        ASSERT_EQ(window->txtProg->text(), QStringLiteral("Done"));
    }

    std::unique_ptr<frmMain> window;
};

// --- one run per format, with the directory's playlists in LF or CR LF line ends -------------

struct FormatCase {
    const char* label;
    RunChoice choice;
    LineEnds ends;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.label;
}

RunChoice Choice(const QString& genre, const QString& format, const QString& stream, int minBitrate,
                 int stations = 25) {
    RunChoice choice;
    choice.genre = genre;
    choice.stations = stations;
    choice.format = format;
    choice.stream = stream;
    choice.minBitrate = minBitrate;
    return choice;
}

class WholeRun : public PlaylistRun, public ::testing::WithParamInterface<FormatCase> {};

// ASX and M3U files hold the address the reader picks, without the CR of a CR LF playlist; a
// PLS file is the playlist as it came, CRs and all.
TEST_P(WholeRun, WritesExactlyTheFilteredStationsOfThePageAndNothingElse) {
    const FormatCase& c = GetParam();
    server().setLineEnds(c.ends);
    const QMap<QString, QByteArray> expected = ExpectedFiles(catalogue(), c.choice, c.ends);
    ASSERT_GE(expected.size(), 4) << "the case should save several stations";

    RunWith(c.choice, Root());

    ExpectSameFiles(FilesUnder(Root()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WholeRun,
    ::testing::Values(
        FormatCase{"PLS MP3 from 96", Choice("Rock", "PLS file", "MP3", 96), LineEnds::Lf},
        FormatCase{"ASX AAC from 64 of 50", Choice("Rock", "ASX file", "AAC", 64, 50),
                   LineEnds::Lf},
        FormatCase{"M3U any stream", Choice("RnB", "M3U file", "<all>", 0), LineEnds::Lf},
        FormatCase{"PLS CRLF", Choice("Alternative", "PLS file", "<all>", 0), LineEnds::CrLf},
        FormatCase{"ASX CRLF", Choice("Dance", "ASX file", "<all>", 128), LineEnds::CrLf},
        FormatCase{"M3U CRLF", Choice("Country", "M3U file", "MP3", 0), LineEnds::CrLf}),
    CaseName());

// --- file names from the template and the name limit ---------------------------------------

struct NameCase {
    const char* label;
    const char* format;
    const char* nameTemplate;
    const char* limitText;
    int limit;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.label;
}

class FileNames : public PlaylistRun, public ::testing::WithParamInterface<NameCase> {};

// Names that the template makes alike leave one file: the station saved last.
TEST_P(FileNames, FollowTheTemplateAndTheNameLimit) {
    const NameCase& c = GetParam();
    RunChoice choice;
    choice.format = QString::fromUtf8(c.format);
    choice.nameTemplate = QString::fromUtf8(c.nameTemplate);
    choice.nameLimitText = QString::fromUtf8(c.limitText);
    choice.nameLimit = c.limit;
    ASSERT_GE(SavedStations(catalogue(), choice).size(), 10);

    RunWith(choice, Root());

    ExpectSameFiles(FilesUnder(Root()), ExpectedFiles(catalogue(), choice));
}

INSTANTIATE_TEST_SUITE_P(
    Templates, FileNames,
    ::testing::Values(
        NameCase{"genre station stream", "PLS file", "%GENRE% - %STATION% (%STREAM%)", "40", 40},
        NameCase{"format and id", "M3U file", "%STATION% %FORMAT% %RN%", "40", 40},
        NameCase{"limit 10 in the ASX title", "ASX file", "%STATION%", "10", 10},
        NameCase{"limit 2.5 rounds to even", "M3U file", "%STATION%-%RN%", "2.5", 2},
        NameCase{"limit 0", "PLS file", "%STATION%_%BITRATE%", "0", 0},
        NameCase{"limit not a number", "ASX file", "%STATION%_%RN%", "many", 0},
        NameCase{"lower case macro stays", "PLS file", "%station%", "40", 40},
        NameCase{"negative limit saves nothing", "M3U file", "%STATION%_%BITRATE%", "-1", -1}),
    CaseName());

// --- the download path --------------------------------------------------------------------

// Sets an environment variable for the life of the object and then puts back what was there.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const QString& value)
        : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value.toUtf8());
    }
    ~EnvironmentVariable() {
        if (wasSet_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool wasSet_;
    QByteArray old_;
};

TEST_F(PlaylistRun, TempMacroPutsTheGenreFolderUnderTheTempFolder) {
    const EnvironmentVariable temp("TEMP", Root());
    RunChoice choice;
    choice.format = QStringLiteral("M3U file");
    const QMap<QString, QByteArray> inGenre = ExpectedFiles(catalogue(), choice);
    ASSERT_FALSE(inGenre.isEmpty());

    RunWith(choice, QStringLiteral("%TEMP%/Radio"));

    QMap<QString, QByteArray> expected;
    for (auto it = inGenre.cbegin(); it != inGenre.cend(); ++it)
        expected.insert(QStringLiteral("Radio/") + it.key(), it.value());
    ExpectSameFiles(FilesUnder(Root()), expected);
}

// --- files that are there already ---------------------------------------------------------

class EarlierFiles : public PlaylistRun, public ::testing::WithParamInterface<const char*> {};

TEST_P(EarlierFiles, AreReplacedWholeNeverAppendedTo) {
    RunChoice choice;
    choice.format = QString::fromUtf8(GetParam());
    const QMap<QString, QByteArray> expected = ExpectedFiles(catalogue(), choice);
    ASSERT_TRUE(QDir(Root()).mkdir(choice.genre));
    // Longer than any playlist, so that a file written over it without truncation shows.
    const QByteArray earlier = QByteArray("earlier file\r\n").repeated(400);
    for (const QString& name : expected.keys())
        ASSERT_NO_FATAL_FAILURE(WriteFile(Root() + QLatin1Char('/') + name, earlier));

    RunWith(choice, Root());

    ExpectSameFiles(FilesUnder(Root()), expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, EarlierFiles,
                         ::testing::Values("PLS file", "ASX file", "M3U file"));

TEST_F(PlaylistRun, SecondRunSavesWhatTheDirectorySendsNow) {
    RunChoice choice;
    RunWith(choice, Root());
    ExpectSameFiles(FilesUnder(Root()), ExpectedFiles(catalogue(), choice, LineEnds::Lf));

    server().setLineEnds(LineEnds::CrLf);
    MainWindowDriver::Run(*window);

    ASSERT_EQ(window->txtProg->text(), QStringLiteral("Done"));
    ExpectSameFiles(FilesUnder(Root()), ExpectedFiles(catalogue(), choice, LineEnds::CrLf));
}

}  // namespace
