#include "PlainHarvest.h"

#include "Figures.h"
#include "PlaylistText.h"
#include "TextCodec.h"

#include <curl/curl.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

const QString kPlaylistPath = QStringLiteral("/sbin/shoutcast-playlist.pls?");

size_t Append(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

}  // namespace

QList<PlainStep> PlanFromLog(const QStringList& targets, const QList<StationEntry>& saved) {
    QList<PlainStep> steps;
    qsizetype next = 0;
    for (const QString& target : targets) {
        PlainStep step{target, {}};
        if (target.startsWith(kPlaylistPath)) {
            if (next >= saved.size())
                throw std::runtime_error("more playlist requests than saved stations");
            const StationEntry& station = saved[next++];
            // The program puts the id into the address as the page gave it.
            const QString query = target.mid(kPlaylistPath.size());
            const QString rn = query.section(QLatin1Char('&'), 0, 0).mid(3);  // after "rn="
            if (rn != station.Rn)
                throw std::runtime_error("playlist request " + target.toStdString() +
                                         " is not for station " + station.Rn.toStdString());
            step.fileName = station.FileName;
        }
        steps << step;
    }
    if (next != saved.size()) throw std::runtime_error("a saved station was never asked for");
    return steps;
}

PlainOutcome PlainHarvest(const QList<PlainStep>& steps, const QString& hostPort,
                          const QString& folder, const QString& genre) {
    // Addresses and file paths are made before the clock starts: the loop does only the
    // requests and the writes.
    const QString base = QStringLiteral("http://") + hostPort;
    const QString genreFolder = QDir(folder).filePath(genre) + QLatin1Char('/');
    std::vector<std::string> urls;
    std::vector<QByteArray> paths;
    for (const PlainStep& step : steps) {
        urls.push_back((base + step.target).toStdString());
        paths.push_back(step.fileName.isEmpty() ? QByteArray()
                                                : QFile::encodeName(genreFolder + step.fileName));
    }

    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(),
                                                               &curl_easy_cleanup);
    CURL* curl = handle.get();
    std::string body;
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);

    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    QDir().mkpath(genreFolder);
    for (size_t i = 0; i < urls.size(); ++i) {
        body.clear();
        curl_easy_setopt(curl, CURLOPT_URL, urls[i].c_str());
        if (curl_easy_perform(curl) != CURLE_OK)
            throw std::runtime_error("baseline request failed: " + urls[i]);
        if (paths[i].isEmpty()) continue;
        const QString text = TextCodec::decode(
            QByteArrayView(body.data(), static_cast<qsizetype>(body.size())), QByteArray());
        // The bytes the program writes for the same playlist.
        const QByteArray bytes = PlsFileBytes(text);
        FILE* file = std::fopen(paths[i].constData(), "wb");
        if (!file) throw std::runtime_error("baseline cannot write " + paths[i].toStdString());
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), file);
        std::fclose(file);
    }
    return {static_cast<double>(clock.nsecsElapsed()) / 1e9, ProcessCpuSeconds() - cpuBefore};
}
