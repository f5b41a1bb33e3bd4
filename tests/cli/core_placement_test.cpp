// The core-type counts and the note on threaded runs that mix core types.
#include <gtest/gtest.h>

#include "cli/core_placement.h"

namespace {

TEST(CliCoreTypes, CountsNoteAndThreadList) {
  const std::vector<uint8_t> types = {0x40, 0x40, 0x20, 0x20, 0x20, 0x40};
  EXPECT_EQ(cli::coreTypeCountsText(types), "3 P-core, 3 E-core");
  EXPECT_EQ(cli::mixedCoreTypesNote(types, 2), "");
  EXPECT_EQ(cli::mixedCoreTypesNote(types, 4),
            "note: the 4 threads run on mixed core types (2 P-core, 2 E-core); each summed "
            "rate adds unlike cores");
  EXPECT_EQ(cli::coreTypeCountsJson(types).dump(), R"({"E-core":3,"P-core":3})");
  EXPECT_EQ(cli::threadCoreTypesJson(types, 3, 0).dump(), R"(["P-core","P-core","E-core"])");
  // One thread: the processor the measuring thread was pinned to, wherever it is.
  EXPECT_EQ(cli::threadCoreTypesJson(types, 1, 0x20).dump(), R"(["E-core"])");
}

} // namespace
