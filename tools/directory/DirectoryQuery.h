// The query keys of a directory page, read from the raw query text the way the directory
// reads them.
#pragma once

#include <QByteArrayView>
#include <QString>

struct DirectoryQuery {
    int startAt = 0;              // startat: offset of the first station listed
    int numResult = 25;           // numresult: stations per page
    bool hasGenre = false;        // sgenre given
    QString genre;                // sgenre, compared exactly
    int maxBitrate = 0;           // maxbitrate; 0 for none
    bool orderByBitrate = false;  // orderby=bitrate: highest bitrate first
    bool hasSearch = false;       // s given
    QString search;               // s, "+" read as a blank; a case-blind part of the name

    // Reads "startat=25&sgenre=Rock" and the like: pieces between "&" (empty pieces, such as
    // the one a leading "&" makes, are passed over), each a key, "=" and a value. Unknown keys
    // are ignored; a number that does not read falls back to the key's default; a key given
    // twice takes its last value. Values are taken as sent; "%" escapes are decoded where
    // they are well formed.
    static DirectoryQuery fromRawQuery(QByteArrayView rawQuery);
};
