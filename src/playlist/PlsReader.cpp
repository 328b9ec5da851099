#include "PlsReader.h"

#include "Rounding.h"
#include "StationNameCleaner.h"
#include "StreamAddress.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace {

// The value of a PLS line: everything after its first "=" (a stream address may hold more in
// its query). Missing when the line holds no "=".
std::optional<QString> ValueOf(const QString& line) {
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0) return std::nullopt;
    return line.mid(equals + 1);
}

// A whole number written with an optional sign and blanks around it; a decimal fraction
// rounds half to even. A CR or LF counts as a blank, so the count line of a playlist with
// CR LF line ends still reads.
std::optional<int32_t> ToWholeNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\r\\n]*([+-]?(?:\\d+(?:\\.\\d*)?|\\.\\d+))[ \\t\\r\\n]*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const double value = match.captured(1).toDouble();
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max())
        return std::nullopt;  // too large for a whole number: the conversion fails
    return RoundHalfEven(value);
}

// The key of a line of an entry: "File", "Title" or "Length" as written and the entry's number
// without leading zeros ("File 01" is entry 1's File line).
struct EntryKey {
    QString word, number;
};

std::optional<EntryKey> EntryKeyOf(QStringView key) {
    for (const QLatin1StringView word :
         {QLatin1StringView("file"), QLatin1StringView("title"), QLatin1StringView("length")}) {
        if (!key.startsWith(word, Qt::CaseInsensitive)) continue;
        QStringView number = key.sliced(word.size()).trimmed();
        const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
        if (number.isEmpty() || !std::all_of(number.begin(), number.end(), isDigit)) break;
        while (number.size() > 1 && number.front() == u'0') number = number.sliced(1);
        return EntryKey{key.first(word.size()).toString(), number.toString()};
    }
    return std::nullopt;
}

QString WithoutTrailingCr(QString address) {
    while (address.endsWith(QLatin1Char('\r'))) address.chop(1);
    return address;
}

}  // namespace

QString PickStreamAddress(const QString& playlistText) {
    const QStringList lines = playlistText.split(QLatin1Char('\n'));
    const qsizetype last = lines.size() - 1;
    if (last < 3) return {};

    int32_t count = 0;
    const QStringList countLine = lines[1].split(QLatin1Char('='));
    if (countLine[0].contains(QLatin1String("NumberOfEnt"), Qt::CaseInsensitive) &&
        countLine.size() > 1) {
        if (const auto value = ToWholeNumber(countLine[1])) count = *value;
    }

    // Each of these keeps its value from the entry before when a line cannot be read.
    QString fallback;
    QString counts;
    int32_t maximum = 0;
    int32_t current = 0;
    for (qint64 k = 1; k <= count; ++k) {
        // Entries further on lie further down, so once one is missing all the rest are too.
        if (last <= 3 * k + 1) break;
        const QString& fileLine = lines[3 * k - 1];
        if (k == 1) {
            if (const auto value = ValueOf(fileLine)) fallback = *value;
        }
        if (const auto title = ValueOf(lines[3 * k]))
            counts = title->section(QLatin1Char(')'), 0, 0);
        if (counts.indexOf(QLatin1Char('/')) > 0) {
            const QStringList halves = counts.split(QLatin1Char('/'));
            if (const auto value = ToWholeNumber(halves[1])) maximum = *value;
            const QStringList listeners = halves[0].split(QLatin1String(" - "));
            if (listeners.size() > 1) {
                if (const auto value = ToWholeNumber(listeners[1])) current = *value;
            }
            if (static_cast<double>(current) * 1.1 < static_cast<double>(maximum))
                return WithoutTrailingCr(ValueOf(fileLine).value_or(fallback));
        }
    }
    return WithoutTrailingCr(fallback);
}

QStringList WebEntriesOnly(const QString& playlistText) {
    struct Line {
        QString text, key;
        std::optional<QString> value;  // missing when the line holds no "="
        std::optional<EntryKey> entry;
    };
    QList<Line> lines;
    // The number each entry kept is written with, by its number in the text.
    QHash<QString, qsizetype> kept;
    // Any line end reads as one: what is not a line of its own cannot slip through.
    QString text = playlistText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    const QStringList raws = text.split(u'\n');
    lines.reserve(raws.size());
    for (const QString& raw : raws) {
        Line line{WithoutInvisibleCharacters(raw), {}, {}, {}};
        line.value = ValueOf(line.text);
        line.key = line.text.left(line.text.indexOf(u'=')).trimmed();
        if (line.value) line.entry = EntryKeyOf(line.key);
        if (line.entry && line.entry->word.compare(u"file", Qt::CaseInsensitive) == 0) {
            line.value = EncodedStreamAddress(*line.value);
            if (line.value->isEmpty())
                line.entry->number.clear();  // not an entry to keep
            else if (!kept.contains(line.entry->number))
                kept.insert(line.entry->number, kept.size() + 1);
        }
        lines.append(std::move(line));
    }
    if (kept.isEmpty()) return {};

    QStringList written;
    written.reserve(lines.size());
    for (const Line& line : lines) {
        if (line.entry) {
            if (kept.contains(line.entry->number))
                written.append(line.entry->word + QString::number(kept.value(line.entry->number)) +
                               u'=' + *line.value);
        } else if (line.key.compare(u"numberofentries", Qt::CaseInsensitive) == 0) {
            written.append(line.text.left(line.text.indexOf(u'=')) + u'=' +
                           QString::number(kept.size()));
        } else if (line.text.trimmed().isEmpty() || (!line.value && line.key.startsWith(u'[')) ||
                   line.key.compare(u"version", Qt::CaseInsensitive) == 0) {
            written.append(line.text);
        }
    }
    return written;
}
