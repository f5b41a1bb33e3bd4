// Core types of the measuring threads' processors; see cli/core_placement.h.
#include "cli/core_placement.h"

#include <cstdio>
#include <utility>

#include "cpu/core_types.h"
#include "platform/threads.h"

namespace cli {
namespace {

void readCoreType(void* context, uint32_t index) {
  static_cast<uint8_t*>(context)[index] = cpu::coreTypeFrom(cpu::readCpuid);
}

// Each distinct type with its count, in order of first appearance.
std::vector<std::pair<uint8_t, uint32_t>> typeCounts(const std::vector<uint8_t>& types,
                                                     uint32_t count) {
  std::vector<std::pair<uint8_t, uint32_t>> counts;
  for (uint32_t i = 0; i < count && i < types.size(); ++i) {
    bool seen = false;
    for (auto& c : counts) {
      if (c.first == types[i]) {
        ++c.second;
        seen = true;
      }
    }
    if (!seen) counts.push_back({types[i], 1});
  }
  return counts;
}

std::string countsText(const std::vector<std::pair<uint8_t, uint32_t>>& counts) {
  std::string text;
  for (const auto& c : counts) {
    if (!text.empty()) text += ", ";
    text += std::to_string(c.second) + " " + cpu::coreTypeName(c.first);
  }
  return text;
}

} // namespace

std::vector<uint8_t> processorCoreTypes() {
  cpu::detectHybrid();
  if (!cpu::hybridProcessor) return {};
  std::vector<uint8_t> types(platform::usableProcessorCount(), 0);
  if (!platform::runPinnedThreads(static_cast<uint32_t>(types.size()), readCoreType,
                                  types.data())) {
    return {};
  }
  return types;
}

std::string coreTypeCountsText(const std::vector<uint8_t>& types) {
  return countsText(typeCounts(types, static_cast<uint32_t>(types.size())));
}

std::string mixedCoreTypesNote(const std::vector<uint8_t>& types, uint32_t count) {
  const auto counts = typeCounts(types, count);
  if (counts.size() < 2) return "";
  return "note: the " + std::to_string(count) + " threads run on mixed core types (" +
         countsText(counts) + "); each summed rate adds unlike cores";
}

void noteMixedCoreTypes(uint32_t count) {
  if (count < 2) return;
  const std::string note = mixedCoreTypesNote(processorCoreTypes(), count);
  if (!note.empty()) std::fprintf(stderr, "%s\n", note.c_str());
}

nlohmann::json coreTypeCountsJson(const std::vector<uint8_t>& types) {
  nlohmann::json counts = nlohmann::json::object();
  for (const auto& c : typeCounts(types, static_cast<uint32_t>(types.size()))) {
    counts[cpu::coreTypeName(c.first)] = c.second;
  }
  return counts;
}

nlohmann::json threadCoreTypesJson(const std::vector<uint8_t>& types, uint32_t count,
                                   uint8_t measuringType) {
  nlohmann::json names = nlohmann::json::array();
  if (count <= 1) {
    names.push_back(cpu::coreTypeName(measuringType));
    return names;
  }
  for (uint32_t i = 0; i < count && i < types.size(); ++i) {
    names.push_back(cpu::coreTypeName(types[i]));
  }
  return names;
}

} // namespace cli
