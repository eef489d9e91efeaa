// tests/fuzz/rle_decode_fuzz.cpp - the BI_RLE8 and BI_RLE4 decoder on arbitrary streams.
//
// The first bytes choose the raster (up to 64 x 64) and the compression; the rest, copied to a block of
// exactly its size, is decoded into a raster framed by guard bytes. A byte changed outside the pixels
// (guards or row padding), an RLE4 index above 15 or a status other than 0 or 1 aborts; AddressSanitizer
// reports any read past the block.
#include "imaging/rle_decode.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) return 0;
    const int width = 1 + data[0] % 64, height = 1 + data[1] % 64, bits = (data[2] & 1) ? 4 : 8;
    std::vector<uint8_t> stream(data + 3, data + size);
    const int stride = raster_stride(width, 8), guard = 64;
    const size_t pixels = (size_t)stride * height;
    std::vector<unsigned char> bytes(pixels + 2 * guard, 0xA5);
    int status = rle_decode(stream.data(), stream.size(), bits, raster_view(&bytes[guard], width, height, 8));
    if (status != 0 && status != 1) abort();
    for (size_t i = 0; i < bytes.size(); i++) {
        bool pixel = i >= (size_t)guard && i - guard < pixels && (int)((i - guard) % stride) < width;
        if (!pixel && bytes[i] != 0xA5) abort();
        if (pixel && bits == 4 && bytes[i] > 15) abort();
    }
    return 0;
}
