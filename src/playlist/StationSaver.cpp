#include "StationSaver.h"

#include "DirectoryHosts.h"
#include "DownloadTime.h"
#include "HttpRequest.h"
#include "PathMacros.h"
#include "PlaylistWriters.h"
#include "Rounding.h"
#include "ScanHost.h"
#include "ScanState.h"
#include "StationNameCleaner.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

enum class PlaylistFormat { Pls, Asx, M3u };

// Tested on the text of the format list, exact case, ASX before M3U.
PlaylistFormat FormatOf(const QString& formatText) {
    if (formatText.contains(QLatin1String("ASX"))) return PlaylistFormat::Asx;
    if (formatText.contains(QLatin1String("M3U"))) return PlaylistFormat::M3u;
    return PlaylistFormat::Pls;
}

QString ExtensionOf(PlaylistFormat format) {
    switch (format) {
        case PlaylistFormat::Asx:
            return QStringLiteral(".asx");
        case PlaylistFormat::M3u:
            return QStringLiteral(".m3u");
        case PlaylistFormat::Pls:
            break;
    }
    return QStringLiteral(".pls");
}

// The "Max length" box read as a number: its leading numeric part (0 when there is none),
// rounded half to even. A limit too large to count to means no shortening.
int32_t NameLimit(const QString& text) {
    static const QRegularExpression leading(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch()) return 0;
    const double value = match.captured(0).trimmed().toDouble();
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return RoundHalfEven(value);
}

// Bitrate and station id come from the directory's pages: they must not carry a folder into
// the file name.
QString WithoutSeparators(QString value) {
    value.remove(QLatin1Char('/'));
    value.remove(QLatin1Char('\\'));
    return value;
}

// Whether a file name made from the template stays inside the genre folder: walking its path
// steps, ".." must never climb above where it starts. "\" counts as a separator on every
// system, so a name is judged the same everywhere.
bool StaysInFolder(const QString& fileName) {
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    int depth = 0;
    for (const QString& step : fileName.split(separators)) {
        if (step == QLatin1String("..")) {
            if (--depth < 0) return false;
        } else if (!step.isEmpty() && step != QLatin1String(".")) {
            ++depth;
        }
    }
    return true;
}

}  // namespace

void StationSaver::SaveStation(int32_t index) {
    m_state.m_Http.reset();
    m_state.m_Http = std::make_unique<HttpRequest>();
    const int32_t limit = NameLimit(m_host.txtPlsSizeText());
    if (index < 1 || index >= m_state.Stations.size()) return;
    StationEntry& entry = m_state.Stations[index];
    if (entry.Rn.isEmpty()) return;

    const QString address = m_host.chkNewChecked()
                                ? entry.PlaylistLink
                                : QStringLiteral("http://") + DirectoryHosts::classicHost() +
                                      QStringLiteral("/sbin/shoutcast-playlist.pls?rn=") +
                                      entry.Rn + QStringLiteral("&file=filename.pls");

    if (limit < 0) return;  // no name can be cut to a negative length
    QString station = entry.Name;
    CleanStationName(station);
    if (station.size() > limit) station.truncate(limit);

    const QString formatText = m_host.cmbFormatText();
    QString fileName = m_host.txtFormatText();
    ReplaceMacro(fileName, QStringLiteral("%STATION%"), station);
    ReplaceMacro(fileName, QStringLiteral("%BITRATE%"), WithoutSeparators(entry.Bitrate));
    ReplaceMacro(fileName, QStringLiteral("%RN%"), WithoutSeparators(entry.Rn));
    ReplaceMacro(fileName, QStringLiteral("%GENRE%"), entry.Genre);
    ReplaceMacro(fileName, QStringLiteral("%STREAM%"), entry.StreamType);
    ReplaceMacro(fileName, QStringLiteral("%FORMAT%"), formatText);
    fileName += ExtensionOf(FormatOf(formatText));
    entry.FileName = fileName;
    if (!StaysInFolder(fileName)) return;

    m_host.DoEvents();
    const float start = SecondsSinceMidnight();
    // Taken after the events have run: a click on "Go" replaces the request object.
    HttpRequest& http = *m_state.m_Http;
    http.open(QStringLiteral("GET"), address);
    http.send();
    // An error page or a cut-off answer is no playlist; any earlier file stays.
    if (!http.completed() || http.status() < 200 || http.status() > 299) return;
    const QString playlistText = http.responseText();

    const QString path = m_state.m_DownloadDir + fileName;
    bool written = false;
    switch (FormatOf(m_host.cmbFormatText())) {
        case PlaylistFormat::Asx:
            written = WriteAsxPlaylist(path, playlistText, station);
            break;
        case PlaylistFormat::M3u:
            written = WriteM3uPlaylist(path, playlistText, station);
            break;
        case PlaylistFormat::Pls:
            written = WriteTextFile(path, playlistText);
            break;
    }
    if (!written) return;
    m_host.setTxtStatText(DownloadTimeLine(start, SecondsSinceMidnight()));
}
