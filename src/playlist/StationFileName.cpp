#include "StationFileName.h"

#include "Rounding.h"
#include "StationNameCleaner.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

// The longest file name, in bytes, that ext4 and most other file systems take.
constexpr qsizetype kMaxFileNameBytes = 255;

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

// The largest boundary between whole characters of text at or before units.
qsizetype WholeCharactersWithin(const QString& text, qsizetype units) {
    if (units >= text.size()) return text.size();
    if (units <= 0) return 0;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(units);
    return finder.isAtBoundary() ? units : std::max<qsizetype>(finder.toPreviousBoundary(), 0);
}

// text cut at whole characters so that it takes at most bytes bytes of UTF-8.
QString WithinUtf8Bytes(const QString& text, qsizetype bytes) {
    qsizetype units = 0;
    for (qsizetype used = 0; units < text.size();) {
        const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() &&
                          text[units + 1].isLowSurrogate();
        const char16_t u = text[units].unicode();
        used += pair ? 4 : u < 0x80 ? 1 : u < 0x800 ? 2 : 3;
        if (used > bytes) break;
        units += pair ? 2 : 1;
    }
    return text.left(WholeCharactersWithin(text, units));
}

// Every macro of fileTemplate replaced by its value in one pass over the template.
QString Expanded(const QString& fileTemplate,
                 const std::array<std::pair<QLatin1StringView, QString>, 6>& macros) {
    QString expanded;
    expanded.reserve(fileTemplate.size() + 64);
    const QStringView rest(fileTemplate);
    for (qsizetype i = 0; i < rest.size();) {
        bool replaced = false;
        if (rest[i] == u'%') {
            for (const auto& [macro, value] : macros) {
                if (rest.sliced(i).startsWith(macro)) {
                    expanded += value;
                    i += macro.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) expanded += rest[i++];
    }
    return expanded;
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

QString ShortenedStationName(const QString& name, int32_t limit) {
    return name.left(WholeCharactersWithin(name, limit));
}

QString StationFileName(const QString& fileTemplate, const QString& station,
                        const StationEntry& entry, const QString& formatText) {
    const QString path = WithoutInvisibleCharacters(
        Expanded(fileTemplate, {{{QLatin1StringView("%STATION%"), station},
                                 {QLatin1StringView("%BITRATE%"), WithoutSeparators(entry.Bitrate)},
                                 {QLatin1StringView("%RN%"), WithoutSeparators(entry.Rn)},
                                 {QLatin1StringView("%GENRE%"), entry.Genre},
                                 {QLatin1StringView("%STREAM%"), entry.StreamType},
                                 {QLatin1StringView("%FORMAT%"), formatText}}}));
    // The file's own name is what follows the last separator; the steps before it are folders
    // the template chose.
    const qsizetype nameStart =
        std::max(path.lastIndexOf(u'/'), path.lastIndexOf(QDir::separator())) + 1;
    qsizetype visible = nameStart;
    while (visible < path.size() && (path[visible] == u'.' || path[visible].isSpace())) ++visible;
    const QString extension = ExtensionOf(FormatOf(formatText));
    const QString name =
        WithinUtf8Bytes(path.sliced(visible), kMaxFileNameBytes - extension.size());
    if (name.isEmpty()) return {};
    return path.left(nameStart) + name + extension;
}

bool StaysInFolder(const QString& fileName) {
    // "\" separates folders on some systems and is a letter on others. Read as a letter it joins
    // two steps into one, which can hide a ".." that climbs out; so a name must stay inside
    // under both readings, and is judged the same everywhere.
    static const QRegularExpression eitherSlash(QStringLiteral("[/\\\\]"));
    static const QRegularExpression slash(QStringLiteral("/"));
    return NeverClimbsOut(fileName, eitherSlash) && NeverClimbsOut(fileName, slash);
}
