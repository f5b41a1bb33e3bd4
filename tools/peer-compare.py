#!/usr/bin/env python3
"""Compares the command line's kernels with other memory benchmarks on this machine, and with
the load/store limits of the core.

Rounds alternate who goes first: in each round, each access width's group measures
`tidewell32 --bench` and then the peers' kernels of that width at the seven --bench block sizes
(the other way round in odd rounds), so both sides of a ratio are minutes apart at most. The
figure of a point is the median over the rounds of each side's own figure. Peers: likwid-bench
(Debian package likwid), pmbw (give its path with --pmbw) and lmbench's bw_mem with its
every-word loops frd, fwr and fcp (--lmbench); a peer that is missing is left out. Rates are
MB/s of 2^20 bytes; a copy counts the bytes copied once.

    tools/peer-compare.py build-release/tidewell32 --rounds 3 --pmbw /path/to/pmbw \
        --lmbench /path/to/bw_mem
    tools/peer-compare.py build-release/tidewell32 --rounds 5 --memory
"""
import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

SIZES = [4096, 16384, 65536, 262144, 1048576, 4194304, 16777216]
MIB = 1048576.0

# width: [(operation, our kernels, [(peer, peer kernel, bytes moved per byte counted)])]
GROUPS = {
    "32-bit": [
        ("read", ["read"], [("pmbw", "ScanRead32PtrUnrollLoop", 1), ("lmbench", "frd", 1)]),
        ("write", ["write"], [("pmbw", "ScanWrite32PtrUnrollLoop", 1), ("lmbench", "fwr", 1)]),
        ("copy", ["copy", "copy32"], [("lmbench", "fcp", 1)]),
    ],
    "64-bit": [
        ("read", ["read64", "mmx-read"],
         [("pmbw", "ScanRead64PtrUnrollLoop", 1), ("likwid", "load", 1)]),
        ("write", ["write64", "mmx-write"],
         [("pmbw", "ScanWrite64PtrUnrollLoop", 1), ("likwid", "store", 1)]),
        ("copy", ["copy64", "mmx-copy"], [("likwid", "copy", 2)]),
    ],
    "128-bit": [
        ("read", ["sse-read", "read128"], [("pmbw", "ScanRead128PtrUnrollLoop", 1), ("likwid", "load_sse", 1)]),
        ("write", ["sse-write"],
         [("pmbw", "ScanWrite128PtrUnrollLoop", 1), ("likwid", "store_sse", 1)]),
        ("copy", ["sse-copy"], [("likwid", "copy_sse", 2)]),
    ],
    "256-bit": [
        ("read", ["avx-read"], [("pmbw", "ScanRead256PtrUnrollLoop", 1), ("likwid", "load_avx", 1)]),
        ("write", ["avx-write"],
         [("pmbw", "ScanWrite256PtrUnrollLoop", 1), ("likwid", "store_avx", 1)]),
        ("copy", ["avx-copy"], [("likwid", "copy_avx", 2)]),
    ],
    "512-bit": [
        ("read", ["avx512-read"], [("likwid", "load_avx512", 1)]),
        ("write", ["avx512-write"], [("likwid", "store_avx512", 1)]),
        ("copy", ["avx512-copy"], [("likwid", "copy_avx512", 2)]),
    ],
    "non-temporal": [
        ("write", ["nt-write"], [("likwid", "store_mem_avx512", 1), ("likwid", "store_mem_avx", 1)]),
        ("copy", ["nt-copy"], [("likwid", "copy_mem_avx512", 2), ("likwid", "copy_mem_avx", 2)]),
    ],
}

# Bytes per core cycle the load/store unit of AMD family 19h (Zen 3, Zen 4) documents for each
# kernel in the first-level cache: three memory operations a cycle, at most two of them
# stores; general registers up to three loads, vector registers up to two loads and one store
# of at most 256 bits, a 512-bit access taking both halves. Copies count bytes copied.
LIMITS_FAMILY_19H = {
    "read": 12, "write": 8, "copy": 6, "copy32": 6,
    "read64": 24, "write64": 16, "copy64": 12,
    "mmx-read": 16, "mmx-write": 8, "mmx-copy": 8,
    "sse-read": 32, "sse-write": 16, "sse-copy": 16, "read128": 32,
    "avx-read": 64, "avx-write": 32, "avx-copy": 32,
    "avx512-read": 64, "avx512-write": 32, "avx512-copy": 32,
}


def run(cmd, cwd=None):
    return subprocess.run(cmd, cwd=cwd, capture_output=True, text=True, check=False).stdout


def ours_bench(program):
    """{(kernel, bytes): MB/s} from one --bench run."""
    rates = {}
    for line in run([program, "--bench"]).splitlines():
        parts = line.split()
        if len(parts) == 4 and parts[1].isdigit():
            rates[(parts[0], int(parts[1]))] = float(parts[2])
    return rates


def likwid(kernel, size, threads=1):
    out = run(["likwid-bench", "-t", kernel, "-w", "S0:%dB:%d" % (size, threads)])
    m = re.search(r"MByte/s:\s+([0-9.]+)", out)
    return float(m.group(1)) * 1e6 / MIB if m else None


def pmbw(path, kernel, size, workdir):
    memory = 4 * max(size, int(4.1 * MIB))
    out = run([path, "-M", str(memory), "-f", kernel, "-p", "1", "-P", "1",
               "-s", str(size), "-S", str(size)], cwd=workdir)
    m = re.search(r"bandwidth=([0-9.e+]+)", out)
    return float(m.group(1)) / MIB if m else None


def lmbench(path, kernel, size):
    # bw_mem prints "<MB> <MB/s>" on standard error, in MB of 10^6 bytes.
    out = subprocess.run([path, str(size), kernel], capture_output=True, text=True,
                         check=False).stderr.split()
    return float(out[1]) * 1e6 / MIB if len(out) == 2 else None


def peer_rate(peer, kernel, size, streams, args, workdir):
    # likwid-bench's size is its whole working set, which its streams share: a copy's source
    # and destination get half each. Ours is the block, a copy's destination besides it, so a
    # copy asks likwid-bench for the size times its two streams.
    if peer == "likwid":
        return likwid(kernel, size * streams) if shutil.which("likwid-bench") else None
    if peer == "lmbench":
        return lmbench(args.lmbench, kernel, size) if args.lmbench else None
    return pmbw(args.pmbw, kernel, size, workdir) if args.pmbw else None


def measure_group(width, args, workdir, ours_first, samples):
    ours = None
    if ours_first:
        ours = ours_bench(args.program)
    for _, _, peers in GROUPS[width]:
        for peer, kernel, counted in peers:
            for size in SIZES:
                rate = peer_rate(peer, kernel, size, counted, args, workdir)
                if rate is not None:
                    samples.setdefault((peer, kernel, size), []).append(rate / counted)
    if not ours_first:
        ours = ours_bench(args.program)
    # One sample per round: ours under the group's own name, so a ratio pairs the two sides
    # of one round.
    for (kernel, size), rate in ours.items():
        samples.setdefault(("ours " + width, kernel, size), []).append(rate)


def amd_family_19h():
    try:
        info = open("/proc/cpuinfo").read()
    except OSError:
        return False
    return "AuthenticAMD" in info and re.search(r"cpu family\s*:\s*25\b", info) is not None


def core_mhz(program):
    m = re.search(r"core ([0-9]+),([0-9]+) MHz", run([program, "--cpu"]))
    return float(m.group(1) + "." + m.group(2)) if m else None


def best_of(samples, keys, round_index):
    """The highest of the keys' samples in one round, and its key; (0, None) without any."""
    found = [(samples[k][round_index], k) for k in keys
             if k in samples and round_index < len(samples[k])]
    return max(found) if found else (0, None)


def spread_report(samples):
    """Run-to-run spread, (max - min) / median of a cell's rounds, per side: ours, each peer."""
    compared = {(width, kernel) for width, rows in GROUPS.items()
                for _, kernels, _ in rows for kernel in kernels}
    sides = {}
    for key, values in samples.items():
        if len(values) < 2 or key[2] not in SIZES:
            continue
        if key[0].startswith("ours") and (key[0][5:], key[1]) not in compared:
            continue   # a kernel of another width, measured by the same --bench
        side = "ours" if key[0].startswith("ours") else key[0]
        sides.setdefault(side, []).append((max(values) - min(values)) / statistics.median(values))
    print("\n| side | cells | median spread | largest spread |")
    print("|---|---:|---:|---:|")
    for side, spreads in sorted(sides.items()):
        print("| %s | %d | %.1f %% | %.1f %% |" % (side, len(spreads), 100 * statistics.median(spreads),
                                                100 * max(spreads)))


def report(samples, mhz):
    """Per point: each side's median over the rounds, and the median of the rounds' ratios."""
    med = {k: statistics.median(v) for k, v in samples.items()}
    print("| width | test | size | ours (kernel) | best peer (kernel) | ratio |")
    print("|---|---|---:|---|---|---:|")
    ratios = {}
    for width, rows in GROUPS.items():
        for op, kernels, peers in rows:
            if not peers:
                continue   # in the limits table only
            for size in SIZES:
                ours_keys = [("ours " + width, k, size) for k in kernels]
                peer_keys = [(p, k, size) for p, k, _ in peers]
                rounds = min(len(samples.get(ours_keys[0], [])),
                             max(len(samples.get(k, [])) for k in peer_keys))
                per_round = []
                for r in range(rounds):
                    ours, peer = best_of(samples, ours_keys, r)[0], best_of(samples, peer_keys, r)[0]
                    if ours and peer:
                        per_round.append(ours / peer)
                if not per_round:
                    continue
                ratio = statistics.median(per_round)
                best_ours = max((med.get(k, 0), k[1]) for k in ours_keys)
                best_peer = max((med.get(k, 0), k[0] + " " + k[1]) for k in peer_keys)
                ratios.setdefault((width, op), []).append(ratio)
                print("| %s | %s | %d | %.0f (%s) | %.0f (%s) | %.2f |" % (
                    width, op, size, best_ours[0], best_ours[1], best_peer[0], best_peer[1], ratio))
    spread_report(samples)
    print("\n| width | test | lowest ratio 4 KB-4 MB | median |")
    print("|---|---|---:|---:|")
    for (width, op), r in ratios.items():
        print("| %s | %s | %.2f | %.2f |" % (width, op, min(r[:6]), statistics.median(r)))
    if not mhz:
        return
    print("\nAt 4 KB, bytes per core cycle at %.0f MHz against the family 19h limit"
          " (median and best round):" % mhz)
    print("| kernel | MB/s median | bytes/cycle | share | MB/s best | bytes/cycle | share | limit |")
    print("|---|---:|---:|---:|---:|---:|---:|---:|")
    for kernel, limit in LIMITS_FAMILY_19H.items():
        rates = [rate for key, values in samples.items()
                 if key[0].startswith("ours") and key[1:] == (kernel, 4096) for rate in values]
        if not rates:
            continue
        cells = []
        for rate in (statistics.median(rates), max(rates)):
            per_cycle = rate * MIB / (mhz * 1e6)
            cells.append("%.0f | %.2f | %.2f" % (rate, per_cycle, per_cycle / limit))
        print("| %s | %s | %s | %d |" % (kernel, cells[0], cells[1], limit))


MEMORY_BLOCK = 268435456   # 256 MB, eight times this machine's third-level cache


def ours_memory(program):
    """nt-write at 256 MB, and read on one and two threads there, from one process each."""
    rates = {}
    out = run([program, "--tests", "nt-write", "--start", "128M", "--end", "256M", "--json", "-"])
    try:
        for series in json.loads(out)["results"]:
            for point in series["points"]:
                if series["test"] == "nt-write" and point["bytes"] == MEMORY_BLOCK:
                    rates["nt-write"] = point["MBps"]
    except (ValueError, KeyError):
        pass
    for line in run([program, "--thread-sweep", "--start", "256M", "--threads", "2"]).splitlines():
        parts = line.split()
        if len(parts) >= 4 and parts[0] == "read" and parts[2] in ("1", "2"):
            rates["read x" + parts[2]] = float(parts[3])
    return rates


def peers_memory(args, workdir):
    rates = {}
    if shutil.which("likwid-bench"):
        for kernel in ("store_mem_avx512", "store_mem_avx"):
            rates["likwid " + kernel] = likwid(kernel, MEMORY_BLOCK)
        for threads in (1, 2):
            rates["likwid load_avx x%d" % threads] = likwid("load_avx", MEMORY_BLOCK, threads)
    if args.pmbw:
        for threads in (1, 2):
            out = run([args.pmbw, "-M", str(4 * MEMORY_BLOCK), "-f", "ScanRead256PtrUnrollLoop",
                       "-p", str(threads), "-P", str(threads),
                       "-s", str(MEMORY_BLOCK), "-S", str(MEMORY_BLOCK)], cwd=workdir)
            m = re.search(r"bandwidth=([0-9.e+]+)", out)
            rates["pmbw ScanRead256PtrUnrollLoop x%d" % threads] = (
                float(m.group(1)) / MIB if m else None)
    return {k: v for k, v in rates.items() if v is not None}


def memory_report(samples):
    print("| 256 MB | median MB/s | all rounds |")
    print("|---|---:|---|")
    for key, values in samples.items():
        print("| %s | %.0f | %s |" % (key, statistics.median(values),
                                      ", ".join("%.0f" % v for v in values)))
    for a, b in (("read x2", "read x1"), ("likwid load_avx x2", "likwid load_avx x1"),
                 ("pmbw ScanRead256PtrUnrollLoop x2", "pmbw ScanRead256PtrUnrollLoop x1")):
        if a in samples and b in samples:
            ratios = [x / y for x, y in zip(samples[a], samples[b])]
            print("two threads / one, %s: median %.2f (%s)" % (
                b[:-3], statistics.median(ratios), ", ".join("%.2f" % r for r in ratios)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("program", help="the native tidewell32")
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--pmbw", help="path of a pmbw program")
    parser.add_argument("--lmbench", help="path of lmbench's bw_mem program")
    parser.add_argument("--widths", default=",".join(GROUPS), help="comma-separated groups")
    parser.add_argument("--memory", action="store_true",
                        help="instead: non-temporal stores and one against two threads at 256 MB")
    parser.add_argument("--save", help="also write the samples to this JSON file")
    parser.add_argument("--load", help="report the samples of a --save file; nothing is run")
    args = parser.parse_args()
    if args.pmbw:
        args.pmbw = os.path.abspath(args.pmbw)
    if args.lmbench:
        args.lmbench = os.path.abspath(args.lmbench)
    samples = {}
    if args.load:
        with open(args.load) as saved:
            samples = {tuple(k): v for k, v in json.load(saved)}
        args.rounds = 0
    with tempfile.TemporaryDirectory() as workdir:
        for r in range(args.rounds):
            if args.memory:
                sides = [lambda: ours_memory(args.program), lambda: peers_memory(args, workdir)]
                for side in (sides if r % 2 == 0 else sides[::-1]):
                    for key, rate in side().items():
                        samples.setdefault(key, []).append(rate)
            else:
                for width in args.widths.split(","):
                    measure_group(width, args, workdir, r % 2 == 0, samples)
            print("round %d of %d done" % (r + 1, args.rounds), file=sys.stderr)
    if args.save:
        with open(args.save, "w") as out:
            json.dump([[list(k), v] for k, v in samples.items()], out)
    if args.memory:
        memory_report(samples)
        return
    report(samples, core_mhz(args.program) if amd_family_19h() else None)


if __name__ == "__main__":
    main()
