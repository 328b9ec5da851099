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
        const QString stream = EncodedStreamAddress(station.record.address);
        if (stream.isEmpty()) continue;
        text += QStringLiteral("#EXTINF:-1");
        // An encoded address holds no '"'; a comma in it is written as its escape, which names
        // the same resource.
        const QString logo =
            EncodedStreamAddress(station.logo).replace(QLatin1Char(','), QStringLiteral("%2C"));
        if (!logo.isEmpty()) text += QStringLiteral(" tvg-logo=\"%1\"").arg(logo);
        text +=
            QStringLiteral(" group-title=\"%1\",").arg(group) + StationTitle(station.title) + kCrLf;
        text += stream + kCrLf;
    }
    return text;
}

QString XspfText(const QString& genre, const QList<WrittenFile>& stations) {
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") + kCrLf +
                   QStringLiteral("<playlist version=\"1\" xmlns=\"http://xspf.org/ns/0/\">") +
                   kCrLf + QStringLiteral("  <title>%1</title>").arg(XmlText(StationTitle(genre))) +
                   kCrLf + QStringLiteral("  <trackList>") + kCrLf;
    for (const WrittenFile& station : stations) {
        const QString stream = EncodedStreamAddress(station.record.address);
        if (stream.isEmpty()) continue;
        text += QStringLiteral("    <track>") + kCrLf + XmlElement("location", stream) +
                XmlElement("title", StationTitle(station.title));
        // The schema's order: location, title, info, image.
        const QString homepage = EncodedStreamAddress(station.homepage);
        if (!homepage.isEmpty()) text += XmlElement("info", homepage);
        const QString logo = EncodedStreamAddress(station.logo);
        if (!logo.isEmpty()) text += XmlElement("image", logo);
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

QByteArray GenrePlaylistBytes(GenrePlaylistFormat format, const QString& genre,
                              const QList<WrittenFile>& stations) {
    return (format == GenrePlaylistFormat::M3u ? M3uText(genre, stations)
                                               : XspfText(genre, stations))
        .toUtf8();
}
