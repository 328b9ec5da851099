// Close and Stop while the program waits a minute for the network: the program on a real X
// server (Xvfb) in a process of its own (radiosift_run_child), the close sent as a window
// manager sends it and the clicks as a mouse makes them (radiosift_window_input). Whatever the
// wait, Close ends the program and Stop ends the run long before the wait could have ended.
#include "NeverAccepted.h"
#include "WindowRun.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace {

// Each wait lasts a minute; each action must have its effect well within this.
constexpr int kActsWithinMs = 10000;

enum class Wait {
    StalledPage,
    StalledPlaylist,
    DrippingPlaylist,
    ConnectionNeverAccepted,
    SilentResolver
};
const std::pair<const char*, Wait> kWaits[] = {
    {"StalledPage", Wait::StalledPage},
    {"StalledPlaylist", Wait::StalledPlaylist},
    {"DrippingPlaylist", Wait::DrippingPlaylist},
    {"ConnectionNeverAccepted", Wait::ConnectionNeverAccepted},
    {"SilentResolver", Wait::SilentResolver}};
// What the user does, and how many clicks on Stop that takes (none: the window is closed).
const std::pair<const char*, int> kActs[] = {{"Close", 0}, {"Stop", 1}, {"StopThreeTimes", 3}};
using Case = std::tuple<std::pair<const char*, Wait>, std::pair<const char*, int>>;

class WaitInput : public DirectoryFixture, public testing::WithParamInterface<Case> {
protected:
    CatalogueOptions catalogueOptions() const override { return {.stationsPerGenre = 200}; }

    // One X server for all the cases.
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

    // Reads what the child says until it has said 'line' (true) or the time is up.
    bool heard(const QByteArray& line, int withinMs) {
        const QDeadlineTimer deadline(withinMs);
        while (!said_.contains(line) && !deadline.hasExpired() &&
               child_.state() != QProcess::NotRunning)
            if (child_.waitForReadyRead(50)) said_ += child_.readAllStandardOutput();
        return said_.contains(line);
    }

    static inline QProcess* xServer_ = nullptr;
    static inline QString display_;
    QProcess child_;
    QByteArray said_;
};

TEST_P(WaitInput, ClosingEndsTheProgramAndStoppingEndsTheRunLongBeforeTheWaitEnds) {
    const auto& [wait, act] = GetParam();
    const int clicks = act.second;
    ASSERT_FALSE(display_.isEmpty()) << "Xvfb did not start";
    ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
    const QString playlist = QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&")
                                 .arg(SavedStations(catalogue(), kLongRun).first().id);
    const NeverAccepted neverAccepted;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", display_);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QStringList arguments = {downloadDir() + kFolder};
    std::function<bool()> waiting = [&] {
        return !server().requestLog().filter(playlist).isEmpty();
    };
    if (wait.second == Wait::StalledPage) {
        server().setMisbehaviour("/directory/", {.delayMs = 60000});
        waiting = [&] { return !server().requestLog().isEmpty(); };
    } else if (wait.second == Wait::StalledPlaylist) {
        server().setMisbehaviour(playlist, {.delayMs = 60000});
    } else if (wait.second == Wait::DrippingPlaylist) {  // never stalls: a byte every 0.9 s
        server().setMisbehaviour(playlist, {.dribbleMs = 900});
    } else if (wait.second == Wait::ConnectionNeverAccepted) {
        ASSERT_NE(neverAccepted.port(), 0);
        environment.insert("RADIOSIFT_CLASSIC_HOST",
                           QStringLiteral("127.0.0.1:%1").arg(neverAccepted.port()));
        waiting = [&] { return neverAccepted.knockedAt(); };
    } else {
        environment.insert("RADIOSIFT_DIRECTORY", "radio-browser");
        environment.remove("RADIOSIFT_RADIO_BROWSER_URL");
        arguments.append("silent-resolver");
        waiting = [&] { return heard("looking up", 10); };
    }
    child_.setProcessEnvironment(environment);
    child_.start(QStringLiteral(RADIOSIFT_RUN_CHILD), arguments);
    ASSERT_TRUE(heard("run started", 30000)) << child_.readAllStandardError().toStdString();
    for (const QDeadlineTimer giveUp(30000); !waiting() && !giveUp.hasExpired();)
        heard("run ended", 10);
    ASSERT_TRUE(waiting()) << "the run never came to the wait: " << said_.toStdString();

    // Clicks at the button's centre, which the child gave as "button X Y".
    const QList<QByteArray> button =
        said_.mid(said_.indexOf("button ")).split('\n').first().split(' ');
    QStringList input = {QString::number(child_.processId())};
    if (clicks) input << "click" << button.value(1) << button.value(2) << QString::number(clicks);
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral(RADIOSIFT_WINDOW_INPUT), input);
    ASSERT_TRUE(tool.waitForFinished(30000) && tool.exitCode() == 0)
        << tool.readAllStandardError().toStdString();

    const bool ended = child_.waitForFinished(kActsWithinMs);
    said_ += child_.readAllStandardOutput();
    if (!ended) child_.kill();
    EXPECT_TRUE(ended) << "still running well after the " << act.first;
    EXPECT_EQ(std::tuple(child_.exitStatus(), child_.exitCode()),
              std::tuple(QProcess::NormalExit, 0));
    // Closed: no run ends. Stopped: the run ends so, and no click is read as Run.
    EXPECT_EQ(said_.contains("run ended: Stopped !\n"), clicks > 0) << said_.toStdString();
    EXPECT_EQ(said_.count("run ended"), clicks > 0) << said_.toStdString();
    EXPECT_EQ(said_.count("run started"), 1) << said_.toStdString();
    EXPECT_EQ(files().size(), 0);
}

INSTANTIATE_TEST_SUITE_P(Waits, WaitInput,
                         testing::Combine(testing::ValuesIn(kWaits), testing::ValuesIn(kActs)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).first) +
                                    std::get<1>(info.param).first;
                         });

}  // namespace
