#include "DirectoryQuery.h"

QList<std::pair<QByteArray, QByteArray>> queryPieces(QByteArrayView rawQuery) {
    QList<std::pair<QByteArray, QByteArray>> pieces;
    for (const QByteArray& piece : rawQuery.toByteArray().split('&')) {
        if (piece.isEmpty()) continue;
        const qsizetype equals = piece.indexOf('=');
        pieces.append({equals < 0 ? piece : piece.left(equals),
                       equals < 0 ? QByteArray() : piece.mid(equals + 1)});
    }
    return pieces;
}

QString queryText(QByteArray value) {
    value.replace('+', ' ');
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

int queryNumber(const QByteArray& value, int fallback) {
    bool ok = false;
    const int number = value.toInt(&ok);
    return ok ? number : fallback;
}

DirectoryQuery DirectoryQuery::fromRawQuery(QByteArrayView rawQuery) {
    DirectoryQuery query;
    for (const auto& [key, value] : queryPieces(rawQuery)) {
        if (key == "startat") {
            query.startAt = qMax(0, queryNumber(value, 0));
        } else if (key == "numresult") {
            const int size = queryNumber(value, 25);
            query.numResult = size > 0 ? size : 25;
        } else if (key == "sgenre") {
            query.hasGenre = true;
            query.genre = queryText(value);
        } else if (key == "maxbitrate") {
            query.maxBitrate = qMax(0, queryNumber(value, 0));
        } else if (key == "orderby") {
            query.orderByBitrate = value == "bitrate";
        } else if (key == "s") {
            query.hasSearch = true;
            query.search = queryText(value);
        }
    }
    return query;
}
