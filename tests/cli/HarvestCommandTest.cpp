// radiosift-harvest run as a program against the local directory: the same files as the window,
// refused arguments, exit statuses, a stop by signal, the live directory's filters and the JSON
// summary.
#include "WindowRun.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <csignal>

namespace {
using ::PrintTo;

struct Outcome {
    int exitCode = -1;
    QByteArray out, err;
};

class HarvestCommand : public WindowTest {
protected:
    CatalogueOptions catalogueOptions() const override { return {.stationsPerGenre = 120}; }
    // Starts the program with these arguments; the environment names the local directory.
    void start(QProcess& process, const QStringList& arguments) {
        process.start(QStringLiteral(RADIOSIFT_HARVEST), arguments);
        ASSERT_TRUE(process.waitForStarted());
    }
    Outcome harvest(const QStringList& arguments) {
        QProcess process;
        start(process, arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    QString folder(const QString& name) { return downloadDir() + name; }
    // The files below a folder of the test's, by path relative to it.
    QMap<QString, QByteArray> filesIn(const QString& name) {
        QMap<QString, QByteArray> found;
        for (const auto& [path, bytes] : files().asKeyValueRange())
            if (path.startsWith(name + u'/')) found.insert(path.mid(name.size() + 1), bytes);
        return found;
    }
    QStringList live() { return {"--directory", "radio-browser", "--server", server().baseUrl()}; }
};

struct SameCase {
    const char* name;
    bool live;
    QString format, word;  // the window's list entry, the command's word
};
const SameCase kSameCases[] = {
    {"ClassicPls", false, "PLS file", "pls"}, {"ClassicAsx", false, "ASX file", "asx"},
    {"ClassicM3u", false, "M3U file", "m3u"}, {"LivePls", true, "PLS file", "pls"},
    {"LiveAsx", true, "ASX file", "asx"},     {"LiveM3u", true, "M3U file", "m3u"},
};

class SameFiles : public HarvestCommand, public testing::WithParamInterface<SameCase> {};

TEST_P(SameFiles, AsTheWindowWithTheSameOptions) {
    const SameCase& c = GetParam();
    std::list<ScopedEnv> env;
    if (c.live) {
        env.emplace_back("RADIOSIFT_DIRECTORY", "radio-browser");
        env.emplace_back("RADIOSIFT_RADIO_BROWSER_URL", server().baseUrl());
    }
    const RunChoice choice{.genre = "Rock",
                           .stations = "25",
                           .minBitrate = "64",
                           .format = c.format,
                           .nameTemplate = "%GENRE% %STATION%_%BITRATE%",
                           .limitText = "12"};
    Choose(window, choice, folder("window"));
    window.chkOrderBitrate->setChecked(true);
    run();

    QStringList arguments = {"--genre",
                             "rOCK",
                             "--count",
                             "25",
                             "--no-fast",
                             "--codec",
                             "all",
                             "--min-bitrate",
                             "64",
                             "--order",
                             "bitrate",
                             "--format",
                             c.word,
                             "--name",
                             "%GENRE% %STATION%_%BITRATE%",
                             "--max-length",
                             "12",
                             "--output",
                             folder("command")};
    arguments +=
        c.live ? live() : QStringList{"--directory", "classic", "--server", server().baseUrl()};
    const Outcome outcome = harvest(arguments);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    const QMap<QString, QByteArray> written = filesIn("window");
    EXPECT_GE(written.size(), 10);
    ExpectSameFiles(filesIn("command"), written);
}
INSTANTIATE_TEST_SUITE_P(Directories, SameFiles, testing::ValuesIn(kSameCases), ByName);

struct WrongCase {
    const char* name;
    QStringList arguments;
    const char* named;  // what the one line must name
};
const WrongCase kWrongCases[] = {
    {"UnknownGenre", {"--genre", "Polka"}, "--genre"},
    {"SearchIsNoGenre", {"--genre", "Search"}, "--genre"},
    {"CountNotInTheList", {"--count", "7"}, "--count"},
    {"CountMissing", {"--count"}, "count"},
    {"BitrateNotInTheList", {"--min-bitrate", "100"}, "--min-bitrate"},
    {"Codec", {"--codec", "ogg"}, "--codec"},
    {"Order", {"--order", "name"}, "--order"},
    {"Format", {"--format", "xspf"}, "--format"},
    {"GenrePlaylist", {"--genre-playlist", "pls"}, "--genre-playlist"},
    {"Directory", {"--directory", "shoutcast"}, "--directory"},
    {"ServerNotWeb", {"--server", "ftp://127.0.0.1/"}, "--server"},
    {"CountryNotACode", {"--country", "DEU"}, "--country"},
    {"TagOnClassic", {"--directory", "classic", "--tag", "jazz"}, "--tag"},
    {"TagClimbsOut", {"--tag", "../x"}, "--tag"},
    {"EmptySearch", {"--search", "  "}, "--search"},
    {"FastAndNotFast", {"--fast", "--no-fast"}, "--fast"},
    {"UnknownOption", {"--bogus"}, "bogus"},
    {"StrayArgument", {"Rock"}, "Rock"},
    {"EmptyOutput", {"--output", ""}, "--output"},
    {"NameGivesNoFile", {"--name", ".."}, "--name"},
    {"LengthZero", {"--max-length", "0"}, "--max-length"},
};

class WrongArguments : public HarvestCommand, public testing::WithParamInterface<WrongCase> {};

TEST_P(WrongArguments, AreRefusedInOneLineAndNothingIsAskedOrWritten) {
    const WrongCase& c = GetParam();
    // The case's own arguments last: where an option is given twice, the last one holds.
    const Outcome outcome = harvest(live() + QStringList{"--output", folder("out")} + c.arguments);
    EXPECT_EQ(outcome.exitCode, 2);
    EXPECT_EQ(outcome.err.count('\n'), 1) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.err.contains(c.named)) << outcome.err.toStdString();
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_TRUE(server().requestLog().isEmpty());
    EXPECT_FALSE(QDir(folder("out")).exists());
}
INSTANTIATE_TEST_SUITE_P(Table, WrongArguments, testing::ValuesIn(kWrongCases), ByName);

TEST_F(HarvestCommand, ExitStatusTellsDoneNotSavedAndNoConnection) {
    const Outcome done = harvest(live() + QStringList{"--genre", "jazz", "--output", folder("a")});
    EXPECT_EQ(done.exitCode, 0);
    EXPECT_TRUE(done.err.isEmpty()) << "a progress line on a pipe: " << done.err.toStdString();
    // A file where the genre's folder should be: the genre's stations cannot be saved.
    ASSERT_TRUE(QDir().mkpath(folder("b")));
    WriteFile(folder("b/Jazz"), "not a folder");
    EXPECT_EQ(harvest(live() + QStringList{"--genre", "jazz", "--output", folder("b")}).exitCode,
              1);
    const Outcome refused = harvest({"--server", "http://127.0.0.1:1", "--directory",
                                     "radio-browser", "--output", folder("c")});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_TRUE(refused.out.contains("Ended: no-connection")) << refused.out.toStdString();
}

TEST_F(HarvestCommand, RedrawsOneProgressLineOnATerminal) {
    // script gives the program a terminal of its own and copies what it writes there.
    const QString command =
        QStringList{RADIOSIFT_HARVEST, "--genre", "Rock", "--count", "25", "--output", folder("t")}
            .join(u' ') +
        u' ' + live().join(u' ');
    QProcess process;
    process.start("script", {"-qec", command, "/dev/null"});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QByteArray shown = process.readAllStandardOutput();
    EXPECT_EQ(process.exitCode(), 0) << shown.toStdString();
    EXPECT_TRUE(shown.contains("\rRock  ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("/25 written")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("\r\033[KRock: 25 written")) << shown.toStdString();
}

TEST_F(HarvestCommand, SigintStopsTheRunLeavesNoPartFileAndPrintsTheSummary) {
    server().setMisbehaviour("/sbin/", {.delayMs = 150});
    QProcess process;
    start(process,
          {"--directory", "classic", "--server", server().baseUrl(), "--genre", "Rock", "--count",
           "100", "--codec", "all", "--min-bitrate", "0", "--output", folder("stopped")});
    // Stopped while a playlist is on its way.
    QElapsedTimer waited;
    waited.start();
    while (server().requestLog().filter("/sbin/").size() < 4 && waited.elapsed() < 20000)
        QTest::qWait(20);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 4);
    EXPECT_TRUE(process.readAllStandardOutput().contains("Ended: stopped"));
    const QMap<QString, QByteArray> written = filesIn("stopped");
    EXPECT_GE(written.size(), 2);
    EXPECT_LT(written.size(), 20);
    for (const QString& path : written.keys())
        EXPECT_FALSE(path.contains(u"/.radiosift-")) << path.toStdString();
}

TEST_F(HarvestCommand, TagCountryAndLanguageReachTheQueryAndTheSummaryCountsTheFiles) {
    const Outcome outcome =
        harvest(live() + QStringList{"--tag", "R&B", "--country", "ch", "--country", "de",
                                     "--language", "German", "--codec", "all", "--min-bitrate", "0",
                                     "--count", "50", "--json", "--output", folder("tags")});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err.toStdString();
    const QStringList asked = pageQueries(QStringLiteral("/json/stations/search?"));
    for (const char* country : {"DE", "CH"}) {
        EXPECT_FALSE(
            asked.filter(QStringLiteral("tag=R%26B&tagExact=true"))
                .filter(QStringLiteral("&countrycode=%1&language=German&languageExact=true")
                            .arg(QLatin1String(country)))
                .isEmpty())
            << asked.join('\n').toStdString();
    }
    // Every file is a station of the tag, in one of the countries, speaking the language (a
    // stream may be shared by two stations).
    QMultiMap<QString, CatalogueStation> byStream;
    for (const CatalogueStation& station : catalogue().stations())
        byStream.insert(station.streamAddress(), station);
    const auto wanted = [](const CatalogueStation& station) {
        return (station.countryCode == u"DE" || station.countryCode == u"CH") &&
               station.languages.split(u',').contains(u"german") &&
               station.tags.split(u',').contains(u"r&b");
    };
    const QMap<QString, QByteArray> written = filesIn("tags");
    for (const auto& [path, bytes] : written.asKeyValueRange()) {
        EXPECT_TRUE(path.startsWith(u"R&B/")) << path.toStdString();
        const QString address = QString::fromUtf8(bytes).section(u'=', 2).section(u'\r', 0, 0);
        const QList<CatalogueStation> stations = byStream.values(address);
        EXPECT_TRUE(std::any_of(stations.begin(), stations.end(), wanted)) << path.toStdString();
    }
    const QJsonObject summary = QJsonDocument::fromJson(outcome.out).object();
    EXPECT_EQ(summary["ended"].toString(), "done");
    const QJsonObject genre = summary["genres"].toArray().at(0).toObject();
    EXPECT_EQ(genre["genre"].toString(), "R&B");
    EXPECT_EQ(genre["folder"].toString(), folder("tags/R&B/"));
    EXPECT_GT(written.size(), 0);
    EXPECT_EQ(genre["written"].toInt(), written.size());
    EXPECT_EQ(summary["total"].toObject()["written"].toInt(), written.size());
    EXPECT_EQ(genre["requests"].toInt(), asked.size());
}

// Two runs a while apart, the directory changed between them (stations left, renamed, broken):
// a pruning run leaves exactly what a fresh run writes, the file edited by hand, the foreign
// file and, where the record was damaged, everything; a run without --prune, or stopped, removes
// nothing.
TEST_F(HarvestCommand, PruningRemovesOnlyUnchangedFilesOfEarlierRunsThatThisRunDidNotWrite) {
    const QStringList run = live() + QStringList{"--genre", "rock", "--genre",          "jazz",
                                                 "--count", "50",   "--genre-playlist", "m3u"};
    for (const char* library : {"kept", "pruned", "stopped"})
        ASSERT_EQ(harvest(run + QStringList{"--output", folder(library)}).exitCode, 0);
    const QMap<QString, QByteArray> first = filesIn("pruned");
    server().setRevision(2);
    ASSERT_EQ(harvest(run + QStringList{"--output", folder("fresh")}).exitCode, 0);
    QMap<QString, QByteArray> expected = filesIn("fresh");
    const QStringList stale = QSet(first.keyBegin(), first.keyEnd())
                                  .subtract(QSet(expected.keyBegin(), expected.keyEnd()))
                                  .values();
    const QStringList staleRock = stale.filter(QRegularExpression("^Rock/"));
    ASSERT_GE(staleRock.size(), 4);  // left, renamed, broken, edited
    WriteFile(folder("pruned/") + staleRock.first(), "edited by hand");
    WriteFile(folder("pruned/Rock/mine.m3u"), "#EXTM3U\r\n");
    WriteFile(folder("pruned/Jazz/.radiosift-record.json"), "{\"record\": \"radiosift gen");
    expected.insert(staleRock.first(), "edited by hand");
    expected.insert("Rock/mine.m3u", "#EXTM3U\r\n");
    for (const QString& path : stale.filter(QRegularExpression("^Jazz/")))
        expected.insert(path, first.value(path));

    const Outcome pruned =
        harvest(run + QStringList{"--prune", "--json", "--output", folder("pruned")});
    ASSERT_EQ(pruned.exitCode, 0) << pruned.err.toStdString();
    ExpectSameFiles(filesIn("pruned"), expected);
    EXPECT_EQ(pruned.err.count('\n'), 1);
    EXPECT_TRUE(pruned.err.contains("Jazz/.radiosift-record.json")) << pruned.err.toStdString();
    const QJsonObject tally = QJsonDocument::fromJson(pruned.out).object()["pruned"].toObject();
    EXPECT_EQ(tally["removed"].toInt(), staleRock.size() - 1);
    EXPECT_GE(tally["renamed"].toInt(), 1);  // one in ten stations renamed itself
    EXPECT_EQ(tally["edited"].toInt(), 1);

    ASSERT_EQ(harvest(run + QStringList{"--output", folder("kept")}).exitCode, 0);
    QMap<QString, QByteArray> everything = first;
    everything.insert(filesIn("fresh"));
    ExpectSameFiles(filesIn("kept"), everything);

    // Stopped while the second genre's listing is on its way.
    server().setMisbehaviour("/json/", {.delayMs = 300});
    server().clearLog();
    QProcess process;
    start(process, run + QStringList{"--prune", "--output", folder("stopped")});
    QElapsedTimer waited;
    waited.start();
    while (server().requestLog().size() < 2 && waited.elapsed() < 20000) QTest::qWait(20);
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 4);
    const QMap<QString, QByteArray> stopped = filesIn("stopped");
    for (const QString& path : first.keys())
        EXPECT_TRUE(stopped.contains(path)) << path.toStdString();
}

}  // namespace
