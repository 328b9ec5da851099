#include "StationSearchAddress.h"

#include "TextOps.h"

#include <QUrl>

namespace {

QString Encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

}  // namespace

QString BuildStationSearchAddress(const QString& base, const PageQuery& query) {
    QString url = base + QStringLiteral("/json/stations/search?offset=%1&limit=%2&hidebroken=true")
                             .arg(query.startOffset)
                             .arg(query.pageSize);
    if (query.genre == u"Search") {
        const QString name = query.searchText.trimmed();
        if (!name.isEmpty()) url += QStringLiteral("&name=") + Encoded(name);
    } else if (query.genre != u"TopTen") {
        url += QStringLiteral("&tag=") + Encoded(query.genre.toLower());
    }
    url += query.orderByBitrate ? QStringLiteral("&order=bitrate&reverse=true")
                                : QStringLiteral("&order=clickcount&reverse=true");
    if (query.minBitrate > 0) url += QStringLiteral("&bitrateMin=%1").arg(query.minBitrate);
    const auto maxBitrate = static_cast<qint64>(LeadingNumber(query.maxBitrateText));
    if (maxBitrate > 0) url += QStringLiteral("&bitrateMax=%1").arg(maxBitrate);
    // The directory matches a codec exactly, and "AAC" takes in "AAC+": the page filter sorts
    // those out of an answer of every codec.
    if (query.streamText == u"MP3") url += QStringLiteral("&codec=MP3");
    return url;
}
