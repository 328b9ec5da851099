// The directory's playlists, its request log, the fixture that points the program at it, and
// the radiosift-directory program.
#include "DirectoryFixture.h"
#include "DirectoryHosts.h"
#include "Fetch.h"

#include <QDir>
#include <QProcess>

namespace {

class DirectoryServerTest : public DirectoryFixture {
protected:
    QString classicPlaylist(const QString& rn) {
        return server().baseUrl() +
               QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&file=filename.pls").arg(rn);
    }
};

}  // namespace

TEST_F(DirectoryServerTest, ServesEveryStationsPlaylistUnderBothAddresses) {
    for (const QString& genre : Catalogue::genres()) {
        const CatalogueStation& s =
            *std::find_if(catalogue().stations().begin(), catalogue().stations().end(),
                          [&](const auto& station) { return station.genre == genre; });
        const Fetched classic = fetch(classicPlaylist(QString::number(s.id)));
        EXPECT_EQ(classic.status, 200);
        EXPECT_TRUE(classic.headers.contains(QLatin1String("Content-Type: audio/x-scpls\r\n"),
                                             Qt::CaseInsensitive));
        EXPECT_EQ(classic.body, catalogue().playlistText(s.id).toUtf8());
        const Fetched current = fetch(server().currentPlaylistLink(s.id));
        EXPECT_EQ(current.status, 200);
        EXPECT_EQ(current.body, classic.body);
    }
}

TEST_F(DirectoryServerTest, UnknownStationsAndPathsAreNotFound) {
    for (const QString& rn : {QStringLiteral("1"), QStringLiteral("abc"), QString()}) {
        const Fetched answer = fetch(classicPlaylist(rn));
        EXPECT_EQ(answer.status, 404) << rn.toStdString();
        EXPECT_TRUE(answer.text.contains(QLatin1String("<h1>404 Not Found</h1>")));
    }
    EXPECT_EQ(
        fetch(server().baseUrl() + QStringLiteral("/directory/index.php?&sgenre=Rock")).status,
        404);
}

TEST_F(DirectoryServerTest, LogKeepsEveryTargetAsSent) {
    const QStringList targets{
        QStringLiteral("/directory/index.phtml?&sgenre=Rock"),
        QStringLiteral(
            "/index.jsp?startat=25&numresult=100&sgenre=70s&maxbitrate=128&orderby=bitrate"),
        QStringLiteral("/directory/index.phtml?numresult=5&s=50s+and+60s"),
        QStringLiteral("/sbin/shoutcast-playlist.pls?rn=77&file=filename.pls"),
        QStringLiteral("/nowhere"),
    };
    for (const QString& target : targets) fetch(server().baseUrl() + target);
    EXPECT_EQ(server().requestLog(), targets);
    server().clearLog();
    EXPECT_TRUE(server().requestLog().isEmpty());
    fetch(server().baseUrl() + targets[0]);
    EXPECT_EQ(server().requestLog(), QStringList{targets[0]});
}

TEST(LocalDirectoryTest, PointsTheProgramAtTheServerForItsLifetime) {
    qputenv("RADIOSIFT_MAIN_HOST", "main.example:81");
    qunsetenv("RADIOSIFT_CLASSIC_HOST");
    QString folder;
    {
        LocalDirectory directory;
        ASSERT_TRUE(directory.started());
        EXPECT_EQ(DirectoryHosts::mainHost(), directory.server().hostPort());
        EXPECT_EQ(DirectoryHosts::classicHost(), directory.server().hostPort());
        folder = directory.downloadDir();
        EXPECT_TRUE(QDir(folder).exists());
        EXPECT_TRUE(QDir(folder).isEmpty());
        EXPECT_EQ(fetch(QStringLiteral("http://") + DirectoryHosts::classicHost() +
                        QStringLiteral("/index.jsp?"))
                      .status,
                  200);
    }
    EXPECT_EQ(qgetenv("RADIOSIFT_MAIN_HOST"), QByteArray("main.example:81"));
    EXPECT_FALSE(qEnvironmentVariableIsSet("RADIOSIFT_CLASSIC_HOST"));
    EXPECT_FALSE(QDir(folder).exists());
    qunsetenv("RADIOSIFT_MAIN_HOST");
}

TEST(DirectoryProgram, ListensOnTheFreePortItNamesAndServesItsOptions) {
    QProcess program;
    program.start(QStringLiteral(RADIOSIFT_DIRECTORY_EXE),
                  {QStringLiteral("--port"), QStringLiteral("0"),
                   QStringLiteral("--stations-per-genre"), QStringLiteral("3"),
                   QStringLiteral("--seed"), QStringLiteral("5"), QStringLiteral("--line-ends"),
                   QStringLiteral("crlf"), QStringLiteral("--delay-ms"), QStringLiteral("200")});
    ASSERT_TRUE(program.waitForReadyRead(10000));
    const QString line = QString::fromLatin1(program.readLine()).trimmed();
    ASSERT_TRUE(line.startsWith(QLatin1String("listening on 127.0.0.1:"))) << line.toStdString();
    const QString base = QStringLiteral("http://") + line.section(u' ', 2);

    const Fetched page = fetch(base + QStringLiteral("/directory/index.phtml?&sgenre=Funk"));
    EXPECT_EQ(page.status, 200);
    EXPECT_GE(page.elapsedMs, 200);
    EXPECT_EQ(page.body.count("\r\n"), page.body.count('\n'));
    const Catalogue expected({.stationsPerGenre = 3, .seed = 5});
    for (const CatalogueStation& s : expected.stations()) {
        EXPECT_EQ(page.body.contains("?rn=" + QByteArray::number(s.id) + "&"),
                  s.genre == QLatin1String("Funk"));
    }
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}
