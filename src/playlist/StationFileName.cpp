#include "StationFileName.h"

#include "PathMacros.h"
#include "Rounding.h"
#include "StationNameCleaner.h"

#include <QRegularExpression>
#include <QStringList>
#include <limits>

namespace {

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

// Bitrate and station id come from the directory's pages: they must not carry a folder into
// the file name.
QString WithoutSeparators(QString value) {
    value.remove(QLatin1Char('/'));
    value.remove(QLatin1Char('\\'));
    return value;
}

// Walks the path steps of fileName cut at separators: false once ".." climbs above the start.
bool NeverClimbsOut(const QString& fileName, const QRegularExpression& separators) {
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

PlaylistFormat FormatOf(const QString& formatText) {
    if (formatText.contains(QLatin1String("ASX"))) return PlaylistFormat::Asx;
    if (formatText.contains(QLatin1String("M3U"))) return PlaylistFormat::M3u;
    return PlaylistFormat::Pls;
}

int32_t NameLimit(const QString& text) {
    static const QRegularExpression leading(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const QRegularExpressionMatch match = leading.match(text);
    if (!match.hasMatch()) return 0;
    const double value = match.captured(0).trimmed().toDouble();
    if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return RoundHalfEven(value);
}

QString StationFileName(const QString& fileTemplate, const QString& station,
                        const StationEntry& entry, const QString& formatText) {
    QString fileName = fileTemplate;
    ReplaceMacro(fileName, QStringLiteral("%STATION%"), station);
    ReplaceMacro(fileName, QStringLiteral("%BITRATE%"), WithoutSeparators(entry.Bitrate));
    ReplaceMacro(fileName, QStringLiteral("%RN%"), WithoutSeparators(entry.Rn));
    ReplaceMacro(fileName, QStringLiteral("%GENRE%"), entry.Genre);
    ReplaceMacro(fileName, QStringLiteral("%STREAM%"), entry.StreamType);
    ReplaceMacro(fileName, QStringLiteral("%FORMAT%"), formatText);
    return WithoutControlCharacters(fileName) + ExtensionOf(FormatOf(formatText));
}

bool StaysInFolder(const QString& fileName) {
    // "\" separates folders on some systems and is a letter on others. Read as a letter it joins
    // two steps into one, which can hide a ".." that climbs out; so a name must stay inside
    // under both readings, and is judged the same everywhere.
    static const QRegularExpression eitherSlash(QStringLiteral("[/\\\\]"));
    static const QRegularExpression slash(QStringLiteral("/"));
    return NeverClimbsOut(fileName, eitherSlash) && NeverClimbsOut(fileName, slash);
}
