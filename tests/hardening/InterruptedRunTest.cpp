// The program in a process of its own (radiosift_run_child), ended in the middle of a long run:
// killed outright, or closed by its window's close button. Either way every playlist file in
// the download folder must be whole: an earlier file as it was, or the new one exactly as the
// directory served it.
#include "WindowRun.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace {

const QByteArray kEarlier = "[playlist]\r\nearlier\r\n";

class InterruptedRun : public DirectoryFixture {
protected:
    CatalogueOptions catalogueOptions() const override { return {.stationsPerGenre = 200}; }

    void start(QProcess& child, int closeAfter) {
        ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
        // The child inherits the offscreen platform that the test main sets.
        child.start(QStringLiteral(RADIOSIFT_RUN_CHILD), {downloadDir() + kFolder, QString::number(closeAfter)});
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
    }
    int playlistRequests() { return server().requestLog().filter(QStringLiteral("/sbin/")).size(); }

    // Checks that every station's file is the new one exactly as served, or else the earlier
    // one as it was (none, without earlier files); returns how many are new. A new file is
    // written beside its place under a name of its own and renamed over the earlier one once
    // whole, so a kill in between can leave it behind, perhaps half written: acceptable as
    // long as it lies in the genre folder and is never taken for a playlist (the next run's
    // first write there removes it).
    int newFilesCheckingEachIsWhole(bool earlierFiles) {
        QMap<QString, QByteArray> files = this->files();
        int fresh = 0;
        for (const CatalogueStation& station : SavedStations(catalogue(), kLongRun)) {
            const QString path = ExpectedPath(station, kLongRun);
            const QByteArray bytes = files.contains(path) ? files.take(path) : "<none>";
            const bool isNew = bytes == ExpectedFileBytes(catalogue(), station, kLongRun);
            fresh += isNew;
            if (!isNew && (earlierFiles || bytes != "<none>")) {
                EXPECT_EQ(bytes.toStdString(), kEarlier.toStdString()) << path.toStdString();
            }
        }
        for (const QString& left : files.keys()) {
            EXPECT_TRUE(left.startsWith(kFolder + "/Rock/.radiosift-")) << left.toStdString();
            for (const char* extension : {".pls", ".m3u", ".asx"})
                EXPECT_FALSE(left.endsWith(QLatin1String(extension), Qt::CaseInsensitive)) << left.toStdString();
        }
        return fresh;
    }
};

class KilledRun : public InterruptedRun, public testing::WithParamInterface<int> {};

TEST_P(KilledRun, LeavesEveryPlaylistWholeAndNoneLost) {
    for (const CatalogueStation& station : SavedStations(catalogue(), kLongRun))
        ASSERT_NO_FATAL_FAILURE(WriteFile(downloadDir() + ExpectedPath(station, kLongRun), kEarlier));
    QProcess child;
    start(child, 0);
    // Waits until the directory has been asked for this many playlists.
    const QDeadlineTimer giveUp(60000);
    while (playlistRequests() < GetParam() && child.state() != QProcess::NotRunning &&
           !child.waitForFinished(1) && !giveUp.hasExpired()) {
    }
    const bool reached = playlistRequests() >= GetParam();
    child.kill();  // SIGKILL
    child.waitForFinished();
    ASSERT_TRUE(reached) << "the run did not get that far: " << child.readAllStandardError().toStdString();
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_FALSE(child.readAllStandardOutput().contains("run ended"));

    const int fresh = newFilesCheckingEachIsWhole(true);
    EXPECT_GE(fresh, GetParam() - 1);
    EXPECT_LT(fresh, 200);
}

// Killed early and late on the first page and on the second, always a good way before the end,
// so that the run cannot finish before the signal lands.
INSTANTIATE_TEST_SUITE_P(KillPoints, KilledRun, testing::Values(10, 80, 150),
                         [](const auto& info) { return "AfterPlaylist" + std::to_string(info.param); });

TEST_F(InterruptedRun, ClosingTheWindowEndsTheProgramAtOnceWithEveryFileWhole) {
    QProcess child;
    start(child, 20);
    ASSERT_TRUE(child.waitForFinished(60000)) << "the program did not end";
    const QByteArray said = child.readAllStandardOutput();
    EXPECT_EQ(std::tuple(child.exitStatus(), child.exitCode()), std::tuple(QProcess::NormalExit, 0))
        << child.readAllStandardError().toStdString();
    EXPECT_TRUE(said.contains("closing") && !said.contains("close returned") &&
                !said.contains("run ended"))
        << said.toStdString();
    // The run stopped where the close came: every playlist fetched was written, no more.
    const int fresh = newFilesCheckingEachIsWhole(false);
    EXPECT_GE(fresh, 20);
    EXPECT_EQ(playlistRequests(), fresh);
    EXPECT_EQ(files().size(), fresh);
}

// A request that waits a minute for its answer does not hold the window: closed then, the
// program ends at once, before the answer, with no playlist written.
TEST_F(InterruptedRun, ClosingTheWindowWhileARequestWaitsEndsTheProgramAtOnce) {
    const QString stalled = QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&")
                                .arg(SavedStations(catalogue(), kLongRun).first().id);
    server().setMisbehaviour(stalled, {.delayMs = 60000});
    QProcess child;
    start(child, -1);
    const QDeadlineTimer giveUp(30000);
    while (server().requestLog().filter(stalled).isEmpty() && !child.waitForFinished(10) &&
           !giveUp.hasExpired()) {
    }
    ASSERT_FALSE(server().requestLog().filter(stalled).isEmpty()) << "the run never asked for it";
    child.write("close\n");
    ASSERT_TRUE(child.waitForFinished(15000)) << "the program did not end while the request waited";
    const QByteArray said = child.readAllStandardOutput();
    EXPECT_EQ(std::tuple(child.exitStatus(), child.exitCode()), std::tuple(QProcess::NormalExit, 0));
    EXPECT_TRUE(said.contains("closing") && !said.contains("run ended")) << said.toStdString();
    EXPECT_EQ(files().size(), 0);
}

}  // namespace
