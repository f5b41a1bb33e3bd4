// The semicolon-separated table "twrep_NN.csv": a header and one line per size code 0..300 with
// the block size, the ten bandwidth and latency results, the Memory Walk stride for the current
// step and the Memory Walk curve. Comma decimals, CR LF line ends.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"

namespace report {

constexpr const char csvHeader[] =
    "BlockSize;Read;Write;Copy;MMXRead;MMXWrite;MMXCopy;SSERead;SSEWrite;SSECopy;Read Latency;;"
    "Step Size;Memory Walk\r\n";

// Where the table is built: the second half of the report buffer, or a block of its own when
// the command line's extra kernels add columns (one after the Memory Walk for each that holds
// a value, named in the header) that could overflow it.
char* csvBuffer();

// Builds the table for the current result records at destination (csvBuffer) and returns its
// length; NUL-terminated.
// Lines past code 300 (up to lastCode, 1 GB at most) hold the command line's larger blocks,
// from engine::seriesResults.
uint32_t buildCsvText(char* destination, engine::SizeCode lastCode = engine::maxSizeCode);

// Builds the table in the second half of the report buffer and writes it as the named file,
// a file of its own in place of any earlier one; shows "Couldn't create CSV file." and returns
// false on failure, when nothing of the new table remains.
bool writeCsvReport(const char* fileName, engine::SizeCode lastCode = engine::maxSizeCode);

} // namespace report
