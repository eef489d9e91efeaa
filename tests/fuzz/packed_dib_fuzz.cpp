// tests/fuzz/packed_dib_fuzz.cpp - the packed-DIB check on arbitrary clipboard blocks.
//
// Whatever read_packed_dib accepts is then read the way the paste reads it (masks, colour table,
// every row), so AddressSanitizer reports any layout that points past the block.
#include "image/packed_dib.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // An exact copy, so that one byte past the block is outside the allocation.
    std::vector<uint8_t> block(data, data + size);
    PackedDibInfo info;
    if (read_packed_dib(block.data(), block.size(), &info) != 0) return 0;
    if (info.width <= 0 || info.height <= 0 || info.colours < 0 || info.colours > 256) abort();
    if (info.bits_offset > size || info.row_bytes == 0) abort();
    volatile unsigned sum = 0;
    if (info.masks_offset)
        for (size_t i = 0; i < 12; i++) sum += block[info.masks_offset + i];
    for (size_t i = 0; i < (size_t)info.colours * 4; i++) sum += block[info.table_offset + i];
    size_t rows = info.row_bytes * (size_t)info.height;
    if (rows > size - info.bits_offset) abort();
    const uint8_t *first = block.data() + info.bits_offset, *last = first + rows - 1;
    sum += *first + *last;
    return 0;
}
