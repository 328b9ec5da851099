#include "StationNameCleaner.h"

#include <algorithm>
#include <array>

namespace {

bool IsInvisible(char32_t c) {
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        default:
            return false;
    }
}

bool IsPlainAscii(QChar c) {
    return c.unicode() >= 0x20 && c.unicode() < 0x7F;
}

}  // namespace

void CleanStationName(QString& name) {
    name = WithoutInvisibleCharacters(name);
    // The order matters: "w/ww." only becomes "www." once the slash is gone.
    static const std::array<QString, 15> removed = {
        QStringLiteral("/"), QStringLiteral("\\"), QStringLiteral(":"),    QStringLiteral("*"),
        QStringLiteral("?"), QStringLiteral("\""), QStringLiteral("<"),    QStringLiteral(">"),
        QStringLiteral("|"), QStringLiteral("("),  QStringLiteral(")"),    QStringLiteral("!"),
        QStringLiteral("~"), QStringLiteral("@"),  QStringLiteral("www."),
    };
    for (const QString& text : removed) name.remove(text, Qt::CaseSensitive);
}

QString WithoutInvisibleCharacters(const QString& text) {
    // Most names are plain ASCII and keep every character.
    if (std::all_of(text.cbegin(), text.cend(), IsPlainAscii)) return text;
    QString kept;
    kept.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const QChar unit = text[i];
        qsizetype length = 1;
        char32_t c = unit.unicode();
        if (unit.isHighSurrogate() && i + 1 < size && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(unit, text[i + 1]);
            length = 2;
        }
        // Half a character is none: it would make the name unwritable.
        if (!(length == 1 && unit.isSurrogate()) && !IsInvisible(c))
            kept.append(text.constData() + i, length);
        i += length;
    }
    return kept;
}

QString StationTitle(const QString& name) {
    return WithoutInvisibleCharacters(name).simplified();
}
