// The run as one JSON document (--json): program and time, processor, clocks, system, the
// options, the summary values, the result lines, and every measured point of every series
// with its bytes, MB/s (MB = 2^20 bytes), counter ticks, nanoseconds for latencies, and the
// lowest, highest and spread of repeated samples; the cache levels the latency curve shows. README describes the fields.
#pragma once
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/levels_report.h"
#include "cli/options.h"

namespace cli {

// A result line as the run printed it (Windows-1252): caption, blank, field text.
std::string resultLineText(int field);

// The document for the last run, UTF-8, ending in a line end; utcTime as "2026-12-07T10:00:00Z".
std::string jsonText(const CliOptions& options, const std::string& utcTime);

// The levels the last run's latency series shows, named against the processor's caches;
// empty without a latency series. test receives the series' name.
std::vector<MeasuredLevel> runLevels(std::string& test);

// The level summary of the last run ("levels"), its levels' sizes from CPUID or, where they
// win, from measured.
nlohmann::json runLevelSummary(const std::vector<MeasuredLevel>& measured);

// How steady the last run was (cli/steadiness.h).
nlohmann::json runSteadiness();

// What every document starts with: program, version, time, processor, clocks, system, options
// and memory.
nlohmann::json runHeaderJson(const CliOptions& options, const std::string& utcTime);
// The time now as "2026-12-07T10:00:00Z".
std::string utcNow();
// Writes a document to options.jsonPath ("-": standard output), as writeJson does.
int writeJsonText(const CliOptions& options, const std::string& text);

// Writes the document to options.jsonPath ("-": standard output); exitReportFailed with one
// line on standard error when it cannot be written.
int writeJson(const CliOptions& options);

} // namespace cli
