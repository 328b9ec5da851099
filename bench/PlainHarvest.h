// PlainHarvest: the harvest benchmark's baseline. A plain libcurl loop on one easy handle (so
// one connection) asks for the same addresses in the same order as the program did and writes
// the same files, and does nothing else.
#pragma once

#include "StationEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct PlainStep {
    QString target;    // path and query, as the directory logged it
    QString fileName;  // for a playlist: the file the program wrote it to; empty for a page
};

// Pairs the logged targets with the stations the program saved: the n-th playlist request is
// the n-th saved station. Throws std::runtime_error when they do not match.
QList<PlainStep> PlanFromLog(const QStringList& targets, const QList<StationEntry>& saved);

struct PlainOutcome {
    double seconds = 0;     // from the first request to the last file written
    double cpuSeconds = 0;  // processor time this process spent in that while
};

// Runs the steps against http://hostPort and writes each playlist to folder/genre/fileName,
// as the program does: the text with CR LF added, in Windows-1252. Throws std::runtime_error
// when a request fails.
PlainOutcome PlainHarvest(const QList<PlainStep>& steps, const QString& hostPort,
                          const QString& folder, const QString& genre);
