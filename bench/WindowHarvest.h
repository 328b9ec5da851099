// WindowHarvest: one harvest through the program's real main window, as a user would start
// it: every station of one genre (no bitrate filter, every stream type unless told), written as
// PLS files.
#pragma once

#include "StationEntry.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <functional>

struct HarvestOptions {
    QString downloadDir;  // where the genre folder goes
    QString genre = QStringLiteral("TopTen");
    QString stations = QStringLiteral("1000");  // an entry of the stations-per-genre list
    QString stream = QStringLiteral("<all>");   // the stream type
};

struct HarvestOutcome {
    double seconds = 0;         // from the click on Run to the end of the run
    double cpuSeconds = 0;      // processor time this process spent in that while
    double systemSeconds = 0;   // the part of it spent in the kernel
    bool done = false;          // the bar read "Done" at the end
    QString ending;             // what the bar read at the end
    QList<StationEntry> saved;  // the stations a playlist was asked for, in that order
};

// Creates and shows the main window, sets the options and clicks Run; the run is over when
// the click returns. 'beforeRun', when given, is called with the window shown and idle, just
// before the click; 'afterRun' once the run is over and the events it left have run, the window
// still shown. The window is gone afterwards.
HarvestOutcome HarvestThroughWindow(const HarvestOptions& options,
                                    const std::function<void()>& beforeRun = {},
                                    const std::function<void()>& afterRun = {});

// The main() of a benchmark that harvests through the window: starts the application (offscreen
// unless a platform is set), reads the command line with these options and returns what run
// returns; when run throws, the error is printed under the benchmark's name and 1 returned.
int WindowBenchMain(int argc, char** argv, const char* name,
                    const QList<QCommandLineOption>& options,
                    const std::function<int(const QCommandLineParser&)>& run);

// The main() of a benchmark that times harvests against the local directory: WindowBenchMain
// with the options --stations N (a count the window offers, 1000), --rounds R (timed rounds of
// each side, 5) and --delay-ms D (how long the directory waits before every answer, 0), which
// it hands to run as (N, R, D).
int HarvestBenchMain(int argc, char** argv, const char* name,
                     const std::function<int(int stations, int rounds, int delayMs)>& run);
