#include "DirectoryQuery.h"

#include <QByteArray>
#include <QList>

namespace {

int toNumber(const QByteArray& value, int fallback) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

QString toText(QByteArray value) {
    value.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

}  // namespace

DirectoryQuery DirectoryQuery::fromRawQuery(QByteArrayView rawQuery) {
    DirectoryQuery query;
    const QList<QByteArray> pieces = rawQuery.toByteArray().split('&');
    for (const QByteArray& piece : pieces) {
        if (piece.isEmpty()) continue;
        const qsizetype equals = piece.indexOf('=');
        const QByteArray key = equals < 0 ? piece : piece.left(equals);
        const QByteArray value = equals < 0 ? QByteArray() : piece.mid(equals + 1);
        if (key == "startat") {
            query.startAt = qMax(0, toNumber(value, 0));
        } else if (key == "numresult") {
            const int size = toNumber(value, 25);
            query.numResult = size > 0 ? size : 25;
        } else if (key == "sgenre") {
            query.hasGenre = true;
            query.genre = toText(value);
        } else if (key == "maxbitrate") {
            query.maxBitrate = qMax(0, toNumber(value, 0));
        } else if (key == "orderby") {
            query.orderByBitrate = value == "bitrate";
        } else if (key == "s") {
            query.hasSearch = true;
            query.search = toText(value);
        }
    }
    return query;
}
