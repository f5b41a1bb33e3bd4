// Scales and label texts of the three axes. A linear Y axis has eight equal steps with the
// full scale at the seventh; a logarithmic one doubles from label to label. Label numbers are
// six characters, right-aligned behind blanks, as the fixed-width number writers make them.
#include "chart/axes.h"

#include <algorithm>
#include <cstring>

#include "chart/present.h"
#include "chart/text/format.h"
#include "engine/run/results.h"
#include "platform/syscolours.h"

namespace chart {

ChartState chartState;
AxisLabels axisLabels;

namespace {

constexpr int yLabelTop = 64;     // first tick label: 6 pixels above the top grid line
constexpr int labelHeight = 14;   // so each tick label is centred on its grid line
constexpr int xLabelLeft = 58;    // 12 pixels left of the first vertical grid line
constexpr int xLabelTop = 335;

// Saturates instead of wrapping: a label or scale beyond 32 bits stays the largest value.
uint32_t clamp32(uint64_t value) {
  return value > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value);
}

// Six characters for a Y tick: the number right-aligned behind blanks; a 0 on a logarithmic
// axis is left blank. A value above 999999 keeps all its digits (the label place clips it).
void formatYLabel(char* dest, uint32_t value, bool blankZero) {
  if (blankZero && value == 0) {
    std::strcpy(dest, "      ");
    return;
  }
  const int n = text::formatDecimal(dest, value, 6);
  dest[n] = '\0';
  text::blankLeadingZeros(dest);
}

// Four characters for an X tick and an optional unit letter ("  4K", " 128", " 16M").
void formatXLabel(char* dest, uint64_t value, char unit) {
  int n = text::formatDecimal(dest, clamp32(value), 4);
  if (unit) dest[n++] = unit;
  dest[n] = '\0';
  text::blankLeadingZeros(dest);
}

// A label paints its place in the window background and its text from the top-left corner.
// Our font is a little wider than the dialog font the places were sized for ("Block Size" by
// 3 pixels), so a text runs on to the right of its place rather than lose letters.
Rect labelExtent(Rect place, const char* label) {
  place.right = std::max(place.right, place.left + textWidth(label));
  return place;
}

void drawLabel(Canvas& target, Rect place, const char* label) {
  const Colour face = platform::buttonFaceColour();
  fillRect(target, face, place);
  drawText(target, place.left, place.top, label, platform::windowTextColour(), face,
           labelExtent(place, label));
}

// Keeps the texts of one axis, draws them into the window's canvas and shows them.
void setLabels(AxisLabel* labels, int count, Rect (*place)(int)) {
  Rect shown = place(0);
  for (int i = 0; i < count; ++i) {
    // A longer text drawn here before may have run past the place; its tail goes too.
    Rect r = labelExtent(place(i), labels[i].text);
    const int newRight = r.right;
    r.right = std::max(r.right, labels[i].drawnRight);
    fillRect(canvas, platform::buttonFaceColour(), r);
    labels[i].created = true;
    drawLabel(canvas, place(i), labels[i].text);
    labels[i].drawnRight = newRight;
    shown = {std::min(shown.left, r.left), std::min(shown.top, r.top),
             std::max(shown.right, r.right), std::max(shown.bottom, r.bottom)};
  }
  presentCanvasRegion(shown.left, shown.top, shown.right, shown.bottom);
}

void setText(AxisLabel& label, const char* value) {
  std::strncpy(label.text, value, sizeof label.text - 1);
  label.text[sizeof label.text - 1] = '\0';
}

Rect yLabelPlace(int index, int left, int width, int captionLeft) {
  if (index == 0) return {captionLeft, 50, captionLeft + 90, 50 + labelHeight};
  const int top = yLabelTop + 32 * (index - 1);
  return {left, top, left + width, top + labelHeight};
}

} // namespace

Rect bandwidthLabelPlace(int index) { return yLabelPlace(index, 26, 40, 18); }
Rect latencyLabelPlace(int index) { return yLabelPlace(index, 460, 45, 420); }

Rect xLabelPlace(int index) {
  if (index == 0) return {250, 350, 300, 350 + labelHeight};
  const int left = xLabelLeft + 32 * (index - 1);
  return {left, xLabelTop, left + 30, xLabelTop + labelHeight};
}

uint32_t bandwidthStep(uint32_t peakRate) {
  // Below 35 MB/s the multiple of 5 would be 0 and every point would divide by a zero scale.
  return std::max<uint32_t>(peakRate / 7 / 5 * 5, 5);
}

uint32_t latencyStep(uint32_t maxLatency, bool logarithmic) {
  uint32_t unit = maxLatency <= 3200 ? 100 : 200;
  if (logarithmic) {
    if (maxLatency <= 19200) unit = 3200;
    else if (maxLatency <= 38400) unit = 6400;
    else if (maxLatency <= 76800) unit = 12800;
  }
  const uint32_t q = maxLatency / 7;
  uint64_t n = q / unit;
  if (q % unit >= unit / 2) ++n;   // to the nearest multiple of the unit
  return std::max(clamp32(n * unit), unit);
}

uint32_t bandwidthLabelValue(uint32_t step, int k, bool logarithmic) {
  if (!logarithmic) return clamp32(uint64_t{step} * k);
  // The top label is the next multiple of 512 above 8 steps, so it is a power-of-two ladder.
  const uint64_t top = (uint64_t{step} * 8 & ~uint64_t{511}) + 512;
  return clamp32(top >> (8 - k));
}

uint32_t latencyLabelValue(uint32_t step, int k, bool logarithmic) {
  if (!logarithmic) return clamp32(uint64_t{step} * k / 100);
  const uint64_t top = uint64_t{step} * 8 / 100;
  return clamp32(top >> (8 - k));
}

void setBandwidthAxis(uint32_t peakRate, CheckedBoxes checked) {
  const bool shown = (checked & checkedBandwidthTests) != 0;
  const bool logarithmic = chartState.logYAxis != 0;
  const uint32_t step = bandwidthStep(peakRate);
  chartState.bandwidthFullScale = clamp32(uint64_t{step} * 7 * 100);
  AxisLabel* labels = axisLabels.bandwidth;
  setText(labels[0], shown ? "Bandwidth (MB/s)" : "");
  for (int i = 1; i <= yLabelCount; ++i) {
    if (shown) formatYLabel(labels[i].text, bandwidthLabelValue(step, 9 - i, logarithmic),
                            logarithmic);
    else labels[i].text[0] = '\0';
  }
  setLabels(labels, 1 + yLabelCount, bandwidthLabelPlace);
}

void setLatencyAxis(uint32_t maxLatency, CheckedBoxes checked) {
  const bool shown = (checked & checkedLatencyTests) != 0;
  const bool logarithmic = chartState.logYAxis != 0;
  const uint32_t step = latencyStep(maxLatency, logarithmic);
  chartState.latencyFullScale = clamp32(uint64_t{step} * 7);
  AxisLabel* labels = axisLabels.latency;
  setText(labels[0], shown ? "Latency (Cycles)" : "");
  for (int i = 1; i <= yLabelCount; ++i) {
    if (shown) formatYLabel(labels[i].text, latencyLabelValue(step, 9 - i, logarithmic),
                            logarithmic);
    else labels[i].text[0] = '\0';
  }
  setLabels(labels, 1 + yLabelCount, latencyLabelPlace);
}

void setBlockSizeAxis(uint32_t firstKb) {
  AxisLabel* labels = axisLabels.xAxis;
  setText(labels[0], "Block Size");
  for (int j = 0; j < xLabelCount; ++j) {
    const uint64_t kb = uint64_t{firstKb} << j;
    if (kb < 1024) formatXLabel(labels[1 + j].text, kb, 'K');
    else formatXLabel(labels[1 + j].text, kb / 1024, 'M');
  }
  setLabels(labels, 1 + xLabelCount, xLabelPlace);
}

void setStepAxis(uint32_t step) {
  AxisLabel* labels = axisLabels.xAxis;
  setText(labels[0], "Step");
  for (int j = 0; j < xLabelCount; ++j) {
    const uint64_t bytes = uint64_t{step} << j;
    if (bytes < 1024) formatXLabel(labels[1 + j].text, bytes, '\0');
    else if (bytes < 1024 * 1024) formatXLabel(labels[1 + j].text, bytes / 1024, 'K');
    else formatXLabel(labels[1 + j].text, bytes / (1024 * 1024), 'M');
  }
  setLabels(labels, 1 + xLabelCount, xLabelPlace);
}

void drawAxisLabels(Canvas& target) {
  for (int i = 0; i <= yLabelCount; ++i) {
    if (axisLabels.bandwidth[i].created)
      drawLabel(target, bandwidthLabelPlace(i), axisLabels.bandwidth[i].text);
    if (axisLabels.latency[i].created)
      drawLabel(target, latencyLabelPlace(i), axisLabels.latency[i].text);
  }
  for (int i = 0; i <= xLabelCount; ++i) {
    if (axisLabels.xAxis[i].created) drawLabel(target, xLabelPlace(i), axisLabels.xAxis[i].text);
  }
}

} // namespace chart
