#include "PageCut.h"

#include <QStringList>

namespace {

// Positions here count from 0, so the program's "found above position 2" is an index of 2 or
// more.
QString typeAfter(const QString& text, QString type) {
    const std::pair<const char*, const char*> markers[] = {
        {"MP3</", "MP3"}, {"AAC+</", "AAC"}, {"OGG</", "OGG"}};
    for (const auto& [marker, name] : markers) {
        if (text.indexOf(QLatin1String(marker), 0, Qt::CaseInsensitive) >= 2)
            type = QLatin1String(name);
    }
    return type;
}

QString beforeClosingTag(const QString& text) {
    const qsizetype q = text.indexOf(QLatin1String("</"));
    return q >= 2 ? text.left(q).trimmed() : QString();
}

}  // namespace

QList<CutEntry> cutClassicPage(const QString& page) {
    const QString cell = QStringLiteral("size=\"2\" color=\"#FFFFFF\">");
    const QStringList pieces = page.split(QStringLiteral("<a href=\"/sbin/shoutcast-playlist.pls"));
    QList<CutEntry> entries;
    QString type;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QStringList f = pieces[i].split(QStringLiteral("&file=filename.pls"));
        if (f.size() < 2) continue;
        CutEntry entry;
        type = typeAfter(f[1], type);
        entry.type = type;
        entry.rn = f[0].mid(4);
        const QStringList g =
            f[1].split(QStringLiteral("<a id=\"listlinks\" target=\"_scurl\" href=\""));
        if (g.size() < 2) return entries;
        const qsizetype p = g[1].indexOf(QLatin1String("\">"));
        if (p >= 2) {
            entry.playlistLink = g[1].left(p);
            const qsizetype e = g[1].indexOf(QLatin1String("</a>"), p);
            if (e >= 2) {
                if (e - p - 2 < 0) return entries;
                entry.name = g[1].mid(p + 2, e - p - 2);
            }
        }
        const QStringList h = f[1].split(QStringLiteral("Now Playing:</font>"));
        if (h.size() >= 2) {
            entry.nowPlaying = beforeClosingTag(h[1]);
            const QStringList k = h[1].split(cell);
            if (k.size() < 3) return entries;
            entry.bitrate = beforeClosingTag(k[2]);
        } else {
            const QStringList k = f[1].split(cell);
            if (k.size() < 4) return entries;
            entry.bitrate = beforeClosingTag(k[3]);
        }
        entries.append(entry);
    }
    return entries;
}

QList<CutEntry> cutCurrentPage(const QString& page) {
    const QStringList pieces = page.split(QStringLiteral("dirMoreDtlDiv"));
    QList<CutEntry> entries;
    QString type;
    for (qsizetype i = 1; i < pieces.size(); ++i) {
        const QStringList b = pieces[i].split(QStringLiteral("dirMoreGnrDiv"));
        if (b.size() < 2) return entries;
        const QStringList c = b[1].split(QStringLiteral("dirListenersCnt"));
        if (c.size() < 4) continue;
        CutEntry entry;
        type = typeAfter(c[3], type);
        entry.type = type;
        const QStringList d = c[2].split(QStringLiteral("Bitrate:"));
        if (d.size() >= 2) {
            QString rest = d[1];
            const qsizetype span = rest.indexOf(QLatin1String("</span>"), 0, Qt::CaseInsensitive);
            if (span >= 0) rest.remove(span, 7);
            rest.remove(QStringLiteral("<span class=\"fontYellowColor\">"), Qt::CaseInsensitive);
            entry.bitrate = beforeClosingTag(rest);
        }
        const QStringList links = b[0].split(QStringLiteral("href=\""));
        const qsizetype p = links.size() >= 3 ? links[1].indexOf(QLatin1String("\">")) : -1;
        if (p >= 2) {
            entry.playlistLink = links[1].left(p);
            const qsizetype q = entry.playlistLink.indexOf(QLatin1String("id="));
            if (q >= 2) entry.rn = entry.playlistLink.mid(q + 3);
            const qsizetype r = links[2].indexOf(u'"');
            if (r >= 2) entry.homeLink = links[2].left(r);
            const qsizetype gt = links[2].indexOf(u'>');
            if (gt < 0) return entries;
            const qsizetype e = links[2].indexOf(QLatin1String("</a>"), gt);
            if (e >= 2) {
                if (e - gt - 2 < 0) return entries;
                entry.name = links[2].mid(gt + 2, e - gt - 2).trimmed();
                entry.name.remove(u'\t').remove(u'\n').remove(u'\r');
            }
        }
        entries.append(entry);
    }
    return entries;
}

QString asFetched(QString text) {
    return text.remove(u'\n').replace(u'\r', QStringLiteral("\r\n"));
}
