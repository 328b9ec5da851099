// The end of a harvest as radiosift-harvest reports it: a few lines of text, or one JSON object
// whose keys stay as they are from one version to the next (see radiosift-harvest(1)).
#pragma once

#include "GenreLibrary.h"
#include "RunTally.h"

#include <QByteArray>
#include <QString>

// How a run ended, and the exit status that tells it to a script.
enum class HarvestEnding {
    Done = 0,          // every genre got what was asked, or all its directory had
    NotSaved = 1,      // stations passed the filters but could not be written
    NoConnection = 3,  // no server answered
    Stopped = 4,       // stopped by a signal
};

struct HarvestSummary {
    RunTally tally;
    HarvestEnding ending = HarvestEnding::Done;
    double seconds = 0;
    bool pruning = false;  // --prune was given
    PruneTally pruned;
};

// "done", "not-saved", "no-connection" or "stopped".
QString EndingName(HarvestEnding ending);
// One line a genre, a total line and, when pruning, a line of what was pruned, each ending in a
// line end.
QString SummaryText(const HarvestSummary& summary);
// {"ended", "exit_status", "seconds", "genres": [...], "total": {...}, "pruned": {"removed",
// "renamed", "edited", "failed"}}, with a line end.
QByteArray SummaryJson(const HarvestSummary& summary);
