// The live community directory without a window: which directory a run asks, how its servers
// are found, and how its JSON answers are read into station entries.
#include "DirectoryHosts.h"
#include "FakeScanHost.h"
#include "HostResolver.h"
#include "PageParser.h"
#include "ScanState.h"
#include "ScopedEnv.h"
#include "ServerChoice.h"
#include "StationSink.h"

#include <gtest/gtest.h>

#include <QMap>
#include <QSet>
#include <optional>

namespace {

TEST(DirectoryChoice, TheVariableOrElseTheClassicHostDecidesAndAnUnknownNameIsToldAndGivesClassic) {
    using D = DirectoryHosts::Directory;
    const struct {
        const char *directory, *classicHost;
        D chosen;
        bool complaint;
    } cases[] = {
        {"", "", D::RadioBrowser, false},
        {"", "127.0.0.1:1", D::Classic, false},
        {"classic", "", D::Classic, false},
        {"radio-browser", "127.0.0.1:1", D::RadioBrowser, false},
        {"Radio-Browser", "", D::Classic, true},
        {"shoutcast", "", D::Classic, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.directory) + " / " + c.classicHost);
        const ScopedEnv directory("RADIOSIFT_DIRECTORY", c.directory);
        const ScopedEnv host("RADIOSIFT_CLASSIC_HOST", c.classicHost);
        QString complaint = "before";
        EXPECT_EQ(DirectoryHosts::chosenDirectory(&complaint), c.chosen);
        EXPECT_EQ(!complaint.isEmpty(), c.complaint) << complaint.toStdString();
        if (c.complaint) {
            EXPECT_TRUE(complaint.contains(c.directory));
        }
    }
}

// Five servers behind the directory's name, one of them at two addresses, and an address
// without a name; no other name resolves.
class FakeResolver : public HostResolver {
public:
    QStringList addresses(const QString& name) override {
        asked.append(name);
        if (name != ServerChoice::kDirectoryName) return {};
        return {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4", "10.0.0.5", "::6", "10.0.0.7"};
    }
    QString nameOf(const QString& address) override {
        static const QMap<QString, QString> names = {{"10.0.0.1", "a.test"}, {"10.0.0.2", "b.test"},
                                                     {"10.0.0.3", "c.test"}, {"10.0.0.4", "d.test"},
                                                     {"10.0.0.5", "e.test"}, {"::6", "a.test"}};
        return names.value(address);
    }
    QStringList asked;
};

// Every server a choice offers, each passed over in turn.
QStringList Offered(ServerChoice& choice) {
    QStringList bases;
    while (const std::optional<QString> base = choice.current()) {
        bases.append(*base);
        if (!choice.passOver()) break;
    }
    return bases;
}

TEST(ServerDiscovery, EveryNamedServerOnceInAnOrderThatChangesWithTheRandomSource) {
    const ScopedEnv fixed("RADIOSIFT_RADIO_BROWSER_URL", "");
    FakeResolver resolver;
    QSet<QString> firsts;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        ServerChoice choice(
            {&resolver, &random, [](const QString& name) { return "https://" + name; }});
        QStringList bases = Offered(choice);
        firsts.insert(bases.value(0));
        bases.sort();
        EXPECT_EQ(bases, QStringList({"https://a.test", "https://b.test", "https://c.test",
                                      "https://d.test", "https://e.test"}));
    }
    EXPECT_EQ(firsts.size(), 5) << "the first server asked is not spread over the servers";
    EXPECT_EQ(resolver.asked, QStringList(20, "all.api.radio-browser.info"));
}

// ---- The JSON reader ----

// Saves into a list of "index name"; the fake window filters MP3 unless told otherwise.
class JsonPage : public testing::Test, public StationSink {
protected:
    JsonPage() {
        state.m_GenreCount = 1;
        state.m_PageCount = 1;
        state.m_Genre = "Rock";
    }
    void SaveStation(int32_t i) override { saved.append(i); }
    QString fields(int i) const {
        const StationEntry& e = state.Stations[i];
        return QStringList(
                   {e.Name, e.Genre, e.Bitrate, e.StreamType, e.HomeLink, e.PlaylistLink, e.Rn})
            .join('|');
    }

    FakeScanHost host;
    ScanState state;
    QList<int32_t> saved;
    PageParser parser{host, state, *this};
};

const QString kGood = R"({"stationuuid":"u1","name":" One ","bitrate":128,"codec":"MP3",)"
                      R"("url":"http://a/","url_resolved":"http://b/","homepage":"http://h/"})";

TEST_F(JsonPage, ElementsAreReadIntoEntriesAndFieldsOfAnotherTypeReadAsEmpty) {
    // clang-format off
    const struct { const char* what; QString stream, page; QStringList fields; int saved; } cases[] = {
        {"fields", "MP3", "[" + kGood + "]", {"One|Rock|128|MP3|http://h/|http://b/|u1"}, 1},
        {"url when url_resolved is empty", "<all>",
         R"([{"name":"N\tA\r\nB","url":"http://a/","url_resolved":"","codec":"AAC+","bitrate":64}])",
         {"NAB|Rock|64|AAC||http://a/|"}, 1},
        {"wrong types read as empty", "<all>",
         R"([{"name":5,"url":["http://a/"],"stationuuid":{},"bitrate":"128","codec":null,"homepage":true}])",
         {"|Rock|||||"}, 1},
        {"other codecs stand, less separators", "<all>",
         R"([{"codec":"ogg"},{"codec":"OGG"},{"codec":"../x\\y"},{"codec":"AAC"},{"bitrate":-3}])",
         {"|Rock||ogg|||", "|Rock||OGG|||", "|Rock||..xy|||", "|Rock||AAC|||", "|Rock|||||"}, 5},
        {"filtered by type, no carry-over", "AAC", R"([{"codec":"AAC"},{"codec":""},{"codec":"AAC+"}])",
         {"|Rock||AAC|||", "|Rock||AAC|||"}, 2},
    };  // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        state.StationCount = 0;
        state.Stations.resize(1);
        saved.clear();
        host.stream = c.stream;
        state.m_PageText = c.page;
        parser.ParseJsonPage(25);
        QStringList fields;
        for (int i = 1; i <= state.StationCount; ++i) fields.append(this->fields(i));
        EXPECT_EQ(fields.join('\n').toStdString(), c.fields.join('\n').toStdString());
        EXPECT_EQ(saved.size(), c.saved);
    }
}

TEST_F(JsonPage, AFloodOfElementsStopsAfterTheMostStationsOfThePage) {
    host.stream = "MP3";
    QString page = "[";
    for (int i = 0; i < 100000; ++i) page += kGood + ',';
    page.back() = ']';
    state.m_PageText = page;
    parser.ParseJsonPage(25);
    EXPECT_EQ(saved.size(), 25);
    EXPECT_EQ(state.StationCount, 26);  // the 26th is appended, then the page ends
    EXPECT_EQ(host.barValues.size(), 26);
}

}  // namespace
