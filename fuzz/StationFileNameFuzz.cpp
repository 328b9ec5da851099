// Fuzz target: the station-name cleaner, the title and the file name a playlist is saved under.
// The first byte chooses the genre, stream type, format and template; the rest holds, cut at 0xFF
// bytes, the template, the station name, bitrate and id as a page gave them, and the "Max length"
// text.
#include "FuzzSupport.h"
#include "StationFileName.h"
#include "StationNameCleaner.h"

#include <QDir>
#include <algorithm>
#include <filesystem>

namespace {

const QString kRemovedCharacters = QStringLiteral("/\\:*?\"<>|()!~@");

qsizetype Separators(const QString& text) {
    return text.count(u'/') + text.count(u'\\');
}

// Controls, format characters, line and paragraph separators, or half a surrogate pair.
bool HasInvisibleCharacter(const QString& text) {
    const QList<uint> characters = text.toUcs4();
    return std::any_of(characters.cbegin(), characters.cend(), [](uint c) {
        const QChar::Category category = QChar::category(char32_t(c));
        return category == QChar::Other_Control || category == QChar::Other_Format ||
               category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
               category == QChar::Other_Surrogate;
    });
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
    FUZZ_CHECK(!HasInvisibleCharacter(cleaned));
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
    static const char* const templates[] = {nullptr, "%STATION%", "%GENRE%\\%RN%-%STATION%",
                                            "%STATION%/%BITRATE%/%RN%"};
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
    const QString title = StationTitle(entry.Name);
    FUZZ_CHECK(!HasInvisibleCharacter(title) && title == title.simplified());

    // The saver shortens the cleaned name to the limit, and names no file for a negative one.
    const int32_t limit = NameLimit(fields[4]);
    if (limit < 0) return 0;
    const QString shortened = ShortenedStationName(station, limit);
    FUZZ_CHECK(station.startsWith(shortened) && shortened.size() <= limit);
    FUZZ_CHECK(!HasInvisibleCharacter(shortened));

    const QString fileName = StationFileName(fileTemplate, shortened, entry, formatText);
    if (fileName.isEmpty()) return 0;
    const char* extension = formatText.contains(u"ASX")   ? ".asx"
                            : formatText.contains(u"M3U") ? ".m3u"
                                                          : ".pls";
    FUZZ_CHECK(fileName.endsWith(QLatin1String(extension)) && !HasInvisibleCharacter(fileName));
    // The file's own name is visible and fits the file system; the path converts without fail.
    const QString ownName = fileName.section(u'/', -1);
    FUZZ_CHECK(!ownName.startsWith(u'.') && !ownName.front().isSpace());
    FUZZ_CHECK(ownName.toUtf8().size() <= 255);
    bool converts = true;
    try {
        (void)std::filesystem::path(fileName.toStdU16String()).string();
    } catch (const std::exception&) {
        converts = false;
    }
    FUZZ_CHECK(converts);
    // What a macro put in is never read as a macro: the station's name stands in the file name
    // as it was, less what was cut.
    if (fileTemplate == u"%STATION%") FUZZ_CHECK(shortened.contains(fileName.chopped(4)));
    // Separators come from the template only, never from what a page sent (a "\" of the
    // template's may be cut off with the end of a long name).
    FUZZ_CHECK(Separators(fileName) <= Separators(fileTemplate));
    if (Separators(fileTemplate) == 0) FUZZ_CHECK(StaysInFolder(fileName));
    if (StaysInFolder(fileName)) CheckStaysInFolder(fileName);
    return 0;
}
