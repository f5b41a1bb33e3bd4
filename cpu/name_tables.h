// The decision tables that name a processor and its core, as data: each vendor's rows are
// searched in order and the first row whose family, model and extra condition all hold gives the
// text. Read by cpu/names.cpp only.
#pragma once
#include <cstdint>

#include "cpu/cpu_info.h"

namespace cpu {

// The one extra condition a row may carry besides family and model.
enum class RowTest : uint8_t {
  Any,           // no further condition
  Stepping,      // stepping within [lo, hi]
  CpuType,       // cpuType within [lo, hi]
  Descriptor,    // firstCacheDescriptor within [lo, hi]
  Brand,         // brandIndex within [lo, hi]
  BrandLetters,  // brandString bytes 15 and 16 are the characters lo and hi
};

struct NameRow {
  uint16_t familyLo;     // table family: the base family, plus the extended family for family 15
  uint16_t familyHi;
  uint16_t models;       // bit m set: base model m matches
  RowTest test;
  uint8_t lo;
  uint8_t hi;
  const char* prefix;    // vendor prefix of this row; nullptr: the rule set's own
  const char* name;
};

struct RuleSet {
  CpuVendor vendor;
  const char* prefix;    // the usual vendor prefix
  const NameRow* rows;
  int rowCount;
  const char* fallback;  // the name when no row matches
};

// Processor-name rule sets of the recognised vendors.
extern const RuleSet processorRules[];
extern const int processorRuleCount;
// Core-name tables; vendors without one are not listed (their core is always "Unknown").
extern const RuleSet coreRules[];
extern const int coreRuleCount;

} // namespace cpu
