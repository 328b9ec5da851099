// The program in a process of its own (radiosift_run_child) in the middle of a long run. Killed
// outright, it must leave every playlist file whole: an earlier file as it was, or the new one
// exactly as the directory served it. On a real X server (Xvfb), while it waits a minute for the
// network, the close is sent as a window manager sends it and the clicks as a mouse makes them
// (radiosift_window_input): whatever the wait, Close ends the program and Stop ends the run long
// before the wait could have ended.
#include "NeverAccepted.h"
#include "WindowRun.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>

namespace {

const QByteArray kEarlier = "[playlist]\r\nearlier\r\n";

class ChildRun : public DirectoryFixture {
protected:
    CatalogueOptions catalogueOptions() const override { return {.stationsPerGenre = 200}; }

    // Starts the child on the download folder, by default in this process's environment (with
    // the offscreen platform that the test main sets).
    void start(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
               const QStringList& more = {}) {
        ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
        child_.setProcessEnvironment(environment);
        child_.start(QStringLiteral(RADIOSIFT_RUN_CHILD),
                     QStringList{downloadDir() + kFolder} + more);
        ASSERT_TRUE(child_.waitForStarted()) << child_.errorString().toStdString();
    }
    // Reads what the child says until it has said 'line' (true) or the time is up.
    bool heard(const QByteArray& line, int withinMs) {
        const QDeadlineTimer deadline(withinMs);
        while (!said_.contains(line) && !deadline.hasExpired() &&
               child_.state() != QProcess::NotRunning)
            if (child_.waitForReadyRead(50)) said_ += child_.readAllStandardOutput();
        return said_.contains(line);
    }

    QProcess child_;
    QByteArray said_;
};

class KilledRun : public ChildRun, public testing::WithParamInterface<int> {};

// A new file is written beside its place under a name of its own and renamed over the earlier one
// once whole, so a kill in between can leave it behind, perhaps half written: acceptable as long
// as it lies in the genre folder and is never taken for a playlist (the next run's first write
// there removes it).
TEST_P(KilledRun, LeavesEveryPlaylistWholeAndNoneLost) {
    const QList<CatalogueStation> stations = SavedStations(catalogue(), kLongRun);
    for (const CatalogueStation& station : stations)
        ASSERT_NO_FATAL_FAILURE(
            WriteFile(downloadDir() + ExpectedPath(station, kLongRun), kEarlier));
    ASSERT_NO_FATAL_FAILURE(start());
    // Waits until the directory has been asked for this many playlists.
    const auto reached = [this] {
        return server().requestLog().filter(QStringLiteral("/sbin/")).size() >= GetParam();
    };
    for (const QDeadlineTimer giveUp(60000);
         !reached() && !giveUp.hasExpired() && !child_.waitForFinished(1);) {
    }
    const bool killedThere = reached();
    child_.kill();  // SIGKILL
    child_.waitForFinished();
    ASSERT_TRUE(killedThere) << "the run did not get that far: "
                             << child_.readAllStandardError().toStdString();
    ASSERT_EQ(child_.exitStatus(), QProcess::CrashExit);
    ASSERT_FALSE(child_.readAllStandardOutput().contains("run ended"));

    QMap<QString, QByteArray> files = this->files();
    int fresh = 0;
    for (const CatalogueStation& station : stations) {
        const QString path = ExpectedPath(station, kLongRun);
        const QByteArray bytes = files.take(path);
        if (bytes == ExpectedFileBytes(catalogue(), station, kLongRun))
            ++fresh;
        else
            EXPECT_EQ(bytes.toStdString(), kEarlier.toStdString()) << path.toStdString();
    }
    const QRegularExpression playlist("\\.(pls|m3u|asx)$",
                                      QRegularExpression::CaseInsensitiveOption);
    for (const QString& left : files.keys())
        EXPECT_TRUE(left.startsWith(kFolder + "/Rock/.radiosift-") &&
                    !playlist.match(left).hasMatch())
            << left.toStdString();
    EXPECT_GE(fresh, GetParam() - 1);
    EXPECT_LT(fresh, 200);
}

// Killed early and late on the first page and on the second, always a good way before the end,
// so that the run cannot finish before the signal lands.
INSTANTIATE_TEST_SUITE_P(KillPoints, KilledRun, testing::Values(10, 80, 150), [](const auto& info) {
    return "AfterPlaylist" + std::to_string(info.param);
});

// Each wait lasts a minute; each action must have its effect well within this.
constexpr int kActsWithinMs = 10000;

const char* const kWaits[] = {"StalledPage", "StalledPlaylist", "DrippingPlaylist",
                              "ConnectionNeverAccepted", "SilentResolver"};
// What the user does, and how many clicks on Stop that takes (none: the window is closed).
const std::pair<const char*, int> kActs[] = {{"Close", 0}, {"Stop", 1}, {"StopThreeTimes", 3}};

// The child on a real X server; one server for all the cases.
class OnXServer : public ChildRun {
protected:
    static void SetUpTestSuite() {
        xServer_ = new QProcess;
        xServer_->start("Xvfb",
                        {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
        if (xServer_->waitForReadyRead(20000))
            display_ = ":" + QString::fromLatin1(xServer_->readLine().trimmed());
    }
    static void TearDownTestSuite() {
        xServer_->kill();
        xServer_->waitForFinished();
        delete xServer_;
    }
    // This process's environment on the X server.
    static QProcessEnvironment onDisplay() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", display_);
        environment.insert("QT_QPA_PLATFORM", "xcb");
        // On a real X server the desktop's message bus library keeps a buffer to the end of the
        // process; under the leak checker that alone would make every normal exit a failure.
        environment.insert("ASAN_OPTIONS", "detect_leaks=0");
        return environment;
    }
    // Clicks 'clicks' times at the place the child last gave as "NAME X Y" in its topmost
    // window; with no clicks, asks every window of the child to close.
    bool input(const QProcessEnvironment& environment, const QByteArray& name, int clicks) {
        const QByteArray line = said_.mid(said_.lastIndexOf(name + ' ') + name.size() + 1);
        const QList<QByteArray> place = line.left(line.indexOf('\n')).split(' ');
        QStringList arguments = {QString::number(child_.processId())};
        if (clicks)
            arguments << "click" << place.value(0) << place.value(1) << QString::number(clicks);
        QProcess tool;
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral(RADIOSIFT_WINDOW_INPUT), arguments);
        const bool done = tool.waitForFinished(30000) && tool.exitCode() == 0;
        if (!done) ADD_FAILURE() << tool.readAllStandardError().toStdString();
        return done;
    }

    static inline QProcess* xServer_ = nullptr;
    static inline QString display_;
};

class WaitInput
    : public OnXServer,
      public testing::WithParamInterface<std::tuple<const char*, std::pair<const char*, int>>> {};

TEST_P(WaitInput, ClosingEndsTheProgramAndStoppingEndsTheRunLongBeforeTheWaitEnds) {
    const auto& [waitName, act] = GetParam();
    const std::string_view wait = waitName;
    const int clicks = act.second;
    ASSERT_FALSE(display_.isEmpty()) << "Xvfb did not start";
    const QString playlist = QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&")
                                 .arg(SavedStations(catalogue(), kLongRun).first().id);
    const NeverAccepted neverAccepted;
    QProcessEnvironment environment = onDisplay();
    QStringList more;
    std::function<bool()> waiting = [&] {
        return !server().requestLog().filter(playlist).isEmpty();
    };
    if (wait == "StalledPage") {
        server().setMisbehaviour("/directory/", {.delayMs = 60000});
        waiting = [&] { return !server().requestLog().isEmpty(); };
    } else if (wait == "StalledPlaylist") {
        server().setMisbehaviour(playlist, {.delayMs = 60000});
    } else if (wait == "DrippingPlaylist") {  // never stalls: a byte every 0.9 s
        server().setMisbehaviour(playlist, {.dribbleMs = 900});
    } else if (wait == "ConnectionNeverAccepted") {
        ASSERT_NE(neverAccepted.port(), 0);
        environment.insert("RADIOSIFT_CLASSIC_HOST",
                           QStringLiteral("127.0.0.1:%1").arg(neverAccepted.port()));
        waiting = [&] { return neverAccepted.knockedAt(); };
    } else {
        environment.insert("RADIOSIFT_DIRECTORY", "radio-browser");
        environment.remove("RADIOSIFT_RADIO_BROWSER_URL");
        more = {"silent-resolver"};
        waiting = [&] { return heard("looking up", 10); };
    }
    ASSERT_NO_FATAL_FAILURE(start(environment, more));
    ASSERT_TRUE(heard("run started", 30000)) << child_.readAllStandardError().toStdString();
    for (const QDeadlineTimer giveUp(30000); !waiting() && !giveUp.hasExpired();)
        heard("run ended", 10);
    ASSERT_TRUE(waiting()) << "the run never came to the wait: " << said_.toStdString();

    ASSERT_TRUE(input(environment, "button", clicks));

    const bool ended = child_.waitForFinished(kActsWithinMs);
    said_ += child_.readAllStandardOutput();
    if (!ended) child_.kill();
    EXPECT_TRUE(ended) << "still running well after the " << act.first;
    EXPECT_EQ(std::tuple(child_.exitStatus(), child_.exitCode()),
              std::tuple(QProcess::NormalExit, 0))
        << child_.readAllStandardError().toStdString();
    // Closed: no run ends. Stopped: the run ends so, and no click is read as Run.
    EXPECT_EQ(said_.contains("run ended: Stopped !\n"), clicks > 0) << said_.toStdString();
    EXPECT_EQ(said_.count("run ended"), clicks > 0) << said_.toStdString();
    EXPECT_EQ(said_.count("run started"), 1) << said_.toStdString();
    EXPECT_EQ(files().size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Waits, WaitInput,
                         testing::Combine(testing::ValuesIn(kWaits), testing::ValuesIn(kActs)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) +
                                    std::get<1>(info.param).first;
                         });

// About or the folder picker opened during a run, through the X server: the playlists keep coming
// while it is open, it closes with its own button, and Stop then ends the run.
class DialogDuringRun : public OnXServer, public testing::WithParamInterface<const char*> {};

TEST_P(DialogDuringRun, NeitherHoldsNorStopsTheRun) {
    ASSERT_FALSE(display_.isEmpty()) << "Xvfb did not start";
    server().setMisbehaviour("/sbin/", {.delayMs = 100});  // 200 playlists: some 20 s
    const auto playlists = [this] { return server().requestLog().filter("/sbin/").size(); };
    QTemporaryDir settings;  // where the picker keeps what it remembers
    QProcessEnvironment environment = onDisplay();
    environment.insert("XDG_CONFIG_HOME", settings.path());
    ASSERT_NO_FATAL_FAILURE(start(environment));
    ASSERT_TRUE(heard("run started", 30000)) << child_.readAllStandardError().toStdString();
    ASSERT_TRUE(input(environment, GetParam(), 1));
    ASSERT_TRUE(heard("dialog at", 10000)) << said_.toStdString();
    const qsizetype before = playlists();
    for (const QDeadlineTimer giveUp(20000); playlists() < before + 5 && !giveUp.hasExpired();)
        heard("run ended", 10);
    EXPECT_GE(playlists(), before + 5) << "held while the dialog was open";
    ASSERT_TRUE(input(environment, "dialog at", 1));
    ASSERT_TRUE(heard("dialog closed", 10000)) << said_.toStdString();
    ASSERT_TRUE(input(environment, "button", 1));
    EXPECT_TRUE(child_.waitForFinished(kActsWithinMs));
    said_ += child_.readAllStandardOutput();
    EXPECT_TRUE(said_.contains("run ended: Stopped !\n")) << said_.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogDuringRun, testing::Values("about", "browse"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
