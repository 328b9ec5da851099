// Fuzz target: the one rule for stream addresses. The input is read once as an address and once
// as a playlist the directory sent, of which a PLS file keeps only its web entries.
#include "FuzzSupport.h"
#include "PlsReader.h"
#include "StreamAddress.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>
#include <algorithm>

namespace {

bool IsVisibleAscii(QChar c) {
    return c.unicode() > 0x20 && c.unicode() < 0x7F;
}

// An address that passes is plain visible ASCII, a web address even to a strict reader, and
// passes again unchanged.
void CheckAddress(const QString& address) {
    const QString encoded = EncodedStreamAddress(address);
    if (encoded.isEmpty()) return;
    FUZZ_CHECK(std::all_of(encoded.cbegin(), encoded.cend(), IsVisibleAscii));
    const QUrl strict(encoded, QUrl::StrictMode);
    FUZZ_CHECK(strict.isValid() && !strict.host().isEmpty());
    FUZZ_CHECK(strict.scheme() == u"http" || strict.scheme() == u"https");
    FUZZ_CHECK(EncodedStreamAddress(encoded) == encoded);
}

// Every File line kept holds a web address in its encoded form, the entries are numbered from 1
// without a gap and a count line says how many; no line holds a line break.
void CheckWebEntries(const QString& playlist) {
    static const QRegularExpression fileLine(QStringLiteral("^\\s*file\\s*0*(\\d+)\\s*="),
                                             QRegularExpression::CaseInsensitiveOption);
    const QStringList lines = WebEntriesOnly(playlist);
    qsizetype highest = 0;
    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        if (line.trimmed().startsWith(u"numberofentries", Qt::CaseInsensitive)) continue;
        const QRegularExpressionMatch match = fileLine.match(line);
        if (line.trimmed().startsWith(u"file", Qt::CaseInsensitive)) FUZZ_CHECK(match.hasMatch());
        if (!match.hasMatch()) continue;
        const QString address = line.section(u'=', 1);
        FUZZ_CHECK(EncodedStreamAddress(address) == address);
        const qsizetype number = match.captured(1).toLongLong();
        FUZZ_CHECK(number >= 1 && number <= highest + 1);
        highest = std::max(highest, number);
    }
    FUZZ_CHECK(lines.isEmpty() == (highest == 0));
    for (const QString& line : lines)
        if (line.trimmed().startsWith(u"numberofentries", Qt::CaseInsensitive))
            FUZZ_CHECK(line.section(u'=', 1) == QString::number(highest));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = DecodeInput(data, size);
    CheckAddress(text);
    CheckWebEntries(text);
    return 0;
}
