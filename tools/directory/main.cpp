// radiosift-directory: runs the local directory on 127.0.0.1 until it is interrupted, for the
// demo, the benchmarks and tests that want it as a separate process. --help prints its usage.
#include "DirectoryServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

int numberOption(const QCommandLineParser& parser, const QString& name, int lowest) {
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < lowest) {
        std::fprintf(stderr, "radiosift-directory: --%s takes a whole number from %d up\n",
                     qPrintable(name), lowest);
        std::exit(2);
    }
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("radiosift-directory"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The local station directory: result pages, JSON station searches and "
                       "playlists from a generated catalogue, on 127.0.0.1."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Port to listen on; 0 picks a free one."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("stations-per-genre"), QStringLiteral("Stations in every genre."),
         QStringLiteral("N"), QStringLiteral("60")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the generated catalogue."),
         QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("revision"),
         QStringLiteral("Revision of the catalogue: 1 as generated, 2 as a later refresh finds "
                        "it (stations left, renamed, broken)."),
         QStringLiteral("N"), QStringLiteral("1")},
        {QStringLiteral("line-ends"),
         QStringLiteral("Line ends of pages and playlists: lf or crlf."), QStringLiteral("lf|crlf"),
         QStringLiteral("lf")},
        {QStringLiteral("delay-ms"), QStringLiteral("Wait this long before every answer."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("entry-count"),
         QStringLiteral("List this many entries in every result page and JSON station answer, "
                        "whatever was asked for; 0 lists what was asked for."),
         QStringLiteral("N"), QStringLiteral("0")},
        {QStringLiteral("log"),
         QStringLiteral("Print the target of every request (path and query) on a line of its "
                        "own as it arrives.")},
    });
    parser.process(app);

    CatalogueOptions options;
    options.stationsPerGenre = numberOption(parser, QStringLiteral("stations-per-genre"), 0);
    options.seed = static_cast<std::uint32_t>(numberOption(parser, QStringLiteral("seed"), 0));
    options.revision = numberOption(parser, QStringLiteral("revision"), 1);
    const int port = numberOption(parser, QStringLiteral("port"), 0);
    Misbehaviour answers;
    answers.delayMs = numberOption(parser, QStringLiteral("delay-ms"), 0);
    answers.entryCount = numberOption(parser, QStringLiteral("entry-count"), 0);
    const QString ends = parser.value(QStringLiteral("line-ends")).toLower();
    if (ends != QLatin1String("lf") && ends != QLatin1String("crlf")) {
        std::fprintf(stderr, "radiosift-directory: --line-ends takes lf or crlf\n");
        return 2;
    }

    // Block the stop signals before the server's threads start, so that they all inherit the
    // mask and only the sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    DirectoryServer server(options);
    server.setLineEnds(ends == QLatin1String("crlf") ? LineEnds::CrLf : LineEnds::Lf);
    if (answers.delayMs > 0 || answers.entryCount > 0) server.setMisbehaviour(QString(), answers);
    if (parser.isSet(QStringLiteral("log"))) {
        // Flushed line by line: whoever reads the log sees a request before its answer.
        server.setRequestListener([](const QString& target) {
            std::printf("%s\n", qPrintable(target));
            std::fflush(stdout);
        });
    }
    if (!server.start(port)) {
        std::fprintf(stderr, "radiosift-directory: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }
    std::printf("listening on %s\n", qPrintable(server.hostPort()));
    std::fflush(stdout);

    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    return 0;
}
