// Runs of the real main window on the live directory's JSON searches, served by the local
// directory: the searches of each option, the files written, the genres' tags, real records,
// hostile answers, and how servers change.
#include "FakeResolver.h"
#include "ProgressBar.h"
#include "ScopedEnv.h"
#include "StatusLineBox.h"
#include "WindowRun.h"

#include <QCheckBox>
#include <QLineEdit>
#include <list>

namespace {
using ::PrintTo;

const QString kSearchPath = QStringLiteral("/json/stations/search?");

class LiveWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        env.emplace_back("RADIOSIFT_DIRECTORY", "radio-browser");
        env.emplace_back("RADIOSIFT_RADIO_BROWSER_URL", server().baseUrl());
        ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
    }
    CatalogueOptions catalogueOptions() const override { return {.stationsPerGenre = 200}; }
    void choose(const RunChoice& choice) { Choose(window, choice, downloadDir() + kFolder); }
    // The queries of the station searches asked at prefix.
    QStringList searches(const QString& prefix = QString()) {
        return pageQueries(prefix + kSearchPath);
    }

    std::list<ScopedEnv> env;
};

// clang-format off
struct QueryCase {
    const char* name;
    RunChoice choice;
    QString search = QString(), maxBitrate = QString();
    bool orderByBitrate = false;
    QStringList firstPages;  // of every search, in the order asked
};
const QString kPage = "offset=0&limit=25&hidebroken=true", kClicks = "&order=clickcount&reverse=true";
const QueryCase kQueryCases[] = {
    {"TopTenAsksNoTag", {.genre = "TopTen", .stations = "5"}, {}, {}, false, {"offset=0&limit=5&hidebroken=true" + kClicks}},
    {"SearchSendsTheTextEncoded", {.genre = "Search", .stations = "5000", .fast = true}, " 50s & 60s/ü ", {}, false,
     {"offset=0&limit=100&hidebroken=true&name=50s%20%26%2060s%2F%C3%BC" + kClicks}},
    {"UnknownBitrateIsAskedForBesideTheMinimum", {.genre = "Comedy", .stream = "MP3", .minBitrate = "128"}, {}, "320", true,
     {kPage + "&tag=comedy&tagExact=true&order=bitrate&reverse=true&bitrateMin=128&bitrateMax=320&codec=MP3",
      kPage + "&tag=humor&tagExact=true&order=bitrate&reverse=true&bitrateMin=128&bitrateMax=320&codec=MP3",
      kPage + "&tag=comedy&tagExact=true&order=bitrate&reverse=true&bitrateMax=0&codec=MP3",
      kPage + "&tag=humor&tagExact=true&order=bitrate&reverse=true&bitrateMax=0&codec=MP3"}},
    {"AacAsksForAacAndAacPlus", {.genre = "Jazz", .stream = "AAC"}, {}, "64", false,
     {kPage + "&tag=jazz&tagExact=true" + kClicks + "&bitrateMax=64&codec=AAC",
      kPage + "&tag=jazz&tagExact=true" + kClicks + "&bitrateMax=64&codec=AAC%2B",
      kPage + "&tag=smooth%20jazz&tagExact=true" + kClicks + "&bitrateMax=64&codec=AAC",
      kPage + "&tag=smooth%20jazz&tagExact=true" + kClicks + "&bitrateMax=64&codec=AAC%2B"}},
};
// clang-format on

class LiveQueries : public LiveWindow, public testing::WithParamInterface<QueryCase> {};

TEST_P(LiveQueries, AskForWhatTheWindowAsksForAndShowTheLastAddressInTxturl) {
    const QueryCase& c = GetParam();
    choose(c.choice);
    window.txtSearch->setText(c.search);
    Select(window.cmbMaxBit, c.maxBitrate);
    window.chkOrderBitrate->setChecked(c.orderByBitrate);
    run();
    const QStringList asked = searches();
    EXPECT_EQ(asked.filter(QRegularExpression("^offset=0&")), c.firstPages);
    EXPECT_EQ(window.txturl->text(), server().baseUrl() + kSearchPath + asked.last());
    // No playlist is asked for, and no click is counted.
    EXPECT_EQ(server().requestLog().size(), asked.size());
}
INSTANTIATE_TEST_SUITE_P(Options, LiveQueries, testing::ValuesIn(kQueryCases), ByName);

TEST_F(LiveWindow, WritesAsManyFilesAsAskedForWhateverIsPassedOverAndKeepsOnlyThoseInTheList) {
    const struct {
        RunChoice choice;
        QString search;
    } cases[] = {{{.stations = "10", .stream = "AAC"}, {}},
                 {{.genre = "Rap", .stations = "100", .fast = true}, {}},
                 {{.genre = "Search", .stations = "25"}, "a"},
                 {{.genre = "TopTen", .stations = "200", .fast = true, .minBitrate = "128"}, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE((c.choice.genre + " " + c.choice.stations).toStdString());
        QDir(downloadDir() + kFolder).removeRecursively();
        choose(c.choice);
        window.txtSearch->setText(c.search);
        run();
        const int asked = c.choice.stations.toInt();
        EXPECT_EQ(files().size(), asked);
        EXPECT_EQ(window.scanState().StationCount, asked);
        EXPECT_EQ(window.scanState().Stations.size(), asked + 1);
    }
}

// The local directory's records of real data, each where a harvest of its genre must leave it.
TEST_F(LiveWindow, GenresTakeTheirSynonymsButNotTagsThatOnlyContainTheirWordAndRealRecordsHold) {
    WriteFile(downloadDir() + kFolder + "/Talk/BBC World Service_56.pls", "from an earlier run");
    // clang-format off
    const struct { const char* genre; const char* minBitrate; QStringList in, out; } cases[] = {
        {"Rap", "", {"hiphop.example", "hiphop2.example"}, {"trap.example", "disco.example"}},
        {"RnB", "", {"rab.example", "rnblounge.example"}, {"nuernberg.example"}},
        {"70s", "", {"gold70.example", "forever70.example"}, {}},
        {"Techno", "", {}, {"tech.example"}},
        // The same name for another stream: the higher ranked keeps the file.
        {"Talk", "", {"gr.example", "bbc.example/ws/main"}, {"eastasia", "earlier run"}},
        // The station's own address, unless it is a playlist file.
        {"Jazz", "", {"plsonly.example:8000/stream", "emoji.example"}, {"listen.pls"}},
        {"Pop", "", {"token.example/live\r", "mir.example", "nihon.example", "977.example"}, {"rj-tok"}},
        {"Rock", "128", {"unknown.example/rock", "long.example"}, {}},
    };  // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.genre);
        choose({.genre = c.genre, .stations = "5000", .fast = true, .minBitrate = c.minBitrate});
        run();
        const QByteArray all = files().values().join('\n');
        for (const QString& in : c.in) EXPECT_TRUE(all.contains(in.toUtf8())) << in.toStdString();
        for (const QString& out : c.out)
            EXPECT_FALSE(all.contains(out.toUtf8())) << out.toStdString();
    }
    // An unknown bitrate is named 0.
    EXPECT_TRUE(files().contains(kFolder + "/Rock/Unknown Rate Rock_0.pls"));
}

TEST_F(LiveWindow, WritesEachFormatAroundTheStreamAddressAndPassesOverCopiesAndClashes) {
    const QByteArray answer =
        R"j([{"stationuuid":"1","name":"Jazz Blues (Live)","bitrate":128,"codec":"MP3","url":"http://pl.test/a.pls",)j"
        R"j("url_resolved":"http://s1.test/live/"},)j"
        R"j({"stationuuid":"2","name":"Second","bitrate":64,"codec":"AAC+","url":"https://s2.test/a","url_resolved":"http://s2.test/tok"},)j"
        R"j({"stationuuid":"3","name":"Copy","bitrate":128,"codec":"MP3","url":"https://s1.test/live"},)j"
        R"j({"stationuuid":"4","name":"Second","bitrate":64,"codec":"AAC","url":"http://s4.test/other"}])j";
    server().setMisbehaviour(kSearchPath, {.body = answer});
    // The stations saved, as title, stream address and file name; each file names its stream.
    const std::tuple<QString, QString, QString> saved[] = {
        {"Jazz Blues (Live)", "http://s1.test/live/", "/Rock/Jazz Blues Live_128_MP3."},
        {"Second", "https://s2.test/a", "/Rock/Second_64_AAC."}};
    for (const QString format : {"PLS file", "ASX file", "M3U file"}) {
        SCOPED_TRACE(format.toStdString());
        QMap<QString, QByteArray> expected;
        for (const auto& [title, address, name] : saved)
            expected[kFolder + name + format.left(3).toLower()] =
                PlaylistFileBytes(format, title, address,
                                  "[playlist]\r\nnumberofentries=1\r\nFile1=" + address +
                                      "\r\nTitle1=" + title + "\r\nLength1=-1\r\nVersion=2");
        QDir(downloadDir() + kFolder).removeRecursively();
        server().clearLog();
        choose({.format = format, .nameTemplate = "%STATION%_%BITRATE%_%STREAM%"});
        run();
        ExpectSameFiles(files(), expected);
        // The timing line is the page's: no playlist was fetched.
        EXPECT_TRUE(window.txtStat->text().startsWith("Pure HTML doc dwnl time="));
        // Each of the three tags of Rock asked once: the answer is shorter than the page.
        EXPECT_EQ(server().requestLog().size(), 3);
    }
}

// clang-format off
struct HostileCase { const char* name; Misbehaviour misbehaviour; const char* ending; int leastFiles = 0; };
const HostileCase kHostileCases[] = {
    {"HostileNames", {.jsonFlaw = JsonFlaw::HostileName}, "Done", 5},
    {"NotObjects", {.every = 2, .jsonFlaw = JsonFlaw::NotAnObject}, "Done", 50},
    {"MissingFields", {.every = 2, .jsonFlaw = JsonFlaw::MissingFields}, "Done", 50},
    // An answer that pays no heed to the offset, and holds more than asked for.
    {"SameLongAnswerForEveryPage", {.entryCount = 40}, "Done", 20},
    // Not an answer: the only server failed.
    {"NestedArrays", {.jsonShape = JsonShape::NestedArrays}, "No Connection!"},
    {"HtmlPage", {.jsonShape = JsonShape::NotJson}, "No Connection!"},
    {"TooLongForItsLimit", {.entryCount = 5000}, "No Connection!"},
};
// clang-format on

class HostileAnswers : public LiveWindow, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileAnswers, AreReadWithinBoundsOrPassedOnAndWriteNothingOutsideTheGenreFolder) {
    const HostileCase& c = GetParam();
    server().setMisbehaviour("/json/", c.misbehaviour);
    choose({.stations = "50"});
    run(c.ending);
    const QMap<QString, QByteArray> files = this->files();
    EXPECT_GE(files.size(), c.leastFiles);
    EXPECT_LE(files.size(), 50);
    for (const QString& path : files.keys()) {
        EXPECT_EQ(QFileInfo(path).path(), kFolder + "/Rock") << path.toStdString();
        EXPECT_FALSE(std::any_of(path.cbegin(), path.cend(), [](QChar u) {
            return u.unicode() < 0x20;
        })) << path.toStdString();
    }
    // The list holds what was written, not a flood.
    EXPECT_EQ(window.scanState().StationCount, files.size());
    EXPECT_TRUE(QString(c.ending) == "Done" || searches().size() == 1) << "asked again";
}
INSTANTIATE_TEST_SUITE_P(Answers, HostileAnswers, testing::ValuesIn(kHostileCases), ByName);

// Servers behind the directory's name: two local directories "a" and "b", a name that does not
// resolve ("gone"), a port where nothing listens ("refused") and one that answers 500 ("bad").
// Error statuses come with an empty JSON array, which is no answer either.
class Discovery : public LiveWindow {
protected:
    void SetUp() override {
        LiveWindow::SetUp();
        ASSERT_TRUE(other.start());
        env.emplace_back("RADIOSIFT_RADIO_BROWSER_URL", "");
        server().setMisbehaviour("/bad", {.status = 500, .body = "[]"});
    }
    void discover(const QStringList& names) {
        resolver.found = names;
        for (const QString& name : names) resolver.names[name] = name + ".api.radio-browser.info";
        window.radioBrowserServers().setDiscovery(
            {&resolver, &random, [this](const QString& n) {
                 const QString name = n.section('.', 0, 0);
                 if (name == "gone") return QStringLiteral("http://radiosift-test.invalid");
                 if (name == "refused") return QStringLiteral("http://127.0.0.1:1");
                 if (name == "b") return other.baseUrl();
                 return name == "a" ? server().baseUrl() : server().baseUrl() + '/' + name;
             }});
    }
    DirectoryServer other{{.stationsPerGenre = 200}};
    FakeResolver resolver;
    QRandomGenerator random{3};
};

TEST_F(Discovery, EveryFailurePassesThePageOnAtAnyPageAndNoneLeftEndsTheRun) {
    // Servers that all fail, or none found: no file.
    for (const QStringList& names : {QStringList{"bad", "gone", "refused"}, QStringList()}) {
        SCOPED_TRACE(names.join(' ').toStdString());
        server().clearLog();
        discover(names);
        choose({.stations = "50"});
        run("No Connection!");
        EXPECT_EQ(searches("/bad").size(), names.isEmpty() ? 0 : 1);
        EXPECT_TRUE(files().isEmpty());
    }
    // "a" fails from the second page on, "b" for the first, the others always: the pages change
    // server as they fail, and the list is kept for the next run.
    server().setMisbehaviour(kSearchPath + "offset=25", {.status = 503, .body = "[]"});
    other.setMisbehaviour(kSearchPath + "offset=0&", {.status = 429, .body = "[]"});
    discover({"a", "gone", "b", "refused"});
    for (int round = 1; round <= 2; ++round) {
        QDir(downloadDir() + kFolder).removeRecursively();
        choose({.stations = "50"});
        run();
        EXPECT_EQ(files().size(), 50);
    }
    EXPECT_EQ(resolver.asked.size(), 3);  // one look-up per discover() above
    EXPECT_EQ(searches().filter(QRegularExpression("^offset=25&")).size(), 2);
    EXPECT_EQ(other.requestLog().filter(QRegularExpression("offset=25&")).size(), 2);
}

}  // namespace
