#include "FetchText.h"

QString NormaliseLineEnds(const QString& text) {
    QString page = text;
    page.remove(QLatin1Char('\n'));
    page.replace(QLatin1Char('\r'), QStringLiteral("\r\n"));
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
