// Runs of the real main window on the live community directory's JSON station searches, served
// by the local directory (or a test server for answers it would not give): the query of each
// option, the files in each format, what is passed over, hostile answers, and how servers are
// found when no address is fixed.
#include "FakeResolver.h"
#include "ProgressBar.h"
#include "ScopedEnv.h"
#include "StatusLineBox.h"
#include "Version.h"
#include "WindowRun.h"

#include <httplib.h>

#include <QCheckBox>
#include <QLineEdit>
#include <list>
#include <thread>

using ::PrintTo;

namespace {

const QString kSearchPath = QStringLiteral("/json/stations/search?");

class LiveWindow : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        env.emplace_back("RADIOSIFT_DIRECTORY", "radio-browser");
        env.emplace_back("RADIOSIFT_RADIO_BROWSER_URL", server().baseUrl());
        ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
    }
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
    QStringList queries;
};
const QString kClicks = "&order=clickcount&reverse=true";
const QueryCase kQueryCases[] = {
    {"GenrePagesOf25", {.stations = "50"}, {}, {}, false,
     {"offset=0&limit=25&hidebroken=true&tag=rock" + kClicks, "offset=25&limit=25&hidebroken=true&tag=rock" + kClicks}},
    {"FastScanPagesOf100", {.genre = "RnB", .stations = "200", .fast = true}, {}, {}, false,
     {"offset=0&limit=100&hidebroken=true&tag=rnb" + kClicks, "offset=100&limit=100&hidebroken=true&tag=rnb" + kClicks}},
    {"TopTenAsksNoTag", {.genre = "TopTen", .stations = "5"}, {}, {}, false,
     {"offset=0&limit=5&hidebroken=true" + kClicks}},
    {"SearchSendsTheTextEncoded", {.genre = "Search", .stations = "10"}, " 50s & 60s/ü ", {}, false,
     {"offset=0&limit=10&hidebroken=true&name=50s%20%26%2060s%2F%C3%BC" + kClicks}},
    {"EmptySearchSendsNoName", {.genre = "Search", .stations = "10"}, "", {}, false,
     {"offset=0&limit=10&hidebroken=true" + kClicks}},
    {"BitratesOrderAndMp3", {.genre = "Jazz", .stations = "5", .stream = "MP3", .minBitrate = "128"}, {}, "320", true,
     {"offset=0&limit=5&hidebroken=true&tag=jazz&order=bitrate&reverse=true&bitrateMin=128&bitrateMax=320&codec=MP3"}},
    {"AacAsksEveryCodec", {.stations = "5", .stream = "AAC"}, {}, "64", false,
     {"offset=0&limit=5&hidebroken=true&tag=rock" + kClicks + "&bitrateMax=64"}},
};
// clang-format on

class LiveQueries : public LiveWindow, public testing::WithParamInterface<QueryCase> {};

TEST_P(LiveQueries, AskTheStationSearchForEachOptionAndShowTheAddressInTxturl) {
    const QueryCase& c = GetParam();
    choose(c.choice);
    window.txtSearch->setText(c.search);
    Select(window.cmbMaxBit, c.maxBitrate);
    window.chkOrderBitrate->setChecked(c.orderByBitrate);
    run();
    EXPECT_EQ(searches(), c.queries);
    EXPECT_EQ(window.txturl->text(), server().baseUrl() + kSearchPath + c.queries.last());
    // No playlist is asked for, and no click is counted.
    EXPECT_EQ(server().requestLog().size(), c.queries.size());
}
INSTANTIATE_TEST_SUITE_P(Options, LiveQueries, testing::ValuesIn(kQueryCases), ByName);

// A station answer of the test's own, from a server that also notes who asked.
class FixedAnswer : public LiveWindow {
protected:
    void SetUp() override {
        LiveWindow::SetUp();
        answer.Get("/json/stations/search",
                   [this](const httplib::Request& req, httplib::Response& res) {
                       agents.push_back(req.get_header_value("User-Agent"));
                       res.set_content(body, "application/json");
                   });
        answer.set_keep_alive_max_count(1);  // nothing left open when the server stops
        const int port = answer.bind_to_any_port("127.0.0.1");
        thread = std::thread([this] { answer.listen_after_bind(); });
        while (!answer.is_running()) std::this_thread::yield();
        env.emplace_back("RADIOSIFT_RADIO_BROWSER_URL",
                         QStringLiteral("http://127.0.0.1:%1").arg(port));
    }
    void TearDown() override {
        answer.stop();
        thread.join();
        LiveWindow::TearDown();
    }

    httplib::Server answer;
    std::thread thread;
    std::string body;
    std::vector<std::string> agents;
};

TEST_F(FixedAnswer, WritesEachFormatAroundTheStreamAddressAndPassesOverCopiesAndOtherSchemes) {
    body =
        R"j([{"name":"Jazz Blues (Live)","bitrate":128,"codec":"MP3","url":"http://pl.test/a.pls",)j"
        R"j("url_resolved":"http://s1.test/live?x=1"},)j"
        R"j({"name":"Second","bitrate":64,"codec":"AAC+","url":"https://s2.test/a","url_resolved":""},)j"
        R"j({"name":"Copy","bitrate":128,"codec":"MP3","url_resolved":"http://s1.test/live?x=1"},)j"
        R"j({"name":"Rtsp","bitrate":128,"codec":"MP3","url_resolved":"rtsp://s4.test/"},)j"
        R"j({"name":"Nameless","bitrate":128,"codec":"MP3","url_resolved":"javascript:alert(1)"}])j";
    // The stations saved, as title, stream address and file name; each file names its stream.
    const std::tuple<QString, QString, QString> saved[] = {
        {"Jazz Blues (Live)", "http://s1.test/live?x=1", "/Rock/Jazz Blues Live_128_MP3."},
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
        choose({.stations = "5", .format = format, .nameTemplate = "%STATION%_%BITRATE%_%STREAM%"});
        run();
        ExpectSameFiles(files(), expected);
        // The timing line is the page's: no playlist was fetched.
        EXPECT_TRUE(window.txtStat->text().startsWith("Pure HTML doc dwnl time="));
    }
    const std::string agent = QStringLiteral("Radiosift/%1.%2.%3")
                                  .arg(RadiosiftVersion::Major)
                                  .arg(RadiosiftVersion::Minor)
                                  .arg(RadiosiftVersion::Revision)
                                  .toStdString();
    EXPECT_EQ(agents, std::vector<std::string>(3, agent));
}

// clang-format off
struct HostileCase { const char* name; Misbehaviour misbehaviour; int leastFiles = 0; };
const HostileCase kHostileCases[] = {
    {"HostileNames", {.jsonFlaw = JsonFlaw::HostileName}, 5},
    {"NotObjects", {.every = 2, .jsonFlaw = JsonFlaw::NotAnObject}, 10},
    {"MissingFields", {.jsonFlaw = JsonFlaw::MissingFields}},
    {"MistypedFields", {.jsonFlaw = JsonFlaw::MistypedFields}, 5},
    {"NotJson", {.jsonShape = JsonShape::NotJson}},
    {"AnObject", {.jsonShape = JsonShape::Object}},
    {"NestedArrays", {.jsonShape = JsonShape::NestedArrays}},
    {"HundredThousandElements", {.entryCount = 100000}},
    {"ServerError", {.status = 503}},
    {"CutOff", {.dropAfterBytes = 3000}},
};
// clang-format on

class HostileAnswers : public LiveWindow, public testing::WithParamInterface<HostileCase> {};

TEST_P(HostileAnswers, EndThePageQuietlyAndWriteNothingOutsideTheGenreFolder) {
    const HostileCase& c = GetParam();
    server().setMisbehaviour("/json/", c.misbehaviour);
    choose({.stations = "50"});
    run();
    const QMap<QString, QByteArray> files = this->files();
    EXPECT_GE(files.size(), c.leastFiles);
    for (const QString& path : files.keys()) {
        EXPECT_EQ(QFileInfo(path).path(), kFolder + "/Rock") << path.toStdString();
        EXPECT_FALSE(std::any_of(path.cbegin(), path.cend(), [](QChar u) {
            return u.unicode() < 0x20;
        })) << path.toStdString();
    }
    EXPECT_EQ(searches().size(), 2);  // the next page is still asked for
    // The list holds what was read, not room for every element of a flood.
    EXPECT_LT(window.scanState().Stations.size(), 1000);
}
INSTANTIATE_TEST_SUITE_P(Answers, HostileAnswers, testing::ValuesIn(kHostileCases), ByName);

// Servers behind the directory's name, each at a path of the local directory (a name starting
// with "bad" is answered with 503) or at a port where nothing listens ("refused").
class Discovery : public LiveWindow {
protected:
    void SetUp() override {
        LiveWindow::SetUp();
        env.emplace_back("RADIOSIFT_RADIO_BROWSER_URL", "");
        server().setMisbehaviour("/bad", {.status = 503});
        window.radioBrowserServers().setDiscovery(
            {&resolver, &random, [this](const QString& name) {
                 if (name == "refused") return QStringLiteral("http://127.0.0.1:1");
                 return name == "good" ? server().baseUrl() : server().baseUrl() + '/' + name;
             }});
    }
    FakeResolver resolver;
    QRandomGenerator random{3};
};

TEST_F(Discovery, ServersThatDoNotAnswerArePassedOverTheOneThatAnswersIsKeptAndNoneEndsTheRun) {
    const struct {
        QStringList names;
        const char* ending;
        qsizetype pages;
    } cases[] = {{{"bad1", "good", "bad2", "refused"}, "Done", 2},
                 {{"bad1", "refused", "bad2"}, "No Connection!", 0},
                 {{}, "No Connection!", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names.join(' ').toStdString());
        server().clearLog();
        QDir(downloadDir() + kFolder).removeRecursively();
        resolver.found = c.names;
        for (const QString& name : c.names) resolver.names[name] = name;
        choose({.stations = "50"});
        run(c.ending);
        EXPECT_EQ(searches().size(), c.pages);  // every page from the server that answered
        for (const char* bad : {"bad1", "bad2"}) {
            const qsizetype times = searches('/' + QString(bad)).size();  // once at most
            EXPECT_TRUE(c.pages ? times <= 1 : times == qsizetype(c.names.contains(bad))) << bad;
        }
        EXPECT_EQ(files().isEmpty(), c.pages == 0);
    }
}

}  // namespace
