// The program in a process of its own (radiosift_run_child), killed outright in the middle of a
// long run: every playlist file in the download folder must be whole, an earlier file as it was,
// or the new one exactly as the directory served it. (Closing its window is the test of waits.)
#include "WindowRun.h"

#include <QDeadlineTimer>
#include <QProcess>

namespace {

const QByteArray kEarlier = "[playlist]\r\nearlier\r\n";

class InterruptedRun : public DirectoryFixture {
protected:
    CatalogueOptions catalogueOptions() const override { return {.stationsPerGenre = 200}; }

    void start(QProcess& child) {
        ASSERT_TRUE(QDir(downloadDir()).mkpath(kFolder));
        // The child inherits the offscreen platform that the test main sets.
        child.start(QStringLiteral(RADIOSIFT_RUN_CHILD), {downloadDir() + kFolder});
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
    }
    int playlistRequests() { return server().requestLog().filter(QStringLiteral("/sbin/")).size(); }

    // Checks that every station's file is the new one exactly as served, or else the earlier
    // one as it was; returns how many are new. A new file is
    // written beside its place under a name of its own and renamed over the earlier one once
    // whole, so a kill in between can leave it behind, perhaps half written: acceptable as
    // long as it lies in the genre folder and is never taken for a playlist (the next run's
    // first write there removes it).
    int newFilesCheckingEachIsWhole() {
        QMap<QString, QByteArray> files = this->files();
        int fresh = 0;
        for (const CatalogueStation& station : SavedStations(catalogue(), kLongRun)) {
            const QString path = ExpectedPath(station, kLongRun);
            const QByteArray bytes = files.contains(path) ? files.take(path) : "<none>";
            const bool isNew = bytes == ExpectedFileBytes(catalogue(), station, kLongRun);
            fresh += isNew;
            if (!isNew) {
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
    start(child);
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

    const int fresh = newFilesCheckingEachIsWhole();
    EXPECT_GE(fresh, GetParam() - 1);
    EXPECT_LT(fresh, 200);
}

// Killed early and late on the first page and on the second, always a good way before the end,
// so that the run cannot finish before the signal lands.
INSTANTIATE_TEST_SUITE_P(KillPoints, KilledRun, testing::Values(10, 80, 150),
                         [](const auto& info) { return "AfterPlaylist" + std::to_string(info.param); });

}  // namespace
