#include "HardenedRun.h"

#include "DiskAndMemory.h"
#include "MainWindowDriver.h"
#include "ProgressBar.h"
#include "frmMain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>

void HardenedRun::SetUp() {
    DirectoryFixture::SetUp();
    saved_ = HttpRequest::limits();
    HttpRequest::setLimits(shortLimits());
}

void HardenedRun::TearDown() {
    HttpRequest::setLimits(saved_);
    DirectoryFixture::TearDown();
}

HttpRequest::Limits HardenedRun::shortLimits() {
    HttpRequest::Limits limits;
    limits.connectTimeout = std::chrono::milliseconds(2000);
    limits.stallTimeout = std::chrono::seconds(1);
    limits.totalTimeout = std::chrono::milliseconds(5000);
    return limits;
}

RunOptions HardenedRun::options() const {
    RunOptions options;
    options.downloadPath = downloadDir() + QStringLiteral("downloads");
    return options;
}

QList<CatalogueStation> HardenedRun::rockPage(int page) const {
    DirectoryQuery query;
    query.hasGenre = true;
    query.genre = QStringLiteral("Rock");
    query.startAt = (page - 1) * 25;
    query.numResult = 25;
    return catalogue().page(query);
}

QString HardenedRun::playlistTarget(int id) {
    return QStringLiteral("/sbin/shoutcast-playlist.pls?rn=%1&").arg(id);
}

void HardenedRun::writeEarlierFiles(const QList<CatalogueStation>& stations) const {
    ASSERT_TRUE(QDir().mkpath(genreFolder()));
    for (const CatalogueStation& station : stations) {
        QFile file(genreFolder() + QString::number(station.id) + QStringLiteral(".pls"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlierPlaylist());
    }
}

void HardenedRun::runToTheEnd(const RunOptions& options) {
    frmMain window;
    ASSERT_TRUE(ApplyRunOptions(window, options));
    MainWindowDriver::Run(window);
    EXPECT_EQ(window.vp1->Text(), QStringLiteral("Done"));
    EXPECT_EQ(window.txtProg->text(), QStringLiteral("Done"));
    EXPECT_EQ(window.vp1->Value(), 100);
    EXPECT_EQ(window.cmdRun->text(), QStringLiteral("&Run"));
}

QStringList HardenedRun::filesOutsideTheGenreFolder() const {
    QStringList outside;
    for (const QString& file : FilesBelow(tree())) {
        if (!file.startsWith(QLatin1String("downloads/Rock/")) ||
            file.count(QLatin1Char('/')) != 2)
            outside << file;
    }
    return outside;
}
