// Naming the hypervisor from its CPUID signature; see cpu/hypervisor.h.
#include "cpu/hypervisor.h"

#include <cstring>

namespace cpu {
namespace {

constexpr uint32_t hypervisorPresent = 1u << 31;   // leaf 1 ECX
constexpr uint32_t hypervisorLeaf = 0x40000000u;

struct KnownHypervisor {
  const char* signature;   // the 12 bytes of EBX, ECX, EDX
  const char* name;
};

// The signatures as the hypervisors' own documentation gives them (KVM pads with NULs).
const KnownHypervisor knownHypervisors[] = {
    {"KVMKVMKVM\0\0\0", "KVM"},          {"Microsoft Hv", "Microsoft Hv"},
    {"VMwareVMware", "VMware"},          {"bhyve bhyve ", "bhyve"},
    {"XenVMMXenVMM", "Xen"},             {"VBoxVBoxVBox", "VirtualBox"},
    {"TCGTCGTCGTCG", "QEMU TCG"},        {" lrpepyh  vr", "Parallels"},
    {"ACRNACRNACRN", "ACRN"},            {"Linux KVM Hv", "KVM (Hyper-V interface)"},
};

void storeRegister(char* dest, uint32_t value) {
  for (int i = 0; i < 4; ++i) dest[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string trimmed(const char* bytes, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const char c = bytes[i];
    text += (c >= 0x20 && c < 0x7F) ? c : ' ';
  }
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "unnamed";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string hypervisorFrom(CpuidFunction read) {
  if (read(0, 0).eax < 1 || (read(1, 0).ecx & hypervisorPresent) == 0) return "";
  const CpuidRegisters r = read(hypervisorLeaf, 0);
  char signature[12];
  storeRegister(signature, r.ebx);
  storeRegister(signature + 4, r.ecx);
  storeRegister(signature + 8, r.edx);
  for (const KnownHypervisor& known : knownHypervisors) {
    if (std::memcmp(signature, known.signature, 12) == 0) return known.name;
  }
  return trimmed(signature, sizeof signature);
}

} // namespace cpu
