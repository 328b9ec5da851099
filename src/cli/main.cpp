// radiosift-harvest: the Radiosift harvest without a window, for scheduled and scripted exports.
#include "GenreTags.h"
#include "HarvestEngine.h"
#include "HarvestOptions.h"
#include "HarvestSummary.h"
#include "HttpRequest.h"
#include "PendingEvents.h"
#include "RunChoices.h"
#include "StopSignals.h"
#include "TerminalHost.h"
#include "UserAgent.h"
#include "Version.h"
#include "WholeWrite.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUrl>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// The command line's directory and server, handed to the engine the way the window gets them:
// through the variables it reads at every run.
void ChooseDirectory(const HarvestOptions& options) {
    const bool live = options.directory == DirectoryHosts::Directory::RadioBrowser;
    qputenv("RADIOSIFT_DIRECTORY", live ? "radio-browser" : "classic");
    if (options.server.isEmpty()) return;
    const QUrl url(options.server);
    if (live) {
        QString base = options.server;
        while (base.endsWith(u'/')) base.chop(1);
        qputenv("RADIOSIFT_RADIO_BROWSER_URL", base.toUtf8());
    } else {
        const QString host =
            url.port() < 0 ? url.host() : QStringLiteral("%1:%2").arg(url.host()).arg(url.port());
        qputenv("RADIOSIFT_CLASSIC_HOST", host.toUtf8());
    }
}

QByteArray GenreList(const HarvestOptions& options) {
    QByteArray text;
    for (const QString& genre : RunChoices::kGenres) {
        if (genre == RunChoices::kSearchGenre) continue;
        text += genre.toUtf8();
        if (options.directory == DirectoryHosts::Directory::RadioBrowser) {
            const QStringList tags = GenreTags(genre);
            text += '\t' + (tags.isEmpty() ? QByteArray("(every station)")
                                           : tags.join(QStringLiteral(", ")).toUtf8());
        }
        text += '\n';
    }
    return text;
}

HarvestEnding EndingOf(const ScanState& state, const TerminalHost& host, bool signalled) {
    if (signalled) return HarvestEnding::Stopped;
    if (host.txtProgText() == u"No Connection!") return HarvestEnding::NoConnection;
    if (state.m_NotSaved > 0 || !host.complaints().isEmpty()) return HarvestEnding::NotSaved;
    return HarvestEnding::Done;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiosift-harvest"));
    QCoreApplication::setApplicationVersion(QLatin1String(RadiosiftVersion::Text));
    // A reader that went away (a closed pipe) must not end the program while files are written;
    // what could not be printed is told by the exit status of the writes alone.
    std::signal(SIGPIPE, SIG_IGN);

    const auto reading = ReadHarvestOptions(QCoreApplication::arguments().mid(1));
    if (const auto* error = std::get_if<UsageError>(&reading)) {
        std::fprintf(stderr, "radiosift-harvest: %s\n", qPrintable(error->message));
        return 2;
    }
    const HarvestOptions& options = std::get<HarvestOptions>(reading);
    // A text asked for and not delivered (a full disk, a closed pipe) is a failure, said once.
    const auto answer = [](const QByteArray& text) {
        if (WriteWhole(stdout, text)) return 0;
        std::fprintf(stderr, "radiosift-harvest: cannot write to standard output: %s\n",
                     std::strerror(errno));
        return 1;
    };
    if (options.help) return answer(HarvestHelpText().toUtf8());
    if (options.version)
        return answer(QByteArray("radiosift-harvest ") + RadiosiftVersion::Text + '\n');
    if (options.listGenres) return answer(GenreList(options));

    ChooseDirectory(options);
    HttpRequest::setUserAgent(ProgramUserAgent());
    TerminalHost host(options, !options.quiet && isatty(STDERR_FILENO));
    HarvestEngine engine(host);
    host.watch(engine.state());
    engine.radioBrowser().setFilters({options.tags, options.countries, options.languages});
    engine.library().setOptions({options.genrePlaylists, options.prune});
    // Every wait wakes for the signals' pipe too, and is given up once a stop was asked for.
    PendingEvents::setWaitCheck([&engine] { return !engine.state().stopAsked(); });
    StopSignals stopSignals([&] {
        if (engine.driver().runInProgress()) engine.driver().cmdRun_Click();
    });

    QElapsedTimer clock;
    clock.start();
    engine.driver().cmdRun_Click();
    host.endProgress();

    const HarvestSummary summary{
        engine.state().m_Tally, EndingOf(engine.state(), host, stopSignals.received()),
        static_cast<double>(clock.elapsed()) / 1000.0, options.prune, engine.library().pruned()};
    for (const QString& complaint : host.complaints() + engine.library().warnings())
        std::fprintf(stderr, "radiosift-harvest: %s\n", qPrintable(complaint));
    if (options.json)
        WriteWhole(stdout, SummaryJson(summary));
    else if (!options.quiet)
        WriteWhole(stdout, SummaryText(summary).toUtf8());
    return static_cast<int>(summary.ending);
}
