// CPUID leaves recorded from real processors; see recorded_processors.h.
#include "tests/cpu/recorded_processors.h"

namespace cputest::recorded {

// The machine these tests were written on: a 2-core AMD EPYC (Zen 3) virtual machine, leaves
// printed with <cpuid.h> __cpuid_count on 2026-12-07. The hypervisor shortens the brand string.
const std::vector<RecordedLeaf> epycVirtualMachine = {
    {0x00000000, 0x00000010, 0x68747541, 0x444D4163, 0x69746E65},
    {0x00000001, 0x00A00F11, 0x01020800, 0xFFFA3203, 0x178BFBFF},
    {0x00000002, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {0x80000000, 0x80000022, 0x68747541, 0x444D4163, 0x69746E65},
    {0x80000001, 0x00A00F11, 0x40000000, 0x004003F3, 0x2FD3FBFF},
    {0x80000002, 0x20444D41, 0x43595045, 0x00000000, 0x00000000},
    {0x80000003, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {0x80000004, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
};

// AMD Ryzen 5 7600X (Zen 4, Raphael desktop): the InstLatx64 dump
// AuthenticAMD0A60F12_K19_Raphael_01_CPUID.txt, as quoted in the cpu_features x86 tests.
const std::vector<RecordedLeaf> ryzen7600x = {
    {0x00000000, 0x00000010, 0x68747541, 0x444D4163, 0x69746E65},
    {0x00000001, 0x00A60F12, 0x000C0800, 0x7EF8320B, 0x178BFBFF},
    {0x80000000, 0x80000028, 0x68747541, 0x444D4163, 0x69746E65},
    {0x80000001, 0x00A60F12, 0x00000000, 0x75C237FF, 0x2FD3FBFF},
    {0x80000002, 0x20444D41, 0x657A7952, 0x2035206E, 0x30303637},
    {0x80000003, 0x2D362058, 0x65726F43, 0x6F725020, 0x73736563},
    {0x80000004, 0x2020726F, 0x20202020, 0x20202020, 0x00202020},
};

// Intel Core i7-13700HX (Raptor Lake): a CPU-Z thread dump of P-core thread 0, as recorded in
// a public feature-detection test. Leaf 2 was not recorded; recent Intel processors answer it
// with 0x00FEFF01, 0xF0, 0, 0 (see their leaf 4 instead), whose EDX low byte is the 0 replayed here.
const std::vector<RecordedLeaf> corei7_13700hx = {
    {0x00000000, 0x00000020, 0x756E6547, 0x6C65746E, 0x49656E69},
    {0x00000001, 0x000B06F2, 0x00800800, 0xFFFAF38B, 0xBFCBFBFF},
    {0x80000000, 0x80000008, 0x00000000, 0x00000000, 0x00000000},
    {0x80000001, 0x00000000, 0x00000000, 0x00000121, 0x2C100800},
    {0x80000002, 0x68743331, 0x6E654720, 0x746E4920, 0x52286C65},
    {0x80000003, 0x6F432029, 0x54286572, 0x6920294D, 0x33312D37},
    {0x80000004, 0x48303037, 0x00000058, 0x00000000, 0x00000000},
};

// A Pentium III Coppermine: signature 0x683 and brand index 2 as Intel documents them, leaf 2
// with the descriptors 0x01 0x02 0x03 0x82 0x08 0x04 0x0C of its caches and TLBs. It has no
// extended leaves: leaf 0x80000000 answers with its highest standard leaf, 3, all zero here.
const std::vector<RecordedLeaf> pentium3Coppermine = {
    cputest::vendorLeaf(3, "GenuineIntel"),
    {0x00000001, 0x00000683, 0x00000002, 0x00000000, 0x0383F9FF},
    {0x00000002, 0x03020101, 0x00000000, 0x00000000, 0x0C040882},
};

// The same virtual machine later the same day, on a Zen 4 host: every leaf read with the
// program's readCpuid on 2026-12-07, the cache leaves 0x80000005, 0x80000006 and 0x8000001D
// (sub-leaves 0-4) included. Its older L3 field says 320 MB where the deterministic leaf says
// 32 MB shared by 2.
const std::vector<RecordedLeaf> epycGenoaVirtualMachine = {
    {0x00000000, 0x0000001C, 0x68747541, 0x444D4163, 0x69746E65},
    {0x00000001, 0x00A10F11, 0x00020800, 0xFFFA3203, 0x178BFBFF},
    {0x00000002, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {0x80000000, 0x80000021, 0x68747541, 0x444D4163, 0x69746E65},
    {0x80000001, 0x00A10F11, 0x40000000, 0x004003F3, 0x2FD3FBFF},
    {0x80000002, 0x20444D41, 0x43595045, 0x00000000, 0x00000000},
    {0x80000003, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {0x80000004, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {0x80000005, 0xFF48FF40, 0xFF48FF40, 0x20080140, 0x20080140},
    {0x80000006, 0x5C002200, 0x6C004200, 0x04006140, 0x0A009140},
    {0x8000001D, 0x00000121, 0x01C0003F, 0x0000003F, 0x00000000, 0},
    {0x8000001D, 0x00000122, 0x01C0003F, 0x0000003F, 0x00000000, 1},
    {0x8000001D, 0x00000143, 0x01C0003F, 0x000007FF, 0x00000002, 2},
    {0x8000001D, 0x00004163, 0x03C0003F, 0x00007FFF, 0x00000001, 3},
    {0x8000001D, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 4},
};

// A Core i7 of signature 0x406E3 (Skylake mobile) with its leaf 4, as quoted in the
// cpu_features x86 tests (KabyLakeCache). Intel's leaf 4 gives sharing as addressable IDs, a
// power of two that can exceed the threads present.
const std::vector<RecordedLeaf> corei7Skylake = {
    {0x00000000, 0x00000016, 0x756E6547, 0x6C65746E, 0x49656E69},
    {0x00000001, 0x000406E3, 0x00100800, 0x7FFAFBBF, 0xBFEBFBFF},
    {0x00000004, 0x1C004121, 0x01C0003F, 0x0000003F, 0x00000000, 0},
    {0x00000004, 0x1C004122, 0x01C0003F, 0x0000003F, 0x00000000, 1},
    {0x00000004, 0x1C004143, 0x00C0003F, 0x000003FF, 0x00000000, 2},
    {0x00000004, 0x1C03C163, 0x02C0003F, 0x00001FFF, 0x00000002, 3},
    {0x80000000, 0x80000008, 0x00000000, 0x00000000, 0x00000000},
    {0x80000001, 0x00000000, 0x00000000, 0x00000121, 0x2C100000},
};

// AMD Opteron 6376 (Piledriver, Abu Dhabi): the InstLatx64 dump
// AuthenticAMD0600F20_K15_AbuDhabi_CPUID0.txt, as quoted in the cpu_features x86 tests. Two
// cores of a module share the second level, four modules the third.
const std::vector<RecordedLeaf> opteron6376 = {
    {0x00000000, 0x0000000D, 0x68747541, 0x444D4163, 0x69746E65},
    {0x00000001, 0x00600F20, 0x00100800, 0x3E98320B, 0x178BFBFF},
    {0x80000000, 0x8000001E, 0x68747541, 0x444D4163, 0x69746E65},
    {0x80000001, 0x00600F20, 0x30000000, 0x01EBBFFF, 0x2FD3FBFF},
    {0x8000001D, 0x00000121, 0x00C0003F, 0x0000003F, 0x00000000, 0},
    {0x8000001D, 0x00004122, 0x0040003F, 0x000001FF, 0x00000000, 1},
    {0x8000001D, 0x00004143, 0x03C0003F, 0x000007FF, 0x00000001, 2},
    {0x8000001D, 0x0001C163, 0x0BC0003F, 0x000007FF, 0x00000001, 3},
};

} // namespace cputest::recorded
