// Naming of the processor: the vendor prefix, the marketing name and the core name with its
// manufacturing process, chosen by fixed decision tables over the identification record, and the
// composed one-line description the window and the report show. Texts are Windows-1252 bytes
// ("\x99" trade mark, "\xAE" registered, "\xB5" micro).
#pragma once
#include "cpu/cpu_info.h"

namespace cpu {

// True for processors the naming tables predate but would still answer for with a wrong name:
// AMD base family 0xF (every AMD processor since 2003), Intel family 6 with a non-zero
// extended model (every Intel Core processor since 2007), VIA and Zhaoxin cores past family 6
// model 15, and every Hygon and Zhaoxin processor. These are named by their brand string, and
// their cores by the modern rows (cpu/modern_cores.h) alone.
bool newerThanTables(const CpuInfo& info);

// The core name of the processor's vendor table or, where that has no row, of the modern rows;
// "Unknown" when neither names it.
const char* coreNameFor(const CpuInfo& info);

struct ProcessorName {
  const char* vendorPrefix;   // "Intel ", "VIA " ...; "" when the name carries its maker
  const char* processorName;  // a table text, the vendor string, or info.brandName
};
// The prefix and name the rules give; processorName may point into info.brandName or
// info.vendorId, so it is valid as long as info is.
ProcessorName processorNameFor(const CpuInfo& info);

// "   Core: [TFMS] ": cpuType, family, model, stepping as one uppercase hex digit each.
struct CoreTag {
  char text[17];
};
CoreTag coreTag(const CpuInfo& info);

// Sets vendorPrefix and processorName, then composes processorText: prefix, name, clockText
// (the calibrated "%5d,%02d MHz" field; nullptr counts as empty), core tag and core name.
// The text is cut at 98 characters, so an unexpected clock text cannot overrun it.
void nameProcessor(CpuInfo& info, const char* clockText);
// The same for the process-wide record.
void nameProcessor(const char* clockText);

} // namespace cpu
