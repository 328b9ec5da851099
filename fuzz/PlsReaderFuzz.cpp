// Fuzz target: picking the stream address out of a playlist the directory sent.
#include "FuzzSupport.h"
#include "PlsReader.h"

#include <QStringList>

namespace {

// Whether address is the value (everything after the first "=") of the File line of some
// entry: lines 2, 5, 8, ... counted from 0, as the reader goes by line numbers.
bool IsAFileValue(const QStringList& lines, const QString& address) {
    for (qsizetype line = 2; line < lines.size(); line += 3) {
        if (!lines[line].contains(u'=')) continue;
        QString value = lines[line].section(u'=', 1);
        while (value.endsWith(u'\r')) value.chop(1);
        if (value == address) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = DecodeInput(data, size);
    const QString address = PickStreamAddress(text);
    const QStringList lines = text.split(u'\n');

    // One line of the playlist, without the line end of either kind.
    FUZZ_CHECK(!address.contains(u'\n') && !address.endsWith(u'\r'));
    // Without four lines and a count line nothing is read.
    if (lines.size() < 4 || !lines[1].contains(u"NumberOfEnt", Qt::CaseInsensitive))
        FUZZ_CHECK(address.isEmpty());
    if (!address.isEmpty()) FUZZ_CHECK(IsAFileValue(lines, address));

    // A playlist with CR LF line ends gives the same address as with LF ones.
    QString lf = text;
    lf.remove(u'\r');
    QString crlf = lf;
    crlf.replace(QChar(u'\n'), QStringLiteral("\r\n"));
    FUZZ_CHECK(PickStreamAddress(lf) == PickStreamAddress(crlf));
    return 0;
}
