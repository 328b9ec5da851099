#include "GenreTags.h"

#include <QFile>
#include <QHash>

namespace {

QHash<QString, QStringList> ReadTable() {
    QHash<QString, QStringList> table;
    QFile file(QStringLiteral(":/radiosift/genre-tags.tsv"));
    if (!file.open(QIODevice::ReadOnly)) return table;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) continue;
        QStringList tags;
        for (const QString& tag : line.sliced(tab + 1).split(u',')) {
            const QString whole = tag.trimmed().toLower();
            if (!whole.isEmpty()) tags.append(whole);
        }
        table.insert(line.first(tab).trimmed(), tags);
    }
    return table;
}

}  // namespace

QStringList GenreTags(const QString& genre) {
    static const QHash<QString, QStringList> table = ReadTable();
    return table.value(genre);
}
