#include "FolderRecord.h"

#include "FolderHandle.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

const QString kMarker = QStringLiteral("radiosift genre folder");
constexpr int kVersion = 1;
// Far above what a run writes: a quarter of a kilobyte per file, a million files.
constexpr qint64 kLargestRecord = 256LL * 1024 * 1024;

bool IsSoundFileName(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.endsWith(QLatin1Char('/')))
        return false;
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control) return false;
    for (const QStringView step : QStringView(name).split(QLatin1Char('/')))
        if (step.isEmpty() || step.startsWith(QLatin1Char('.'))) return false;
    return true;
}

std::optional<RecordEntry> ReadEntry(const QJsonValue& value) {
    static const QRegularExpression hash(QStringLiteral("^[0-9a-f]{64}$"));
    const QJsonObject object = value.toObject();
    RecordEntry entry;
    entry.fileName = object.value(QLatin1String("file")).toString();
    entry.stationId = object.value(QLatin1String("station")).toString();
    entry.address = object.value(QLatin1String("address")).toString();
    const QString sha256 = object.value(QLatin1String("sha256")).toString();
    if (!value.isObject() || !IsSoundFileName(entry.fileName) || !hash.match(sha256).hasMatch())
        return std::nullopt;
    entry.sha256 = sha256.toLatin1();
    return entry;
}

}  // namespace

QByteArray FileHash(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray FolderRecordBytes(const QList<RecordEntry>& entries) {
    QJsonArray files;
    for (const RecordEntry& entry : entries) {
        files.append(QJsonObject{{QStringLiteral("file"), entry.fileName},
                                 {QStringLiteral("station"), entry.stationId},
                                 {QStringLiteral("address"), entry.address},
                                 {QStringLiteral("sha256"), QString::fromLatin1(entry.sha256)}});
    }
    const QJsonObject record{{QStringLiteral("record"), kMarker},
                             {QStringLiteral("version"), kVersion},
                             {QStringLiteral("files"), files}};
    return QJsonDocument(record).toJson(QJsonDocument::Indented);
}

std::optional<QList<RecordEntry>> ReadFolderRecordBytes(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject record = document.object();
    if (error.error != QJsonParseError::NoError ||
        record.value(QLatin1String("record")).toString() != kMarker ||
        record.value(QLatin1String("version")).toInt() != kVersion ||
        !record.value(QLatin1String("files")).isArray())
        return std::nullopt;
    QList<RecordEntry> entries;
    for (const QJsonValue& value : record.value(QLatin1String("files")).toArray()) {
        std::optional<RecordEntry> entry = ReadEntry(value);
        if (!entry) return std::nullopt;
        entries.append(std::move(*entry));
    }
    return entries;
}

FolderRecord ReadFolderRecord(const FolderHandle& folder) {
    FolderRecord found;
    const std::optional<QByteArray> bytes = folder.readFile(kFolderRecordName, kLargestRecord);
    // Something there that is no file that can be read (a link, a folder) is no record either.
    if (!bytes) return found;
    std::optional<QList<RecordEntry>> entries = ReadFolderRecordBytes(*bytes);
    found.state = entries ? FolderRecord::State::Read : FolderRecord::State::Unusable;
    if (entries) found.entries = std::move(*entries);
    return found;
}
