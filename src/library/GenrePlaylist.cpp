#include "GenrePlaylist.h"

#include "StationNameCleaner.h"
#include "StreamAddress.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Text for a quoted M3U attribute. A '"' would end the value early and let the rest read as
// attributes of its own; many players take the title from after the line's first comma, so an
// attribute holds none.
QString AttributeText(const QString& text) {
    return StationTitle(text).replace(QLatin1Char('"'), QLatin1Char('\'')).replace(u',', u' ');
}

// Text for XML: markup characters escaped, and the two characters XML may not hold at all left
// out (StationTitle and the address rule already keep controls away).
QString XmlText(const QString& text) {
    QString escaped = text.toHtmlEscaped();
    escaped.remove(QChar(0xFFFE));
    escaped.remove(QChar(0xFFFF));
    return escaped;
}

QString XmlElement(const char* name, const QString& text) {
    const QString tag = QLatin1String(name);
    return QStringLiteral("      <%1>%2</%1>").arg(tag, XmlText(text)) + kCrLf;
}

QString M3uText(const QString& genre, const QList<WrittenFile>& stations) {
    QString text = QStringLiteral("#EXTM3U") + kCrLf;
    const QString group = AttributeText(genre);
    for (const WrittenFile& station : stations) {
        text += QStringLiteral("#EXTINF:-1");
        // An encoded address holds no '"'; a comma in it is written as its escape, which names
        // the same resource.
        if (!station.logo.isEmpty()) {
            text +=
                QStringLiteral(" tvg-logo=\"%1\"")
                    .arg(QString(station.logo).replace(QLatin1Char(','), QStringLiteral("%2C")));
        }
        text += QStringLiteral(" group-title=\"%1\",").arg(group) + station.title + kCrLf;
        text += station.record.address + kCrLf;
    }
    return text;
}

QString XspfText(const QString& genre, const QList<WrittenFile>& stations) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + kCrLf +
                   QStringLiteral("<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">") +
                   kCrLf + QStringLiteral("  <title>%1</title>").arg(XmlText(StationTitle(genre))) +
                   kCrLf + QStringLiteral("  <trackList>") + kCrLf;
    for (const WrittenFile& station : stations) {
        text += QStringLiteral("    <track>") + kCrLf +
                XmlElement("location", station.record.address) + XmlElement("title", station.title);
        // The schema's order: location, title, info, image.
        if (!station.homepage.isEmpty()) text += XmlElement("info", station.homepage);
        if (!station.logo.isEmpty()) text += XmlElement("image", station.logo);
        text += QStringLiteral("    </track>") + kCrLf;
    }
    return text + QStringLiteral("  </trackList>") + kCrLf + QStringLiteral("</playlist>") + kCrLf;
}

}  // namespace

std::optional<GenrePlaylistFormat> GenrePlaylistFormatNamed(const QString& name) {
    if (name.compare(QLatin1String("m3u"), Qt::CaseInsensitive) == 0)
        return GenrePlaylistFormat::M3u;
    if (name.compare(QLatin1String("xspf"), Qt::CaseInsensitive) == 0)
        return GenrePlaylistFormat::Xspf;
    return std::nullopt;
}

QString GenrePlaylistFileName(const QString& folderName, GenrePlaylistFormat format) {
    return folderName +
           (format == GenrePlaylistFormat::M3u ? QStringLiteral(".m3u") : QStringLiteral(".xspf"));
}

QList<WrittenFile> GenrePlaylistStations(const QList<WrittenFile>& stations) {
    QList<WrittenFile> ready;
    ready.reserve(stations.size());
    for (WrittenFile station : stations) {
        station.record.address = EncodedStreamAddress(station.record.address);
        if (station.record.address.isEmpty()) continue;
        station.title = StationTitle(station.title);
        station.logo = EncodedStreamAddress(station.logo);
        station.homepage = EncodedStreamAddress(station.homepage);
        ready.append(std::move(station));
    }
    return ready;
}

QByteArray GenrePlaylistBytes(GenrePlaylistFormat format, const QString& genre,
                              const QList<WrittenFile>& stations) {
    return (format == GenrePlaylistFormat::M3u ? M3uText(genre, stations)
                                               : XspfText(genre, stations))
        .toUtf8();
}
