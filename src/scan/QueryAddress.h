// The directory query address of one result page.
#pragma once

#include <QString>

struct PageQuery {
    bool currentLayout = false;  // "New server": the main host's /index.jsp?
    int startOffset = 0;         // startat: (page number - 1) x page size
    int pageSize = 25;           // numresult; 25 is the directory's own and is not sent
    QString genre;               // sent as sgenre unless it is exactly "Search"
    QString maxBitrateText;      // sent as maxbitrate when longer than one character
    bool orderByBitrate = false;
    QString searchText;          // sent as s (blanks as "+") in search mode, unless it holds "&"
    // Asked of the live directory only; the other layouts filter after the page came.
    int minBitrate = 0;          // 0: no minimum
    QString streamText;          // "MP3", "AAC" or "<all>"
};

// Builds the address exactly as the directory has always been asked: numbers in plain decimal,
// nothing percent-encoded.
QString BuildQueryAddress(const PageQuery& query);
