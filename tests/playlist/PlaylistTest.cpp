// The PLS reader that picks the stream address, and the station saver against the local directory
// on 127.0.0.1, writing real files into a temporary genre folder.
#include "DirectoryFixture.h"
#include "FakeScanHost.h"
#include "FolderHandle.h"
#include "PathMacros.h"
#include "PlsReader.h"
#include "ScanState.h"
#include "StationSaver.h"

#include <QDir>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
}

// Playlists are written with "|" for the line ends. Two entries: the first full, the second
// with the given title, then its Length line and one more, so that entry 2 is looked at.
QString Second(const char* title2) {
    return "[playlist]|numberofentries=2|File1=stream-a|Title1=(#1 - 95/100) A|Length1=-1|"
           "File2=stream-b|Title2=" +
           QString(title2) + "|Length2=-1|Version=2";
}

TEST(PickStreamAddress, TheFirstEntryWithRoomElseTheFirstEntryElseNothing) {
    // clang-format off
    const std::tuple<const char*, QString, const char*> cases[] = {
        {"no line after Length2", QString(Second("(#2 - 10/100) A")).remove("|Version=2"), "stream-a"},
        {"90.5 rounds to 90", Second("(#2 - 90.5/100) B"), "stream-b"},
        {"unreadable count keeps 95", Second("(#2 - many/100) B"), "stream-a"},
        {"chosen File without =", QString(Second("(#2 - 1/100) B")).replace("File2=", "File2 "),
         "stream-a"},
        {"entry 1's File without =", "[playlist]|numberofentries=1|File1 stream-a|"
                                     "Title1=(#1 - 95/100) A|Length1=-1|", ""}};
    // clang-format on
    for (const auto& [what, lines, address] : cases)
        EXPECT_EQ(PickStreamAddress(QString(lines).replace('|', '\n')), address) << what;
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
        state.Stations.append({.Name = name,
                               .Genre = "Rock",
                               .Bitrate = bitrate,
                               .StreamType = "MP3",
                               .Rn = QString(rn).replace('#', id),
                               .FileName = "before"});
        return ++state.StationCount;
    }
    QString InFolder(const QString& fileName) const { return state.m_DownloadDir + fileName; }

    QString id, classicTarget;
    FakeScanHost host;
    ScanState state;
    StationSaver saver{host, state};
};

// The file is named before the fetch: a format chosen during it does not change the content of a
// file already named.
TEST_F(StationSaverTest, NamesTheFileThenFetchesThePlaylistAndWritesItsWebEntries) {
    server().setMisbehaviour(
        classicTarget, {.body = "[playlist]\nnumberofentries=2\nFile1=smb://h/s\nFile2=http://"
                                "s.test/\nTitle2=(#2 - 1/9) Caf\xC3\xA9\nLength2=-1\n"});
    const int32_t index = Add();
    saver.SaveStation(index);
    EXPECT_EQ(server().requestLog(), QStringList{classicTarget});
    EXPECT_EQ(Read(InFolder("Radio X_128.pls")),
              "[playlist]\r\nnumberofentries=1\r\nFile1=http://s.test/\r\n"
              "Title1=(#2 - 1/9) Caf\xC3\xA9\r\nLength1=-1\r\n\r\n");
    EXPECT_TRUE(host.stat.startsWith("Pure HTML doc dwnl time=")) << host.stat.toStdString();
    // The current layout's link is fetched as it stands.
    host.newServer = true;
    host.onDoEvents = [&] { host.format = "ASX file"; };
    state.Stations[Add("Radio Y")].PlaylistLink =
        server().currentPlaylistLink(id.toInt()) + "&x=%41";
    saver.SaveStation(index + 1);
    EXPECT_EQ(server().requestLog().last(), "/playlist.pls?id=" + id + "&x=%41");
    EXPECT_TRUE(Read(InFolder("Radio Y_128.pls")).startsWith("[playlist]"));
}

// "Max length" shortens the name in the file name; how the template is filled is checked on its
// own. No file lands outside the genre folder, whatever the page sent as id or bitrate, and "\"
// hides no climb out of it where it is a letter ("a\b" is then one folder).
TEST_F(StationSaverTest, FileNamesFollowTheTemplateAndTheLimitAndNeverLeaveTheGenreFolder) {
    ASSERT_TRUE(QDir(state.m_DownloadDir).mkdir("a\\b"));
    // clang-format off
    const std::tuple<const char*, const char*, const char*, const char*, const char*, const char*>
        cases[] = {  // "Max length", template, name, id, bitrate, the file written ("" for none)
        {"10", "%STATION%_%BITRATE%", "Radio Station!", "#", "1\t2\x1F" "8", "Radio Stat_128.m3u"},
        {" 4.5", "%STATION%_%BITRATE%", "Radio Station!", "#", "128", "Radi_128.m3u"},
        {"99999999999", "%STATION%", "Radio Station!", "#", "128", "Radio Station.m3u"},
        {"-1x", "%STATION%", "Radio X", "#", "128", ""},
        {"40", "%RN%_%BITRATE%", "Radio X", "..\\..\\#", "128", "#_128.m3u"},
        {"40", "%BITRATE%%RN%", "Radio X", "../../#", "128/../..", "128........#.m3u"},
        {"40", "../%STATION%", "Radio X", "#", "128", ""},
        {"40", "a\\b/%BITRATE%/%BITRATE%/x", "Radio X", "#", "..", ""}};
    // clang-format on
    host.format = "M3U file";
    for (const auto& [limit, fileTemplate, name, rn, bitrate, written] : cases) {
        SCOPED_TRACE(fileTemplate);
        host.plsSize = limit, host.fileTemplate = fileTemplate;
        const qsizetype requests = server().requestLog().size();
        saver.SaveStation(Add(name, rn, bitrate));
        const QString fileName = QString(written).replace('#', id);
        EXPECT_EQ(files().keys(),
                  fileName.isEmpty() ? QStringList() : QStringList{"Rock/" + fileName});
        // A name refused, or cut to a negative length, fetches nothing.
        EXPECT_EQ(server().requestLog().size() - requests, fileName.isEmpty() ? 0 : 1);
        QFile::remove(InFolder(fileName));
    }
}

// A playlist that comes with an answer other than 2xx or without a web stream leaves the earlier
// file and the timing line as they were; in a genre folder that must not be written into, nothing
// is even fetched. (A write that fails, the whole window's full disk covers.)
TEST_F(StationSaverTest, AFailedSaveKeepsTheEarlierFileAndTheStatusLine) {
    const QByteArray playlist = catalogue().playlistText(id.toInt()).toUtf8();
    ASSERT_GT(playlist.size(), 64);
    // clang-format off
    const std::pair<Misbehaviour, bool> cases[] = {  // what the directory does, writable
        {{.status = 302, .body = playlist}, true}, {{}, false},
        {{.body = "[playlist]\nnumberofentries=1\nFile1=file:///etc/passwd\n"}, true}};
    // clang-format on
    const std::shared_ptr<const FolderHandle> opened = state.m_DownloadFolder;
    for (const auto& [misbehaviour, writable] : cases) {
        SCOPED_TRACE(testing::Message() << misbehaviour.status << " " << writable);
        server().setMisbehaviour(classicTarget, misbehaviour);
        state.m_DownloadFolder = writable ? opened : nullptr;
        QFile earlier(InFolder("Radio X_128.pls"));
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
        earlier.close();
        host.stat = "before";
        const int32_t index = Add();
        const int32_t notSaved = state.m_NotSaved;
        saver.SaveStation(index);
        // Only what the program failed to write is counted, not what the directory kept back.
        EXPECT_EQ(state.m_NotSaved - notSaved, writable ? 0 : 1);
        EXPECT_EQ(files().keys(), QStringList{"Rock/Radio X_128.pls"});
        EXPECT_EQ(Read(InFolder("Radio X_128.pls")), "earlier");
        EXPECT_EQ(host.stat, "before");
        EXPECT_EQ(state.Stations[index].FileName, "Radio X_128.pls");
    }
    EXPECT_EQ(server().requestLog().size(), 2);
}

}  // namespace
