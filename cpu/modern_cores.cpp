// The modern core rows, searched in order within the processor's vendor; the first row whose
// family, model range and stepping range hold gives the name. Model ranges follow the vendors'
// own numbering: AMD gives each product line a block of 16 models within a family, Intel a
// model number per die. A family whose models all share one microarchitecture has a row for
// the whole family; a family that spans several has rows for the known models only, so a new
// model of it stays "Unknown" rather than taking a neighbour's name.
#include "cpu/modern_cores.h"

namespace cpu {

namespace {

struct ModernRow {
  CpuVendor vendor;
  uint16_t family;     // displayFamily
  uint8_t modelLo;     // displayModel range
  uint8_t modelHi;
  uint8_t steppingLo;
  uint8_t steppingHi;
  const char* name;
};

constexpr ModernRow amd(uint16_t family, uint8_t lo, uint8_t hi, const char* name) {
  return {CpuVendor::AMD, family, lo, hi, 0, 0xF, name};
}
constexpr ModernRow intel(uint8_t lo, uint8_t hi, const char* name) {
  return {CpuVendor::Intel, 6, lo, hi, 0, 0xF, name};
}
constexpr ModernRow intelStepping(uint8_t model, uint8_t lo, uint8_t hi, const char* name) {
  return {CpuVendor::Intel, 6, model, model, lo, hi, name};
}

constexpr ModernRow modernRows[] = {
    // AMD: the last K7, then the K8 and K10 generations, each family one microarchitecture.
    amd(0x06, 0x0A, 0x0A, "Barton"),
    amd(0x0F, 0x00, 0xFF, "K8"),
    amd(0x10, 0x00, 0xFF, "K10"),
    amd(0x11, 0x00, 0xFF, "K8 Griffin"),
    amd(0x12, 0x00, 0xFF, "K10 Llano"),
    amd(0x14, 0x00, 0xFF, "Bobcat"),
    // Family 15h: the Bulldozer line; model 02h is already Piledriver (Vishera, Abu Dhabi).
    amd(0x15, 0x02, 0x02, "Piledriver"),
    amd(0x15, 0x00, 0x0F, "Bulldozer"),
    amd(0x15, 0x10, 0x1F, "Piledriver"),
    amd(0x15, 0x30, 0x3F, "Steamroller"),
    amd(0x15, 0x60, 0x7F, "Excavator"),
    amd(0x16, 0x00, 0x0F, "Jaguar"),
    amd(0x16, 0x30, 0x3F, "Puma"),
    // Family 17h: Zen, Zen+ and Zen 2.
    amd(0x17, 0x08, 0x08, "Zen+ Pinnacle Ridge"),
    amd(0x17, 0x00, 0x0F, "Zen"),
    amd(0x17, 0x18, 0x18, "Zen+ Picasso"),
    amd(0x17, 0x10, 0x1F, "Zen Raven Ridge"),
    amd(0x17, 0x20, 0x2F, "Zen Dali"),
    amd(0x17, 0x30, 0x3F, "Zen 2 Rome"),
    amd(0x17, 0x40, 0x4F, "Zen 2"),
    amd(0x17, 0x60, 0x67, "Zen 2 Renoir"),
    amd(0x17, 0x68, 0x6F, "Zen 2 Lucienne"),
    amd(0x17, 0x70, 0x7F, "Zen 2 Matisse"),
    amd(0x17, 0x90, 0x9F, "Zen 2 Van Gogh"),
    amd(0x17, 0xA0, 0xAF, "Zen 2 Mendocino"),
    // Family 19h: Zen 3, Zen 3+ and Zen 4.
    amd(0x19, 0x08, 0x08, "Zen 3 Chagall"),
    amd(0x19, 0x00, 0x0F, "Zen 3 Milan"),
    amd(0x19, 0x18, 0x18, "Zen 4 Storm Peak"),
    amd(0x19, 0x10, 0x1F, "Zen 4 Genoa"),
    amd(0x19, 0x20, 0x2F, "Zen 3 Vermeer"),
    amd(0x19, 0x40, 0x4F, "Zen 3+ Rembrandt"),
    amd(0x19, 0x50, 0x5F, "Zen 3 Cezanne"),
    amd(0x19, 0x60, 0x6F, "Zen 4 Raphael"),
    amd(0x19, 0x70, 0x7F, "Zen 4 Phoenix"),
    amd(0x19, 0xA0, 0xAF, "Zen 4c Bergamo"),
    // Family 1Ah: Zen 5 throughout.
    amd(0x1A, 0x00, 0x0F, "Zen 5 Turin"),
    amd(0x1A, 0x20, 0x2F, "Zen 5 Strix Point"),
    amd(0x1A, 0x40, 0x4F, "Zen 5 Granite Ridge"),
    amd(0x1A, 0x60, 0x6F, "Zen 5 Krackan Point"),
    amd(0x1A, 0x70, 0x7F, "Zen 5 Strix Halo"),
    amd(0x1A, 0x00, 0xFF, "Zen 5"),
    // Hygon: family 18h is a licensed Zen.
    {CpuVendor::Hygon, 0x18, 0x00, 0xFF, 0, 0xF, "Dhyana"},

    // Intel late NetBurst, family 15.
    {CpuVendor::Intel, 0x0F, 0x03, 0x04, 0, 0xF, "Prescott"},
    {CpuVendor::Intel, 0x0F, 0x06, 0x06, 0, 0xF, "Cedar Mill"},
    // Intel family 6 after the Pentium III: Pentium M (Dothan), Core and Core 2. The first
    // Pentium M, model 9, stays unnamed, as the classic tables leave it.
    intel(0x0D, 0x0D, "Dothan"),
    intel(0x0E, 0x0E, "Yonah"),
    intel(0x0F, 0x0F, "Merom"),
    intel(0x16, 0x16, "Merom"),
    intel(0x17, 0x17, "Penryn"),
    intel(0x1D, 0x1D, "Dunnington"),
    // Nehalem to Comet Lake, clients and servers.
    intel(0x1A, 0x1A, "Nehalem"),
    intel(0x1E, 0x1F, "Nehalem"),
    intel(0x2E, 0x2E, "Nehalem-EX"),
    intel(0x25, 0x25, "Westmere"),
    intel(0x2C, 0x2C, "Westmere-EP"),
    intel(0x2F, 0x2F, "Westmere-EX"),
    intel(0x2A, 0x2A, "Sandy Bridge"),
    intel(0x2D, 0x2D, "Sandy Bridge-EP"),
    intel(0x3A, 0x3A, "Ivy Bridge"),
    intel(0x3E, 0x3E, "Ivy Bridge-EP"),
    intel(0x3C, 0x3C, "Haswell"),
    intel(0x45, 0x46, "Haswell"),
    intel(0x3F, 0x3F, "Haswell-EP"),
    intel(0x3D, 0x3D, "Broadwell"),
    intel(0x47, 0x47, "Broadwell"),
    intel(0x4F, 0x4F, "Broadwell-EP"),
    intel(0x56, 0x56, "Broadwell-DE"),
    intel(0x4E, 0x4E, "Skylake"),
    intel(0x5E, 0x5E, "Skylake"),
    intelStepping(0x55, 0x0, 0x4, "Skylake-SP"),
    intelStepping(0x55, 0x5, 0x7, "Cascade Lake"),
    intelStepping(0x55, 0xA, 0xB, "Cooper Lake"),
    intel(0x8E, 0x8E, "Kaby Lake"),
    intelStepping(0x9E, 0x0, 0x9, "Kaby Lake"),
    intelStepping(0x9E, 0xA, 0xF, "Coffee Lake"),
    intel(0xA5, 0xA6, "Comet Lake"),
    intel(0x66, 0x66, "Cannon Lake"),
    // Ice Lake to Arrow Lake, and the server lines after Cooper Lake.
    intel(0x7D, 0x7E, "Ice Lake"),
    intel(0x9D, 0x9D, "Ice Lake"),
    intel(0x6A, 0x6A, "Ice Lake-SP"),
    intel(0x6C, 0x6C, "Ice Lake-D"),
    intel(0x8C, 0x8D, "Tiger Lake"),
    intel(0xA7, 0xA7, "Rocket Lake"),
    intel(0x97, 0x97, "Alder Lake"),
    intel(0x9A, 0x9A, "Alder Lake"),
    intel(0xB7, 0xB7, "Raptor Lake"),
    intel(0xBA, 0xBA, "Raptor Lake"),
    intel(0xBF, 0xBF, "Raptor Lake"),
    intel(0xAA, 0xAA, "Meteor Lake"),
    intel(0xAC, 0xAC, "Meteor Lake"),
    intel(0xBD, 0xBD, "Lunar Lake"),
    intel(0xB5, 0xB5, "Arrow Lake"),
    intel(0xC5, 0xC6, "Arrow Lake"),
    intel(0xCC, 0xCC, "Panther Lake"),
    intel(0x8A, 0x8A, "Lakefield"),
    intel(0x8F, 0x8F, "Sapphire Rapids"),
    intel(0xCF, 0xCF, "Emerald Rapids"),
    intel(0xAD, 0xAE, "Granite Rapids"),
    intel(0xD7, 0xD7, "Bartlett Lake"),
    intel(0xAF, 0xAF, "Sierra Forest"),
    intel(0xDD, 0xDD, "Clearwater Forest"),
    {CpuVendor::Intel, 0x13, 0x01, 0x01, 0, 0xF, "Diamond Rapids"},
    intel(0xB6, 0xB6, "Crestmont"),
    intel(0x57, 0x57, "Knights Landing"),
    intel(0x85, 0x85, "Knights Mill"),
    // Atom and E-core lines.
    intel(0x1C, 0x1C, "Bonnell"),
    intel(0x26, 0x26, "Bonnell"),
    intel(0x27, 0x27, "Saltwell"),
    intel(0x35, 0x36, "Saltwell"),
    intel(0x37, 0x37, "Silvermont"),
    intel(0x4A, 0x4A, "Silvermont"),
    intel(0x4D, 0x4D, "Silvermont"),
    intel(0x5D, 0x5D, "Silvermont"),
    intel(0x4C, 0x4C, "Airmont"),
    intel(0x5A, 0x5A, "Airmont"),
    intel(0x75, 0x75, "Airmont"),
    intel(0x5C, 0x5C, "Goldmont"),
    intel(0x5F, 0x5F, "Goldmont"),
    intel(0x7A, 0x7A, "Goldmont Plus"),
    intel(0x86, 0x86, "Tremont"),
    intel(0x96, 0x96, "Tremont"),
    intel(0x9C, 0x9C, "Tremont"),
    intel(0xBE, 0xBE, "Gracemont"),

    // VIA after the Ezra: C3 Nehemiah, C7 Esther, Nano Isaiah; then Zhaoxin's own cores,
    // which report either vendor string, with their models in family 7.
    {CpuVendor::Centaur, 6, 0x09, 0x09, 0, 0xF, "Nehemiah"},
    {CpuVendor::Centaur, 6, 0x0A, 0x0A, 0, 0xF, "Esther"},
    {CpuVendor::Centaur, 6, 0x0D, 0x0D, 0, 0xF, "Esther"},
    {CpuVendor::Centaur, 6, 0x0F, 0x0F, 0, 0xF, "Isaiah"},
    {CpuVendor::Centaur, 7, 0x1B, 0x1B, 0, 0xF, "WuDaoKou"},
    {CpuVendor::Centaur, 7, 0x3B, 0x3B, 0, 0xF, "LuJiaZui"},
    {CpuVendor::Zhaoxin, 7, 0x1B, 0x1B, 0, 0xF, "WuDaoKou"},
    {CpuVendor::Zhaoxin, 7, 0x3B, 0x3B, 0, 0xF, "LuJiaZui"},
    {CpuVendor::Zhaoxin, 7, 0x5B, 0x5B, 0, 0xF, "YongFeng"},
};

bool rowHolds(const ModernRow& row, const CpuInfo& info) {
  const uint16_t model = displayModel(info);
  return row.vendor == info.vendor && row.family == displayFamily(info) &&
         model >= row.modelLo && model <= row.modelHi && info.stepping >= row.steppingLo &&
         info.stepping <= row.steppingHi;
}

} // namespace

uint16_t displayFamily(const CpuInfo& info) {
  return info.family == 0xF ? static_cast<uint16_t>(0xF + info.extFamily) : info.family;
}

uint16_t displayModel(const CpuInfo& info) {
  if (info.family < 6) return info.model;
  return static_cast<uint16_t>((info.extModel << 4) | info.model);
}

const char* modernCoreName(const CpuInfo& info) {
  for (const ModernRow& row : modernRows) {
    if (rowHolds(row, info)) return row.name;
  }
  return nullptr;
}

} // namespace cpu
