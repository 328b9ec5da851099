#include "HarvestSummary.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject Figures(const GenreTally& genre) {
    return {
        {QStringLiteral("written"), genre.written},
        {QStringLiteral("passed_over"),
         QJsonObject{{QStringLiteral("other_codec"), genre.otherCodec},
                     {QStringLiteral("duplicate_stream"), genre.duplicateStream},
                     {QStringLiteral("address_refused"), genre.addressRefused},
                     {QStringLiteral("name_taken"), genre.nameTaken},
                     {QStringLiteral("filtered"), genre.filtered}}},
        {QStringLiteral("not_saved"), genre.notSaved},
        {QStringLiteral("requests"), genre.requests},
    };
}

QString Line(const QString& name, const GenreTally& genre) {
    return QStringLiteral(
               "%1: %2 written; passed over: %3 other codec, %4 duplicate stream, %5 address "
               "refused, %6 name taken, %7 filtered; %8 not saved; %9 requests\n")
        .arg(name)
        .arg(genre.written)
        .arg(genre.otherCodec)
        .arg(genre.duplicateStream)
        .arg(genre.addressRefused)
        .arg(genre.nameTaken)
        .arg(genre.filtered)
        .arg(genre.notSaved)
        .arg(genre.requests);
}

}  // namespace

QString EndingName(HarvestEnding ending) {
    switch (ending) {
        case HarvestEnding::Done:
            return QStringLiteral("done");
        case HarvestEnding::NotSaved:
            return QStringLiteral("not-saved");
        case HarvestEnding::NoConnection:
            return QStringLiteral("no-connection");
        case HarvestEnding::Stopped:
            return QStringLiteral("stopped");
    }
    return {};
}

QString SummaryText(const HarvestSummary& summary) {
    QString text;
    for (const GenreTally& genre : summary.tally.genres) text += Line(genre.genre, genre);
    text += Line(QStringLiteral("Total"), summary.tally.total());
    const PruneTally& pruned = summary.pruned;
    if (summary.pruning) {
        text += QStringLiteral(
                    "Pruned: %1 removed (%2 of renamed stations), %3 left alone as "
                    "edited since, %4 could not be removed\n")
                    .arg(pruned.removed)
                    .arg(pruned.renamed)
                    .arg(pruned.changed)
                    .arg(pruned.failed);
    }
    text += QStringLiteral("Ended: %1 after %2 s\n")
                .arg(EndingName(summary.ending))
                .arg(summary.seconds, 0, 'f', 1);
    return text;
}

QByteArray SummaryJson(const HarvestSummary& summary) {
    QJsonArray genres;
    for (const GenreTally& genre : summary.tally.genres) {
        QJsonObject object = Figures(genre);
        object.insert(QStringLiteral("genre"), genre.genre);
        object.insert(QStringLiteral("folder"), genre.folder);
        genres.append(object);
    }
    const QJsonObject root{
        {QStringLiteral("ended"), EndingName(summary.ending)},
        {QStringLiteral("exit_status"), static_cast<int>(summary.ending)},
        {QStringLiteral("seconds"), summary.seconds},
        {QStringLiteral("genres"), genres},
        {QStringLiteral("total"), Figures(summary.tally.total())},
        {QStringLiteral("pruned"), QJsonObject{{QStringLiteral("removed"), summary.pruned.removed},
                                               {QStringLiteral("renamed"), summary.pruned.renamed},
                                               {QStringLiteral("edited"), summary.pruned.changed},
                                               {QStringLiteral("failed"), summary.pruned.failed}}},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}
