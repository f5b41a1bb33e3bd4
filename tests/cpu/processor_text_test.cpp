// The composed processor line, from recorded CPUID leaves of real processors and from worked
// examples: prefix, name, clock text, core tag and core name without separators.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cpu/names.h"
#include "tests/cpu/cpuid_replay.h"
#include "tests/cpu/recorded_processors.h"

namespace {

using cputest::RecordedLeaf;
using namespace cputest::recorded;

std::string composedText(const std::vector<RecordedLeaf>& leaves, const char* clockText) {
  cpu::CpuInfo info = cputest::identifyRecorded(leaves);
  cpu::nameProcessor(info, clockText);
  return info.processorText;
}

TEST(CpuRecordedProcessors, ComposedLines) {
  struct TextCase {
    const char* processor;
    const std::vector<RecordedLeaf>* leaves;
    const char* clockText;
    const char* expected;
  };
  const TextCase cases[] = {
      {"EPYC virtual machine", &epycVirtualMachine, " 2445,43 MHz",
       "AMD EPYC 2445,43 MHz   Core: [0F11] Zen 3 Milan"},
      {"Ryzen 5 7600X", &ryzen7600x, " 4700,12 MHz",
       "AMD Ryzen 5 7600X 6-Core Processor 4700,12 MHz   Core: [0F12] Zen 4 Raphael"},
      {"Core i7-13700HX", &corei7_13700hx, " 2100,00 MHz",
       "13th Gen Intel(R) Core(TM) i7-13700HX 2100,00 MHz   Core: [06F2] Raptor Lake"},
      {"Pentium III Coppermine", &pentium3Coppermine, "  801,93 MHz",
       "Intel Pentium\xAEIII  801,93 MHz   Core: [0683] Coppermine 0.18 \xB5m"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.processor);
    EXPECT_EQ(composedText(*c.leaves, c.clockText), std::string(c.expected));
  }
}

TEST(CpuRecordedProcessors, FlagsOfRecordedProcessors) {
  for (const auto* leaves : {&epycVirtualMachine, &ryzen7600x, &corei7_13700hx, &pentium3Coppermine}) {
    const cpu::CpuInfo info = cputest::identifyRecorded(*leaves);
    EXPECT_TRUE(info.hasTsc);
    EXPECT_TRUE(info.hasMmx);
    EXPECT_TRUE(info.hasSse);
  }
}

TEST(CpuProcessorText, WorkedExamples) {
  struct TextCase {
    const char* vendorId;
    uint32_t eax;
    uint8_t brandIndex;
    const char* clockText;
    const char* expected;
  };
  const TextCase cases[] = {
      // An unknown vendor's string runs straight into the clock's leading blanks.
      {"VIA VIA VIA ", 0x00900F01, 0, " 2000,00 MHz",
       "VIA VIA VIA  2000,00 MHz   Core: [0F01] Unknown"},
      {"CentaurHauls", 0x0678, 0, "  866,50 MHz", "VIA C3\xAE  866,50 MHz   Core: [0678] Ezra 0.15 \xB5m"},
      // Before calibration the clock text is empty; nullptr counts as empty.
      {"AuthenticAMD", 0x0642, 0, "", "AMD Athlon\x99   Core: [0642] Thunderbird 0.18 \xB5m"},
      {"AuthenticAMD", 0x0642, 0, nullptr, "AMD Athlon\x99   Core: [0642] Thunderbird 0.18 \xB5m"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.expected);
    const std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(1, c.vendorId),
                                              {1, c.eax, c.brandIndex, 0, 0x10}};
    EXPECT_EQ(composedText(leaves, c.clockText), std::string(c.expected));
  }
}

TEST(CpuProcessorText, LongestTableTextIs68Characters) {
  // "Intel " 6 + "Pentium(R)III Xeon(TM)" 17 + clock 12 + core tag 16 + "Cascades? 0.18 um" 17.
  const std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(1, "GenuineIntel"),
                                            {1, 0x06A1, 3, 0, 0x10}};
  const std::string text = composedText(leaves, " 1000,00 MHz");
  EXPECT_EQ(text.size(), 68u);
  EXPECT_EQ(text, "Intel Pentium\xAEIII Xeon\x99 1000,00 MHz   Core: [06A1] Cascades? 0.18 \xB5m");
}

TEST(CpuProcessorText, OverlongPartsAreCutAtTheBuffer) {
  // A 48-character brand string is the longest name; an overlong clock text must not overrun.
  std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(1, "AuthenticAMD"),
                                      {1, 0x00A20F10, 0, 0, 0x10},
                                      {0x80000000, 0x80000004, 0, 0, 0}};
  for (const RecordedLeaf& l : cputest::brandLeaves(std::string(48, 'R'))) leaves.push_back(l);
  cpu::CpuInfo info = cputest::identifyRecorded(leaves);
  cpu::nameProcessor(info, " 5000,00 MHz");
  EXPECT_EQ(std::string(info.processorText),
            std::string(48, 'R') + " 5000,00 MHz   Core: [0F10] Zen 3 Vermeer");
  const std::string longClock(300, '9');
  cpu::nameProcessor(info, longClock.c_str());
  EXPECT_EQ(std::strlen(info.processorText), 98u);
  EXPECT_EQ(std::string(info.processorText), std::string(48, 'R') + std::string(50, '9'));
}

TEST(CpuProcessorText, NameProcessorSetsTheProcessWideRecord) {
  const std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(1, "GenuineIntel"),
                                            {1, 0x0F24, 0x09, 0, 0x10}};
  cputest::setReplay(&leaves);
  cpu::identifyCpu(cputest::replayLeaf);
  cputest::setReplay(nullptr);
  cpu::nameProcessor(" 2400,00 MHz");
  EXPECT_STREQ(cpu::cpuInfo.vendorPrefix, "Intel ");
  EXPECT_STREQ(cpu::cpuInfo.processorName, "Pentium\xAE" "4");
  EXPECT_STREQ(cpu::cpuInfo.processorText,
               "Intel Pentium\xAE" "4 2400,00 MHz   Core: [0F24] Northwood 0.13 \xB5m");
  cpu::cpuInfo = {};
}

} // namespace
