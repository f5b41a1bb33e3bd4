#!/usr/bin/env python3
"""The turn loops of the nine test kernels in a built program, as raw instruction bytes.

A turn loop is a backward conditional jump with no other jump inside it, holding the unrolled
turn, the pointer step and the turn counter. Diff the output for a program built before and
after a change to see that no instruction of a timed loop changed; padding and pass loops are
left out on purpose.

    tools/turn_loops.py objdump build-release/tidewell32 > after.txt
    tools/turn_loops.py i686-w64-mingw32-objdump build-win/tidewell32.exe > after-win.txt
"""
import re
import subprocess
import sys

KERNELS = ["readKernel", "writeKernel", "copyKernel", "mmxReadKernel", "mmxWriteKernel",
           "mmxCopyKernel", "sseReadKernel", "sseWriteKernel", "sseCopyKernel"]
JUMP = re.compile(r"(jne|jnz|jmp)\s+([0-9a-f]+)")


def instructions(function_text):
    found = []
    for line in function_text.splitlines()[1:]:
        m = re.match(r"\s*([0-9a-f]+):\t([0-9a-f ]+?)\s*\t(.*)", line)
        if m:
            found.append((int(m.group(1), 16), m.group(2), m.group(3)))
    return found


def turn_loops(code):
    loops = []
    for address, _, text in code:
        m = JUMP.match(text)
        if not m or m.group(1) == "jmp" or int(m.group(2), 16) >= address:
            continue
        body = [i for i in code if int(m.group(2), 16) <= i[0] <= address]
        if sum(1 for i in body if JUMP.match(i[2])) == 1:
            loops.append(" ".join(i[1] for i in body))
    return loops


def main():
    objdump, program = sys.argv[1], sys.argv[2]
    listing = subprocess.run([objdump, "-d", program], capture_output=True, text=True,
                             check=True).stdout
    functions = re.split(r"\n(?=[0-9a-f]+ <)", listing)
    for name in KERNELS:
        pattern = re.compile(r"[0-9a-f]+ <_+ZN6engine\d+%sEj>:" % name)
        function = next(f for f in functions if pattern.match(f))
        for loop in turn_loops(instructions(function)):
            print(name, loop)


if __name__ == "__main__":
    main()
