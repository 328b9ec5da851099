// The live community directory's answer: a JSON array of station objects, one entry each.
// Anything that is not such an array holds no entries; an element that is not an object is
// passed over, and a field that is missing or of another type reads as empty.
#include "EntryCutter.h"
#include "PageParser.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString TextField(const QJsonObject& station, QLatin1StringView key) {
    return station.value(key).toString();
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

class JsonEntry final : public EntryCutter {
public:
    qsizetype splitPage(const QString& page) override {
        m_stations = QJsonDocument::fromJson(page.toUtf8()).array();
        return m_stations.size();
    }

    bool cut(qsizetype i) override {
        const QJsonValue element = m_stations.at(i - 1);
        if (!element.isObject()) return false;
        m_station = element.toObject();
        return true;
    }

    void readStreamType(QString& streamType) const override {
        streamType = StreamTypeOf(TextField(m_station, QLatin1StringView("codec")));
    }

    void fill(StationEntry& entry) const override {
        entry.Rn = TextField(m_station, QLatin1StringView("stationuuid"));
        QString name = TextField(m_station, QLatin1StringView("name")).trimmed();
        name.removeIf([](QChar unit) { return unit == u'\t' || unit == u'\n' || unit == u'\r'; });
        entry.Name = name;
        const QJsonValue bitrate = m_station.value(QLatin1StringView("bitrate"));
        if (bitrate.isDouble() && bitrate.toInteger(-1) >= 0)
            entry.Bitrate = QString::number(bitrate.toInteger());
        entry.PlaylistLink = TextField(m_station, QLatin1StringView("url_resolved"));
        if (entry.PlaylistLink.isEmpty())
            entry.PlaylistLink = TextField(m_station, QLatin1StringView("url"));
        entry.HomeLink = TextField(m_station, QLatin1StringView("homepage"));
    }

private:
    QJsonArray m_stations;
    QJsonObject m_station;
};

}  // namespace

void PageParser::ParseJsonPage(int32_t maxStations) {
    JsonEntry cutter;
    walkPage(cutter, maxStations);
}
