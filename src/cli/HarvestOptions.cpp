#include "HarvestOptions.h"

#include "RunChoices.h"
#include "RunInputs.h"

#include <QCommandLineParser>
#include <QUrl>
#include <optional>

namespace {

// A value that is one of a list of choices, found case-blind and returned as the list spells it.
std::optional<QString> Choice(const QString& value, const QStringList& choices) {
    for (const QString& choice : choices)
        if (choice.compare(value, Qt::CaseInsensitive) == 0) return choice;
    return std::nullopt;
}

// "24, 32, ..." from a list of choices, its empty entries left out.
QString Listed(const QStringList& choices) {
    QStringList shown = choices;
    shown.removeAll(QString());
    return shown.join(QStringLiteral(", "));
}

UsageError Wrong(const QString& option, const QString& value, const QString& accepted) {
    return {QStringLiteral("--%1: '%2' is not %3").arg(option, value, accepted)};
}

QStringList GenreNames() {
    QStringList genres = RunChoices::kGenres;
    genres.removeAll(RunChoices::kSearchGenre);
    return genres;
}

struct Option {
    const char* name;
    const char* valueName;  // none for a flag
    const char* help;
};

// Every option, in the order --help lists them.
const Option kOptions[] = {
    {"genre", "NAME", "a genre of the window's list, case-blind (repeatable; default TopTen)"},
    {"all-genres", nullptr, "every genre of the list"},
    {"search", "TEXT", "stations whose name holds TEXT, as the genre Search"},
    {"tag", "TAG",
     "live directory: stations of this whole tag, in a folder named TAG (repeatable)"},
    {"country", "CC", "live directory: stations of this ISO 3166 country code (repeatable)"},
    {"language", "NAME", "live directory: stations in this language (repeatable)"},
    {"count", "N", "stations per genre: 5 (default), 10, 25, 50, 100, ... 5000"},
    {"fast", nullptr, "ask for pages of 100 stations (the default)"},
    {"no-fast", nullptr, "ask for pages of 25 stations"},
    {"min-bitrate", "N", "lowest bitrate in kbit/s: 0 (none), 24, ... 320 (default 96)"},
    {"max-bitrate", "N", "highest bitrate in kbit/s: 0 (none, the default), 24, ... 320"},
    {"codec", "CODEC", "mp3 (default), aac or all"},
    {"order", "ORDER", "clicks (most listened first, the default) or bitrate"},
    {"format", "FORMAT", "pls (default), asx or m3u"},
    {"name", "TEMPLATE", "file-name template (default %STATION%_%BITRATE%)"},
    {"max-length", "N", "longest station name in a file name (default 40)"},
    {"output", "DIR", "download folder; %TEMP%, %MYDOC%, %APPDATA%, %APPPATH% (default %TEMP%/.1)"},
    {"directory", "NAME", "classic or radio-browser (default: as RADIOSIFT_DIRECTORY chooses)"},
    {"server", "URL", "the directory's address, such as http://127.0.0.1:8080"},
    {"genre-playlist", "FMT",
     "also a playlist of each genre beside its folder: m3u or xspf (repeatable)"},
    {"prune", nullptr, "after a done run, remove what earlier runs wrote and this one did not"},
    {"list-genres", nullptr, "print the genres (with the live directory's tags) and exit"},
    {"quiet", nullptr, "no progress line and no summary text"},
    {"json", nullptr, "print the summary as one JSON object on standard output"},
    {"version", nullptr, "print the version and exit"},
};

}  // namespace

QString HarvestHelpText() {
    QString text = QStringLiteral(
        "Usage: radiosift-harvest [OPTION]...\n"
        "Harvests internet-radio stations from a station directory into one playlist file per\n"
        "station, in a folder per genre, as the Radiosift window does, without a display.\n\n");
    for (const Option& option : kOptions) {
        QString left = QStringLiteral("--") + QLatin1String(option.name);
        if (option.valueName) left += QLatin1Char(' ') + QLatin1String(option.valueName);
        text += QStringLiteral("  %1 %2\n").arg(left, -22).arg(QLatin1String(option.help));
    }
    text +=
        QStringLiteral("  %1 print this help and exit\n\n").arg(QStringLiteral("-h, --help"), -22);
    text += QStringLiteral(
        "Exit status: 0 done, 1 stations not saved, 2 wrong usage, 3 no server answered,\n"
        "4 stopped by a signal. See radiosift-harvest(1).\n");
    return text;
}

std::variant<HarvestOptions, UsageError> ReadHarvestOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}));
    for (const Option& option : kOptions) {
        parser.addOption(option.valueName
                             ? QCommandLineOption(QLatin1String(option.name), QString(),
                                                  QLatin1String(option.valueName))
                             : QCommandLineOption(QLatin1String(option.name)));
    }
    if (!parser.parse(QStringList{QStringLiteral("radiosift-harvest")} + arguments))
        return UsageError{parser.errorText() + QStringLiteral(" (see --help)")};
    if (!parser.positionalArguments().isEmpty())
        return UsageError{QStringLiteral("unexpected argument '%1' (see --help)")
                              .arg(parser.positionalArguments().first())};

    HarvestOptions options;
    options.help = parser.isSet(QStringLiteral("help"));
    options.version = parser.isSet(QStringLiteral("version"));
    options.listGenres = parser.isSet(QStringLiteral("list-genres"));
    options.allGenres = parser.isSet(QStringLiteral("all-genres"));
    options.quiet = parser.isSet(QStringLiteral("quiet"));
    options.json = parser.isSet(QStringLiteral("json"));
    options.prune = parser.isSet(QStringLiteral("prune"));
    for (const QString& value : parser.values(QStringLiteral("genre-playlist"))) {
        const std::optional<GenrePlaylistFormat> format = GenrePlaylistFormatNamed(value);
        if (!format)
            return Wrong(QStringLiteral("genre-playlist"), value, QStringLiteral("m3u or xspf"));
        if (!options.genrePlaylists.contains(*format)) options.genrePlaylists.append(*format);
    }
    if (parser.isSet(QStringLiteral("fast")) && parser.isSet(QStringLiteral("no-fast")))
        return UsageError{QStringLiteral("--fast and --no-fast: choose one")};
    options.fast = !parser.isSet(QStringLiteral("no-fast"));
    const auto last = [&](const char* name, const QString& fallback) {
        const QStringList values = parser.values(QLatin1String(name));
        return values.isEmpty() ? fallback : values.last();
    };

    for (const QString& value : parser.values(QStringLiteral("genre"))) {
        const std::optional<QString> genre = Choice(value, GenreNames());
        if (!genre)
            return Wrong(QStringLiteral("genre"), value,
                         QStringLiteral("a genre (%1; --search for a search, --tag for any tag)")
                             .arg(Listed(GenreNames())));
        if (!options.genres.contains(*genre)) options.genres.append(*genre);
    }
    options.search = parser.value(QStringLiteral("search")).trimmed();
    if (parser.isSet(QStringLiteral("search")) && options.search.isEmpty())
        return UsageError{QStringLiteral("--search: the text to search for is empty")};

    const QString count = last("count", RunChoices::kStationCounts.first());
    if (!RunChoices::kStationCounts.contains(count))
        return Wrong(
            QStringLiteral("count"), count,
            QStringLiteral("a number of stations (%1)").arg(Listed(RunChoices::kStationCounts)));
    options.count = count;

    for (const auto& [name, target, fallback] :
         {std::tuple{"min-bitrate", &options.minBitrate,
                     RunChoices::kBitrates[RunChoices::kDefaultMinBitrateIndex]},
          std::tuple{"max-bitrate", &options.maxBitrate, QString()}}) {
        const QString value = last(name, fallback);
        if (value == u"0") continue;  // the list's empty entry: no limit
        if (!value.isEmpty() && !RunChoices::kBitrates.contains(value))
            return Wrong(QLatin1String(name), value,
                         QStringLiteral("a bitrate (0, %1)").arg(Listed(RunChoices::kBitrates)));
        *target = value;
    }

    const auto pick = [&](const char* name, const QStringList& words, const QStringList& choices,
                          QString& target) -> std::optional<UsageError> {
        const QString value = last(name, words.first());
        const qsizetype at = words.indexOf(value.toLower());
        if (at < 0) return Wrong(QLatin1String(name), value, words.join(QStringLiteral(", ")));
        target = choices[at];
        return std::nullopt;
    };
    QString order, directory;
    for (const auto& failure :
         {pick("codec", {"mp3", "aac", "all"}, RunChoices::kStreams, options.stream),
          pick("format", {"pls", "asx", "m3u"}, RunChoices::kFormats, options.format),
          pick("order", {"clicks", "bitrate"}, {"clicks", "bitrate"}, order),
          pick("directory", {"radio-browser", "classic"}, {"radio-browser", "classic"},
               directory)}) {
        if (failure) return *failure;
    }
    options.orderByBitrate = order == u"bitrate";
    // Without --directory, the directory the window would ask.
    options.directory = !parser.isSet(QStringLiteral("directory"))
                            ? DirectoryHosts::chosenDirectory()
                        : directory == u"classic" ? DirectoryHosts::Directory::Classic
                                                  : DirectoryHosts::Directory::RadioBrowser;

    options.nameTemplate = last("name", RunChoices::kDefaultTemplate);
    options.maxLength = last("max-length", QString::number(RunChoices::kDefaultNameLimit));
    options.output = last("output", RunChoices::defaultDownloadPath());
    // The same check as the window's Run: nothing is asked or written with a path that is no
    // folder, a template that gives no file name or a length that is no number.
    const RunInputProblem problem =
        CheckRunInputs(options.output, options.nameTemplate, options.maxLength);
    const char* const optionOf[] = {"", "--output", "--name", "--max-length"};
    if (problem.field != RunInputField::None)
        return UsageError{QStringLiteral("%1: %2")
                              .arg(QLatin1String(optionOf[static_cast<int>(problem.field)]),
                                   problem.message)};

    options.server = last("server", QString());
    if (!options.server.isEmpty()) {
        const QUrl url(options.server, QUrl::StrictMode);
        const bool web = url.scheme() == u"http" || url.scheme() == u"https";
        if (!url.isValid() || !web || url.host().isEmpty() || url.path().length() > 1 ||
            url.hasQuery())
            return Wrong(QStringLiteral("server"), options.server,
                         QStringLiteral("an http:// or https:// address of a server, such as "
                                        "http://127.0.0.1:8080"));
    }

    const bool live = options.directory == DirectoryHosts::Directory::RadioBrowser;
    for (const char* name : {"tag", "country", "language"}) {
        if (!live && parser.isSet(QLatin1String(name)))
            return UsageError{QStringLiteral("--%1: only with the live directory "
                                             "(--directory radio-browser)")
                                  .arg(QLatin1String(name))};
    }
    for (const QString& value : parser.values(QStringLiteral("tag"))) {
        const QString tag = value.trimmed();
        if (tag.isEmpty() || tag.contains(u'/') || tag == u"." || tag == u"..")
            return Wrong(QStringLiteral("tag"), value,
                         QStringLiteral("a tag (a word without '/')"));
        if (!options.tags.contains(tag, Qt::CaseInsensitive)) options.tags.append(tag);
    }
    for (const QString& value : parser.values(QStringLiteral("country"))) {
        const bool code = value.size() == 2 && value[0].isLetter() && value[1].isLetter() &&
                          value[0].unicode() < 0x80 && value[1].unicode() < 0x80;
        if (!code)
            return Wrong(QStringLiteral("country"), value,
                         QStringLiteral("a two-letter ISO 3166 country code, such as DE"));
        options.countries.append(value.toUpper());
    }
    for (const QString& value : parser.values(QStringLiteral("language"))) {
        if (value.trimmed().isEmpty())
            return Wrong(QStringLiteral("language"), value,
                         QStringLiteral("a language, such as german"));
        options.languages.append(value.trimmed());
    }
    if (options.genres.isEmpty() && options.tags.isEmpty() && options.search.isEmpty() &&
        !options.allGenres)
        options.genres.append(RunChoices::kGenres.first());
    return options;
}
