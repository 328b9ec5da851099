#include "Fetch.h"

#include "HttpRequest.h"

#include <QElapsedTimer>

Fetched fetch(const QString& url) {
    QElapsedTimer clock;
    clock.start();
    HttpRequest request;
    request.open(QStringLiteral("GET"), url);
    request.send();
    return {request.status(),
            request.completed(),
            request.responseBody(),
            request.responseText(),
            request.getAllResponseHeaders(),
            clock.elapsed()};
}
