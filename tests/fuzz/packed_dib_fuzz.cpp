// tests/fuzz/packed_dib_fuzz.cpp - the packed-DIB check on arbitrary clipboard blocks.
//
// Whatever read_packed_dib accepts is then read the way the paste reads it (masks, colour table,
// every row, or a run-length stream decoded into a guarded raster of the picture's size), so
// AddressSanitizer reports any layout that points past the block and any read past the stream.
#include "image/packed_dib.h"
#include "imaging/rle_decode.h"

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
    if (info.bits_offset > size || info.row_bytes == 0 || info.bits_bytes > size - info.bits_offset) abort();
    volatile unsigned sum = 0;
    if (info.masks_offset)
        for (size_t i = 0; i < 12; i++) sum += block[info.masks_offset + i];
    for (size_t i = 0; i < (size_t)info.colours * 4; i++) sum += block[info.table_offset + i];
    const uint8_t *first = block.data() + info.bits_offset;
    if (info.compression == 1 || info.compression == 2) {
        size_t raster = info.row_bytes * (size_t)info.height;
        if (raster > PACKED_DIB_MAX_RLE_BYTES) abort();
        if (raster > (1u << 16)) return 0;   // large pictures decode the same way, only slower
        // The decoder gets the stream in an allocation of its own length, as tight as the block, and
        // writes into a raster framed by guard bytes: a byte changed outside the pixels (guards, row
        // padding), an RLE4 index above 15 or a status other than 0 or 1 aborts.
        std::vector<uint8_t> stream(first, first + info.bits_bytes);
        const size_t guard = 64;
        std::vector<uint8_t> bytes(raster + 2 * guard, 0xA5);
        RasterView out = {&bytes[guard], info.width, info.height, 8, (int)info.row_bytes};
        int status = rle_decode(stream.data(), stream.size(), info.bit_count, out);
        if (status != 0 && status != 1) abort();
        for (size_t i = 0; i < bytes.size(); i++) {
            bool pixel = i >= guard && i - guard < raster && (i - guard) % info.row_bytes < (size_t)info.width;
            if ((!pixel && bytes[i] != 0xA5) || (pixel && info.bit_count == 4 && bytes[i] > 15)) abort();
        }
        return 0;
    }
    if (info.bits_bytes != info.row_bytes * (size_t)info.height || info.bits_bytes == 0) abort();
    sum += *first + first[info.bits_bytes - 1];
    return 0;
}
