#include "JsonPageParser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

// Longest field kept, in UTF-16 units: room for any real name or address, none for a flood.
constexpr qsizetype kLongestName = 1024;
constexpr qsizetype kLongestAddress = 4096;
constexpr qsizetype kLongestWord = 64;  // ids and codecs

// The field as text, cut to at most 'longest' units at a whole character; empty when missing or
// of another type.
QString TextField(const QJsonObject& station, QLatin1StringView key, qsizetype longest) {
    QString text = station.value(key).toString();
    if (text.size() > longest) {
        text.truncate(longest);
        if (text.back().isHighSurrogate()) text.chop(1);
    }
    return text;
}

// The directory's codec names, as the window's stream types name them.
QString StreamTypeOf(const QString& codec) {
    if (codec == u"MP3") return QStringLiteral("MP3");
    if (codec == u"AAC" || codec == u"AAC+") return QStringLiteral("AAC");
    if (codec == u"OGG") return QStringLiteral("OGG");
    // Any other codec goes into file names ("%STREAM%") as it stands, less path separators.
    QString type = codec;
    type.removeIf([](QChar unit) { return unit == u'/' || unit == u'\\'; });
    return type;
}

LiveStation ReadStation(const QJsonObject& object) {
    LiveStation station;
    station.uuid = TextField(object, QLatin1StringView("stationuuid"), kLongestWord);
    station.name = TextField(object, QLatin1StringView("name"), kLongestName).trimmed();
    station.name.removeIf(
        [](QChar unit) { return unit == u'\t' || unit == u'\n' || unit == u'\r'; });
    station.streamType = StreamTypeOf(TextField(object, QLatin1StringView("codec"), kLongestWord));
    const QJsonValue bitrate = object.value(QLatin1StringView("bitrate"));
    if (bitrate.isDouble() && bitrate.toInteger(-1) >= 0)
        station.bitrate = QString::number(bitrate.toInteger());
    station.clicks = object.value(QLatin1StringView("clickcount")).toInteger(0);
    station.url = TextField(object, QLatin1StringView("url"), kLongestAddress).trimmed();
    station.urlResolved =
        TextField(object, QLatin1StringView("url_resolved"), kLongestAddress).trimmed();
    station.homepage = TextField(object, QLatin1StringView("homepage"), kLongestAddress);
    station.favicon = TextField(object, QLatin1StringView("favicon"), kLongestAddress);
    return station;
}

bool NamesPlaylistFile(const QString& address) {
    const QString path = QUrl(address).path();
    for (const QStringView extension : {u".pls", u".m3u", u".asx", u".xspf"})
        if (path.endsWith(extension, Qt::CaseInsensitive)) return true;
    return false;
}

}  // namespace

QString LiveStation::streamAddress() const {
    return url.isEmpty() || (NamesPlaylistFile(url) && !urlResolved.isEmpty()) ? urlResolved : url;
}

StationEntry LiveStation::entry(const QString& genre) const {
    StationEntry entry;
    entry.Name = name;
    entry.Genre = genre;
    entry.Bitrate = bitrate;
    entry.StreamType = streamType;
    entry.HomeLink = homepage;
    entry.Logo = favicon;
    entry.PlaylistLink = streamAddress();
    entry.Rn = uuid;
    return entry;
}

std::optional<JsonStationPage> ReadJsonStationPage(const QString& text, int limit) {
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (!document.isArray()) return std::nullopt;
    const QJsonArray array = document.array();
    JsonStationPage page;
    page.elements = std::min<qsizetype>(array.size(), std::max(limit, 0));
    for (qsizetype i = 0; i < page.elements; ++i) {
        const QJsonValue element = array.at(i);
        if (element.isObject()) page.stations.append(ReadStation(element.toObject()));
    }
    return page;
}
