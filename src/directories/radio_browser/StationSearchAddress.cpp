#include "StationSearchAddress.h"

#include "GenreTags.h"
#include "TextOps.h"

#include <QUrl>

namespace {

QString Encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}

QStringList CodecsOf(const QString& streamText) {
    if (streamText == u"<all>") return {QString()};
    if (streamText == u"AAC") return {QStringLiteral("AAC"), QStringLiteral("AAC+")};
    return {streamText};
}

// The values of one filter as a list to loop over: none stands for "not asked".
QStringList OrNone(const QStringList& values) {
    return values.isEmpty() ? QStringList{QString()} : values;
}

}  // namespace

QList<StationQuery> GenreSearches(const PageQuery& window, const LiveFilters& filters) {
    QStringList tags = filters.tagGenres.contains(window.genre) ? QStringList{window.genre}
                                                                : GenreTags(window.genre);
    if (tags.isEmpty()) tags.append(QString());
    const auto maxBitrate = static_cast<int>(LeadingNumber(window.maxBitrateText));
    QList<StationQuery> searches;
    for (const bool unknownBitrate : {false, true}) {
        if (unknownBitrate && window.minBitrate <= 0) break;
        for (const QString& tag : tags) {
            for (const QString& codec : CodecsOf(window.streamText)) {
                for (const QString& country : OrNone(filters.countryCodes)) {
                    for (const QString& language : OrNone(filters.languages)) {
                        StationQuery query;
                        query.tag = tag;
                        if (window.genre == u"Search") query.name = window.searchText.trimmed();
                        query.codec = codec;
                        query.countryCode = country;
                        query.language = language;
                        query.bitrateMin = unknownBitrate ? 0 : window.minBitrate;
                        query.bitrateMax = unknownBitrate ? 0 : maxBitrate > 0 ? maxBitrate : -1;
                        query.orderByBitrate = window.orderByBitrate;
                        query.limit = window.pageSize;
                        searches.append(query);
                    }
                }
            }
        }
    }
    return searches;
}

QString BuildStationSearchAddress(const QString& base, const StationQuery& query) {
    QString url = base + QStringLiteral("/json/stations/search?offset=%1&limit=%2&hidebroken=true")
                             .arg(query.offset)
                             .arg(query.limit);
    if (!query.name.isEmpty()) url += QStringLiteral("&name=") + Encoded(query.name);
    if (!query.tag.isEmpty())
        url += QStringLiteral("&tag=%1&tagExact=true").arg(Encoded(query.tag));
    url += query.orderByBitrate ? QStringLiteral("&order=bitrate&reverse=true")
                                : QStringLiteral("&order=clickcount&reverse=true");
    if (query.bitrateMin > 0) url += QStringLiteral("&bitrateMin=%1").arg(query.bitrateMin);
    if (query.bitrateMax >= 0) url += QStringLiteral("&bitrateMax=%1").arg(query.bitrateMax);
    if (!query.codec.isEmpty()) url += QStringLiteral("&codec=") + Encoded(query.codec);
    if (!query.countryCode.isEmpty())
        url += QStringLiteral("&countrycode=") + Encoded(query.countryCode);
    if (!query.language.isEmpty())
        url += QStringLiteral("&language=%1&languageExact=true").arg(Encoded(query.language));
    return url;
}
