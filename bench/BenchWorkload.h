// A synthetic analysis output (sources, headers, error files, rules files) and its expected outcome.
#pragma once

#include <cstdint>
#include <string>

struct BenchWorkloadSize {
    int files = 50;             // analysed source files
    int linesPerFile = 400;     // lines of every source file and every header
    int diagnosticsPerFile = 200;
    int messageRules = 300;
    int parameterRules = 100;
    std::uint64_t seed = 1;
};

struct BenchWorkloadOutcome {
    std::int64_t diagnostics = 0;
    std::int64_t preSuppressed = 0;   // diagnostics covered by the analyser's own records
    std::int64_t messageMatches = 0;  // records the message rules append on the first run
    std::int64_t parameterMatches = 0; // records the parameter rules append on the first run
    std::int64_t largestErrorFile = 0; // bytes
    std::int64_t errorFileBytes = 0;
    std::int64_t sourceBytes = 0;
};

// Writes into the directory: src/fNNNN.cpp, src/inc/hNN.h, out/fNNNN.cpp.err, rules/suppressions.txt
// and rules/parameter_suppressions.txt. The directory must exist; its canonical path is used for
// the file names inside the error files.
BenchWorkloadOutcome generateBenchWorkload(const std::string& directory, const BenchWorkloadSize& size);

// Rules that a rules file gathers over the years: distinct, on message numbers spread over the
// analyser's range, never matching anything of the workload.
struct BenchGrownRules {
    int messageRules = 0;
    int parameterRules = 0;
    std::uint64_t seed = 2;
};

// Appends the grown rules to the two rules files of a workload made by generateBenchWorkload.
void appendGrownRules(const std::string& directory, const BenchGrownRules& grown);
