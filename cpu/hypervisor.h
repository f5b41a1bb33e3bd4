// The hypervisor a virtual machine runs under: leaf 1 ECX bit 31 says one is present, and
// leaf 40000000h carries its 12-character signature in EBX, ECX, EDX. On a virtual machine the
// cache leaves are what the hypervisor chooses to report, often the host's whole cache.
#pragma once
#include <string>

#include "cpu/cpu_info.h"

namespace cpu {

// The hypervisor's common name ("KVM", "Microsoft Hv", "bhyve" ...), its signature with the
// outer blanks and NULs removed when the name is not known, or "" on bare metal.
std::string hypervisorFrom(CpuidFunction read);

} // namespace cpu
