// The progress line is rewritten in place with a carriage return; the time left is the points
// still to come at the average time of the points measured so far (the summary measurements
// before the first point are left out of that average).
#include "cli/progress.h"

#include <unistd.h>

#include <cstdio>

#include "app/panel_memory.h"
#include "engine/size_codes.h"
#include "platform/clock.h"

namespace cli {
namespace {

struct ProgressClock {
  bool shown = false;
  uint64_t frequency = 0;
  uint64_t firstPointCount = 0;   // counter at the first measured point
  uint64_t lastShownCount = 0;    // counter when the line was last rewritten
  std::size_t lastLength = 0;     // characters of the line now on screen
};
ProgressClock progressClock;

std::string sizeText(uint32_t code) {
  const double bytes = 4.0 * engine::blockDwords(code);
  char text[32];
  if (bytes < 1048576.0) {
    std::snprintf(text, sizeof text, "%7.1f KB", bytes / 1024.0);
  } else {
    std::snprintf(text, sizeof text, "%7.2f MB", bytes / 1048576.0);
  }
  return text;
}

std::string timeText(double seconds) {
  if (seconds < 0) return "--:--";
  const unsigned long s = static_cast<unsigned long>(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%lu:%02lu", s / 60, s % 60);
  return text;
}

// Rewrites the line in place, padded over a longer one before it.
void rewriteLine(std::string line) {
  ProgressClock& pc = progressClock;
  const std::size_t length = line.size();
  if (length < pc.lastLength) line.append(pc.lastLength - length, ' ');
  pc.lastLength = length;
  std::fprintf(stderr, "\r%s", line.c_str());
  std::fflush(stderr);
}

void showProgress(const app::RunProgress& progress) {
  ProgressClock& pc = progressClock;
  const uint64_t now = platform::queryPerfCounter();
  double perPoint = -1.0;
  if (progress.pointsDone == 1) pc.firstPointCount = now;
  if (progress.pointsDone >= 2 && pc.frequency != 0) {
    perPoint = static_cast<double>(now - pc.firstPointCount) / pc.frequency /
               (progress.pointsDone - 1);
  }
  // A terminal needs no more than ten lines a second; the last point is always shown.
  const bool last = progress.pointsDone == progress.pointsTotal;
  if (progress.pointsDone > 1 && !last && now - pc.lastShownCount < pc.frequency / 10) return;
  pc.lastShownCount = now;
  rewriteLine(progressLine(progress, perPoint));
}

} // namespace

std::string progressLine(const app::RunProgress& progress, double secondsPerPoint) {
  if (progress.pointsDone == 0) {
    return std::string(progress.testLabel) + ": measuring at 16 MB and 32 MB";
  }
  const uint32_t total = progress.pointsTotal ? progress.pointsTotal : 1;
  const uint32_t done = progress.pointsDone < total ? progress.pointsDone : total;
  char text[96];
  std::snprintf(text, sizeof text, "%-12s %s  %3u%%  ", progress.testLabel,
                sizeText(progress.sizeCode).c_str(), static_cast<unsigned>(done * 100ull / total));
  const double left = secondsPerPoint < 0 ? -1.0 : secondsPerPoint * (total - done);
  return std::string(text) + timeText(left) + " left";
}

std::string stepProgressLine(const char* mode, uint32_t done, uint32_t total,
                             double secondsPerStep) {
  char text[96];
  std::snprintf(text, sizeof text, "%s  step %u of %u  ", mode, done, total);
  const double left = secondsPerStep < 0 ? -1.0 : secondsPerStep * (total - done);
  return std::string(text) + timeText(left) + " left";
}

void showStepProgress(const char* mode, uint32_t done, uint32_t total) {
  ProgressClock& pc = progressClock;
  if (!pc.shown) return;
  const uint64_t now = platform::queryPerfCounter();
  if (done == 0) pc.firstPointCount = now;
  const double perStep = done == 0 || pc.frequency == 0
                             ? -1.0
                             : static_cast<double>(now - pc.firstPointCount) / pc.frequency / done;
  rewriteLine(stepProgressLine(mode, done, total, perStep));
}

void beginProgress() {
  progressClock = ProgressClock{};
  if (!isatty(fileno(stderr))) return;
  platform::queryPerfFrequency(progressClock.frequency);
  progressClock.shown = true;
  app::memoryPanel.progressSink = showProgress;
}

void clearProgressLine() {
  if (!progressClock.shown || progressClock.lastLength == 0) return;
  std::fprintf(stderr, "\r%s\r", std::string(progressClock.lastLength, ' ').c_str());
  std::fflush(stderr);
  progressClock.lastLength = 0;
}

void endProgress() {
  app::memoryPanel.progressSink = nullptr;
  clearProgressLine();
  progressClock.shown = false;
}

} // namespace cli
