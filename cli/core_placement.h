// The core types of the processors the measuring threads run on, for hybrid processors: a
// survey of every usable processor, the counts --cpu prints, the one-line note when a threaded
// run mixes types, and the JSON of both.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace cli {

// The core type of each usable processor, by index; empty when the processor is not hybrid.
std::vector<uint8_t> processorCoreTypes();

// "8 P-core, 16 E-core": how many of types are of each type, in order of first appearance.
std::string coreTypeCountsText(const std::vector<uint8_t>& types);

// The note for a run on the first count processors of types when they are of more than one
// type; empty otherwise.
std::string mixedCoreTypesNote(const std::vector<uint8_t>& types, uint32_t count);

// Prints mixedCoreTypesNote of this system's first count processors on standard error.
void noteMixedCoreTypes(uint32_t count);

// {"P-core": 8, "E-core": 16} for the whole system.
nlohmann::json coreTypeCountsJson(const std::vector<uint8_t>& types);

// The names of the types of the first count processors; with one thread, measuringType is the
// type of the processor the measuring thread was pinned to.
nlohmann::json threadCoreTypesJson(const std::vector<uint8_t>& types, uint32_t count,
                                   uint8_t measuringType);

} // namespace cli
