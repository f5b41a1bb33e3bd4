// Processor and core names from the decision tables, vendor by vendor. Each case is a leaf 1
// signature (with brand index, first cache descriptor and brand string where the rules read
// them) and the prefix, name and core the tables give for it, worked out by hand from the tables.
// Signatures of named processors are the ones their makers document for them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cpu/names.h"
#include "tests/cpu/cpuid_replay.h"

namespace {

using cputest::RecordedLeaf;

struct NameCase {
  const char* vendorId;
  uint32_t eax;            // leaf 1 EAX
  uint8_t brandIndex;      // leaf 1 EBX low byte
  uint8_t descriptor;      // leaf 2 EDX low byte
  const char* brand;       // brand string; nullptr: the processor has no brand leaves
  const char* prefix;
  const char* name;
  const char* core;
};

cpu::CpuInfo identifyCase(const NameCase& c) {
  std::vector<RecordedLeaf> leaves = {cputest::vendorLeaf(2, c.vendorId),
                                      {1, c.eax, c.brandIndex, 0, 0x00800010},
                                      {2, 0x00000001, 0, 0, c.descriptor}};
  if (c.brand != nullptr) {
    leaves.push_back({0x80000000, 0x80000004, 0, 0, 0});
    for (const RecordedLeaf& l : cputest::brandLeaves(c.brand)) leaves.push_back(l);
  }
  return cputest::identifyRecorded(leaves);
}

void expectNames(const NameCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const NameCase& c = cases[i];
    SCOPED_TRACE(testing::Message() << c.vendorId << " 0x" << std::hex << c.eax << " brand "
                                    << int(c.brandIndex) << " descriptor " << int(c.descriptor));
    const cpu::CpuInfo info = identifyCase(c);
    const cpu::ProcessorName name = cpu::processorNameFor(info);
    EXPECT_STREQ(name.vendorPrefix, c.prefix);
    EXPECT_STREQ(name.processorName, c.name);
    EXPECT_STREQ(info.coreName, c.core);
  }
}

const char* const intel = "GenuineIntel";
const char* const amd = "AuthenticAMD";

TEST(CpuIntelNames, FamiliesFourAndFive) {
  const NameCase cases[] = {
      {intel, 0x0400, 0, 0, nullptr, "Intel ", "486DX\x99", "P4 1.00 \xB5m"},
      {intel, 0x0415, 0, 0, nullptr, "Intel ", "486DX\x99", "P4 0.80 \xB5m"},
      {intel, 0x0420, 0, 0, nullptr, "Intel ", "486SX\x99", "P4S 1.00 \xB5m"},
      {intel, 0x0436, 0, 0, nullptr, "Intel ", "486DX2\x99", "P24 0.80 \xB5m"},
      {intel, 0x0440, 0, 0, nullptr, "Intel ", "486SL\x99", "Unknown"},
      {intel, 0x0450, 0, 0, nullptr, "Intel ", "486SX2\x99", "P23 0.80 \xB5m"},
      {intel, 0x0460, 0, 0, nullptr, "Intel ", "486", "Unknown"},
      {intel, 0x0470, 0, 0, nullptr, "Intel ", "486DX2\x99WB", "P24 0.80 \xB5m"},
      {intel, 0x0480, 0, 0, nullptr, "Intel ", "486DX4\x99", "P24C 0.60 \xB5m"},
      {intel, 0x0490, 0, 0, nullptr, "Intel ", "486", "P24C 0.60 \xB5m"},
      {intel, 0x0517, 0, 0, nullptr, "Intel ", "Pentium\xAE", "P5 0.80 \xB5m"},
      {intel, 0x0525, 0, 0, nullptr, "Intel ", "Pentium\xAE", "P54C 0.35 \xB5m"},
      {intel, 0x1531, 0, 0, nullptr, "Intel ", "Pentium\xAE", "P24T 0.60-0.35 \xB5m"},
      {intel, 0x0543, 0, 0, nullptr, "Intel ", "Pentium\xAEMMX\x99", "P55C 0.28 \xB5m"},
      {intel, 0x0560, 0, 0, nullptr, "Intel ", "Pentium\xAE", "Unknown"},
      {intel, 0x0570, 0, 0, nullptr, "Intel ", "Pentium\xAEVRT", "P54C 0.35 \xB5m"},
      {intel, 0x0581, 0, 0, nullptr, "Intel ", "Pentium\xAEMMX\x99", "Tilamook 0.25 \xB5m"},
  };
  expectNames(cases, std::size(cases));
}

TEST(CpuIntelNames, FamilySixByDescriptorAndBrand) {
  const NameCase cases[] = {
      {intel, 0x0600, 0, 0, nullptr, "Intel ", "Pentium\xAEPro", "P6 0.50\xB5m"},
      {intel, 0x0617, 0, 0, nullptr, "Intel ", "Pentium\xAEPro", "P6 0.50-0.35 \xB5m"},
      {intel, 0x0620, 0, 0, nullptr, "Intel ", "Pentium\xAEII", "Unknown"},
      {intel, 0x0633, 0, 0x43, nullptr, "Intel ", "Pentium\xAEII", "Klamath 0.35 \xB5m"},
      {intel, 0x1633, 0, 0x43, nullptr, "Intel ", "Pentium\xAEII", "P6T 0.25 \xB5m"},
      {intel, 0x0640, 0, 0, nullptr, "Intel ", "Pentium\xAEII", "Unknown"},
      {intel, 0x0650, 0, 0x40, nullptr, "Intel ", "Celeron\x99", "Covington 0.25 \xB5m"},
      {intel, 0x0652, 0, 0x43, nullptr, "Intel ", "Pentium\xAEII", "Deshutes 0.25 \xB5m"},
      {intel, 0x0652, 0, 0x44, nullptr, "Intel ", "Pentium\xAEII Xeon\x99", "Deshutes 0.25 \xB5m"},
      {intel, 0x0652, 0, 0xFF, nullptr, "Intel ", "Pentium\xAEII Xeon\x99", "Deshutes 0.25 \xB5m"},
      {intel, 0x0665, 0, 0x41, nullptr, "Intel ", "Celeron\x99", "Mendocino 0.25 \xB5m"},
      {intel, 0x0665, 0, 0x42, nullptr, "Intel ", "Pentium\xAEII", "Dixon 0.25 \xB5m"},
      {intel, 0x0672, 0, 0x43, nullptr, "Intel ", "Pentium\xAEIII", "Katmai 0.25 \xB5m"},
      {intel, 0x0672, 0, 0x44, nullptr, "Intel ", "Pentium\xAEIII", "Tanner 0.25 \xB5m"},
      {intel, 0x0683, 0, 0x41, nullptr, "Intel ", "Celeron\x99", "Coppermine 0.18 \xB5m"},
      {intel, 0x0683, 0, 0x82, nullptr, "Intel ", "Pentium\xAEIII", "Coppermine 0.18 \xB5m"},
      {intel, 0x0683, 3, 0x82, nullptr, "Intel ", "Pentium\xAEIII Xeon\x99", "Cascades 0.18 \xB5m"},
      {intel, 0x0686, 2, 0x40, nullptr, "Intel ", "Pentium\xAEIII", "Coppermine 0.18 \xB5m"},
      {intel, 0x0686, 1, 0x82, nullptr, "Intel ", "Celeron\x99", "Coppermine 0.18 \xB5m"},
      {intel, 0x06A0, 3, 0x82, nullptr, "Intel ", "Pentium\xAEIII Xeon\x99", "Cascades? 0.18 \xB5m"},
      {intel, 0x06A0, 2, 0x82, nullptr, "Intel ", "Pentium\xAEIII", "Unknown"},
      {intel, 0x06B1, 3, 0, nullptr, "Intel ", "Celeron\x99", "Tualatin 0.13 \xB5m"},
      {intel, 0x06B1, 6, 0, nullptr, "Intel ", "Pentium\xAEIII-M", "Tualatin 0.13 \xB5m"},
      {intel, 0x06B1, 4, 0x41, nullptr, "Intel ", "Pentium\xAEIII", "Tualatin 0.13 \xB5m"},
      {intel, 0x0695, 0, 0, nullptr, "Intel ", "Pentium\xAEIII", "Unknown"},
      {intel, 0x06D6, 0, 0, nullptr, "Intel ", "Pentium\xAEIII", "Dothan"},
      // A Core 2 of 2006 has extended model 0: the tables name it and keep their answer; the
      // core comes from the modern rows, as the classic ones have none for it.
      {intel, 0x06F6, 0, 0, "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz", "Intel ",
       "Pentium\xAEIII", "Merom"},
  };
  expectNames(cases, std::size(cases));
}

TEST(CpuIntelNames, ItaniumAndFamily15) {
  const NameCase cases[] = {
      {intel, 0x0700, 0, 0, nullptr, "Intel ", "Itanium\x99", "Merced 0.18 \xB5m"},
      {intel, 0x0F0A, 0x0E, 0, nullptr, "Intel ", "Xeon\x99", "Willamette 0.18 \xB5m"},
      {intel, 0x0F12, 0x0B, 0, nullptr, "Intel ", "Xeon\x99", "Willamette 0.18 \xB5m"},
      {intel, 0x0F12, 0x0A, 0, nullptr, "Intel ", "Celeron\x99", "Willamette 0.18 \xB5m"},
      {intel, 0x0F12, 0x08, 0, nullptr, "Intel ", "Pentium\xAE" "4", "Willamette 0.18 \xB5m"},
      {intel, 0x0F24, 0x09, 0, nullptr, "Intel ", "Pentium\xAE" "4", "Northwood 0.13 \xB5m"},
      {intel, 0x0F24, 0x0B, 0, nullptr, "Intel ", "Xeon\x99", "Northwood 0.13 \xB5m"},
      {intel, 0x0F24, 0x0C, 0, nullptr, "Intel ", "Xeon\x99", "Northwood 0.13 \xB5m"},
      {intel, 0x0F24, 0x08, 0, nullptr, "Intel ", "Celeron\x99", "Northwood 0.13 \xB5m"},
      {intel, 0x0F24, 0x0A, 0, nullptr, "Intel ", "Pentium\xAE" "4", "Northwood 0.13 \xB5m"},
      // Family 15 model 3 came after the tables; it stays unnamed even with a brand string,
      // but its core is named.
      {intel, 0x0F34, 0, 0, "Intel(R) Pentium(R) 4 CPU 3.00GHz", "Intel ", "Unknown", "Prescott"},
      {intel, 0x100F22, 0, 0, nullptr, "Intel ", "Itanium\x99" "2", "McKinley 0.13 \xB5m"},
      {intel, 0x200F00, 0, 0, nullptr, "Intel ", "Unknown", "Unknown"},
      {intel, 0x0300, 0, 0, nullptr, "Intel ", "Unknown", "Unknown"},
  };
  expectNames(cases, std::size(cases));
}

// Intel Core processors since 2007 carry an extended model; the tables would call a Core 2 Duo
// E8400 (family 6, model 0x17, stepping 0xA) a Pentium III. The name comes from the brand string
// and the core from the modern rows, keyed by the whole model.
TEST(CpuIntelNames, ExtendedModelNamedByBrandString) {
  const NameCase cases[] = {
      {intel, 0x1067A, 0, 0x49, "Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz", "",
       "Intel(R) Core(TM)2 Duo CPU E8400 @ 3.00GHz", "Penryn"},
      {intel, 0x206A7, 0, 0, "        Intel(R) Core(TM) i7-2600K CPU @ 3.40GHz", "",
       "Intel(R) Core(TM) i7-2600K CPU @ 3.40GHz", "Sandy Bridge"},
      {intel, 0xA0655, 0, 0, "Intel(R) Core(TM) i9-10900K CPU @ 3.70GHz", "",
       "Intel(R) Core(TM) i9-10900K CPU @ 3.70GHz", "Comet Lake"},
      // Without a usable brand string the tables' name stands.
      {intel, 0x1067A, 0, 0x49, nullptr, "Intel ", "Pentium\xAEIII", "Penryn"},
      {intel, 0x1067A, 0, 0x49, "      ", "Intel ", "Pentium\xAEIII", "Penryn"},
  };
  expectNames(cases, std::size(cases));
}

TEST(CpuAmdNames, FamiliesFourAndFive) {
  const NameCase cases[] = {
      {amd, 0x0435, 0, 0, nullptr, "AMD ", "Am486DX2\x99", "P24 0.50 \xB5m"},
      {amd, 0x0470, 0, 0, nullptr, "AMD ", "Am486DX2WB\x99", "P24 0.50 \xB5m"},
      {amd, 0x0484, 0, 0, nullptr, "AMD ", "Am486DX4\x99", "P24C 0.50 \xB5m"},
      {amd, 0x0494, 0, 0, nullptr, "AMD ", "Am486DX4WB\x99", "P24C 0.50 \xB5m"},
      {amd, 0x04E4, 0, 0, nullptr, "AMD ", "Am5x86\x99", "X5 0.35 \xB5m"},
      {amd, 0x04F4, 0, 0, nullptr, "AMD ", "Am5x86WB\x99", "X5 0.35 \xB5m"},
      {amd, 0x0410, 0, 0, nullptr, "AMD ", "Am5x86\x99", "Unknown"},
      {amd, 0x0500, 0, 0, nullptr, "AMD ", "K5\x99", "SSA5 0.5-0.35 \xB5m"},
      {amd, 0x0511, 0, 0, nullptr, "AMD ", "K5\x99", "5k86 0.35 \xB5m"},
      {amd, 0x0562, 0, 0, nullptr, "AMD ", "K6\x99", "K6 0.30 \xB5m"},
      {amd, 0x0570, 0, 0, nullptr, "AMD ", "K6\x99", "LittleFoot 0.25 \xB5m"},
      {amd, 0x0587, 0, 0, nullptr, "AMD ", "K6\x99-2", "Chomper 0.25 \xB5m"},
      {amd, 0x058C, 0, 0, nullptr, "AMD ", "K6\x99-2", "ChomperXT 0.25 \xB5m"},
      {amd, 0x0591, 0, 0, nullptr, "AMD ", "K6\x99III", "Sharptooth 0.25 \xB5m"},
      {amd, 0x05A0, 0, 0, nullptr, "AMD ", "K6\x99", "Unknown"},
      {amd, 0x05D3, 0, 0, nullptr, "AMD ", "K6\x99III+", "Sharptooth 0.18 \xB5m"},
      {amd, 0x05D4, 0, 0, nullptr, "AMD ", "K6\x99-2+", "Sharptooth 0.18 \xB5m"},
  };
  expectNames(cases, std::size(cases));
}

TEST(CpuAmdNames, AthlonFamilyAndBrandLetters) {
  const NameCase cases[] = {
      {amd, 0x0600, 0, 0, nullptr, "AMD ", "K7", "K7ES Argon 0.25 \xB5m"},
      {amd, 0x0612, 0, 0, nullptr, "AMD ", "Athlon\x99", "K7 Argon 0.25 \xB5m"},
      {amd, 0x0621, 0, 0, nullptr, "AMD ", "Athlon\x99", "K75 Argon 0.18 \xB5m"},
      {amd, 0x0631, 0, 0, nullptr, "AMD ", "Duron\x99", "Spitfire 0.18 \xB5m"},
      {amd, 0x0642, 0, 0, nullptr, "AMD ", "Athlon\x99", "Thunderbird 0.18 \xB5m"},
      {amd, 0x0662, 0, 0, "AMD Athlon(tm) XP 1800+", "AMD ", "Athlon\x99XP", "Palomino 0.18 \xB5m"},
      {amd, 0x0662, 0, 0, "AMD Athlon(tm) MP 1800+", "AMD ", "Athlon\x99MP", "Palomino 0.18 \xB5m"},
      {amd, 0x0662, 0, 0, "AMD Athlon(tm) Processor", "AMD ", "Athlon 4\x99", "Palomino 0.18 \xB5m"},
      {amd, 0x0662, 0, 0, nullptr, "AMD ", "Athlon 4\x99", "Palomino 0.18 \xB5m"},
      {amd, 0x0671, 0, 0, nullptr, "AMD ", "Duron\x99", "Morgan 0.18 \xB5m"},
      {amd, 0x0681, 0, 0, "AMD Athlon(tm) XP 2200+", "AMD ", "Athlon\x99XP", "Thoroughbred 0.13 \xB5m"},
      {amd, 0x0681, 0, 0, "AMD Athlon(tm) xp 2200+", "AMD ", "Athlon 4\x99", "Thoroughbred 0.13 \xB5m"},
      // Barton (2003) is family 6 and not newer than the tables by the family rule: "K7", with
      // its core from the modern rows.
      {amd, 0x06A0, 0, 0, "AMD Athlon(tm) XP 2500+", "AMD ", "K7", "Barton"},
      {amd, 0x0300, 0, 0, nullptr, "AMD ", "K7", "Unknown"},
  };
  expectNames(cases, std::size(cases));
}

// Every AMD processor since 2003 reports base family 0xF; the tables call all of them "K7".
TEST(CpuAmdNames, BaseFamily15NamedByBrandString) {
  const NameCase cases[] = {
      {amd, 0x0F48, 0, 0, "AMD Athlon(tm) 64 Processor 3200+", "",
       "AMD Athlon(tm) 64 Processor 3200+", "K8"},
      {amd, 0x00800F82, 0, 0, "AMD Ryzen 7 2700X Eight-Core Processor         ", "",
       "AMD Ryzen 7 2700X Eight-Core Processor", "Zen+ Pinnacle Ridge"},
      {amd, 0x0F48, 0, 0, nullptr, "AMD ", "K7", "K8"},
  };
  expectNames(cases, std::size(cases));
}

TEST(CpuOtherVendorNames, CyrixCentaurNexGenRiseTransmeta) {
  const char* const cyrix = "CyrixInstead";
  const char* const centaur = "CentaurHauls";
  const NameCase cases[] = {
      {cyrix, 0x0600, 0, 0, nullptr, "VIA ", "Cyrix\xAEIII", "M2 0.35-0.25 \xB5m"},
      {cyrix, 0x0650, 0, 0, nullptr, "VIA ", "Cyrix\xAEIII", "Joshua 0.18 \xB5m"},
      {cyrix, 0x0F00, 0, 0, nullptr, "VIA ", "Cyrix\xAEIII", "Unknown"},
      {cyrix, 0x0440, 0, 0, nullptr, "Cyrix ", "MediaGX\x99", "GX86 0.65 \xB5m"},
      {cyrix, 0x0490, 0, 0, nullptr, "Cyrix ", "5x86\x99", "M1sc 0.65 \xB5m"},
      {cyrix, 0x0420, 0, 0, nullptr, "Cyrix ", "5x86\x99", "Unknown"},
      {cyrix, 0x0520, 0, 0, nullptr, "Cyrix ", "6x86\x99", "M1/1L 0.65-0.35 \xB5m"},
      {cyrix, 0x0540, 0, 0, nullptr, "Cyrix ", "GXm\x99", "Unknown"},
      {cyrix, 0x0530, 0, 0, nullptr, "Cyrix ", "6x86\x99", "Unknown"},
      {cyrix, 0x0310, 0, 0, nullptr, "Cyrix ", "MII\x99", "Unknown"},
      {cyrix, 0x0000, 0, 0, nullptr, "Cyrix ", "6x86MX\x99", "Unknown"},
      {centaur, 0x0678, 0, 0, nullptr, "VIA ", "C3\xAE", "Ezra 0.15 \xB5m"},
      {centaur, 0x0673, 0, 0, nullptr, "VIA ", "C3\xAE", "Samuel 2 0.15 \xB5m"},
      {centaur, 0x0681, 0, 0, nullptr, "VIA ", "C3\xAE", "Ezra-T 0.15 \xB5m"},
      {centaur, 0x0662, 0, 0, nullptr, "VIA ", "Cyrix\xAEIII", "Samuel 0.18 \xB5m"},
      {centaur, 0x0698, 0, 0, nullptr, "VIA ", "Cyrix\xAEIII", "Nehemiah"},
      {centaur, 0x0540, 0, 0, nullptr, "IDT ", "WinChip C6\x99", "C6 0.35 \xB5m"},
      {centaur, 0x0585, 0, 0, nullptr, "IDT ", "WinChip 2\x99", "W2 0.35-0.25 \xB5m"},
      {centaur, 0x0591, 0, 0, nullptr, "IDT ", "WinChip 3\x99", "W3 0.25 \xB5m"},
      {centaur, 0x0400, 0, 0, nullptr, "IDT ", "Unknown", "Unknown"},
      {"NexGenDriven", 0x0542, 0, 0, nullptr, "NexGen ", "Nx586\x99", "Unknown"},
      {"NexGenDriven", 0x0400, 0, 0, nullptr, "NexGen ", "Unknown", "Unknown"},
      {"RiseRiseRise", 0x0500, 0, 0, nullptr, "Rise ", "mP6\x99", "mP6 0.25 \xB5m"},
      {"RiseRiseRise", 0x0520, 0, 0, nullptr, "Rise ", "mP6\x99", "mP6 0.18 \xB5m"},
      {"RiseRiseRise", 0x0580, 0, 0, nullptr, "Rise ", "mP6\x99II", "Unknown"},
      {"RiseRiseRise", 0x0600, 0, 0, nullptr, "Rise ", "Unknown", "Unknown"},
      {"GenuineTMx86", 0x0543, 0, 0, nullptr, "Transmeta ", "Crusoe\x99", "Unknown"},
      {"GenuineTMx86", 0x0F24, 0, 0, nullptr, "Transmeta ", "Crusoe\x99", "Unknown"},
      // An unknown vendor is named by its vendor string, brand string or not.
      {"VIA VIA VIA ", 0x00900F01, 0, 0, "Hygon C86 3185  8-core Processor", "", "VIA VIA VIA ",
       "Unknown"},
  };
  expectNames(cases, std::size(cases));
}

TEST(CpuCoreTag, FourHexDigitsTypeFamilyModelStepping) {
  struct TagCase {
    uint32_t eax;
    const char* tag;
  };
  const TagCase cases[] = {
      {0x00000683, "   Core: [0683] "},
      {0x00001633, "   Core: [1633] "},
      {0x00100F22, "   Core: [0F22] "},
      {0x00A00F11, "   Core: [0F11] "},
      {0x000B06F2, "   Core: [06F2] "},
      {0xFFFFFFFF, "   Core: [3FFF] "},
      {0x00000000, "   Core: [0000] "},
  };
  for (const TagCase& c : cases) {
    cpu::CpuInfo info = cputest::identifyRecorded(
        {cputest::vendorLeaf(1, "GenuineIntel"), {1, c.eax, 0, 0, 0}});
    EXPECT_STREQ(cpu::coreTag(info).text, c.tag) << std::hex << c.eax;
  }
}

} // namespace
