// The program in a process of its own (radiosift_run_child), ended in the middle of a long run:
// killed outright, or closed by its window's close button. Either way every playlist file in
// the download folder must be whole: an earlier file as it was, or the new one exactly as the
// directory served it.
#include "DiskAndMemory.h"
#include "HardenedRun.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QThread>

namespace {

constexpr int kStations = 200;

class InterruptedRun : public HardenedRun {
protected:
    CatalogueOptions catalogueOptions() const override {
        CatalogueOptions options;
        options.stationsPerGenre = kStations;
        return options;
    }

    // A run of all 200 Rock stations: two pages of 100.
    RunOptions longRun() const {
        RunOptions run = options();
        run.number = QString::number(kStations);
        run.fastScan = true;
        return run;
    }

    QList<CatalogueStation> stationsOfTheRun() const {
        DirectoryQuery query;
        query.hasGenre = true;
        query.genre = QStringLiteral("Rock");
        query.numResult = kStations;
        return catalogue().page(query);
    }

    void start(QProcess& child, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QStringLiteral(RADIOSIFT_RUN_CHILD), arguments);
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
    }

    int playlistRequests() {
        int count = 0;
        for (const QString& target : server().requestLog())
            count += target.startsWith(QLatin1String("/sbin/"));
        return count;
    }

    // Waits until the directory has been asked for this many playlists; false when the child
    // ended first or a minute went by.
    bool waitForPlaylistRequests(QProcess& child, int count) {
        const QDeadlineTimer giveUp(60000);
        while (playlistRequests() < count) {
            if (child.state() == QProcess::NotRunning || child.waitForFinished(0) ||
                giveUp.hasExpired())
                return false;
            QThread::msleep(1);
        }
        return true;
    }

    // Counts the stations whose playlist file is the new one, exactly as served, and checks
    // that every other file is the earlier one as it was (with earlierFiles) or absent.
    int newFilesCheckingEachIsWhole(const QList<CatalogueStation>& stations, bool earlierFiles) {
        int fresh = 0;
        for (const CatalogueStation& station : stations) {
            const QString file =
                genreFolder() + QString::number(station.id) + QStringLiteral(".pls");
            const QByteArray served = PlsFileBytes(catalogue().playlistText(station.id));
            const QByteArray bytes = FileBytes(file);
            if (bytes == served) {
                ++fresh;
            } else if (earlierFiles || QFile::exists(file)) {
                EXPECT_EQ(bytes, earlierPlaylist()) << file.toStdString();
            }
        }
        return fresh;
    }

    // Files of the genre folder that are not playlists. A new file is written beside its place
    // under a name of its own ("ID.pls." and a random suffix) and renamed over the earlier one
    // once whole, so a kill in between can leave it behind, perhaps half written. That is
    // acceptable as long as such a file is never taken for a playlist: it must not carry a
    // playlist's extension.
    QStringList leftovers(const QList<CatalogueStation>& stations) const {
        QSet<QString> playlists;
        for (const CatalogueStation& station : stations)
            playlists.insert(QString::number(station.id) + QStringLiteral(".pls"));
        QStringList others;
        for (const QString& file : FilesBelow(genreFolder())) {
            if (!playlists.contains(file)) others << file;
        }
        return others;
    }
};

class KilledRun : public InterruptedRun, public ::testing::WithParamInterface<int> {};

TEST_P(KilledRun, LeavesEveryPlaylistWholeAndNoneLost) {
    const QList<CatalogueStation> stations = stationsOfTheRun();
    ASSERT_EQ(stations.size(), kStations);
    writeEarlierFiles(stations);
    QProcess child;
    start(child, longRun().toArguments());

    const bool reached = waitForPlaylistRequests(child, GetParam());
    child.kill();  // SIGKILL
    child.waitForFinished();
    ASSERT_TRUE(reached) << "the run did not get that far: "
                         << child.readAllStandardError().toStdString();
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    ASSERT_FALSE(child.readAllStandardOutput().contains("run ended"));

    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    const int fresh = newFilesCheckingEachIsWhole(stations, true);
    EXPECT_GE(fresh, GetParam() - 1);
    EXPECT_LT(fresh, kStations);
    for (const QString& file : leftovers(stations)) {
        EXPECT_FALSE(HasPlaylistExtension(file)) << file.toStdString();
        EXPECT_TRUE(file.contains(QStringLiteral(".pls."))) << file.toStdString();
    }
    RecordProperty("temporaries_left", static_cast<int>(leftovers(stations).size()));
}

// Killed early and late on the first page and on the second, always a good way before the end,
// so that the run cannot finish before the signal lands.
INSTANTIATE_TEST_SUITE_P(KillPoints, KilledRun, ::testing::Values(10, 80, 150),
                         [](const auto& info) {
                             return "AfterPlaylist" + std::to_string(info.param);
                         });

TEST_F(InterruptedRun, ClosingTheWindowEndsTheProgramAtOnceWithEveryFileWhole) {
    const QList<CatalogueStation> stations = stationsOfTheRun();
    QProcess child;
    start(child, longRun().toArguments()
                     << QStringLiteral("--close-after-files") << QStringLiteral("20"));

    ASSERT_TRUE(child.waitForFinished(60000)) << "the program did not end";
    const QByteArray said = child.readAllStandardOutput();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    EXPECT_TRUE(said.contains("closing")) << said.toStdString();
    EXPECT_FALSE(said.contains("close returned")) << said.toStdString();
    EXPECT_FALSE(said.contains("run ended")) << said.toStdString();

    // The run stopped where the close came: every playlist fetched was written, no more.
    EXPECT_EQ(filesOutsideTheGenreFolder(), QStringList());
    const int fresh = newFilesCheckingEachIsWhole(stations, false);
    EXPECT_GE(fresh, 20);
    EXPECT_EQ(playlistRequests(), fresh);
    EXPECT_EQ(FilesBelow(genreFolder()).size(), fresh);
}

}  // namespace
