// The station saver against a real playlist endpoint on 127.0.0.1, writing real files into a
// temporary genre folder.
#include "StationSaver.h"

#include "FakeScanHost.h"
#include "FileSizeLimit.h"
#include "PlaylistServer.h"
#include "ScanState.h"

#include "CaseLabel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class StationSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("RADIOSIFT_CLASSIC_HOST", server.host().toUtf8());
        ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("Rock")));
        state.m_DownloadDir = root.filePath(QStringLiteral("Rock")) + QDir::separator();
    }
    void TearDown() override { qunsetenv("RADIOSIFT_CLASSIC_HOST"); }

    int32_t Add(const QString& name = QStringLiteral("Radio X"),
                const QString& rn = QStringLiteral("12345"),
                const QString& bitrate = QStringLiteral("128")) {
        StationEntry entry;
        entry.Name = name;
        entry.Genre = QStringLiteral("Rock");
        entry.Bitrate = bitrate;
        entry.StreamType = QStringLiteral("MP3");
        entry.Rn = rn;
        entry.FileName = QStringLiteral("before");
        state.Stations.append(entry);
        return ++state.StationCount;
    }
    QString InFolder(const QString& fileName) const { return state.m_DownloadDir + fileName; }
    // Every file below the temporary root, relative to it.
    QStringList Files() const {
        QStringList files;
        QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) files.append(QDir(root.path()).relativeFilePath(it.next()));
        return files;
    }

    PlaylistServer server;
    QTemporaryDir root;
    FakeScanHost host;
    ScanState state;
    StationSaver saver{host, state};
};

TEST_F(StationSaverTest, FetchesTheClassicPlaylistAfterNamingItAndSavesItAsItCame) {
    const std::string playlist =
        "[playlist]\nnumberofentries=1\nFile1=http://s.test/\nTitle1=(#1 - 1/9) Caf\xC3\xA9\n"
        "Length1=-1\nVersion=2\n";
    server.setAnswer("12345", {200, playlist});
    const int32_t index = Add();
    size_t requestsAtEvents = 99;
    QString nameAtEvents;
    host.onDoEvents = [&] {
        requestsAtEvents = server.requests().size();
        nameAtEvents = state.Stations[index].FileName;
    };

    saver.SaveStation(index);

    EXPECT_EQ(host.doEventsCalls, 1);
    EXPECT_EQ(requestsAtEvents, 0u);
    EXPECT_EQ(nameAtEvents, QStringLiteral("Radio X_128.pls"));
    EXPECT_EQ(server.requests(),
              std::vector<std::string>{"/sbin/shoutcast-playlist.pls?rn=12345&file=filename.pls"});
    EXPECT_EQ(Read(InFolder(QStringLiteral("Radio X_128.pls"))),
              QByteArray("[playlist]\nnumberofentries=1\nFile1=http://s.test/\n"
                         "Title1=(#1 - 1/9) Caf\xE9\nLength1=-1\nVersion=2\n\r\n"));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Pure HTML doc dwnl time=-?\\d+[.,]\\d{3} secs$"))
            .match(host.stat)
            .hasMatch())
        << host.stat.toStdString();
}

TEST_F(StationSaverTest, NewServerFetchesThePlaylistLinkUnchanged) {
    host.newServer = true;
    const int32_t index = Add();
    state.Stations[index].PlaylistLink =
        QStringLiteral("http://%1/listen.pls?sid=9&rn=x%41").arg(server.host());
    saver.SaveStation(index);
    EXPECT_EQ(server.requests(), std::vector<std::string>{"/listen.pls?sid=9&rn=x%41"});
    EXPECT_TRUE(QFileInfo::exists(InFolder(QStringLiteral("Radio X_128.pls"))));
}

class EmptyRnTest : public StationSaverTest, public ::testing::WithParamInterface<bool> {};

TEST_P(EmptyRnTest, FetchesNamesAndWritesNothingButStillReplacesTheRequest) {
    host.newServer = GetParam();
    const int32_t index = Add(QStringLiteral("Radio X"), QString());
    state.Stations[index].PlaylistLink = QStringLiteral("http://%1/listen.pls").arg(server.host());
    state.m_Http = std::make_unique<HttpRequest>();
    state.m_Http->open(QStringLiteral("GET"),
                       QStringLiteral("http://%1/earlier").arg(server.host()));
    state.m_Http->send();
    ASSERT_EQ(state.m_Http->status(), 200);

    saver.SaveStation(index);

    ASSERT_TRUE(state.m_Http);
    EXPECT_EQ(state.m_Http->status(), 0);  // a new, unused request object
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(state.Stations[index].FileName, QStringLiteral("before"));
    EXPECT_TRUE(Files().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(EitherServer, EmptyRnTest, ::testing::Bool());

struct LimitCase {
    const char* plsSize;
    const char* station;  // what %STATION% and the title get; nullptr: nothing is saved
};
void PrintTo(const LimitCase& c, std::ostream* os) {
    PrintCaseLabel(c.plsSize, os);
}

class NameLimitTest : public StationSaverTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(NameLimitTest, ShortensTheCleanedNameInTheFileNameAndTheTitle) {
    host.plsSize = QString::fromLatin1(GetParam().plsSize);
    host.format = QStringLiteral("M3U file");
    const int32_t index = Add(QStringLiteral("Radio Station!"));  // 13 characters once cleaned
    saver.SaveStation(index);

    if (!GetParam().station) {
        EXPECT_TRUE(server.requests().empty());
        EXPECT_TRUE(Files().isEmpty());
        EXPECT_EQ(state.Stations[index].FileName, QStringLiteral("before"));
        return;
    }
    const QString station = QString::fromLatin1(GetParam().station);
    const QString fileName = station + QStringLiteral("_128.m3u");
    EXPECT_EQ(state.Stations[index].FileName, fileName);
    EXPECT_EQ(Read(InFolder(fileName)).split('\r').value(1), "\n#EXTINF:-1," + station.toLatin1());
}

INSTANTIATE_TEST_SUITE_P(
    Limits, NameLimitTest,
    ::testing::Values(LimitCase{"10", "Radio Stat"}, LimitCase{"0", ""}, LimitCase{"", ""},
                      LimitCase{"abc", ""}, LimitCase{"7 letters", "Radio S"},
                      LimitCase{" 4.5", "Radi"}, LimitCase{"5.5", "Radio "},
                      LimitCase{"40", "Radio Station"}, LimitCase{"99999999999", "Radio Station"},
                      LimitCase{"-0.5", ""}, LimitCase{"-1", nullptr}, LimitCase{"-7x", nullptr}));

struct TemplateCase {
    const char* fileTemplate;
    const char* format;
    const char* name;
    const char* fileName;
};
void PrintTo(const TemplateCase& c, std::ostream* os) {
    PrintCaseLabel(c.fileName, os);
}

class FileNameTest : public StationSaverTest, public ::testing::WithParamInterface<TemplateCase> {};

TEST_P(FileNameTest, ReplacesTheMacrosInOrderAndAddsTheExtension) {
    host.fileTemplate = QString::fromLatin1(GetParam().fileTemplate);
    host.format = QString::fromLatin1(GetParam().format);
    const int32_t index = Add(QString::fromLatin1(GetParam().name));
    saver.SaveStation(index);
    const QString fileName = QString::fromLatin1(GetParam().fileName);
    EXPECT_EQ(state.Stations[index].FileName, fileName);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("Rock/") + fileName});
}

INSTANTIATE_TEST_SUITE_P(
    Templates, FileNameTest,
    ::testing::Values(
        TemplateCase{"%GENRE% - %STATION% (%STREAM%)", "PLS file", "Radio X",
                     "Rock - Radio X (MP3).pls"},
        TemplateCase{"%station%_%BITRATE%", "PLS file", "Radio X", "%station%_128.pls"},
        TemplateCase{"%FORMAT%", "M3U file", "Radio X", "M3U file.m3u"},
        TemplateCase{"%RN%.%STATION%.%STATION%", "ASX file", "a:b", "12345.ab.ab.asx"},
        TemplateCase{"%STATION%", "asx file", "Radio X", "Radio X.pls"},
        TemplateCase{"%STATION%", "ASX or M3U", "Radio X", "Radio X.asx"},
        // a macro that the station name brings along is replaced by the later steps
        TemplateCase{"%STATION%", "PLS file", "%GENRE% (%RN%)", "Rock 12345.pls"}));

TEST_F(StationSaverTest, ReadsTheFormatAgainWhenWriting) {
    host.onDoEvents = [&] { host.format = QStringLiteral("ASX file"); };
    saver.SaveStation(Add());
    EXPECT_TRUE(Read(InFolder(QStringLiteral("Radio X_128.pls"))).startsWith("<ASX VERSION"));
}

TEST_F(StationSaverTest, ASecondStationUnderTheSameNameReplacesTheFile) {
    host.fileTemplate = QStringLiteral("same");
    saver.SaveStation(Add(QStringLiteral("One"), QStringLiteral("1")));
    saver.SaveStation(Add(QStringLiteral("Two"), QStringLiteral("2")));
    EXPECT_EQ(Read(InFolder(QStringLiteral("same.pls"))),
              QByteArray::fromStdString(PlaylistServer::defaultPlaylist("2")) + "\r\n");
}

class FailedSaveTest : public StationSaverTest,
                       public ::testing::WithParamInterface<PlaylistServer::Answer> {};

TEST_P(FailedSaveTest, KeepsTheEarlierFileAndTheStatusLine) {
    server.setAnswer("12345", GetParam());
    Write(InFolder(QStringLiteral("Radio X_128.pls")), "earlier");
    host.stat = QStringLiteral("before");
    const int32_t index = Add();
    {
        FileSizeLimit limit(65536);  // an answer larger than this cannot be written
        saver.SaveStation(index);
    }
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(Files(), QStringList{QStringLiteral("Rock/Radio X_128.pls")});
    EXPECT_EQ(Read(InFolder(QStringLiteral("Radio X_128.pls"))), QByteArray("earlier"));
    EXPECT_EQ(host.stat, QStringLiteral("before"));
    EXPECT_EQ(state.Stations[index].FileName, QStringLiteral("Radio X_128.pls"));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FailedSaveTest,
    ::testing::Values(PlaylistServer::Answer{404, "<html>Not found</html>"},
                      PlaylistServer::Answer{500, "[playlist]\nnumberofentries=0\n"},
                      PlaylistServer::Answer{200, "[playlist]\nnumberofentries=1\n", true},
                      PlaylistServer::Answer{200, std::string(100000, 'x')}));

struct HostileCase {
    const char* bitrate;
    const char* rn;
    const char* fileTemplate;
    const char* written;  // the one file in the genre folder afterwards; "" for none
};
void PrintTo(const HostileCase& c, std::ostream* os) {
    PrintCaseLabel(c.fileTemplate, os);
    *os << ' ';
    PrintCaseLabel(c.bitrate, os);
    *os << ' ';
    PrintCaseLabel(c.rn, os);
}

class HostilePageTest : public StationSaverTest,
                        public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostilePageTest, NeverWritesOutsideTheGenreFolder) {
    host.fileTemplate = QString::fromLatin1(GetParam().fileTemplate);
    saver.SaveStation(Add(QStringLiteral("Radio X"), QString::fromLatin1(GetParam().rn),
                          QString::fromLatin1(GetParam().bitrate)));
    const QString written = QString::fromLatin1(GetParam().written);
    EXPECT_EQ(Files(),
              written.isEmpty() ? QStringList() : QStringList{QStringLiteral("Rock/") + written});
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HostilePageTest,
    ::testing::Values(HostileCase{"../../x", "1", "%STATION%_%BITRATE%", "Radio X_....x.pls"},
                      HostileCase{"128", "../../y", "%RN%", "....y.pls"},
                      HostileCase{"128", "..\\..\\z", "%RN%_%BITRATE%", "....z_128.pls"},
                      HostileCase{"..", "1", "%BITRATE%", "...pls"},
                      HostileCase{"..", "etc", "%BITRATE%/%RN%", ""},
                      HostileCase{"128", "..", "x/%RN%/%RN%/%STATION%", ""},
                      HostileCase{"128", "1", "../%STATION%", ""}));

TEST_F(StationSaverTest, ABackslashInTheTemplateHidesNoClimbOutOfTheGenreFolder) {
    // Where "\" is a letter, "a\b" is one folder and two ".." from it leave the genre folder.
    ASSERT_TRUE(QDir(state.m_DownloadDir).mkdir(QStringLiteral("a\\b")));
    host.fileTemplate = QStringLiteral("a\\b/%BITRATE%/%BITRATE%/x");
    saver.SaveStation(Add(QStringLiteral("Radio X"), QStringLiteral("1"), QStringLiteral("..")));
    EXPECT_EQ(Files(), QStringList());
}

}  // namespace
