// One GET through the program's own HTTP request, with what the tests look at.
#pragma once

#include <QByteArray>
#include <QString>

struct Fetched {
    int status = 0;
    bool completed = false;
    QByteArray body;
    QString text;
    QString headers;
    qint64 elapsedMs = 0;
};

Fetched fetch(const QString& url);
