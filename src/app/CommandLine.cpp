#include "CommandLine.h"

#include "Version.h"

namespace CommandLine {

Reading read(const QStringList& arguments) {
    Reading reading;
    for (const QString& argument : arguments) {
        if (argument == u"-h" || argument == u"--help") {
            reading.action = Action::PrintHelp;
        } else if (argument == u"--version") {
            if (reading.action != Action::PrintHelp) reading.action = Action::PrintVersion;
        } else {
            return {Action::Refuse,
                    QStringLiteral("unknown argument '%1' (radiosift --help lists the options)")
                        .arg(argument)};
        }
    }
    return reading;
}

QString helpText() {
    return QStringLiteral(
        "Usage: radiosift [--help | --version]\n"
        "Harvests internet-radio stations from a station directory into one playlist file per\n"
        "station. Every choice is made in the program's window; it needs a display.\n"
        "\n"
        "  -h, --help     print this help and exit\n"
        "      --version  print the version and exit\n"
        "\n"
        "Environment: RADIOSIFT_DIRECTORY (classic or radio-browser),\n"
        "RADIOSIFT_RADIO_BROWSER_URL, RADIOSIFT_CLASSIC_HOST, RADIOSIFT_MAIN_HOST, TEMP.\n"
        "See radiosift(1).\n");
}

QString versionText() {
    return QStringLiteral("radiosift %1\n").arg(QLatin1String(RadiosiftVersion::Text));
}

}  // namespace CommandLine
