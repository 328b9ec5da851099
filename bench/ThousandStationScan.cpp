// A scan of 1000 stations of one genre through the real main window against the local
// directory: how long the run takes and how many playlist files it writes, beside a plain
// loop that sends the same requests and does nothing with the answers.
//
//   radiosift_thousand_station_scan [repetitions]
#include "DirectoryServer.h"
#include "HttpRequest.h"
#include "frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int FilesBelow(const QString& root) {
    int count = 0;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++count;
    }
    return count;
}

bool Select(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    if (index < 0) return false;
    list->setCurrentIndex(index);
    return true;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;

    DirectoryServer server(CatalogueOptions{.stationsPerGenre = 1000, .seed = 1});
    if (!server.start()) {
        std::fprintf(stderr, "the local directory did not start\n");
        return 1;
    }
    qputenv("RADIOSIFT_MAIN_HOST", server.hostPort().toLatin1());
    qputenv("RADIOSIFT_CLASSIC_HOST", server.hostPort().toLatin1());

    std::vector<double> runSeconds;
    std::vector<double> loopSeconds;
    int files = 0;
    qsizetype requests = 0;
    for (int r = 0; r < repetitions; ++r) {
        QTemporaryDir downloads;
        frmMain window;
        window.txtDL->setText(QDir(downloads.path()).absolutePath());
        window.chk100->setChecked(true);
        if (!Select(window.CmbGenre, QStringLiteral("Rock")) ||
            !Select(window.CmbNumber, QStringLiteral("1000")) ||
            !Select(window.cmbStream, QStringLiteral("<all>")) ||
            !Select(window.cmbMinBit, QString())) {
            std::fprintf(stderr, "an option is missing from the window's lists\n");
            return 1;
        }
        server.clearLog();

        QElapsedTimer timer;
        timer.start();
        window.cmdRun->click();  // the whole run happens inside the click
        runSeconds.push_back(timer.nsecsElapsed() / 1e9);
        files = FilesBelow(downloads.path());

        // The baseline: the same requests, one after the other, answers thrown away.
        const QStringList sent = server.requestLog();
        requests = sent.size();
        timer.restart();
        for (const QString& target : sent) {
            HttpRequest http;
            http.open(QStringLiteral("GET"), server.baseUrl() + target);
            http.send();
        }
        loopSeconds.push_back(timer.nsecsElapsed() / 1e9);
        std::printf("run %d: %.3f s for %d files (%lld requests); plain loop %.3f s\n", r + 1,
                    runSeconds.back(), files, static_cast<long long>(requests), loopSeconds.back());
    }
    const double run = Median(runSeconds);
    const double loop = Median(loopSeconds);
    std::printf("median: run %.3f s, %.2f ms per station; plain loop %.3f s; ratio %.2f\n", run,
                run * 1000.0 / std::max(files, 1), loop, run / loop);
    server.stop();
    return 0;
}
