#include "StationNameCleaner.h"

#include <array>

void CleanStationName(QString& name) {
    name = WithoutControlCharacters(std::move(name));
    // The order matters: "w/ww." only becomes "www." once the slash is gone.
    static const std::array<QString, 15> removed = {
        QStringLiteral("/"), QStringLiteral("\\"), QStringLiteral(":"),    QStringLiteral("*"),
        QStringLiteral("?"), QStringLiteral("\""), QStringLiteral("<"),    QStringLiteral(">"),
        QStringLiteral("|"), QStringLiteral("("),  QStringLiteral(")"),    QStringLiteral("!"),
        QStringLiteral("~"), QStringLiteral("@"),  QStringLiteral("www."),
    };
    for (const QString& text : removed) name.remove(text, Qt::CaseSensitive);
}

QString WithoutControlCharacters(QString text) {
    text.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
    return text;
}
