#include "FetchText.h"

QString NormaliseLineEnds(const QString& text) {
    // One pass into a string of the final length; removing and then replacing went over a
    // page of 70 000 characters twice, moving its tail each time.
    const qsizetype lineFeeds = text.count(u'\n');
    const qsizetype returns = text.count(u'\r');
    if (lineFeeds == 0 && returns == 0) return text;
    QString page(text.size() - lineFeeds + returns, Qt::Uninitialized);
    QChar* out = page.data();
    for (const QChar unit : text) {
        if (unit == u'\n') continue;
        *out++ = unit;
        if (unit == u'\r') *out++ = u'\n';
    }
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
