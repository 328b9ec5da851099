// Genre playlists as players read them, the genre folders' records, and what pruning removes
// from a real folder, and what it never touches.
#include "EarlierFile.h"
#include "FolderHandle.h"
#include "FolderRecord.h"
#include "GenrePlaylist.h"
#include "LibraryRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

WrittenFile Station(const QString& file, const QString& id, const QByteArray& bytes = "x",
                    const QString& title = "T", const QString& logo = {}) {
    return {{file, id, "http://s.test/" + id, FileHash(bytes)}, title, logo, "https://h.test/"};
}

TEST(GenrePlaylist, M3uEntriesKeepNamesWholeAndOnlyWebLogos) {
    // clang-format off
    const std::tuple<QString, const char*, const char*> cases[] = {  // title, logo, #EXTINF line
        {U("Radio \"One\", the 1st"), "https://l.test/a,b.png",
         "#EXTINF:-1 tvg-logo=\"https://l.test/a%2Cb.png\" group-title=\"R&B  'x'\",Radio \"One\", the 1st"},
        {U("Радио\tМИР\u202E"), "http://l.test/logo \"große\".png",
         "#EXTINF:-1 tvg-logo=\"http://l.test/logo%20%22gro%C3%9Fe%22.png\" group-title=\"R&B  'x'\",РадиоМИР"},
        {U("Plain"), "data:image/png;base64,AAAA", "#EXTINF:-1 group-title=\"R&B  'x'\",Plain"}};
    // clang-format on
    for (const auto& [title, logo, line] : cases) {
        const QByteArray bytes =
            GenrePlaylistBytes(GenrePlaylistFormat::M3u, U("R&B, \"x\"\n"),
                               GenrePlaylistStations({Station("a.pls", "1", "x", title, logo)}));
        EXPECT_EQ(bytes.toStdString(),
                  "#EXTM3U\r\n" + std::string(line) + "\r\nhttp://s.test/1\r\n");
    }
}

TEST(GenrePlaylist, XspfParsesWithEveryTextIntactAndOnlyWebAddresses) {
    QList<WrittenFile> stations{
        Station("a.pls", "1", "x", U("Jazz & <Blues> \"Ω\""), "https://l.test/a.png"),
        Station("b.pls", "2", "x", U("B"), "ftp://l.test/b.png"), Station("c.pls", "3")};
    stations[1].homepage = "javascript:alert(1)";
    stations[2].record.address = "rtsp://s.test/3";  // no web stream: no track
    QXmlStreamReader xml(GenrePlaylistBytes(GenrePlaylistFormat::Xspf, U("Jazz & Co"),
                                            GenrePlaylistStations(stations)));
    QStringList seen;
    while (!xml.atEnd()) {
        const QString name =
            xml.readNext() == QXmlStreamReader::StartElement ? xml.name().toString() : "";
        if (QStringList{"title", "location", "info", "image"}.contains(name))
            seen << name + "=" + xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(seen.join('|'), U("title=Jazz & Co|location=http://s.test/1|title=Jazz & <Blues> "
                                "\"Ω\"|info=https://h.test/|image=https://l.test/a.png|"
                                "location=http://s.test/2|title=B"));
}

TEST(FolderRecord, ReadsBackWhatItWroteAndNothingUnsound) {
    const QList<RecordEntry> entries{Station("a.pls", "u1").record,
                                     Station("Sub/b.m3u", "").record};
    const std::optional<QList<RecordEntry>> read =
        ReadFolderRecordBytes(FolderRecordBytes(entries));
    ASSERT_TRUE(read && read->size() == 2);
    EXPECT_EQ((*read)[1].fileName, "Sub/b.m3u");
    EXPECT_EQ((*read)[0].sha256, entries[0].sha256);
    const QByteArray good = FolderRecordBytes(entries);
    const QByteArray hash = entries[0].sha256;
    for (const QByteArray& bytes :
         {good.left(good.size() / 2), QByteArray("[1]"), QByteArray(),
          QByteArray(good).replace("radiosift genre folder", "someone else's"),
          QByteArray(good).replace("\"version\": 1", "\"version\": 2"),
          QByteArray(good).replace("a.pls", "../a.pls"), QByteArray(good).replace("a.pls", "/a"),
          QByteArray(good).replace("Sub/b", ".Sub/b"),
          QByteArray(good).replace("a.pls", "a\\u0001"),
          QByteArray(good).replace(hash, hash.left(63)),
          QByteArray(good).replace("\"file\": \"a.pls\",", "")})
        EXPECT_FALSE(ReadFolderRecordBytes(bytes)) << bytes.toStdString();
}

TEST(EarlierFile, OnlyUnchangedFilesOfStationsNotWrittenAgainGo) {
    const RunFiles run{{"new.pls", "same.pls"}, {"renamed"}};
    // clang-format off
    const std::tuple<const char*, const char*, std::optional<QByteArray>, bool, EarlierFile> cases[] = {
        // file, station, bytes now, listing read whole, verdict
        {"same.pls", "u", "edited", true, EarlierFile::WrittenAgain},
        {"gone.pls", "u", std::nullopt, true, EarlierFile::Gone},
        {"edited.pls", "renamed", "edited", true, EarlierFile::Changed},
        {"old.pls", "renamed", "x", false, EarlierFile::Renamed},
        {"left.pls", "", "x", true, EarlierFile::Left},
        {"left.pls", "u", "x", false, EarlierFile::Listed}};
    // clang-format on
    for (const auto& [file, station, bytes, whole, verdict] : cases)
        EXPECT_EQ(JudgeEarlierFile(Station(file, station).record, run, whole, bytes), verdict)
            << file;
}

class PruneTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_download = FolderHandle::open(m_root.path(), ".t-");
        m_rock = m_download->openChild("Rock");
    }
    // One run into Rock writing the files given, each holding its own name.
    PruneTally run(const QStringList& files, LibraryOptions options, bool done = true) {
        LibraryRun library;
        library.setOptions(options);
        library.startRun();
        library.startGenre("Rock", {m_root.filePath("Rock/"), m_rock, m_download});
        for (const QString& file : files) {
            m_rock->replaceFile(file, file.toUtf8());
            library.fileWritten({.Name = "T", .Rn = file.section('.', 0, 0)}, file,
                                "http://s.test/", file.toUtf8());
        }
        library.endRun(done);
        m_warnings = library.warnings();
        return library.pruned();
    }
    std::string files() const {
        return QDir(m_root.filePath("Rock"))
            .entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)
            .join(' ')
            .toStdString();
    }
    QTemporaryDir m_root;
    std::shared_ptr<FolderHandle> m_download, m_rock;
    QStringList m_warnings;
};

TEST_F(PruneTest, RemovesOnlyUnchangedRecordedFilesThisRunDidNotWrite) {
    ASSERT_TRUE(QDir(m_root.path()).mkpath("Rock/Sub"));
    run({"a.pls", "b.pls", "c.pls", "d.pls", "e.pls", "Sub/f.pls"}, {});
    m_rock->replaceFile("b.pls", "edited by hand");
    m_rock->replaceFile("mine.pls", "not the program's");
    QFile::remove(m_root.filePath("Rock/c.pls"));
    ASSERT_TRUE(QFile::remove(m_root.filePath("Rock/d.pls")) &&
                QFile::link(m_root.filePath("Rock/mine.pls"), m_root.filePath("Rock/d.pls")));
    // Not done, or not asked to: nothing goes.
    for (const bool prune : {false, true})
        EXPECT_EQ(run({"a.pls"}, {.prune = prune}, !prune).removed, 0);
    EXPECT_EQ(files(), ".radiosift-record.json a.pls b.pls d.pls e.pls mine.pls");
    const PruneTally tally =
        run({"a.pls"}, {.playlists = {GenrePlaylistFormat::M3u}, .prune = true});
    EXPECT_EQ(files(), ".radiosift-record.json a.pls b.pls d.pls mine.pls");
    EXPECT_FALSE(QFile::exists(m_root.filePath("Rock/Sub/f.pls")));
    EXPECT_EQ(tally.removed, 2);
    EXPECT_EQ(tally.changed, 1);
    EXPECT_TRUE(QFile::exists(m_root.filePath("Rock.m3u")));
    // What was left alone is no longer recorded: a later run leaves it too.
    run({}, {.prune = true});
    EXPECT_EQ(files(), ".radiosift-record.json b.pls d.pls mine.pls");
    EXPECT_TRUE(m_warnings.isEmpty());
}

TEST_F(PruneTest, AnUnusableRecordPrunesNothingWarnsOnceAndIsWrittenAnew) {
    run({"a.pls", "b.pls"}, {});
    m_rock->replaceFile(kFolderRecordName, "{\"record\": \"radiosift genre fol");
    run({"c.pls"}, {.prune = true});
    EXPECT_EQ(m_warnings.size(), 1);
    EXPECT_EQ(files(), ".radiosift-record.json a.pls b.pls c.pls");
    EXPECT_EQ(run({}, {.prune = true}).removed, 1);
    EXPECT_EQ(files(), ".radiosift-record.json a.pls b.pls");
}

}  // namespace
