#include "FetchText.h"

#include <algorithm>

QString NormaliseLineEnds(const QString& text) {
    // The text between line ends is copied in runs, found with Qt's vector search: a page has
    // some 70 000 characters and only a line end every fifty or so. Removing and replacing
    // went over the page twice and moved its tail at every change.
    qsizetype lineFeed = text.indexOf(u'\n');
    qsizetype carriageReturn = text.indexOf(u'\r');
    if (lineFeed < 0 && carriageReturn < 0) return text;
    QString page;
    page.reserve(text.size() + text.size() / 32);
    const QStringView all(text);
    qsizetype start = 0;
    for (;;) {
        const qsizetype next = lineFeed < 0         ? carriageReturn
                               : carriageReturn < 0 ? lineFeed
                                                    : std::min(lineFeed, carriageReturn);
        if (next < 0) break;
        page.append(all.sliced(start, next - start));
        if (next == carriageReturn) {
            page.append(u"\r\n");
            carriageReturn = text.indexOf(u'\r', next + 1);
        } else {
            lineFeed = text.indexOf(u'\n', next + 1);  // dropped
        }
        start = next + 1;
    }
    page.append(all.sliced(start));
    return page;
}

QStringList SplitHeaderLines(const QString& headers) {
    QStringList lines;
    qsizetype position = 0;
    for (;;) {
        const qsizetype found = headers.indexOf(QStringLiteral("\r\n"), position);
        if (found < 0) break;
        QString line = headers.mid(position, found + 2 - position);
        line.remove(QLatin1Char('\r'));
        line.remove(QLatin1Char('\n'));
        lines.append(line);
        position = found + 1;  // the LF after the CR is dropped from the next piece
    }
    return lines;
}
