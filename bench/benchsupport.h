#pragma once

#include <QString>

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// A generated description of count settings of every kind, 50 to a
// category with the last five of each in a group, and one rule per ten
// settings; made once per count and kept. With allOnFirst, every setting
// but the first has one rule testing the first instead.
const QString &cachedDescription(int count, bool allOnFirst = false);

// Prints as usual and keeps each run's time per iteration for the ratios,
// every repetition's.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &reports) override;

    std::map<std::string, std::vector<double>> times;
};

// By name and argument; the run name may carry options after them. The
// median of the repetitions; 0 when the benchmark did not run.
double timeOf(const RatioReporter &reporter, const std::string &name);
