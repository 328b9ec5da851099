#include "StreamAddress.h"

#include <QUrl>

QString EncodedStreamAddress(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty()) return {};
    // QUrl gives the scheme in lower case, so "HTTP:" passes too.
    if (url.scheme() != u"http" && url.scheme() != u"https") return {};
    return QString::fromLatin1(url.toEncoded());
}
