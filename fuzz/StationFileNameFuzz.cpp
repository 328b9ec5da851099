// Fuzz target: the station-name cleaner and the file name a playlist is saved under. The first
// byte chooses the genre, stream type, format and template; the rest holds, cut at 0xFF bytes,
// the template, the station name, bitrate and id as a page gave them, and the "Max length" text.
#include "FuzzSupport.h"
#include "StationFileName.h"
#include "StationNameCleaner.h"

#include <QDir>
#include <algorithm>

namespace {

const QString kRemovedCharacters = QStringLiteral("/\\:*?\"<>|()!~@");

qsizetype Separators(const QString& text) {
    return text.count(u'/') + text.count(u'\\');
}

bool HasControlCharacter(const QString& text) {
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

bool IsSubsequence(const QString& part, const QString& whole) {
    qsizetype at = 0;
    for (const QChar c : part) {
        at = whole.indexOf(c, at);
        if (at < 0) return false;
        ++at;
    }
    return true;
}

void CheckCleanName(const QString& name, const QString& cleaned) {
    for (const QChar c : kRemovedCharacters) FUZZ_CHECK(!cleaned.contains(c));
    FUZZ_CHECK(!HasControlCharacter(cleaned));
    FUZZ_CHECK(IsSubsequence(cleaned, name));
    // Only a "www." that the removals joined together is left to take out.
    QString again = cleaned;
    CleanStationName(again);
    FUZZ_CHECK(again == QString(cleaned).remove(QStringLiteral("www.")));
}

// The name put into the genre folder stays in it, with "\" read as a separator or as a letter.
void CheckStaysInFolder(const QString& fileName) {
    const QString folder = QStringLiteral("/downloads/Rock/");
    for (const bool backslashSeparates : {true, false}) {
        QString name = fileName;
        if (backslashSeparates) name.replace(u'\\', u'/');
        const QString path = QDir::cleanPath(folder + name);
        FUZZ_CHECK(path.startsWith(folder) && path.size() > folder.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const genres[] = {"TopTen", "70s", "Search", "RnB"};
    static const char* const streams[] = {"", "MP3", "AAC", "OGG"};
    static const char* const formats[] = {"PLS file", "ASX file", "M3U file", "PLS file"};
    static const char* const templates[] = {nullptr, "%STATION%_%BITRATE%",
                                            "%GENRE%\\%RN%-%STATION%", "%STATION%/%BITRATE%/%RN%"};
    const uint8_t choice = data[0];
    const QList<QString> fields = InputFields(data + 1, size - 1, 5);
    const char* fixedTemplate = templates[choice >> 6];
    const QString fileTemplate = fixedTemplate ? QString::fromLatin1(fixedTemplate) : fields[0];
    const QString formatText = QString::fromLatin1(formats[(choice >> 4) & 3]);
    StationEntry entry;
    entry.Name = fields[1];
    entry.Bitrate = fields[2];
    entry.Rn = fields[3];
    entry.Genre = QString::fromLatin1(genres[choice & 3]);
    entry.StreamType = QString::fromLatin1(streams[(choice >> 2) & 3]);

    QString station = entry.Name;
    CleanStationName(station);
    CheckCleanName(entry.Name, station);

    // The saver shortens the cleaned name to the limit, and names no file for a negative one.
    const int32_t limit = NameLimit(fields[4]);
    if (limit < 0) return 0;
    if (station.size() > limit) station.truncate(limit);

    const QString fileName = StationFileName(fileTemplate, station, entry, formatText);
    const char* extension = formatText.contains(u"ASX")   ? ".asx"
                            : formatText.contains(u"M3U") ? ".m3u"
                                                          : ".pls";
    FUZZ_CHECK(fileName.endsWith(QLatin1String(extension)) && !HasControlCharacter(fileName));
    // Separators come from the template only, never from what a page sent.
    FUZZ_CHECK(Separators(fileName) == Separators(fileTemplate));
    if (Separators(fileTemplate) == 0) FUZZ_CHECK(StaysInFolder(fileName));
    if (StaysInFolder(fileName)) CheckStaysInFolder(fileName);
    return 0;
}
