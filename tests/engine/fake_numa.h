// What the engine suite's two-node fake of platform/numa was asked.
#pragma once
#include <cstdint>

namespace enginetest {
struct FakeNodes {
  uint32_t blocks[2] = {};   // blocks allocated on node 0 and node 1
};
extern FakeNodes fakeNodes;
} // namespace enginetest
