// Memory nodes on Windows. The node functions are looked up at run time: the program still
// starts on systems older than them, which are one node.
#include "platform/numa.h"

#include <windows.h>

#include <cstring>

#include "platform/threads.h"

namespace platform {
namespace {

using HighestNodeFunction = BOOL(WINAPI*)(PULONG);
using NodeMaskFunction = BOOL(WINAPI*)(UCHAR, PULONGLONG);
using AllocNumaFunction = LPVOID(WINAPI*)(HANDLE, LPVOID, SIZE_T, DWORD, DWORD, DWORD);

// A kernel32 function of the given type, or null. Through void*: FARPROC has no parameters,
// and a direct cast between function types draws a warning.
template <typename Function>
Function kernelFunction(const char* name) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  void* const address =
      kernel != nullptr ? reinterpret_cast<void*>(GetProcAddress(kernel, name)) : nullptr;
  return reinterpret_cast<Function>(address);
}

} // namespace

uint32_t memoryNodeCount() {
  const auto highest =
      kernelFunction<HighestNodeFunction>("GetNumaHighestNodeNumber");
  ULONG node = 0;
  if (highest == nullptr || !highest(&node)) return 1;
  return node + 1 > maxMemoryNodes ? maxMemoryNodes : static_cast<uint32_t>(node + 1);
}

uint32_t nodeProcessors(uint32_t node, uint32_t* indexes, uint32_t max) {
  const auto nodeMask =
      kernelFunction<NodeMaskFunction>("GetNumaNodeProcessorMask");
  ULONGLONG mask = ~0ull;
  if (memoryNodeCount() > 1 && (nodeMask == nullptr || !nodeMask(UCHAR(node), &mask))) mask = 0;
  if (memoryNodeCount() == 1 && node != 0) mask = 0;
  uint32_t found = 0;
  for (uint32_t i = 0; i < usableProcessorCount(); ++i) {
    const int32_t bit = processorNumber(i);
    const bool inNode = bit < 0 ? node == 0 : ((mask >> bit) & 1u) != 0;
    if (!inNode) continue;
    if (found < max) indexes[found] = i;
    ++found;
  }
  return found;
}

void* allocateOnNode(std::size_t bytes, uint32_t node) {
  const auto allocNuma = kernelFunction<AllocNumaFunction>("VirtualAllocExNuma");
  void* block = allocNuma != nullptr
                    ? allocNuma(GetCurrentProcess(), nullptr, bytes, MEM_RESERVE | MEM_COMMIT,
                                PAGE_READWRITE, node)
                    : VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (block != nullptr) std::memset(block, 0, bytes);   // placed by the first write
  return block;
}

void freeNodeBlock(void* block, std::size_t) {
  if (block != nullptr) VirtualFree(block, 0, MEM_RELEASE);
}

} // namespace platform
