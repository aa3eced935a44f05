#pragma once

#include "BenchRunner.h"

#include <iosfwd>

// Prints the benchmark's results: a table for people and, for each case, one line
// "BENCH {json}" for scripts.
class BenchReport
{
public:
    explicit BenchReport (std::ostream& out) : out (out) {}

    void header (const BenchSettings& settings);
    void caseTableHeader();
    void add (const BenchRunner::CaseResult& result);
    void memoryTableHeader (int instances, bool fromPeak);
    void add (const BenchRunner::MemoryResult& result);

    static juce::String json (const BenchRunner::CaseResult& result);
    static juce::String json (const BenchRunner::MemoryResult& result);

private:
    std::ostream& out;
};
