#include "PageWriter.h"

#include "Catalogue.h"

namespace {

// The cell marker that the classic layout's table cells open with.
constexpr char kCell[] = "<font size=\"2\" color=\"#FFFFFF\">";
constexpr char kSmall[] = "<font size=\"1\" color=\"#9FB3C8\">";

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}
QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}
QByteArray number(int n) {
    return QByteArray::number(n);
}

QByteArray nameBytes(const CatalogueStation& station) {
    // Names go out as the directory stores them, unescaped: the program cuts them out of the
    // page by markers and never decodes HTML.
    return utf8(station.name);
}

int maxListeners(const CatalogueStation& station) {
    int sum = 0;
    for (const StreamServer& server : station.servers) sum += server.maxListeners;
    return sum;
}

}  // namespace

EntryLook EntryLook::of(const Misbehaviour& misbehaviour, int position) {
    if (misbehaviour.every < 1 || position % misbehaviour.every != 0) return {};
    return {misbehaviour.malformation};
}

PageWriter::PageWriter(PageLayout layout, const DirectoryQuery& query, QString hostPort,
                       int matches)
    : layout_(layout), query_(query), hostPort_(std::move(hostPort)), matches_(matches) {}

QByteArray PageWriter::head() const {
    return layout_ == PageLayout::Classic ? classicHead() : currentHead();
}

QByteArray PageWriter::entry(const CatalogueStation& station, int position,
                             const EntryLook& look) const {
    return layout_ == PageLayout::Classic ? classicEntry(station, position, look)
                                          : currentEntry(station, look);
}

QByteArray PageWriter::foot() const {
    return layout_ == PageLayout::Classic ? classicFoot() : currentFoot();
}

QString PageWriter::currentPlaylistLink(const QString& hostPort, const QString& rn) {
    return QStringLiteral("http://%1/playlist.pls?id=%2").arg(hostPort, rn);
}

QString PageWriter::title() const {
    if (query_.hasSearch) return QStringLiteral("Search: %1").arg(query_.search);
    if (query_.hasGenre) return query_.genre;
    return QStringLiteral("All stations");
}

QString PageWriter::pageLink(int startAt) const {
    const QString base = layout_ == PageLayout::Classic ? QStringLiteral("/directory/index.phtml?")
                                                        : QStringLiteral("/index.jsp?");
    QString link = base + QStringLiteral("startat=%1").arg(startAt);
    if (query_.numResult != 25) link += QStringLiteral("&numresult=%1").arg(query_.numResult);
    if (query_.hasGenre) link += QStringLiteral("&sgenre=") + query_.genre;
    if (query_.maxBitrate > 0) link += QStringLiteral("&maxbitrate=%1").arg(query_.maxBitrate);
    if (query_.orderByBitrate) link += QStringLiteral("&orderby=bitrate");
    if (query_.hasSearch)
        link += QStringLiteral("&s=") + QString(query_.search).replace(u' ', u'+');
    return link;
}

QByteArray PageWriter::pagingLinks(const char* previous, const char* next) const {
    QByteArray links;
    if (query_.startAt > 0) {
        links += "<a href=\"" + escaped(pageLink(qMax(0, query_.startAt - query_.numResult))) +
                 "\">" + previous + "</a> ";
    }
    if (query_.startAt + query_.numResult < matches_) {
        links += "<a href=\"" + escaped(pageLink(query_.startAt + query_.numResult)) + "\">" +
                 next + "</a>";
    }
    return links;
}

// Classic layout: one table row per station. The row's rank cell stands before the playlist
// link, so it ends the text of the entry before; the entry itself runs from the playlist link
// through the type, the name link (with the title playing), the listeners and the bitrate.

QByteArray PageWriter::classicHead() const {
    const int first = matches_ == 0 ? 0 : qMin(query_.startAt + 1, matches_);
    const int last = qMin(query_.startAt + query_.numResult, matches_);
    QByteArray html;
    html += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n<html>\n<head>\n";
    html += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n";
    html += "<title>Radio Directory - " + escaped(title()) + "</title>\n";
    html +=
        "<style type=\"text/css\">\n"
        "body { background-color: #0B2138; margin: 0; font-family: Arial, Helvetica, "
        "sans-serif; }\n"
        "a#listlinks { color: #FFFFFF; text-decoration: none; }\n"
        "a#listlinks:hover { text-decoration: underline; }\n"
        "</style>\n</head>\n<body>\n";
    html +=
        "<table width=\"100%\" border=\"0\" cellpadding=\"4\" cellspacing=\"0\" "
        "bgcolor=\"#06172A\">\n<tr>\n";
    html += "<td><font size=\"5\" color=\"#FFCC00\"><b>Radio Directory</b></font></td>\n";
    html +=
        "<td align=\"right\"><form action=\"/directory/index.phtml\" method=\"get\">"
        "<input type=\"text\" name=\"s\" size=\"24\"> <input type=\"submit\" "
        "value=\"Search\"></form></td>\n</tr>\n</table>\n";
    html += QByteArray("<p>") + kSmall + "Stations " + number(first) + " to " + number(last) +
            " of " + number(matches_) + " &middot; " + escaped(title()) + "</font></p>\n";
    html += "<table width=\"100%\" border=\"0\" cellpadding=\"3\" cellspacing=\"1\">\n";
    html += "<tr bgcolor=\"#1E3A5A\">\n";
    for (const char* column : {"Rank", "Tune In", "Type", "Station", "Listeners", "Bitrate"}) {
        html += QByteArray("<td>") + kSmall + "<b>" + column + "</b></font></td>\n";
    }
    html += "</tr>\n";
    return html;
}

QByteArray PageWriter::classicEntry(const CatalogueStation& station, int position,
                                    const EntryLook& look) const {
    const bool skipped = look.malformation == Malformation::SkippedEntry;
    const QByteArray listeners = number(station.listeners()) + "/" + number(maxListeners(station));
    QByteArray html;
    html += position % 2 ? "<tr bgcolor=\"#0F2A47\">\n" : "<tr bgcolor=\"#13335A\">\n";
    html += QByteArray("<td align=\"center\">") + kCell + number(query_.startAt + position) +
            ".</font></td>\n";
    html += "<td align=\"center\"><a href=\"/sbin/shoutcast-playlist.pls?rn=" + number(station.id) +
            (skipped ? "&amp;file=filename.pls" : "&file=filename.pls") +
            "\"><img src=\"/img/tunein.png\" width=\"42\" height=\"14\" border=\"0\" "
            "alt=\"Tune in\"></a></td>\n";
    html += QByteArray("<td align=\"center\">") + kSmall + utf8(streamTypeLabel(station.type)) +
            "</font></td>\n";
    html += QByteArray("<td>") + kCell + "[" + utf8(station.genre) + "]</font> ";
    html += "<a id=\"listlinks\" target=\"_scurl\" href=\"" + utf8(station.homepage) + "\">" +
            nameBytes(station) + "</a>\n";
    if (!station.nowPlaying.isEmpty()) {
        html += "<br><font color=\"#9FB3C8\"><font size=\"1\">Now Playing:</font> " +
                utf8(station.nowPlaying) + "</font>\n";
    }
    html += "</td>\n";
    for (const QByteArray& cell : {listeners, number(station.bitrate)})
        html += QByteArray("<td align=\"center\">") + kCell + cell + "</font></td>\n";
    html += "</tr>\n";
    return html;
}

QByteArray PageWriter::classicFoot() const {
    QByteArray html = "</table>\n<p align=\"center\">";
    html += pagingLinks("&lt;&lt; Previous", "Next &gt;&gt;");
    html += QByteArray("</p>\n<p align=\"center\">") + kSmall +
            "Radiosift local directory</font></p>\n</body>\n</html>\n";
    return html;
}

// Current layout: one block per station. The details block holds the playlist link first and
// the home-page link with the name second; the genre block and three counter blocks
// (listeners, bitrate, type) follow.

QByteArray PageWriter::currentHead() const {
    QByteArray html;
    html += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += "<title>" + escaped(title()) + " | Radio Directory</title>\n";
    html += "<link rel=\"stylesheet\" href=\"/css/directory.css\">\n</head>\n<body>\n";
    html += "<div id=\"header\"><a href=\"/index.jsp\" class=\"logo\">Radio Directory</a>\n";
    html +=
        "<form action=\"/index.jsp\" method=\"get\"><input type=\"text\" name=\"s\" "
        "placeholder=\"Search stations\"><button type=\"submit\">Search</button></form>\n"
        "</div>\n";
    html += "<ul id=\"genreNav\">\n";
    for (const QString& genre : Catalogue::genres()) {
        html +=
            "<li><a href=\"/index.jsp?sgenre=" + utf8(genre) + "\">" + utf8(genre) + "</a></li>\n";
    }
    html += "</ul>\n";
    html += "<div class=\"dirResultsInfo\">" + escaped(title()) + ": " + number(matches_) +
            " stations</div>\n<div class=\"dirList\">\n";
    return html;
}

QByteArray PageWriter::currentEntry(const CatalogueStation& station, const EntryLook& look) const {
    const QByteArray playlistLink =
        "<a href=\"" + utf8(currentPlaylistLink(hostPort_, QString::number(station.id))) +
        "\"><img src=\"/img/play.png\" alt=\"Tune in\"></a>\n";
    const QByteArray homeLink = "<a class=\"dirStationName\" href=\"" + utf8(station.homepage) +
                                "\" target=\"_blank\"> " + nameBytes(station) + "</a>\n";
    QByteArray html = "<div class=\"dirListItem\">\n<div class=\"dirMoreDtlDiv\">\n";
    html += "<div class=\"dirStationDiv\">";
    html += playlistLink + homeLink;
    html += "</div>\n";
    if (!station.nowPlaying.isEmpty()) {
        html +=
            "<div class=\"dirNowPlaying\">Now playing: " + utf8(station.nowPlaying) + "</div>\n";
    }
    html += "</div>\n";
    html += "<div class=\"dirMoreGnrDiv\">Genre: <span class=\"fontYellowColor\">" +
            utf8(station.genre) + "</span></div>\n";
    html += "<div class=\"dirListenersCnt\">Listeners: <span class=\"fontYellowColor\">" +
            number(station.listeners()) + "</span></div>\n";
    html += "<div class=\"dirListenersCnt\">Bitrate: <span class=\"fontYellowColor\">" +
            number(station.bitrate) + "</span></div>\n";
    if (look.malformation != Malformation::SkippedEntry) {
        html += "<div class=\"dirListenersCnt\">Type: <span class=\"fontYellowColor\">" +
                utf8(streamTypeLabel(station.type)) + "</span></div>\n";
    }
    html += "</div>\n";
    return html;
}

QByteArray PageWriter::currentFoot() const {
    QByteArray html = "</div>\n<div class=\"dirPaging\">";
    html += pagingLinks("Previous", "Next");
    html += "</div>\n<div id=\"footer\">Radiosift local directory</div>\n</body>\n</html>\n";
    return html;
}
