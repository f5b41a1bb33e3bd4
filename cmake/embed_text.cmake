# Writes OUTPUT, a header holding the bytes of INPUT as the NUL-terminated array NAME, so the
# program carries a text file (the chart library of the page) without reading it at run time.
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}; do not edit.\n#pragma once\n"
     "constexpr char ${NAME}[] = {\n${bytes}0};\n")
