// StationSearch: the parameters of a JSON station search (/json/stations/search), read from the
// raw query text the way the community directory reads them.
#pragma once

#include <QByteArrayView>
#include <QString>

struct StationSearch {
    enum class Order { Name, Bitrate, ClickCount, Votes };

    QString name;            // name: a case-blind part of the name; empty keeps every name
    bool nameExact = false;  // nameExact=true: the whole name, case-blind
    QString tag;             // tag: a case-blind part of one of the tags; empty keeps all
    bool tagExact = false;   // tagExact=true: one whole tag, case-blind
    QString codec;           // codec: the whole codec, case-blind; empty keeps all
    QString countryCode;     // countrycode: the whole two-letter code, case-blind; empty keeps all
    QString language;        // language: a case-blind part of the languages; empty keeps all
    bool languageExact = false;  // languageExact=true: one whole language, case-blind
    // Bitrates compare as numbers; 0 is the directory's "unknown".
    int bitrateMin = 0;         // bitrateMin, kbit/s, inclusive
    int bitrateMax = 1000000;   // bitrateMax, kbit/s, inclusive
    Order order = Order::Name;  // order: name, bitrate, clickcount or votes; others read as name
    bool reverse = false;       // reverse=true: highest (or last by name) first
    int offset = 0;             // offset: stations passed over before the first one listed
    int limit = 100000;         // limit: stations listed at most
    bool hideBroken = false;    // hidebroken=true: stations whose last check failed are left out

    // Reads "tag=rock&order=bitrate&reverse=true&limit=25" and the like. Unknown keys are
    // ignored; a number that does not read, or a negative offset or limit, is ignored;
    // a key given twice takes its last value; true and false are read case-blind.
    static StationSearch fromRawQuery(QByteArrayView rawQuery);
};
