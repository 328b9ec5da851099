// RatioTable: runs the registered Google Benchmark cases with repetitions, keeps the median
// time per call of each, and prints every figure against its baseline from the same run.
#pragma once

#include <QString>
#include <vector>

struct RatioRow {
    QString label;     // what the printed line calls the figure
    QString figure;    // benchmark name of the figure
    QString baseline;  // benchmark name of its baseline
    double target;     // highest acceptable ratio; 0 for none
};

// Initialises Google Benchmark from the command line, adding repetitions (5), medians only and
// interleaved repetitions unless the command line says otherwise; runs every benchmark and
// prints its report, then the rows, in microseconds per call. Returns the exit status.
int RunRatioTable(int argc, char** argv, const std::vector<RatioRow>& rows);
