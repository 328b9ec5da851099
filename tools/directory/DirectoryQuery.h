// The query keys of a directory page, read from the raw query text the way the directory
// reads them.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <utility>

// The pieces of a raw query, "a=1&b=x" as {"a", "1"}, {"b", "x"}: pieces between "&", each a
// key, "=" and a value (a piece without "=" is a key with an empty value). Empty pieces, such as
// the one a leading "&" makes, are passed over. Values are left as sent.
QList<std::pair<QByteArray, QByteArray>> queryPieces(QByteArrayView rawQuery);
// A value as text: "+" read as a blank, well-formed "%" escapes decoded, UTF-8.
QString queryText(QByteArray value);
// A value as a number; 'fallback' when it does not read as one.
int queryNumber(const QByteArray& value, int fallback);

struct DirectoryQuery {
    int startAt = 0;              // startat: offset of the first station listed
    int numResult = 25;           // numresult: stations per page
    bool hasGenre = false;        // sgenre given
    QString genre;                // sgenre, compared exactly
    int maxBitrate = 0;           // maxbitrate; 0 for none
    bool orderByBitrate = false;  // orderby=bitrate: highest bitrate first
    bool hasSearch = false;       // s given
    QString search;               // s, "+" read as a blank; a case-blind part of the name

    // Reads "startat=25&sgenre=Rock" and the like (see queryPieces). Unknown keys are ignored;
    // a number that does not read falls back to the key's default; a key given twice takes its
    // last value.
    static DirectoryQuery fromRawQuery(QByteArrayView rawQuery);
};
