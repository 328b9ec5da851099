#include "PlsReader.h"

#include "Rounding.h"
#include "StationNameCleaner.h"
#include "StreamAddress.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

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
    static const QRegularExpression entryKey(
        QStringLiteral("^\\s*(file|title|length)\\s*0*(\\d+)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    struct Line {
        QString text, key;
        std::optional<QString> value;    // missing when the line holds no "="
        QString entryWord, entryNumber;  // "File", "Title" or "Length" and its number, if any
    };
    QList<Line> lines;
    // The number each entry kept is written with, by its number in the text.
    QHash<QString, qsizetype> kept;
    // Any line end reads as one: what is not a line of its own cannot slip through.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString& raw : playlistText.split(lineEnd)) {
        Line line{WithoutInvisibleCharacters(raw), {}, {}, {}, {}};
        line.value = ValueOf(line.text);
        line.key = line.text.section(QLatin1Char('='), 0, 0).trimmed();
        if (const QRegularExpressionMatch match = entryKey.match(line.key);
            match.hasMatch() && line.value) {
            line.entryWord = match.captured(1);
            line.entryNumber = match.captured(2);
        }
        if (line.entryWord.compare(QLatin1String("file"), Qt::CaseInsensitive) == 0) {
            line.value = EncodedStreamAddress(*line.value);
            if (line.value->isEmpty())
                line.entryNumber.clear();  // not an entry to keep
            else if (!kept.contains(line.entryNumber))
                kept.insert(line.entryNumber, kept.size() + 1);
        }
        lines.append(line);
    }
    if (kept.isEmpty()) return {};

    QStringList written;
    for (const Line& line : lines) {
        if (!line.entryWord.isEmpty()) {
            if (kept.contains(line.entryNumber))
                written.append(QStringLiteral("%1%2=%3").arg(
                    line.entryWord, QString::number(kept.value(line.entryNumber)), *line.value));
        } else if (line.key.compare(QLatin1String("numberofentries"), Qt::CaseInsensitive) == 0) {
            written.append(line.text.section(QLatin1Char('='), 0, 0) + QLatin1Char('=') +
                           QString::number(kept.size()));
        } else if (line.text.trimmed().isEmpty() || (!line.value && line.key.startsWith(u'[')) ||
                   line.key.compare(QLatin1String("version"), Qt::CaseInsensitive) == 0) {
            written.append(line.text);
        }
    }
    return written;
}
