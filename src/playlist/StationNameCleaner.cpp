#include "StationNameCleaner.h"

#include <array>

void CleanStationName(QString& name) {
    // The order matters: "w/ww." only becomes "www." once the slash is gone.
    static const std::array<QString, 15> removed = {
        QStringLiteral("/"), QStringLiteral("\\"), QStringLiteral(":"),    QStringLiteral("*"),
        QStringLiteral("?"), QStringLiteral("\""), QStringLiteral("<"),    QStringLiteral(">"),
        QStringLiteral("|"), QStringLiteral("("),  QStringLiteral(")"),    QStringLiteral("!"),
        QStringLiteral("~"), QStringLiteral("@"),  QStringLiteral("www."),
    };
    for (const QString& text : removed) name.remove(text, Qt::CaseSensitive);
}
