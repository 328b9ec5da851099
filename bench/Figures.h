// Figures: the arithmetic and the printed line every benchmark ends with: a figure, its
// baseline from the same run, their ratio and the target the ratio is held to.
#pragma once

#include <sys/resource.h>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <vector>

inline rusage ProcessUsage() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage;
}

inline double Seconds(const timeval& t) {
    return t.tv_sec + t.tv_usec / 1e6;
}

// The processor time this process has used so far (user and system, all threads), in seconds.
inline double ProcessCpuSeconds() {
    const rusage usage = ProcessUsage();
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// The part of it spent in the kernel on the process's behalf (creating files, sockets, polls).
inline double ProcessSystemSeconds() {
    return Seconds(ProcessUsage().ru_stime);
}

// The middle value (the mean of the two middle ones for an even count); 0 for none.
inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One result line, e.g.
//   harvest 1000 stations   2.310 s   baseline 2.200 s   ratio 1.05   target <= 1.10   met
// A target of 0 or less means none.
inline void PrintFigure(const QString& what, double figure, double baseline, const char* unit,
                        double target) {
    const double ratio = baseline > 0 ? figure / baseline : 0;
    std::printf("%-34s %10.3f %-3s baseline %10.3f %-3s ratio %6.2f", qPrintable(what), figure,
                unit, baseline, unit, ratio);
    if (target > 0)
        std::printf("   target <= %.2f   %s", target, ratio <= target ? "met" : "MISSED");
    std::printf("\n");
    std::fflush(stdout);
}
