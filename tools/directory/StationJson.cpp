#include "StationJson.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QByteArray compact(const QJsonValue& value) {
    if (value.isObject()) return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    // The writer takes only arrays and objects: a lone value is written inside one.
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

QJsonValue notAnObject(const CatalogueStation& station, int variant) {
    switch (variant % 5) {
        case 0:
            return 42;
        case 1:
            return QStringLiteral("Station");
        case 2:
            return QJsonValue::Null;
        case 3:
            return true;
        default:
            return QJsonArray{stationObject(station)};
    }
}

QJsonObject withoutFields(QJsonObject object, int variant) {
    switch (variant % 3) {
        case 0:
            object.remove(QStringLiteral("name"));
            return object;
        case 1:
            object.remove(QStringLiteral("url"));
            object.remove(QStringLiteral("url_resolved"));
            return object;
        default:
            return {};
    }
}

QJsonObject mistyped(const CatalogueStation& station, int variant) {
    QJsonObject object = stationObject(station);
    for (const char* number : {"bitrate", "clickcount", "votes", "hls", "lastcheckok"}) {
        const QString key = QLatin1String(number);
        object[key] = QString::number(object[key].toInt());
    }
    if (variant % 2) return object;
    object[QStringLiteral("changeuuid")] = QJsonValue::Null;
    object[QStringLiteral("stationuuid")] = station.id;
    object[QStringLiteral("name")] = QJsonArray{station.name};
    object[QStringLiteral("url")] = QJsonObject{{QStringLiteral("href"), station.url}};
    object[QStringLiteral("url_resolved")] = true;
    object[QStringLiteral("homepage")] = 0;
    object[QStringLiteral("favicon")] = false;
    object[QStringLiteral("tags")] = QJsonArray::fromStringList(station.tags.split(u','));
    object[QStringLiteral("countrycode")] = 49;
    object[QStringLiteral("codec")] = 3;
    return object;
}

}  // namespace

QJsonObject stationObject(const CatalogueStation& station) {
    return {
        {QStringLiteral("changeuuid"), station.changeUuid},
        {QStringLiteral("stationuuid"), station.uuid},
        {QStringLiteral("name"), station.name},
        {QStringLiteral("url"), station.url},
        {QStringLiteral("url_resolved"), station.urlResolved},
        {QStringLiteral("homepage"), station.homepage},
        {QStringLiteral("favicon"), station.favicon},
        {QStringLiteral("tags"), station.tags},
        {QStringLiteral("countrycode"), station.countryCode},
        {QStringLiteral("language"), station.languages},
        {QStringLiteral("codec"), station.codec},
        {QStringLiteral("bitrate"), station.bitrate},
        {QStringLiteral("hls"), station.hls ? 1 : 0},
        {QStringLiteral("lastcheckok"), station.lastCheckOk ? 1 : 0},
        {QStringLiteral("clickcount"), station.listeners()},
        {QStringLiteral("votes"), station.votes},
    };
}

QByteArray stationElement(const CatalogueStation& station, const Misbehaviour& misbehaviour,
                          int position) {
    const int every = misbehaviour.every;
    if (misbehaviour.jsonFlaw == JsonFlaw::None || every < 1 || position % every != 0)
        return compact(stationObject(station));
    const int variant = position / every - 1;
    switch (misbehaviour.jsonFlaw) {
        case JsonFlaw::NotAnObject:
            return compact(notAnObject(station, variant));
        case JsonFlaw::MissingFields:
            return compact(withoutFields(stationObject(station), variant));
        case JsonFlaw::MistypedFields:
            return compact(mistyped(station, variant));
        case JsonFlaw::HostileName: {
            const QStringList names = Misbehaviour::hostileNames();
            QJsonObject object = stationObject(station);
            object[QStringLiteral("name")] = names[variant % names.size()];
            return compact(object);
        }
        case JsonFlaw::None:
            break;
    }
    return compact(stationObject(station));
}
