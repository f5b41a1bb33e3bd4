// Choosing the processor's names from the naming tables and composing the one-line description:
// vendor prefix, name, the calibrated clock, the core tag with the raw signature digits, and the
// core name. Processors newer than the tables are named by their own brand string instead.
#include "cpu/names.h"

#include "chart/text/format.h"
#include "cpu/modern_cores.h"
#include "cpu/name_tables.h"

namespace cpu {

namespace {

constexpr const char* unknownName = "Unknown";
constexpr int processorTextSize = sizeof(CpuInfo{}.processorText);

// The family the tables are keyed by: Intel tells its family-15 lines apart by the extended
// family, so it is added there; below 15 the extended family is always 0.
uint16_t tableFamily(const CpuInfo& info) {
  return info.family == 15 ? static_cast<uint16_t>(15 + info.extFamily) : info.family;
}

bool testHolds(const NameRow& row, const CpuInfo& info) {
  switch (row.test) {
    case RowTest::Any: return true;
    case RowTest::Stepping: return info.stepping >= row.lo && info.stepping <= row.hi;
    case RowTest::CpuType: return info.cpuType >= row.lo && info.cpuType <= row.hi;
    case RowTest::Descriptor:
      return info.firstCacheDescriptor >= row.lo && info.firstCacheDescriptor <= row.hi;
    case RowTest::Brand: return info.brandIndex >= row.lo && info.brandIndex <= row.hi;
    case RowTest::BrandLetters:
      return info.brandString[15] == static_cast<char>(row.lo) &&
             info.brandString[16] == static_cast<char>(row.hi);
  }
  return false;
}

bool rowMatches(const NameRow& row, const CpuInfo& info) {
  const uint16_t family = tableFamily(info);
  if (family < row.familyLo || family > row.familyHi) return false;
  if ((row.models & (1u << info.model)) == 0) return false;
  return testHolds(row, info);
}

const RuleSet* ruleSetOf(const RuleSet* sets, int count, CpuVendor vendor) {
  for (int i = 0; i < count; ++i) {
    if (sets[i].vendor == vendor) return &sets[i];
  }
  return nullptr;
}

const NameRow* firstMatch(const RuleSet& set, const CpuInfo& info) {
  for (int i = 0; i < set.rowCount; ++i) {
    if (rowMatches(set.rows[i], info)) return &set.rows[i];
  }
  return nullptr;
}

// Appends text to dest at position, never past the last byte before the terminator.
int appendBounded(char* dest, int position, const char* text) {
  if (text == nullptr) return position;
  while (*text != '\0' && position < processorTextSize - 1) dest[position++] = *text++;
  return position;
}

} // namespace

bool newerThanTables(const CpuInfo& info) {
  switch (info.vendor) {
    case CpuVendor::AMD: return info.family == 0xF;
    case CpuVendor::Intel: return info.family == 6 && info.extModel != 0;
    case CpuVendor::Centaur: return info.family > 6 || (info.family == 6 && info.extModel != 0);
    case CpuVendor::Hygon:
    case CpuVendor::Zhaoxin: return true;
    default: return false;
  }
}

const char* coreNameFor(const CpuInfo& info) {
  // A newer processor's base model would pick an unrelated classic row (a Core 2 Duo reads as
  // a Pentium III Tanner), so it is looked up among the modern rows alone.
  const char* modern = modernCoreName(info);
  if (newerThanTables(info)) return modern != nullptr ? modern : unknownName;
  const RuleSet* set = ruleSetOf(coreRules, coreRuleCount, info.vendor);
  const NameRow* row = set != nullptr ? firstMatch(*set, info) : nullptr;
  if (row != nullptr) return row->name;
  if (modern != nullptr) return modern;
  return set != nullptr ? set->fallback : unknownName;
}

ProcessorName processorNameFor(const CpuInfo& info) {
  if (newerThanTables(info) && info.brandName[0] != '\0') return {"", info.brandName};
  const RuleSet* set = ruleSetOf(processorRules, processorRuleCount, info.vendor);
  if (set == nullptr) return {"", info.vendorId};
  const NameRow* row = firstMatch(*set, info);
  if (row == nullptr) return {set->prefix, set->fallback};
  return {row->prefix != nullptr ? row->prefix : set->prefix, row->name};
}

CoreTag coreTag(const CpuInfo& info) {
  CoreTag tag = {"   Core: [0000] "};
  const unsigned digits[4] = {info.cpuType, info.family, info.model, info.stepping};
  for (int i = 0; i < 4; ++i) tag.text[10 + i] = text::digitChar(digits[i] & 0xF);
  return tag;
}

void nameProcessor(CpuInfo& info, const char* clockText) {
  const ProcessorName name = processorNameFor(info);
  info.vendorPrefix = name.vendorPrefix;
  info.processorName = name.processorName;
  const CoreTag tag = coreTag(info);
  int position = 0;
  position = appendBounded(info.processorText, position, info.vendorPrefix);
  position = appendBounded(info.processorText, position, info.processorName);
  position = appendBounded(info.processorText, position, clockText);
  position = appendBounded(info.processorText, position, tag.text);
  position = appendBounded(info.processorText, position, info.coreName);
  info.processorText[position] = '\0';
}

void nameProcessor(const char* clockText) {
  nameProcessor(cpuInfo, clockText);
}

} // namespace cpu
