#include "DirectoryHosts.h"

namespace {

QString hostFrom(const char* variable, const char* fallback) {
    const QString value = qEnvironmentVariable(variable).trimmed();
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

}  // namespace

namespace DirectoryHosts {

QString mainHost() { return hostFrom("RADIOSIFT_MAIN_HOST", "directory.example.com"); }
QString classicHost() { return hostFrom("RADIOSIFT_CLASSIC_HOST", "classic.directory.example.com"); }

}  // namespace DirectoryHosts

namespace DirectoryHosts {

Directory chosenDirectory(QString* complaint) {
    if (complaint) complaint->clear();
    const QString value = qEnvironmentVariable("RADIOSIFT_DIRECTORY").trimmed();
    if (value == u"radio-browser") return Directory::RadioBrowser;
    if (value == u"classic") return Directory::Classic;
    if (value.isEmpty())
        return qEnvironmentVariableIsEmpty("RADIOSIFT_CLASSIC_HOST") ? Directory::RadioBrowser
                                                                     : Directory::Classic;
    if (complaint)
        *complaint = QStringLiteral("RADIOSIFT_DIRECTORY is \"%1\", which names no directory "
                                    "(\"classic\" or \"radio-browser\"); using classic.")
                         .arg(value);
    return Directory::Classic;
}

QString radioBrowserUrl() {
    QString url = qEnvironmentVariable("RADIOSIFT_RADIO_BROWSER_URL").trimmed();
    while (url.endsWith(QLatin1Char('/'))) url.chop(1);
    return url;
}

}  // namespace DirectoryHosts
