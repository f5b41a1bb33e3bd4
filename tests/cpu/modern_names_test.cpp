// Core names of processors after the classic tables, one real processor per modern row: its
// leaf 1 signature and brand string, and where they were published. "InstLatx64" is the public
// CPUID dump collection of that name (file name given: the signature is its leading hex field),
// "VirtualBox" its CPU database (src/VBox/VMM/VMMR3/cpus/), "Linux" the model numbers of
// arch/x86/include/asm/intel-family.h with a product of that model, and "here" a machine these
// tests ran on.
#include <gtest/gtest.h>

#include <vector>

#include "cpu/names.h"
#include "tests/cpu/cpuid_replay.h"

namespace {

struct ModernCase {
  const char* vendorId;
  uint32_t eax;        // leaf 1 EAX
  const char* brand;   // brand string
  const char* core;    // the core name expected
  const char* source;
};

const char* const amd = "AuthenticAMD";
const char* const intel = "GenuineIntel";

const ModernCase cases[] = {
    // AMD, K7 to K10 and the small cores.
    {amd, 0x000006A0, "AMD Athlon(tm) XP 2500+", "Barton", "InstLatx64 AuthenticAMD00006A0_K7_Barton"},
    {amd, 0x00000F4A, "AMD Athlon(tm) 64 Processor 3400+", "K8", "InstLatx64 AuthenticAMD0000F4A_K8_Clawhammer"},
    {amd, 0x00060FB1, "AMD Athlon(tm) 64 X2 Dual Core Processor 5000+", "K8", "InstLatx64 AuthenticAMD0060FB1_K8_Brisbane"},
    {amd, 0x00100F42, "AMD Phenom(tm) II X4 940 Processor", "K10", "InstLatx64 AuthenticAMD0100F42_K10_Deneb"},
    {amd, 0x00200F31, "AMD Turion(tm) X2 Ultra Dual-Core Mobile ZM-80", "K8 Griffin", "Linux family 11h (Griffin)"},
    {amd, 0x00300F10, "AMD A8-3850 APU with Radeon(tm) HD Graphics", "K10 Llano", "Linux family 12h (Llano)"},
    {amd, 0x00500F10, "AMD E-350 Processor", "Bobcat", "InstLatx64 AuthenticAMD0500F10_K14_Bobcat"},
    {amd, 0x00600F12, "AMD FX(tm)-8150 Eight-Core Processor", "Bulldozer", "InstLatx64 AuthenticAMD0600F12_K15_Zambezi8C"},
    {amd, 0x00600F20, "AMD FX(tm)-8350 Eight-Core Processor", "Piledriver", "Linux family 15h model 02h (Vishera)"},
    {amd, 0x00610F31, "AMD A10-6800K APU with Radeon(tm) HD Graphics", "Piledriver", "InstLatx64 AuthenticAMD0610F31_K15_Richland"},
    {amd, 0x00630F01, "AMD A10-7850K Radeon R7, 12 Compute Cores 4C+8G", "Steamroller", "InstLatx64 AuthenticAMD0630F01_K15_Kaveri"},
    {amd, 0x00660F51, "AMD A12-9800 RADEON R7, 12 COMPUTE CORES 4C+8G", "Excavator", "InstLatx64 AuthenticAMD0660F51_K15_BristolRidge"},
    {amd, 0x00700F01, "AMD Athlon(tm) 5350 APU with Radeon(tm) R3", "Jaguar", "InstLatx64 AuthenticAMD0700F01_K16_Kabini"},
    {amd, 0x00730F01, "AMD A8-6410 APU with AMD Radeon R5 Graphics", "Puma", "InstLatx64 AuthenticAMD0730F01_K16_Beema"},
    // AMD Zen to Zen 5.
    {amd, 0x00800F11, "AMD Ryzen 7 1800X Eight-Core Processor", "Zen", "InstLatx64 AuthenticAMD0800F11_K17_Zen"},
    {amd, 0x00800F82, "AMD Ryzen 7 2700X Eight-Core Processor", "Zen+ Pinnacle Ridge", "InstLatx64 AuthenticAMD0800F82_K17_PinnacleRidge_01"},
    {amd, 0x00810F10, "AMD Ryzen 5 2500U with Radeon Vega Mobile Gfx", "Zen Raven Ridge", "InstLatx64 AuthenticAMD0810F10_K17_Zen"},
    {amd, 0x00810F81, "AMD Ryzen 5 3400G with Radeon Vega Graphics", "Zen+ Picasso", "Linux family 17h model 18h (Picasso)"},
    {amd, 0x00820F01, "AMD Athlon Silver 3050U with Radeon Graphics", "Zen Dali", "Linux family 17h model 20h (Dali)"},
    {amd, 0x00830F10, "AMD EPYC 7742 64-Core Processor", "Zen 2 Rome", "InstLatx64 AuthenticAMD0830F10_K17_Rome"},
    {amd, 0x00840F70, "AMD 4700S 8-Core Processor Desktop Kit", "Zen 2", "Linux family 17h model 47h"},
    {amd, 0x00860F01, "AMD Ryzen 7 4800H with Radeon Graphics", "Zen 2 Renoir", "Linux family 17h model 60h (Renoir)"},
    {amd, 0x00860F81, "AMD Ryzen 7 5700U with Radeon Graphics", "Zen 2 Lucienne", "Linux family 17h model 68h (Lucienne)"},
    {amd, 0x00870F10, "AMD Ryzen 9 3900X 12-Core Processor", "Zen 2 Matisse", "InstLatx64 AuthenticAMD0870F10_K17_Matisse"},
    {amd, 0x00890F02, "AMD Custom APU 0405", "Zen 2 Van Gogh", "Linux family 17h model 90h (Van Gogh)"},
    {amd, 0x008A0F00, "AMD Ryzen 5 7520U with Radeon Graphics", "Zen 2 Mendocino", "Linux family 17h model A0h (Mendocino)"},
    {amd, 0x00A00F11, "AMD EPYC", "Zen 3 Milan", "here: a virtual machine on a Milan host"},
    {amd, 0x00A00F82, "AMD Ryzen Threadripper PRO 5995WX 64-Cores", "Zen 3 Chagall", "Linux family 19h model 08h (Chagall)"},
    {amd, 0x00A10F11, "AMD EPYC 9654 96-Core Processor", "Zen 4 Genoa", "here: a virtual machine on a Genoa host"},
    {amd, 0x00A10F81, "AMD Ryzen Threadripper 7980X 64-Cores", "Zen 4 Storm Peak", "InstLatx64 AuthenticAMD0A10F81_K19_StormPeak_01"},
    {amd, 0x00A20F12, "AMD Ryzen 9 5950X 16-Core Processor", "Zen 3 Vermeer", "InstLatx64 AuthenticAMD0A20F12_K19_Vermeer_03"},
    {amd, 0x00A40F41, "AMD Ryzen 7 6800H with Radeon Graphics", "Zen 3+ Rembrandt", "Linux family 19h model 44h (Rembrandt)"},
    {amd, 0x00A50F00, "AMD Ryzen 7 5800H with Radeon Graphics", "Zen 3 Cezanne", "Linux family 19h model 50h (Cezanne)"},
    {amd, 0x00A60F12, "AMD Ryzen 9 7950X 16-Core Processor", "Zen 4 Raphael", "InstLatx64 AuthenticAMD0A60F12_K19_Raphael_04"},
    {amd, 0x00A70F41, "AMD Ryzen 7 7840U w/ Radeon 780M Graphics", "Zen 4 Phoenix", "Linux family 19h model 74h (Phoenix)"},
    {amd, 0x00AA0F01, "AMD EPYC 9754 128-Core Processor", "Zen 4c Bergamo", "Linux family 19h model A0h (Bergamo)"},
    {amd, 0x00B00F21, "Oxide Virtual Turin-like Processor", "Zen 5 Turin", "here: the Zen 5 virtual machine of the recorded latency runs"},
    {amd, 0x00B20F40, "AMD Ryzen AI 9 HX 370 w/ Radeon 890M", "Zen 5 Strix Point", "Linux family 1Ah model 24h (Strix Point)"},
    {amd, 0x00B40F40, "AMD Ryzen 9 9950X 16-Core Processor", "Zen 5 Granite Ridge", "InstLatx64 AuthenticAMD0B40F40_K20_GraniteRidge_02"},
    {amd, 0x00B60F00, "AMD Ryzen AI 7 350 w/ Radeon 860M", "Zen 5 Krackan Point", "Linux family 1Ah model 60h (Krackan Point)"},
    {amd, 0x00B70F00, "AMD RYZEN AI MAX+ 395 w/ Radeon 8060S", "Zen 5 Strix Halo", "Linux family 1Ah model 70h (Strix Halo)"},
    {amd, 0x00B10F10, "AMD EPYC 9965 192-Core Processor", "Zen 5", "Linux family 1Ah model 11h (Turin dense)"},
    {"HygonGenuine", 0x00900F01, "Hygon C86 7185 32-core Processor", "Dhyana", "VirtualBox Hygon_C86_7185_32_core"},

    // Intel NetBurst after Northwood, Pentium M, Core and Core 2.
    {intel, 0x00000F41, "Intel(R) Celeron(R) CPU 2.53GHz", "Prescott", "InstLatx64 GenuineIntel0000F41_P4_Prescott"},
    {intel, 0x00000F48, "Intel(R) Xeon(TM) CPU 2.80GHz", "Prescott", "InstLatx64 GenuineIntel0000F48_P4_Paxville"},
    {intel, 0x00000F65, "Intel(R) Pentium(R) 4 CPU 3.00GHz", "Cedar Mill", "Intel Pentium 4 600 series (Cedar Mill) signature"},
    {intel, 0x000006D8, "Intel(R) Pentium(R) M processor 2.00GHz", "Dothan", "InstLatx64 GenuineIntel00006D8_PM_Dothan"},
    {intel, 0x000006E8, "Genuine Intel(R) CPU           T2600  @ 2.16GHz", "Yonah", "InstLatx64 GenuineIntel00006E8_PM_Yonah"},
    {intel, 0x000006F6, "Intel(R) Core(TM)2 CPU          6600  @ 2.40GHz", "Merom", "InstLatx64 GenuineIntel00006F6_Conroe"},
    {intel, 0x00010661, "Intel(R) Celeron(R) CPU          420  @ 1.60GHz", "Merom", "InstLatx64 GenuineIntel0010661_ConroeL"},
    {intel, 0x00010676, "Intel(R) Core(TM)2 Quad  CPU   Q9450  @ 2.66GHz", "Penryn", "InstLatx64 GenuineIntel0010676_Yorkfield"},
    {intel, 0x000106D1, "Intel(R) Xeon(R) CPU           X7460  @ 2.66GHz", "Dunnington", "Linux INTEL_CORE2_DUNNINGTON 1Dh"},
    // Nehalem to Comet Lake.
    {intel, 0x000106A5, "Intel(R) Core(TM) i7 CPU         920  @ 2.67GHz", "Nehalem", "InstLatx64 GenuineIntel00106A2_Nehalem-EP (model 1Ah)"},
    {intel, 0x000106E5, "Intel(R) Core(TM) i7 CPU         860  @ 2.80GHz", "Nehalem", "Linux INTEL_NEHALEM 1Eh"},
    {intel, 0x000206E6, "Intel(R) Xeon(R) CPU           X7560  @ 2.27GHz", "Nehalem-EX", "Linux INTEL_NEHALEM_EX 2Eh"},
    {intel, 0x00020655, "Intel(R) Core(TM) i5 CPU         661  @ 3.33GHz", "Westmere", "Linux INTEL_WESTMERE 25h"},
    {intel, 0x000206C2, "Intel(R) Core(TM) i7 CPU         980  @ 3.33GHz", "Westmere-EP", "InstLatx64 GenuineIntel00206C2_Gulftown"},
    {intel, 0x000206F2, "Intel(R) Xeon(R) CPU E7- 4870  @ 2.40GHz", "Westmere-EX", "Linux INTEL_WESTMERE_EX 2Fh"},
    {intel, 0x000206A7, "Intel(R) Core(TM) i7-2635QM CPU @ 2.00GHz", "Sandy Bridge", "VirtualBox Intel_Core_i7_2635QM"},
    {intel, 0x000206D7, "Intel(R) Core(TM) i7-3960X CPU @ 3.30GHz", "Sandy Bridge-EP", "InstLatx64 GenuineIntel00206D7_SandyBridgeE_00"},
    {intel, 0x000306A9, "Intel(R) Core(TM) i7-3667U CPU @ 2.00GHz", "Ivy Bridge", "InstLatx64 GenuineIntel00306A9_IvyBridge"},
    {intel, 0x000306E4, "Intel(R) Core(TM) i7-4960X CPU @ 3.60GHz", "Ivy Bridge-EP", "InstLatx64 GenuineIntel00306E4_IvyBridgeE"},
    {intel, 0x000306C3, "Intel(R) Core(TM) i7-4770 CPU @ 3.40GHz", "Haswell", "InstLatx64 GenuineIntel00306C3_Haswell"},
    {intel, 0x00040651, "Intel(R) Core(TM) i7-4500U CPU @ 1.80GHz", "Haswell", "Linux INTEL_HASWELL_L 45h"},
    {intel, 0x00040661, "Intel(R) Core(TM) i7-4950HQ CPU @ 2.40GHz", "Haswell", "InstLatx64 GenuineIntel0040661_CrystalWell"},
    {intel, 0x000306F2, "Intel(R) Xeon(R) CPU E5-2699 v3 @ 2.30GHz", "Haswell-EP", "InstLatx64 GenuineIntel00306F2_HaswellEP"},
    {intel, 0x000306D4, "Intel(R) Core(TM) i7-5600U CPU @ 2.60GHz", "Broadwell", "VirtualBox Intel_Core_i7_5600U"},
    {intel, 0x00040671, "Intel(R) Core(TM) i7-5775C CPU @ 3.30GHz", "Broadwell", "InstLatx64 GenuineIntel0040671_BroadwellH"},
    {intel, 0x000406F1, "Intel(R) Core(TM) i7-6950X CPU @ 3.00GHz", "Broadwell-EP", "InstLatx64 GenuineIntel00406F1_BroadwellE_01"},
    {intel, 0x00050663, "Intel(R) Xeon(R) CPU D-1540 @ 2.00GHz", "Broadwell-DE", "Linux INTEL_BROADWELL_D 56h"},
    {intel, 0x000406E3, "Intel(R) Core(TM) i7-6500U CPU @ 2.50GHz", "Skylake", "Linux INTEL_SKYLAKE_L 4Eh"},
    {intel, 0x000506E3, "Intel(R) Core(TM) i7-6700K CPU @ 4.00GHz", "Skylake", "VirtualBox Intel_Core_i7_6700K"},
    {intel, 0x00050654, "Intel(R) Xeon(R) Platinum 8180 CPU @ 2.50GHz", "Skylake-SP", "InstLatx64 GenuineIntel0050654_SkylakeXeon_20"},
    {intel, 0x00050657, "Intel(R) Xeon(R) Platinum 8280 CPU @ 2.70GHz", "Cascade Lake", "Linux CASCADELAKE_X 55h stepping 7"},
    {intel, 0x0005065B, "Intel(R) Xeon(R) Platinum 8380H CPU @ 2.90GHz", "Cooper Lake", "Linux COOPERLAKE_X 55h stepping 11"},
    {intel, 0x000806EA, "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", "Kaby Lake", "Linux INTEL_KABYLAKE_L 8Eh"},
    {intel, 0x000906E9, "Intel(R) Core(TM) i7-7700K CPU @ 4.20GHz", "Kaby Lake", "Linux INTEL_KABYLAKE 9Eh stepping 9"},
    {intel, 0x000906EC, "Intel(R) Core(TM) i9-9900K CPU @ 3.60GHz", "Coffee Lake", "Linux COFFEELAKE 9Eh steppings 10-13"},
    {intel, 0x000A0655, "Intel(R) Core(TM) i9-10900K CPU @ 3.70GHz", "Comet Lake", "Linux INTEL_COMETLAKE A5h"},
    {intel, 0x000A0660, "Intel(R) Core(TM) i7-10510U CPU @ 1.80GHz", "Comet Lake", "Linux INTEL_COMETLAKE_L A6h"},
    {intel, 0x00060663, "Intel(R) Core(TM) i3-8121U CPU @ 2.20GHz", "Cannon Lake", "Linux INTEL_CANNONLAKE_L 66h"},
    // Ice Lake to Panther Lake, and the servers after Cooper Lake.
    {intel, 0x000706E5, "Intel(R) Core(TM) i7-1065G7 CPU @ 1.30GHz", "Ice Lake", "Linux INTEL_ICELAKE_L 7Eh"},
    {intel, 0x000906D0, "Intel(R) Nervana(TM) NNP-I 1000", "Ice Lake", "Linux INTEL_ICELAKE_NNPI 9Dh"},
    {intel, 0x000606A6, "Intel(R) Xeon(R) Platinum 8380 CPU @ 2.30GHz", "Ice Lake-SP", "Linux INTEL_ICELAKE_X 6Ah"},
    {intel, 0x000606C1, "Intel(R) Xeon(R) D-2796TE CPU @ 2.00GHz", "Ice Lake-D", "Linux INTEL_ICELAKE_D 6Ch"},
    {intel, 0x000806C1, "11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz", "Tiger Lake", "Linux INTEL_TIGERLAKE_L 8Ch"},
    {intel, 0x000806D1, "11th Gen Intel(R) Core(TM) i7-11800H @ 2.30GHz", "Tiger Lake", "Linux INTEL_TIGERLAKE 8Dh"},
    {intel, 0x000A0671, "11th Gen Intel(R) Core(TM) i9-11900K @ 3.50GHz", "Rocket Lake", "Linux INTEL_ROCKETLAKE A7h"},
    {intel, 0x000806A1, "Intel(R) Core(TM) i5-L16G7 CPU @ 1.40GHz", "Lakefield", "Linux INTEL_LAKEFIELD 8Ah"},
    {intel, 0x00090672, "12th Gen Intel(R) Core(TM) i9-12900K", "Alder Lake", "Linux INTEL_ALDERLAKE 97h"},
    {intel, 0x000906A3, "12th Gen Intel(R) Core(TM) i7-1260P", "Alder Lake", "Linux INTEL_ALDERLAKE_L 9Ah"},
    {intel, 0x000B0671, "13th Gen Intel(R) Core(TM) i5-13600K", "Raptor Lake", "a public AIDA64 summary of an i5-13600K (CPUID 000B0671h)"},
    {intel, 0x000B06A2, "13th Gen Intel(R) Core(TM) i7-1360P", "Raptor Lake", "Linux INTEL_RAPTORLAKE_P BAh"},
    {intel, 0x000B06F2, "13th Gen Intel(R) Core(TM) i7-13700HX", "Raptor Lake", "a CPU-Z dump of an i7-13700HX (recorded_processors.cpp)"},
    {intel, 0x000A06A4, "Intel(R) Core(TM) Ultra 7 155H", "Meteor Lake", "Linux INTEL_METEORLAKE_L AAh"},
    {intel, 0x000B06D1, "Intel(R) Core(TM) Ultra 7 258V", "Lunar Lake", "Linux INTEL_LUNARLAKE_M BDh"},
    {intel, 0x000C0662, "Intel(R) Core(TM) Ultra 9 285K", "Arrow Lake", "Linux INTEL_ARROWLAKE C6h"},
    {intel, 0x000C0652, "Intel(R) Core(TM) Ultra 7 255H", "Arrow Lake", "Linux INTEL_ARROWLAKE_H C5h"},
    {intel, 0x000B0650, "Intel(R) Core(TM) Ultra 7 265U", "Arrow Lake", "Linux INTEL_ARROWLAKE_U B5h"},
    {intel, 0x000C06C0, "Intel(R) Core(TM) Ultra 7 365", "Panther Lake", "Linux INTEL_PANTHERLAKE_L CCh"},
    {intel, 0x000806F8, "Intel(R) Xeon(R) Platinum 8480+", "Sapphire Rapids", "Linux INTEL_SAPPHIRERAPIDS_X 8Fh"},
    {intel, 0x000C06F2, "INTEL(R) XEON(R) PLATINUM 8592+", "Emerald Rapids", "Linux INTEL_EMERALDRAPIDS_X CFh"},
    {intel, 0x000A06D1, "Intel(R) Xeon(R) 6980P", "Granite Rapids", "Linux INTEL_GRANITERAPIDS_X ADh"},
    {intel, 0x000D0670, "Intel(R) Core(TM) 9 273PQE", "Bartlett Lake", "Linux INTEL_BARTLETTLAKE D7h"},
    {intel, 0x000A06F3, "Intel(R) Xeon(R) 6780E", "Sierra Forest", "Linux INTEL_ATOM_CRESTMONT_X AFh"},
    {intel, 0x000D06D0, "Intel(R) Xeon(R) 6 Processor", "Clearwater Forest", "Linux INTEL_ATOM_DARKMONT_X DDh"},
    {intel, 0x00400F10, "Intel(R) Xeon(R) Processor", "Diamond Rapids", "Linux INTEL_PANTHERCOVE_X family 19 model 01h"},
    {intel, 0x00050671, "Intel(R) Xeon Phi(TM) CPU 7210 @ 1.30GHz", "Knights Landing", "Linux INTEL_XEON_PHI_KNL 57h"},
    {intel, 0x00080650, "Intel(R) Xeon Phi(TM) CPU 7295 @ 1.50GHz", "Knights Mill", "Linux INTEL_XEON_PHI_KNM 85h"},
    // Intel Atom and E-core lines.
    {intel, 0x000106C2, "Intel(R) Atom(TM) CPU  330   @ 1.60GHz", "Bonnell", "InstLatx64 GenuineIntel00106C2_DiamondvilleDC"},
    {intel, 0x00020661, "Intel(R) Atom(TM) CPU Z670   @ 1.50GHz", "Bonnell", "Linux INTEL_ATOM_BONNELL_MID 26h"},
    {intel, 0x00030661, "Intel(R) Atom(TM) CPU D2700   @ 2.13GHz", "Saltwell", "Linux INTEL_ATOM_SALTWELL 36h"},
    {intel, 0x00030651, "Intel(R) Atom(TM) CPU Z2760  @ 1.80GHz", "Saltwell", "Linux INTEL_ATOM_SALTWELL_TABLET 35h"},
    {intel, 0x00020671, "Intel(R) Atom(TM) CPU Z2460  @ 1.60GHz", "Saltwell", "Linux INTEL_ATOM_SALTWELL_MID 27h"},
    {intel, 0x00030673, "Intel(R) Celeron(R) CPU  J1900  @ 1.99GHz", "Silvermont", "InstLatx64 GenuineIntel0030673_Silvermont"},
    {intel, 0x000406D8, "Intel(R) Atom(TM) CPU  C2750  @ 2.40GHz", "Silvermont", "InstLatx64 GenuineIntel00406D8_Avoton"},
    {intel, 0x000406A0, "Intel(R) Atom(TM) CPU Z3460 @ 1.06GHz", "Silvermont", "Linux INTEL_ATOM_SILVERMONT_MID 4Ah"},
    {intel, 0x000406C4, "Intel(R) Atom(TM) x5-Z8350  CPU @ 1.44GHz", "Airmont", "Linux INTEL_ATOM_AIRMONT 4Ch"},
    {intel, 0x000506A0, "Intel(R) Atom(TM) CPU Z3560 @ 1.83GHz", "Airmont", "Linux INTEL_ATOM_AIRMONT_MID 5Ah"},
    {intel, 0x00070650, "Intel(R) Atom(TM) Processor", "Airmont", "Linux INTEL_ATOM_AIRMONT_NP 75h"},
    {intel, 0x000506C9, "Intel(R) Pentium(R) CPU J4205 @ 1.50GHz", "Goldmont", "InstLatx64 GenuineIntel00506C9_Goldmont2"},
    {intel, 0x000506F1, "Intel(R) Atom(TM) CPU C3958 @ 2.00GHz", "Goldmont", "Linux INTEL_ATOM_GOLDMONT_D 5Fh"},
    {intel, 0x000706A1, "Intel(R) Pentium(R) Silver J5005 CPU @ 1.50GHz", "Goldmont Plus", "Linux INTEL_ATOM_GOLDMONT_PLUS 7Ah"},
    {intel, 0x00080665, "Intel(R) Atom(TM) P5962B Processor", "Tremont", "Linux INTEL_ATOM_TREMONT_D 86h"},
    {intel, 0x00090661, "Intel(R) Atom(TM) x6425E Processor @ 2.00GHz", "Tremont", "Linux INTEL_ATOM_TREMONT 96h"},
    {intel, 0x000906C0, "Intel(R) Celeron(R) N5105 @ 2.00GHz", "Tremont", "Linux INTEL_ATOM_TREMONT_L 9Ch"},
    {intel, 0x000B06E0, "Intel(R) N100", "Gracemont", "Linux INTEL_ATOM_GRACEMONT BEh"},
    {intel, 0x000B06D0, "Intel(R) Core(TM) Ultra 5 226V", "Lunar Lake", "Linux INTEL_LUNARLAKE_M BDh"},
    {intel, 0x000B0660, "Intel(R) Atom(TM) C5310", "Crestmont", "Linux INTEL_ATOM_CRESTMONT B6h"},

    // VIA and Zhaoxin.
    {"CentaurHauls", 0x00000698, "VIA Nehemiah", "Nehemiah", "C3 Nehemiah signature 698h"},
    {"CentaurHauls", 0x000006A9, "VIA Esther processor 1500MHz", "Esther", "C7 Esther signature 6A9h"},
    {"CentaurHauls", 0x000006D0, "VIA C7-M Processor 1200MHz", "Esther", "C7-M Esther signature 6D0h"},
    {"CentaurHauls", 0x000006FD, "VIA QuadCore L4700 @ 1.2+ GHz", "Isaiah", "VirtualBox VIA_QuadCore_L4700_1_2_GHz"},
    {"  Shanghai  ", 0x000107B5, "                ZHAOXIN KaiXian KX-U5581@1.8GHz", "WuDaoKou", "VirtualBox ZHAOXIN_KaiXian_KX_U5581_1_8GHz"},
    {"CentaurHauls", 0x000107B5, "                ZHAOXIN KaiXian KX-U5581@1.8GHz", "WuDaoKou", "the same processor under VIA's vendor string"},
    {"  Shanghai  ", 0x000307B0, "ZHAOXIN KaiXian KX-U6780A@2.7GHz", "LuJiaZui", "Linux Zhaoxin family 7 model 3Bh"},
    {"  Shanghai  ", 0x000507B0, "ZHAOXIN KaiXian KX-7000", "YongFeng", "Linux Zhaoxin family 7 model 5Bh"},
};

TEST(CpuModernCores, EveryRecordedProcessorIsNamed) {
  for (const ModernCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.brand << " 0x" << std::hex << c.eax << " (" << c.source << ")");
    std::vector<cputest::RecordedLeaf> leaves = {cputest::vendorLeaf(0x1A, c.vendorId),
                                                 {1, c.eax, 0, 0, 0x00800010},
                                                 {0x80000000, 0x80000004, 0, 0, 0}};
    for (const cputest::RecordedLeaf& l : cputest::brandLeaves(c.brand)) leaves.push_back(l);
    const cpu::CpuInfo info = cputest::identifyRecorded(leaves);
    EXPECT_STREQ(info.coreName, c.core);
    // Every processor after the tables is named by its brand string, or by the rules.
    EXPECT_STRNE(cpu::processorNameFor(info).processorName, "");
  }
}

// Models the modern rows do not know stay "Unknown", as do families no vendor has named yet.
TEST(CpuModernCores, UnknownModelsAndFamiliesStayUnknown) {
  const struct {
    const char* vendorId;
    uint32_t eax;
  } unknown[] = {
      {amd, 0x00A30F00},       // family 19h model 30h: no product line
      {amd, 0x00C00F00},       // family 1Bh
      {intel, 0x000F0650},     // family 6 model F5h
      {intel, 0x00500F00},     // family 20
      {intel, 0x00000695},     // the first Pentium M, left unnamed by the classic tables
      {"  Shanghai  ", 0x000007F0},
      {"HygonGenuine", 0x00A00F00},
  };
  for (const auto& c : unknown) {
    const cpu::CpuInfo info = cputest::identifyRecorded(
        {cputest::vendorLeaf(1, c.vendorId), {1, c.eax, 0, 0, 0x10}});
    EXPECT_STREQ(info.coreName, "Unknown") << c.vendorId << std::hex << " 0x" << c.eax;
  }
}

} // namespace
