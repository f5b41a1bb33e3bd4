// --c2c and --node-matrix: the matrices, printed with processors (or memory nodes) as rows and
// columns once every cell is measured, then the JSON.
#include <cstdio>
#include <string>

#include "cli/console.h"
#include "cli/load_preparation.h"
#include "cli/load_results.h"
#include "cli/modes.h"
#include "cli/progress.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/memory.h"
#include "platform/numa.h"
#include "platform/threads.h"

namespace cli {
namespace {

std::string nsText(uint32_t tickHundredths) {
  if (tickHundredths == 0) return "-";
  const uint64_t ns = nsFromTickHundredths(tickHundredths);
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%02llu", static_cast<unsigned long long>(ns / 100),
                static_cast<unsigned long long>(ns % 100));
  return text;
}

std::string rateText(uint32_t rate) {
  if (rate == 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%u.%02u", rate / 100, rate % 100);
  return text;
}

void pairDone(uint32_t done, uint32_t total) { showStepProgress("c2c", done, total); }
void cellDone(uint32_t done, uint32_t total) { showStepProgress("node matrix", done, total); }

// A matrix with row and column labels; cell(i, j) gives each field's text.
template <typename Cell>
void printMatrix(const char* corner, const char* label, uint32_t count, Cell cell) {
  std::printf("%10s", corner);
  for (uint32_t j = 0; j < count; ++j) std::printf(" %10s", (label + std::to_string(j)).c_str());
  std::printf("\n");
  for (uint32_t i = 0; i < count; ++i) {
    std::printf("%10s", (label + std::to_string(i)).c_str());
    for (uint32_t j = 0; j < count; ++j) std::printf(" %10s", cell(i, j).c_str());
    std::printf("\n");
  }
  flushStandardOutput();
}

} // namespace

std::string nodeProcessorsText(uint32_t node) {
  uint32_t indexes[64];
  const uint32_t count = platform::nodeProcessors(node, indexes, 64);
  std::string text;
  for (uint32_t k = 0; k < count && k < 64; ++k) {
    text += (k ? "," : "") + std::to_string(platform::processorNumber(indexes[k]));
  }
  return text.empty() ? "none" : text;
}

int runC2cMode(const CliOptions& options) {
  LoadPreparation prep;
  prep.modeName = "--c2c";
  prep.minThreads = 2;
  prep.reserveAreas = false;
  if (const int status = prepareLoadMode(options, prep); status != exitOk) return status;
  engine::raisePriority();
  beginProgress();
  showStepProgress("c2c", 0, prep.threads * (prep.threads - 1));
  const bool ok = engine::measureC2cMatrix(prep.threads, loadResults.c2c, pairDone);
  endProgress();
  engine::restorePriority();
  if (!ok) {
    std::fprintf(stderr, "tidewell32: the threads of a processor pair could not be started\n");
    return exitStartupFailed;
  }
  std::printf("# half a round trip of one cache line in ns, from the row's processor to the "
              "column's\n");
  const engine::C2cMatrix& m = loadResults.c2c;
  printMatrix("from\\to", "cpu", m.count, [&](uint32_t i, uint32_t j) {
    return std::string(i == j ? "-" : nsText(m.tickHundredths[i][j]));
  });
  return finishLoadMode(options);
}

int runNodeMatrixMode(const CliOptions& options) {
  LoadPreparation prep;
  prep.modeName = "--node-matrix";
  prep.reserveAreas = false;
  if (const int status = prepareLoadMode(options, prep); status != exitOk) return status;
  const uint64_t bytes = loadResults.blockBytes;
  if (platform::freePhysicalBytes() < bytes + engine::systemReserveBytes) {
    std::fprintf(stderr, "tidewell32: the node matrix needs %llu MB of free memory for a node's "
                 "block (MB = 2^20 bytes)\n", static_cast<unsigned long long>(
                     (bytes + engine::systemReserveBytes) >> 20));
    return exitStartupFailed;
  }
  loadResults.peakBytes = engine::workingMemory.testAllocationSize + bytes;
  engine::raisePriority();
  beginProgress();
  std::string missing;
  const bool ok = engine::measureNodeMatrix(prep.code, loadResults.nodes, missing, cellDone);
  endProgress();
  engine::restorePriority();
  if (!ok) {
    std::fprintf(stderr, "tidewell32: the system refused %s\n", missing.c_str());
    return exitStartupFailed;
  }
  const engine::NodeMatrix& m = loadResults.nodes;
  if (m.nodes == 1) {
    std::printf("The system has one memory node (node 0: processors %s).\n",
                nodeProcessorsText(0).c_str());
  }
  std::printf("# idle random latency in ns, threads on the row's node, memory on the column's\n");
  printMatrix("threads\\mem", "node", m.nodes,
              [&](uint32_t i, uint32_t j) { return nsText(m.tickHundredths[i][j]); });
  std::printf("# read bandwidth in MB/s of all the row's processors\n");
  printMatrix("threads\\mem", "node", m.nodes,
              [&](uint32_t i, uint32_t j) { return rateText(m.rate[i][j]); });
  return finishLoadMode(options);
}

} // namespace cli
