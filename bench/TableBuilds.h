#pragma once
#include <QString>
#include <string>
#include <vector>

// The builds of the client a benchmark measures: this one (or the one
// DRAVIK_BENCH_TABLE names instead), and the one DRAVIK_BENCH_BASELINE_TABLE
// names, measured beside it in the same run so that a change shows before
// and after side by side. Each build's counters carry its prefix.
struct TableBuild {
    QString binary;
    std::string prefix;
};

inline std::vector<TableBuild> TableBuilds() {
    std::vector<TableBuild> builds{
        {qEnvironmentVariable("DRAVIK_BENCH_TABLE", QStringLiteral(DRAVIK_TABLE_BINARY)), "table"}};
    const QString baseline = qEnvironmentVariable("DRAVIK_BENCH_BASELINE_TABLE");
    if (!baseline.isEmpty()) builds.push_back({baseline, "baseline"});
    return builds;
}
