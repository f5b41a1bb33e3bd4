// The level finder on synthetic curves: sizes at 16 points an octave from 4 KB, each level a
// plateau with a rise of one octave into the next.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/latency/levels.h"

namespace {

using engine::LatencyPoint;

struct Level {
  double ns;
  double endKB;   // where the rise to the next level begins; 0 for the last level
};

// A curve over sizes 4 KB .. lastKB through levels; the rise out of each level runs over one
// octave, in log scale, to the next level.
std::vector<LatencyPoint> curve(const std::vector<Level>& levels, double lastKB) {
  std::vector<LatencyPoint> points;
  for (double kb = 4; kb <= lastKB * 1.0001; kb *= std::pow(2.0, 1.0 / 16)) {
    double ns = levels.back().ns;
    for (size_t k = 0; k < levels.size(); ++k) {
      const double end = levels[k].endKB;
      if (end == 0 || kb <= end) {
        ns = levels[k].ns;
        break;
      }
      if (kb < 2 * end) {   // in the rise towards level k + 1
        const double t = std::log2(kb / end);
        ns = levels[k].ns * std::pow(levels[k + 1].ns / levels[k].ns, t);
        break;
      }
    }
    points.push_back({static_cast<uint64_t>(kb * 1024), ns, ns * 3});
  }
  return points;
}

TEST(EngineLevels, SyntheticCurves) {
  struct Case {
    const char* what;
    std::vector<Level> levels;
    double lastKB;
    std::vector<double> endsKB;   // 0: the level the curve ends on
  };
  const Case cases[] = {
      {"three levels", {{1.2, 32}, {4, 512}, {100, 0}}, 65536, {45, 724, 0}},
      {"four levels", {{1.2, 48}, {4, 1024}, {16, 8192}, {120, 0}}, 262144, {68, 1448, 11585, 0}},
      {"no L3: L2 straight to memory", {{1, 32}, {5, 2048}, {90, 0}}, 65536, {45, 2896, 0}},
      {"ends inside the L3", {{1.2, 32}, {4, 512}, {16, 0}}, 4096, {45, 724, 0}},
      {"a flat curve is one level", {{90, 0}}, 65536, {0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<engine::FoundLevel> found = engine::findLevels(curve(c.levels, c.lastKB));
    ASSERT_EQ(found.size(), c.endsKB.size());
    for (size_t k = 0; k < found.size(); ++k) {
      EXPECT_NEAR(found[k].plateauNs, c.levels[k].ns, c.levels[k].ns * 0.05);
      EXPECT_NEAR(found[k].plateauCoreCycles, 3 * c.levels[k].ns, c.levels[k].ns * 0.15);
      if (c.endsKB[k] == 0) {
        EXPECT_EQ(found[k].endBytes, 0u);
      } else {   // the midpoint of the rise, within one size step
        EXPECT_NEAR(found[k].endBytes / 1024.0, c.endsKB[k], c.endsKB[k] * 0.05);
      }
    }
  }
}

TEST(EngineLevels, LoneSpikesAndANoisyTailMakeNoLevel) {
  std::vector<LatencyPoint> points = curve({{1.2, 32}, {4, 512}, {100, 0}}, 65536);
  points[10].ns = 50;                      // one disturbed point inside L1
  points[60].ns = 400;                     // and one inside L2
  for (size_t i = 140; i < points.size(); i += 2) points[i].ns *= 1.6;   // memory's noise
  const std::vector<engine::FoundLevel> found = engine::findLevels(points);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_NEAR(found[0].endBytes / 1024.0, 45, 3);
  EXPECT_NEAR(found[1].endBytes / 1024.0, 724, 40);
  EXPECT_EQ(found[2].endBytes, 0u);
}

TEST(EngineLevels, ALastWobbleIsNoRise) {
  std::vector<LatencyPoint> points = curve({{1.2, 32}, {4, 512}, {100, 0}}, 65536);
  for (size_t i = points.size() - 4; i < points.size(); ++i) points[i].ns *= 1.2;
  const std::vector<engine::FoundLevel> found = engine::findLevels(points);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[2].endBytes, 0u);
}

TEST(EngineLevels, ACurveEndingInARiseEndsTheLevelThere) {
  const std::vector<LatencyPoint> points = curve({{1.2, 32}, {4, 512}, {100, 0}}, 700);
  const std::vector<engine::FoundLevel> found = engine::findLevels(points);
  ASSERT_EQ(found.size(), 2u);
  // The last block the slope still counts as level: within a quarter octave before the rise.
  EXPECT_GT(found[1].endBytes / 1024.0, 512 / 1.19);
  EXPECT_LE(found[1].endBytes / 1024.0, 512);
  EXPECT_TRUE(engine::findLevels({}).empty());
}

} // namespace
