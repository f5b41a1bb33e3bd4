// The naming tables of the processors from the 486 to 2002: processor names by vendor and core
// names with their manufacturing process. Rows are in search order; a more specific row always
// comes before the row that catches the rest of its family or model.
#include "cpu/name_tables.h"

namespace cpu {

namespace {

template <class... Models>
constexpr uint16_t models(Models... m) {
  return static_cast<uint16_t>(((1u << m) | ...));
}
constexpr uint16_t anyModel = 0xFFFF;
constexpr uint16_t anyFamilyAbove = 0xFFFF;   // top of an open family range
constexpr uint16_t p2Models = models(2, 3, 4, 5, 6);
constexpr uint16_t p3Models = models(7, 8, 0xA);
// Intel family 15 with extended family 1 is table family 16.
constexpr uint16_t itanium2Family = 16;

constexpr NameRow on(uint16_t family, uint16_t modelSet, const char* name) {
  return {family, family, modelSet, RowTest::Any, 0, 0, nullptr, name};
}
constexpr NameRow onIf(uint16_t family, uint16_t modelSet, RowTest test, uint8_t lo, uint8_t hi,
                       const char* name) {
  return {family, family, modelSet, test, lo, hi, nullptr, name};
}
constexpr NameRow withPrefix(NameRow row, const char* prefix) {
  row.prefix = prefix;
  return row;
}
constexpr NameRow families(uint16_t lo, uint16_t hi, uint16_t modelSet, const char* name) {
  return {lo, hi, modelSet, RowTest::Any, 0, 0, nullptr, name};
}

constexpr NameRow intelNames[] = {
    on(4, models(0, 1), "486DX\x99"),
    on(4, models(2), "486SX\x99"),
    on(4, models(3), "486DX2\x99"),
    on(4, models(4), "486SL\x99"),
    on(4, models(5), "486SX2\x99"),
    on(4, models(7), "486DX2\x99WB"),
    on(4, models(8), "486DX4\x99"),
    on(4, anyModel, "486"),
    on(5, models(7), "Pentium\xAEVRT"),
    on(5, models(4, 8), "Pentium\xAEMMX\x99"),
    on(5, anyModel, "Pentium\xAE"),
    on(6, models(0, 1), "Pentium\xAEPro"),
    onIf(6, p2Models, RowTest::Descriptor, 0x40, 0x41, "Celeron\x99"),
    onIf(6, p2Models, RowTest::Descriptor, 0x44, 0xFF, "Pentium\xAEII Xeon\x99"),
    on(6, p2Models, "Pentium\xAEII"),
    onIf(6, p3Models, RowTest::Brand, 3, 3, "Pentium\xAEIII Xeon\x99"),
    onIf(6, p3Models, RowTest::Brand, 2, 2, "Pentium\xAEIII"),
    onIf(6, p3Models, RowTest::Brand, 1, 1, "Celeron\x99"),
    onIf(6, p3Models, RowTest::Descriptor, 0x40, 0x41, "Celeron\x99"),
    on(6, p3Models, "Pentium\xAEIII"),
    onIf(6, models(0xB), RowTest::Brand, 3, 3, "Celeron\x99"),
    onIf(6, models(0xB), RowTest::Brand, 6, 6, "Pentium\xAEIII-M"),
    on(6, models(0xB), "Pentium\xAEIII"),
    on(6, models(9, 0xC, 0xD, 0xE, 0xF), "Pentium\xAEIII"),
    on(7, anyModel, "Itanium\x99"),
    onIf(15, models(0, 1), RowTest::Brand, 0x0E, 0x0E, "Xeon\x99"),
    onIf(15, models(0, 1), RowTest::Brand, 0x0B, 0x0B, "Xeon\x99"),
    onIf(15, models(0, 1), RowTest::Brand, 0x0A, 0x0A, "Celeron\x99"),
    on(15, models(0, 1), "Pentium\xAE" "4"),
    onIf(15, models(2), RowTest::Brand, 0x0B, 0x0C, "Xeon\x99"),
    onIf(15, models(2), RowTest::Brand, 8, 8, "Celeron\x99"),
    on(15, models(2), "Pentium\xAE" "4"),
    on(itanium2Family, anyModel, "Itanium\x99" "2"),
};

constexpr NameRow amdNames[] = {
    on(4, models(3), "Am486DX2\x99"),
    on(4, models(7), "Am486DX2WB\x99"),
    on(4, models(8), "Am486DX4\x99"),
    on(4, models(9), "Am486DX4WB\x99"),
    on(4, models(0xE), "Am5x86\x99"),
    on(4, models(0xF), "Am5x86WB\x99"),
    on(4, anyModel, "Am5x86\x99"),
    on(5, models(0, 1, 2, 3), "K5\x99"),
    on(5, models(6, 7), "K6\x99"),
    on(5, models(8), "K6\x99-2"),
    on(5, models(9), "K6\x99III"),
    onIf(5, models(0xD), RowTest::Stepping, 4, 0xF, "K6\x99-2+"),
    onIf(5, models(0xD), RowTest::Stepping, 0, 3, "K6\x99III+"),
    on(5, anyModel, "K6\x99"),
    on(6, models(1, 2, 4), "Athlon\x99"),
    on(6, models(3, 7), "Duron\x99"),
    onIf(6, models(6, 8), RowTest::BrandLetters, 'X', 'P', "Athlon\x99XP"),
    onIf(6, models(6, 8), RowTest::BrandLetters, 'M', 'P', "Athlon\x99MP"),
    on(6, models(6, 8), "Athlon 4\x99"),
};

// Family 0 to 3, model 0 could be told apart only by reading the DIR0 configuration register
// through I/O ports, which user programs may not do; both names belong to the same M2 core, and
// "6x86MX" is the name of the design the later MII was sold from.
constexpr NameRow cyrixNames[] = {
    withPrefix(families(6, anyFamilyAbove, anyModel, "Cyrix\xAEIII"), "VIA "),
    on(4, models(4), "MediaGX\x99"),
    on(4, anyModel, "5x86\x99"),
    on(5, models(2), "6x86\x99"),
    on(5, models(4), "GXm\x99"),
    on(5, anyModel, "6x86\x99"),
    families(0, 3, static_cast<uint16_t>(anyModel & ~models(0)), "MII\x99"),
    families(0, 3, models(0), "6x86MX\x99"),
};

constexpr NameRow centaurNames[] = {
    withPrefix(on(6, models(7, 8), "C3\xAE"), "VIA "),
    withPrefix(on(6, anyModel, "Cyrix\xAEIII"), "VIA "),
    on(5, models(8), "WinChip 2\x99"),
    on(5, models(9), "WinChip 3\x99"),
    on(5, anyModel, "WinChip C6\x99"),
};

constexpr NameRow nexgenNames[] = {
    on(5, anyModel, "Nx586\x99"),
};

constexpr NameRow riseNames[] = {
    on(5, models(0, 2), "mP6\x99"),
    on(5, anyModel, "mP6\x99II"),
};

constexpr NameRow amdCores[] = {
    on(4, models(3, 7), "P24 0.50 \xB5m"),
    on(4, models(8, 9), "P24C 0.50 \xB5m"),
    on(4, models(0xE, 0xF), "X5 0.35 \xB5m"),
    on(5, models(0), "SSA5 0.5-0.35 \xB5m"),
    on(5, models(1, 2, 3), "5k86 0.35 \xB5m"),
    on(5, models(6), "K6 0.30 \xB5m"),
    on(5, models(7), "LittleFoot 0.25 \xB5m"),
    onIf(5, models(8), RowTest::Stepping, 0, 7, "Chomper 0.25 \xB5m"),
    onIf(5, models(8), RowTest::Stepping, 8, 0xF, "ChomperXT 0.25 \xB5m"),
    on(5, models(9), "Sharptooth 0.25 \xB5m"),
    on(5, models(0xD), "Sharptooth 0.18 \xB5m"),
    on(6, models(0), "K7ES Argon 0.25 \xB5m"),
    on(6, models(1), "K7 Argon 0.25 \xB5m"),
    on(6, models(2), "K75 Argon 0.18 \xB5m"),
    on(6, models(3), "Spitfire 0.18 \xB5m"),
    on(6, models(4), "Thunderbird 0.18 \xB5m"),
    on(6, models(6), "Palomino 0.18 \xB5m"),
    on(6, models(7), "Morgan 0.18 \xB5m"),
    on(6, models(8), "Thoroughbred 0.13 \xB5m"),
};

constexpr NameRow intelCores[] = {
    on(4, models(0), "P4 1.00 \xB5m"),
    on(4, models(1), "P4 0.80 \xB5m"),
    on(4, models(2), "P4S 1.00 \xB5m"),
    on(4, models(3, 7), "P24 0.80 \xB5m"),
    on(4, models(5), "P23 0.80 \xB5m"),
    on(4, models(8, 9), "P24C 0.60 \xB5m"),
    on(5, models(0, 1), "P5 0.80 \xB5m"),
    on(5, models(2, 7), "P54C 0.35 \xB5m"),
    on(5, models(3), "P24T 0.60-0.35 \xB5m"),
    on(5, models(4), "P55C 0.28 \xB5m"),
    on(5, models(8), "Tilamook 0.25 \xB5m"),
    on(6, models(0), "P6 0.50\xB5m"),
    on(6, models(1), "P6 0.50-0.35 \xB5m"),
    onIf(6, models(3), RowTest::CpuType, 0, 0, "Klamath 0.35 \xB5m"),
    onIf(6, models(3), RowTest::CpuType, 1, 3, "P6T 0.25 \xB5m"),
    onIf(6, models(5), RowTest::Descriptor, 0x40, 0x40, "Covington 0.25 \xB5m"),
    on(6, models(5), "Deshutes 0.25 \xB5m"),
    onIf(6, models(6), RowTest::Descriptor, 0x42, 0x42, "Dixon 0.25 \xB5m"),
    on(6, models(6), "Mendocino 0.25 \xB5m"),
    onIf(6, models(7), RowTest::Descriptor, 0, 0x43, "Katmai 0.25 \xB5m"),
    onIf(6, models(7), RowTest::Descriptor, 0x44, 0xFF, "Tanner 0.25 \xB5m"),
    onIf(6, models(8), RowTest::Brand, 3, 3, "Cascades 0.18 \xB5m"),
    on(6, models(8), "Coppermine 0.18 \xB5m"),
    onIf(6, models(0xA), RowTest::Brand, 3, 3, "Cascades? 0.18 \xB5m"),
    on(6, models(0xB), "Tualatin 0.13 \xB5m"),
    on(7, anyModel, "Merced 0.18 \xB5m"),
    on(15, models(0, 1), "Willamette 0.18 \xB5m"),
    on(15, models(2), "Northwood 0.13 \xB5m"),
    on(itanium2Family, anyModel, "McKinley 0.13 \xB5m"),
};

constexpr NameRow cyrixCores[] = {
    on(4, models(9), "M1sc 0.65 \xB5m"),
    on(4, models(4), "GX86 0.65 \xB5m"),
    on(5, models(2), "M1/1L 0.65-0.35 \xB5m"),
    on(6, models(0), "M2 0.35-0.25 \xB5m"),
    on(6, models(5), "Joshua 0.18 \xB5m"),
};

constexpr NameRow centaurCores[] = {
    on(5, models(4), "C6 0.35 \xB5m"),
    on(5, models(8), "W2 0.35-0.25 \xB5m"),
    on(5, models(9), "W3 0.25 \xB5m"),
    on(6, models(6), "Samuel 0.18 \xB5m"),
    onIf(6, models(7), RowTest::Stepping, 0, 7, "Samuel 2 0.15 \xB5m"),
    onIf(6, models(7), RowTest::Stepping, 8, 0xF, "Ezra 0.15 \xB5m"),
    on(6, models(8), "Ezra-T 0.15 \xB5m"),
};

constexpr NameRow riseCores[] = {
    on(5, models(0), "mP6 0.25 \xB5m"),
    on(5, models(2), "mP6 0.18 \xB5m"),
};

template <int N>
constexpr int countOf(const NameRow (&)[N]) {
  return N;
}

} // namespace

const RuleSet processorRules[] = {
    {CpuVendor::Intel, "Intel ", intelNames, countOf(intelNames), "Unknown"},
    {CpuVendor::AMD, "AMD ", amdNames, countOf(amdNames), "K7"},
    {CpuVendor::Cyrix, "Cyrix ", cyrixNames, countOf(cyrixNames), "Unknown"},
    {CpuVendor::Centaur, "IDT ", centaurNames, countOf(centaurNames), "Unknown"},
    {CpuVendor::NexGen, "NexGen ", nexgenNames, countOf(nexgenNames), "Unknown"},
    {CpuVendor::Rise, "Rise ", riseNames, countOf(riseNames), "Unknown"},
    {CpuVendor::Transmeta, "Transmeta ", nullptr, 0, "Crusoe\x99"},
};
const int processorRuleCount = sizeof(processorRules) / sizeof(processorRules[0]);

const RuleSet coreRules[] = {
    {CpuVendor::AMD, "", amdCores, countOf(amdCores), "Unknown"},
    {CpuVendor::Intel, "", intelCores, countOf(intelCores), "Unknown"},
    {CpuVendor::Cyrix, "", cyrixCores, countOf(cyrixCores), "Unknown"},
    {CpuVendor::Centaur, "", centaurCores, countOf(centaurCores), "Unknown"},
    {CpuVendor::Rise, "", riseCores, countOf(riseCores), "Unknown"},
};
const int coreRuleCount = sizeof(coreRules) / sizeof(coreRules[0]);

} // namespace cpu
