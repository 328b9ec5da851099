// Playlist output: the name cleaner, the PLS reader that picks the stream address, the writers'
// exact bytes, and the station saver against the local directory on 127.0.0.1, writing real
// files into a temporary genre folder.
#include "DirectoryFixture.h"
#include "FakeScanHost.h"
#include "FolderHandle.h"
#include "HttpRequest.h"
#include "PathMacros.h"
#include "PlaylistWriters.h"
#include "PlsReader.h"
#include "ScanState.h"
#include "StationNameCleaner.h"
#include "StationSaver.h"

#include <sys/resource.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <csignal>
#include <functional>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

TEST(CleanStationName, RemovesTheFifteenTextsInOrderAndNothingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"AC/DC Radio: Live!", "ACDC Radio Live"}, {"(www.Rock)", "Rock"},
        {"WWW.Rock", "WWW.Rock"},   // exact case only
        {"w/ww.x", "x"},            // the slash goes first
        {"ww\\w.x w:ww.y", "x y"},  // so do "\" and ":"
        {"Radio \"One\"", "Radio One"}, {"/\\:*?\"<>|()!~@www.", ""},
        {" Jazz & Blues, #1 + 50% 'live'. ", " Jazz & Blues, #1 + 50% 'live'. "},
        {"CON\x01", "CON"}, {"A\r\nB\t\x1F\x7F", "AB"}, {"w\nww.x", "x"}};
    for (const auto& [name, cleaned] : cases) {
        QString text = QString::fromUtf8(name);
        CleanStationName(text);
        EXPECT_EQ(text, QString::fromUtf8(cleaned)) << name;
    }
}

// Playlists are written with "|" for the line ends. Two entries: the first full, the second
// with the given title, then its Length line and one more, so that entry 2 is looked at.
QString Second(const char* title2) {
    return "[playlist]|numberofentries=2|File1=stream-a|Title1=(#1 - 95/100) A|Length1=-1|"
           "File2=stream-b|Title2=" + QString(title2) + "|Length2=-1|Version=2";
}

TEST(PickStreamAddress, TheFirstEntryWithRoomElseTheFirstEntryElseNothing) {
    // clang-format off
    const std::tuple<const char*, QString, const char*> cases[] = {
        {"one full entry", "[playlist]|numberofentries=1|File1=stream-a|Title1=(#1 - 95/100) A|"
                           "Length1=-1|Version=2", "stream-a"},
        {"entry 2 has room", Second("(#2 - 10/100) A"), "stream-b"},
        {"no line after Length2", QString(Second("(#2 - 10/100) A")).remove("|Version=2"), "stream-a"},
        {"90 x 1.1 is below 100", Second("(#2 - 90/100) B"), "stream-b"},
        {"91 x 1.1 is not", Second("(#2 - 91/100) B"), "stream-a"},
        {"blanks around numbers", Second("(#2 -  10 / 100 ) B"), "stream-b"},
        {"90.5 rounds to 90", Second("(#2 - 90.5/100) B"), "stream-b"},
        {"91.5 rounds to 92", Second("(#2 - 91.5/100) B"), "stream-a"},
        {"unreadable count keeps 95", Second("(#2 - many/100) B"), "stream-a"},
        {"chosen File without =", QString(Second("(#2 - 1/100) B")).replace("File2=", "File2 "),
         "stream-a"},
        {"a value runs past a second =", "[playlist]|numberofentries=1|File1=http://s.test/?a=1&b=2|"
                                         "Title1=(#1 - 1/100) A|Length1=-1|", "http://s.test/?a=1&b=2"},
        {"upper-case count key",
         QString(Second("(#2 - 10/100) A")).replace("numberofentries", "NUMBEROFENTRIES"), "stream-b"},
        {"count far beyond", "[playlist]|numberofentries=2147483647|File1=stream-a|"
                             "Title1=(#1 - 95/100) A|Length1=-1|", "stream-a"},
        {"no count line", "[playlist]|File1=stream-a|Title1=(#1 - 1/100) A|Length1=-1||", ""},
        {"count not a number", "[playlist]|numberofentries=two|File1=stream-a|"
                               "Title1=(#1 - 1/100) A|Length1=-1|", ""},
        {"entry 1's File without =", "[playlist]|numberofentries=1|File1 stream-a|"
                                     "Title1=(#1 - 95/100) A|Length1=-1|", ""},
        {"fewer than four lines", "[playlist]|numberofentries=1|File1=stream-a", ""}};
    // clang-format on
    for (const auto& [what, lines, address] : cases) {
        EXPECT_EQ(PickStreamAddress(QString(lines).replace('|', '\n')), address) << what;
        // With CR LF line ends the count still reads and the address carries no CR.
        EXPECT_EQ(PickStreamAddress(QString(lines).replace('|', "\r\n")), address) << what;
    }
}

using Writer = std::function<bool(const FolderHandle& folder, const QString& name,
                                  const QString& text, const QString& title)>;
const Writer asx = WriteAsxPlaylist, m3u = WriteM3uPlaylist;
const Writer pls = [](const FolderHandle& folder, const QString& name, const QString& text,
                      const QString&) { return WriteTextFile(folder, name, text); };

TEST(PlaylistWriters, WriteExactlyTheseBytes) {
    const char* const twoEntries =
        "[playlist]\nnumberofentries=2\nFile1=http://a.test:8000/\nTitle1=(#1 - 99/100) A\n"
        "Length1=-1\nFile2=http://b.test:8000/?a=1&b=\"2\"\nTitle2=(#2 - 5/100) B\n"
        "Length2=-1\nVersion=2\n";
    const char* const crlfEntry = "[playlist]\r\nnumberofentries=1\r\nFile1=http://c.test/\r\n"
                                  "Title1=(#1 - 1/9) C\r\nLength1=-1\r\nVersion=2\r\n";
    // clang-format off
    const std::tuple<const char*, Writer, const char*, const char*, QByteArray> cases[] = {
        // what, writer, playlist, title (UTF-8), bytes
        {"ASX: plain ASCII, markup escaped, one reference per character", asx, twoEntries,
         "Jazz & Blues <Caf\xC3\xA9>\r\n\xE2\x82\xAC \xF0\x9F\x98\x80",
         "<ASX VERSION=\"3.0\">\r\n<Title>Jazz &amp; Blues &lt;Caf&#233;&gt;&#8364; &#128512;</Title>\r\n"
         "<Entry>\r\n<ref href=\"http://b.test:8000/?a=1&amp;b=&quot;2&quot;\"/>\r\n</Entry>\r\n</ASX>\r\n\r\n"},
        {"ASX, no address", asx, "not a playlist", "T",
         "<ASX VERSION=\"3.0\">\r\n<Title>T</Title>\r\n<Entry>\r\n<ref href=\"\"/>\r\n"
         "</Entry>\r\n</ASX>\r\n\r\n"},
        {"M3U from CR LF, no line break from the title", m3u, crlfEntry,
         "\xC3\x9C \xF0\x9F\x98\x80\r\nhttp://evil.test/",
         "#EXTM3U\r\n#EXTINF:-1,\xDC ?http://evil.test/\r\nhttp://c.test/\r\n\r\n"},
        {"M3U, no address", m3u, "", "", "#EXTM3U\r\n#EXTINF:-1,\r\n\r\n\r\n"},
        {"PLS as it came", pls, "[playlist]\nnumberofentries=0\n", "",
         "[playlist]\nnumberofentries=0\n\r\n"},
        {"PLS, CR LF and outside Windows-1252", pls, "[playlist]\r\nTitle1=\xC3\xA9\xE2\x98\x85\r\n",
         "", "[playlist]\r\nTitle1=\xE9?\r\n\r\n"}};
    // clang-format on
    QTemporaryDir dir;
    const std::unique_ptr<FolderHandle> folder =
        FolderHandle::open(dir.path(), PlaylistTemporaryPrefix);
    ASSERT_TRUE(folder);
    for (const auto& [what, write, playlist, title, bytes] : cases) {
        ASSERT_TRUE(write(*folder, "station", QString::fromUtf8(playlist), QString::fromUtf8(title)))
            << what;
        // A longer earlier file is replaced, not appended to.
        EXPECT_EQ(Read(dir.filePath("station")), bytes) << what;
    }
}

class StationSaverTest : public DirectoryFixture {
protected:
    void SetUp() override {
        DirectoryFixture::SetUp();
        id = QString::number(catalogue().stations().first().id);
        classicTarget = "/sbin/shoutcast-playlist.pls?rn=" + id + "&file=filename.pls";
        ASSERT_TRUE(QDir(downloadDir()).mkdir(QStringLiteral("Rock")));
        state.m_DownloadDir = downloadDir() + QStringLiteral("Rock") + QDir::separator();
        state.m_DownloadFolder = FolderHandle::open(state.m_DownloadDir, PlaylistTemporaryPrefix);
    }

    // A station whose id is rn with "#" standing for a station of the directory.
    int32_t Add(const QString& name = "Radio X", const QString& rn = "#",
                const QString& bitrate = "128") {
        state.Stations.append({.Name = name, .Genre = "Rock", .Bitrate = bitrate,
                               .StreamType = "MP3", .Rn = QString(rn).replace('#', id),
                               .FileName = "before"});
        return ++state.StationCount;
    }
    QString InFolder(const QString& fileName) const { return state.m_DownloadDir + fileName; }

    QString id, classicTarget;
    FakeScanHost host;
    ScanState state;
    StationSaver saver{host, state};
};

TEST_F(StationSaverTest, NamesTheFileThenFetchesTheClassicPlaylistAndSavesItAsItCame) {
    server().setMisbehaviour(classicTarget, {.body = "[playlist]\nTitle1=(#1 - 1/9) Caf\xC3\xA9\n"});
    const int32_t index = Add();
    qsizetype requestsAtEvents = -1;
    QString nameAtEvents;
    host.onDoEvents = [&] {
        requestsAtEvents = server().requestLog().size();
        nameAtEvents = state.Stations[index].FileName;
    };
    saver.SaveStation(index);
    EXPECT_EQ(host.doEventsCalls, 1);
    EXPECT_EQ(requestsAtEvents, 0);
    EXPECT_EQ(nameAtEvents, "Radio X_128.pls");
    EXPECT_EQ(server().requestLog(), QStringList{classicTarget});
    EXPECT_EQ(Read(InFolder("Radio X_128.pls")), "[playlist]\nTitle1=(#1 - 1/9) Caf\xE9\n\r\n");
    EXPECT_TRUE(QRegularExpression("^Pure HTML doc dwnl time=-?\\d+[.,]\\d{3} secs$")
                    .match(host.stat).hasMatch()) << host.stat.toStdString();
    // The current layout's link is fetched as it stands; the format is read again for writing.
    host.newServer = true;
    host.onDoEvents = [&] { host.format = "ASX file"; };
    state.Stations[Add("Radio Y")].PlaylistLink = server().currentPlaylistLink(id.toInt()) + "&x=%41";
    saver.SaveStation(index + 1);
    EXPECT_EQ(server().requestLog().last(), "/playlist.pls?id=" + id + "&x=%41");
    EXPECT_TRUE(Read(InFolder("Radio Y_128.pls")).startsWith("<ASX VERSION"));
}

TEST_F(StationSaverTest, AnEmptyIdFetchesNothingButStillReplacesTheRequest) {
    for (const bool newServer : {false, true}) {
        host.newServer = newServer;
        const int32_t index = Add("Radio X", QString());
        state.Stations[index].PlaylistLink = server().currentPlaylistLink(id.toInt());
        state.m_Http = std::make_unique<HttpRequest>();
        state.m_Http->open("GET", server().baseUrl() + classicTarget);
        state.m_Http->send();
        ASSERT_EQ(state.m_Http->status(), 200);
        saver.SaveStation(index);
        ASSERT_TRUE(state.m_Http);
        EXPECT_EQ(state.m_Http->status(), 0);  // a new, unused request object
        EXPECT_EQ(state.Stations[index].FileName, "before");
    }
    EXPECT_EQ(server().requestLog().size(), 2);
    EXPECT_TRUE(files().isEmpty());
}

TEST_F(StationSaverTest, TheMaxLengthShortensTheCleanedNameInTheFileNameAndTheTitle) {
    host.format = "M3U file";
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {  // "Max length", name; none: no save
        {"10", "Radio Stat"}, {"0", ""}, {"", ""}, {"abc", ""}, {"7 letters", "Radio S"},
        {" 4.5", "Radi"}, {"5.5", "Radio "}, {"40", "Radio Station"},
        {"99999999999", "Radio Station"}, {"-0.5", ""}, {"-1", nullptr}, {"-7x", nullptr}};
    // clang-format on
    for (const auto& [limit, station] : cases) {
        host.plsSize = limit;
        const int32_t index = Add("Radio Station!");  // 13 characters once cleaned
        const qsizetype requests = server().requestLog().size();
        saver.SaveStation(index);
        if (!station) {
            EXPECT_EQ(server().requestLog().size(), requests) << limit;
            EXPECT_EQ(state.Stations[index].FileName, "before") << limit;
            continue;
        }
        const QString fileName = QString(station) + "_128.m3u";
        EXPECT_EQ(state.Stations[index].FileName, fileName) << limit;
        EXPECT_EQ(Read(InFolder(fileName)).split('\r').value(1), "\n#EXTINF:-1," + QByteArray(station))
            << limit;
        QFile::remove(InFolder(fileName));
    }
    EXPECT_TRUE(files().isEmpty());
}

// The macros are replaced in order, so one that the station name brings along is replaced by
// the later steps. No file lands outside the genre folder, whatever the page sent as id or
// bitrate, even where a folder of that name exists ("128" for a bitrate of "128/../.."), and
// "\" hides no climb out of it where it is a letter ("a\b" is then one folder).
TEST_F(StationSaverTest, FileNamesFollowTheTemplateAndNeverLeaveTheGenreFolder) {
    ASSERT_TRUE(QDir(state.m_DownloadDir).mkdir("a\\b") && QDir(state.m_DownloadDir).mkdir("128"));
    // clang-format off
    const std::tuple<const char*, const char*, const char*, const char*, const char*, const char*>
        cases[] = {  // template, format, name, id, bitrate, the file written ("" for none)
        {"%GENRE% - %STATION% (%STREAM%)", "PLS file", "Radio X", "#", "128", "Rock - Radio X (MP3).pls"},
        {"%STATION%_%BITRATE%", "PLS file", "Radio\r\nX\x7F", "#", "1\t2\x1F" "8", "RadioX_128.pls"},
        {"%station%_%BITRATE%", "PLS file", "Radio X", "#", "128", "%station%_128.pls"},
        {"%FORMAT%", "M3U file", "Radio X", "#", "128", "M3U file.m3u"},
        {"%RN%.%STATION%.%STATION%", "ASX file", "a:b", "#", "128", "#.ab.ab.asx"},
        {"%STATION%", "asx file", "Radio X", "#", "128", "Radio X.pls"},
        {"%STATION%", "ASX or M3U", "Radio X", "#", "128", "Radio X.asx"},
        {"%STATION%", "PLS file", "%GENRE% (%RN%)", "#", "128", "Rock #.pls"},
        {"%STATION%_%BITRATE%", "PLS file", "Radio X", "#", "../../x", "Radio X_....x.pls"},
        {"%RN%", "PLS file", "Radio X", "../../#", "128", "....#.pls"},
        {"%RN%_%BITRATE%", "PLS file", "Radio X", "..\\..\\#", "128", "....#_128.pls"},
        {"%BITRATE%", "PLS file", "Radio X", "#", "..", "...pls"},
        {"%BITRATE%/%RN%", "PLS file", "Radio X", "#", "..", ""},
        {"%BITRATE%/%RN%", "PLS file", "Radio X", "#", "128/../..", ""},
        {"%BITRATE%%RN%", "PLS file", "Radio X", "../../#", "128/../..", "128........#.pls"},
        {"%STATION% %RN%", "PLS file", "Radio X", "../../#", "128", "Radio X ....#.pls"},
        {"x/%RN%/%RN%/%STATION%", "PLS file", "Radio X", "..", "128", ""},
        {"../%STATION%", "PLS file", "Radio X", "#", "128", ""},
        {"a\\b/%BITRATE%/%BITRATE%/x", "PLS file", "Radio X", "#", "..", ""}};
    // clang-format on
    for (const auto& [fileTemplate, format, name, rn, bitrate, written] : cases) {
        SCOPED_TRACE(fileTemplate);
        host.fileTemplate = fileTemplate, host.format = format;
        saver.SaveStation(Add(name, rn, bitrate));
        const QString fileName = QString(written).replace('#', id);
        EXPECT_EQ(files().keys(),
                  fileName.isEmpty() ? QStringList() : QStringList{"Rock/" + fileName});
        if (!fileName.isEmpty()) QFile::remove(InFolder(fileName));
    }
}

// A download without a 2xx answer or cut off, or a file that cannot be written, leaves the
// earlier file and the timing line as they were; in a genre folder that must not be written
// into, nothing is even fetched.
TEST_F(StationSaverTest, AFailedSaveKeepsTheEarlierFileAndTheStatusLine) {
    // clang-format off
    const std::tuple<Misbehaviour, bool, bool> cases[] = {  // the directory does, writes fail, writable
        {{.status = 404}, false, true}, {{.status = 500}, false, true}, {{.status = 302}, false, true},
        {{.dropAfterBytes = 20}, false, true}, {{}, true, true}, {{}, false, false}};
    // clang-format on
    ASSERT_GT(catalogue().playlistText(id.toInt()).size(), 64);
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    const std::shared_ptr<const FolderHandle> opened = state.m_DownloadFolder;
    for (const auto& [misbehaviour, writesFail, writable] : cases) {
        SCOPED_TRACE(testing::Message() << misbehaviour.status << " " << writesFail << writable);
        server().setMisbehaviour(classicTarget, misbehaviour);
        state.m_DownloadFolder = writable ? opened : nullptr;
        QFile earlier(InFolder("Radio X_128.pls"));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        host.stat = "before";
        const int32_t index = Add();
        // Writes past 64 bytes fail: a real write failure, which also befalls root, who may
        // write any read-only file or folder.
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        const rlimit limit{writesFail ? 64 : previous.rlim_cur, previous.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const int32_t notSaved = state.m_NotSaved;
        saver.SaveStation(index);
        setrlimit(RLIMIT_FSIZE, &previous);
        // Only what the program failed to write is counted, not what the directory kept back.
        EXPECT_EQ(state.m_NotSaved - notSaved, writesFail || !writable ? 1 : 0);
        // Nothing beside it, not even a temporary file.
        EXPECT_EQ(files().keys(), QStringList{"Rock/Radio X_128.pls"});
        EXPECT_EQ(Read(InFolder("Radio X_128.pls")), "earlier");
        EXPECT_EQ(host.stat, "before");
        EXPECT_EQ(state.Stations[index].FileName, "Radio X_128.pls");
    }
    EXPECT_EQ(server().requestLog().size(), 5);
}

}  // namespace
