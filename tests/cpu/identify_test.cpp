// Identification from CPUID leaves: signature fields and flags, the vendor table, which leaves
// are read for which highest leaf, the brand string bytes and their folded form.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cpu/cpu_info.h"
#include "tests/cpu/cpuid_replay.h"

namespace {

using cpu::CpuInfo;
using cpu::CpuVendor;
using cputest::RecordedLeaf;
using cputest::brandLeaves;
using cputest::identifyRecorded;
using cputest::vendorLeaf;

constexpr uint32_t allThreeFlags = 0x10 | 0x800000 | 0x2000000;

std::vector<RecordedLeaf> intelWithLeaf1(uint32_t eax, uint32_t ebx = 0, uint32_t edx = 0) {
  return {vendorLeaf(1, "GenuineIntel"), {1, eax, ebx, 0, edx}};
}

bool contains(const std::vector<uint32_t>& leaves, uint32_t leaf) {
  for (uint32_t l : leaves) {
    if (l == leaf) return true;
  }
  return false;
}

struct SignatureCase {
  uint32_t eax;
  unsigned stepping, model, family, type, extModel, extFamily;
  uint16_t key;
};

TEST(CpuSignatureFields, SplitLeaf1Eax) {
  const SignatureCase cases[] = {
      {0x00000683, 3, 8, 6, 0, 0, 0, 0x0608},    // Pentium III Coppermine
      {0x00100F22, 2, 2, 15, 0, 0, 1, 0x0F02},   // extended family 1
      {0x00001633, 3, 3, 6, 1, 0, 0, 0x0603},    // Pentium II OverDrive: type 1
      {0x00002652, 2, 5, 6, 2, 0, 0, 0x0605},    // dual processor type
      {0x000B06F2, 2, 0xF, 6, 0, 0xB, 0, 0x060F}, // extended model kept apart from the model
      {0x00A60F12, 2, 1, 15, 0, 6, 0x0A, 0x0F01},
      {0xFFFFFFFF, 15, 15, 15, 3, 15, 0xFF, 0x0F0F}, // reserved bits 14-15, 28-31 ignored
  };
  for (const SignatureCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.eax);
    const CpuInfo info = identifyRecorded(intelWithLeaf1(c.eax));
    EXPECT_EQ(info.stepping, c.stepping);
    EXPECT_EQ(info.model, c.model);
    EXPECT_EQ(info.family, c.family);
    EXPECT_EQ(info.cpuType, c.type);
    EXPECT_EQ(info.extModel, c.extModel);
    EXPECT_EQ(info.extFamily, c.extFamily);
    EXPECT_EQ(cpu::signatureKey(info), c.key);
  }
}

TEST(CpuSignatureFields, FeatureFlagsAndBrandIndex) {
  struct FlagCase {
    uint32_t ebx, edx;
    bool tsc, mmx, sse, sse2;
    unsigned brandIndex;
  };
  constexpr uint32_t sse2Flag = 0x4000000;
  const FlagCase cases[] = {
      {0, 0, false, false, false, false, 0},
      {0, 0x10, true, false, false, false, 0},
      {0, 0x800000, false, true, false, false, 0},
      {0, 0x2000000, false, false, true, false, 0},
      {0, sse2Flag, false, false, false, true, 0},
      {0x00000002, 0x0383F9FF, true, true, true, false, 2},   // Pentium III: brand 2
      // every other bit set
      {0x01020803, ~(allThreeFlags | sse2Flag), false, false, false, false, 3},
      {0x01020800, 0x178BFBFF, true, true, true, true, 0},    // this machine's leaf 1
  };
  for (const FlagCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.edx);
    const CpuInfo info = identifyRecorded(intelWithLeaf1(0x683, c.ebx, c.edx));
    EXPECT_EQ(info.hasTsc, c.tsc);
    EXPECT_EQ(info.hasMmx, c.mmx);
    EXPECT_EQ(info.hasSse, c.sse);
    EXPECT_EQ(info.hasSse2, c.sse2);
    EXPECT_EQ(info.brandIndex, c.brandIndex);
  }
}

TEST(CpuVendorTable, RecognisesExactlyTheNineVendors) {
  struct VendorCase {
    const char* id;
    CpuVendor vendor;
  };
  const VendorCase cases[] = {
      {"AuthenticAMD", CpuVendor::AMD},     {"GenuineIntel", CpuVendor::Intel},
      {"CyrixInstead", CpuVendor::Cyrix},   {"CentaurHauls", CpuVendor::Centaur},
      {"NexGenDriven", CpuVendor::NexGen},  {"RiseRiseRise", CpuVendor::Rise},
      {"GenuineTMx86", CpuVendor::Transmeta},
      {"HygonGenuine", CpuVendor::Hygon},   {"  Shanghai  ", CpuVendor::Zhaoxin},
      {"VIA VIA VIA ", CpuVendor::None},    // a vendor string the table does not know
      {"AMDisbetter!", CpuVendor::None},
      {"genuineintel", CpuVendor::None},    // case matters
      {"GenuineIntek", CpuVendor::None},    // all twelve bytes matter
      {"TransmetaCPU", CpuVendor::None},
  };
  for (const VendorCase& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(cpu::vendorFromId(c.id), c.vendor);
    const CpuInfo info = identifyRecorded({vendorLeaf(1, c.id), {1, 0x543, 0, 0, 0x10}});
    EXPECT_STREQ(info.vendorId, c.id);
    EXPECT_EQ(info.vendor, c.vendor);
  }
}

TEST(CpuVendorTable, UnknownVendorHasUnknownCore) {
  const CpuInfo info = identifyRecorded({vendorLeaf(1, "AMDisbetter!"), {1, 0x00900F01, 0, 0, 0}});
  EXPECT_EQ(info.vendor, CpuVendor::None);
  EXPECT_STREQ(info.coreName, "Unknown");
}

TEST(CpuStandardLeaves, HighestLeafDecidesWhatIsRead) {
  struct LeafCase {
    uint32_t leaf0Eax;
    unsigned maxStdLeaf;
    bool readsLeaf1, readsLeaf2;
  };
  const LeafCase cases[] = {
      {0, 0, false, false},
      {1, 1, true, false},
      {2, 2, true, true},
      {0x16, 0x16, true, true},
      {0x100, 0, false, false},   // only the low byte counts
      {0x102, 2, true, true},
  };
  for (const LeafCase& c : cases) {
    SCOPED_TRACE(c.leaf0Eax);
    const std::vector<RecordedLeaf> leaves = {
        vendorLeaf(c.leaf0Eax, "GenuineIntel"),
        {1, 0x683, 0x02, 0, allThreeFlags},
        {2, 0x03020101, 0, 0, 0x0C040882},
    };
    std::vector<uint32_t> asked;
    const CpuInfo info = identifyRecorded(leaves, &asked);
    EXPECT_EQ(info.maxStdLeaf, c.maxStdLeaf);
    EXPECT_EQ(contains(asked, 1), c.readsLeaf1);
    EXPECT_EQ(contains(asked, 2), c.readsLeaf2);
    EXPECT_EQ(info.family, c.readsLeaf1 ? 6 : 0);
    EXPECT_EQ(info.hasTsc, c.readsLeaf1);
    EXPECT_EQ(info.brandIndex, c.readsLeaf1 ? 2 : 0);
    EXPECT_EQ(info.firstCacheDescriptor, c.readsLeaf2 ? 0x82 : 0);
    int leaf2Reads = 0;
    for (uint32_t l : asked) leaf2Reads += l == 2;
    EXPECT_LE(leaf2Reads, 1);   // the repeat count in AL is not followed
  }
}

TEST(CpuExtendedLeaves, BrandStringOnlyWhenLeaf80000004Exists) {
  struct ExtCase {
    uint32_t ext0Eax;
    uint32_t maxExtLeaf;
    bool readsBrand;
  };
  const ExtCase cases[] = {
      {0, 0, false},
      {0x03020101, 0, false},     // an older processor answering with leaf 2 data
      {0x80000000, 0, false},
      {0x80000001, 0x80000001, false},
      {0x80000003, 0x80000003, false},
      {0x80000004, 0x80000004, true},
      {0x80000008, 0x80000008, true},
      {0xFFFFFFFF, 0xFFFFFFFF, true},
  };
  const std::string brand = "AMD Athlon(tm) XP 1800+";
  for (const ExtCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.ext0Eax);
    std::vector<RecordedLeaf> leaves = {vendorLeaf(1, "AuthenticAMD"),
                                        {1, 0x662, 0, 0, allThreeFlags},
                                        {0x80000000, c.ext0Eax, 0, 0, 0}};
    for (const RecordedLeaf& l : brandLeaves(brand)) leaves.push_back(l);
    std::vector<uint32_t> asked;
    const CpuInfo info = identifyRecorded(leaves, &asked);
    EXPECT_EQ(info.maxExtLeaf, c.maxExtLeaf);
    EXPECT_EQ(contains(asked, 0x80000002), c.readsBrand);
    const char zeros[48] = {};
    if (c.readsBrand) {
      EXPECT_EQ(std::string(info.brandString), brand);
      EXPECT_STREQ(info.brandName, brand.c_str());
    } else {
      EXPECT_EQ(std::memcmp(info.brandString, zeros, 48), 0);
      EXPECT_STREQ(info.brandName, "");
    }
  }
}

TEST(CpuExtendedLeaves, BrandBytesInRegisterOrder) {
  // Leaf 0x80000002 of an Athlon XP: "AMD " "Athl" "on(t" "m) X" as EAX, EBX, ECX, EDX.
  const std::vector<RecordedLeaf> leaves = {
      vendorLeaf(1, "AuthenticAMD"),
      {0x80000000, 0x80000004, 0, 0, 0},
      {0x80000002, 0x20444D41, 0x6C687441, 0x74286E6F, 0x5820296D},
      {0x80000003, 0x31203A50, 0x2B303038, 0, 0},
      {0x80000004, 0, 0, 0, 0},
  };
  const CpuInfo info = identifyRecorded(leaves);
  EXPECT_EQ(std::string(info.brandString, 24), std::string("AMD Athlon(tm) XP: 1800+"));
  EXPECT_EQ(info.brandString[15], 'X');
  EXPECT_EQ(info.brandString[16], 'P');
}

TEST(CpuBrandName, BlanksTrimmedAndFolded) {
  struct FoldCase {
    std::string raw;
    const char* folded;
  };
  const FoldCase cases[] = {
      {"", ""},
      {"    ", ""},
      {"AMD EPYC", "AMD EPYC"},
      {"AMD Ryzen 5 7600X 6-Core Processor             ", "AMD Ryzen 5 7600X 6-Core Processor"},
      {"Intel(R) Core(TM)2 Duo CPU     E8400  @ 3.00GHz",
       "Intel(R) Core(TM)2 Duo CPU E8400 @ 3.00GHz"},
      {"              Intel(R) Pentium(R) 4 CPU 2.40GHz", "Intel(R) Pentium(R) 4 CPU 2.40GHz"},
      {" a  b ", "a b"},
      {std::string(48, 'x'), "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},  // no NUL in 48 bytes
      {std::string("ab\0cd", 5), "ab"},   // stops at the first NUL
  };
  for (const FoldCase& c : cases) {
    SCOPED_TRACE(c.raw);
    char brand[48] = {};
    std::memcpy(brand, c.raw.data(), c.raw.size());
    char folded[49];
    std::memset(folded, '#', sizeof(folded));
    cpu::foldBrandString(brand, folded);
    EXPECT_STREQ(folded, c.folded);
  }
}

TEST(CpuProcessWideRecord, IdentifyCpuFillsCpuInfoWithCoreName) {
  const std::vector<RecordedLeaf> leaves = {vendorLeaf(2, "GenuineIntel"),
                                            {1, 0x683, 0x02, 0, allThreeFlags},
                                            {2, 0x03020101, 0, 0, 0x0C040882}};
  cputest::setReplay(&leaves);
  cpu::identifyCpu(cputest::replayLeaf);
  cputest::setReplay(nullptr);
  EXPECT_STREQ(cpu::cpuInfo.vendorId, "GenuineIntel");
  EXPECT_EQ(cpu::cpuInfo.vendor, CpuVendor::Intel);
  EXPECT_STREQ(cpu::cpuInfo.coreName, "Coppermine 0.18 \xB5m");
  EXPECT_TRUE(cpu::cpuInfo.hasSse);
  cpu::cpuInfo = {};
}

// The real instruction on the machine running the tests: any x86 processor that runs this
// build has CPUID, a time-stamp counter, MMX and SSE, and a printable vendor string.
TEST(CpuRealProcessor, ReadsPlausibleIdentity) {
  const CpuInfo info = cpu::identifyFrom(cpu::readCpuid);
  EXPECT_EQ(std::strlen(info.vendorId), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_GE(info.vendorId[i], ' ');
  EXPECT_GE(info.maxStdLeaf, 1);
  EXPECT_NE(info.family, 0);
  EXPECT_TRUE(info.hasTsc);
  EXPECT_TRUE(info.hasMmx);
  EXPECT_TRUE(info.hasSse);
  EXPECT_NE(info.coreName, nullptr);
}

} // namespace
