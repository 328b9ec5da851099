#include "QueryAddress.h"

#include "DirectoryHosts.h"

namespace {
const QString kSearchGenre = QStringLiteral("Search");
}

QString BuildQueryAddress(const PageQuery& query) {
    QString url = query.currentLayout
                      ? QStringLiteral("http://") + DirectoryHosts::mainHost() + QStringLiteral("/index.jsp?")
                      : QStringLiteral("http://") + DirectoryHosts::classicHost() +
                            QStringLiteral("/directory/index.phtml?");
    if (query.startOffset != 0) url += QStringLiteral("startat=") + QString::number(query.startOffset);
    if (query.pageSize != 25) {
        url += query.startOffset != 0 ? QStringLiteral("&numresult=") : QStringLiteral("numresult=");
        url += QString::number(query.pageSize);
    }
    if (query.genre != kSearchGenre) url += QStringLiteral("&sgenre=") + query.genre;
    if (query.maxBitrateText.size() > 1) url += QStringLiteral("&maxbitrate=") + query.maxBitrateText;
    if (query.orderByBitrate) url += QStringLiteral("&orderby=bitrate");
    if (query.genre == kSearchGenre && !query.searchText.isEmpty() &&
        !query.searchText.contains(QLatin1Char('&'))) {
        QString search = query.searchText;
        url += QStringLiteral("&s=") + search.replace(QLatin1Char(' '), QLatin1Char('+'));
    }
    return url;
}
