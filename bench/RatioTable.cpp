#include "RatioTable.h"

#include "Figures.h"

#include <benchmark/benchmark.h>

#include <QMap>
#include <cstring>
#include <string>

namespace {

// The console report, and beside it the median (or the only) time per call of each case.
class MedianKeeper : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const QString name = QString::fromStdString(run.run_name.str());
            const double perCallUs = run.GetAdjustedCPUTime() *
                                     benchmark::GetTimeUnitMultiplier(benchmark::kMicrosecond) /
                                     benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (median || (run.run_type == Run::RT_Iteration && !medians.contains(name)))
                medians[name] = perCallUs;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    QMap<QString, double> medians;
};

bool Given(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
    return false;
}

}  // namespace

int RunRatioTable(int argc, char** argv, const std::vector<RatioRow>& rows) {
    std::vector<std::string> defaults;
    if (!Given(argc, argv, "--benchmark_repetitions"))
        defaults.push_back("--benchmark_repetitions=5");
    if (!Given(argc, argv, "--benchmark_report_aggregates_only"))
        defaults.push_back("--benchmark_report_aggregates_only=true");
    if (!Given(argc, argv, "--benchmark_enable_random_interleaving"))
        defaults.push_back("--benchmark_enable_random_interleaving=true");
    std::vector<char*> arguments(argv, argv + argc);
    for (std::string& flag : defaults) arguments.push_back(flag.data());
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data())) return 1;
    MedianKeeper reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nmedian CPU time per call (the machine may be shared):\n");
    for (const RatioRow& row : rows) {
        if (!reporter.medians.contains(row.figure) || !reporter.medians.contains(row.baseline))
            continue;  // filtered out on the command line
        PrintFigure(row.label, reporter.medians[row.figure], reporter.medians[row.baseline], "us",
                    row.target);
    }
    return 0;
}
