// BI_RLE8 and BI_RLE4 streams decoded into small 8-bit rasters: the codes, the clipping, hostile streams.
#include <gtest/gtest.h>

#include "imaging/rle_decode.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct RleCase { int bits, w, h; std::vector<uint8_t> stream; int status; const char *pixels, *what; };

// Expected pixels as hex digits, rows top-down separated by spaces
static const RleCase rle_cases[] = {
    {8, 5, 3, {3, 1, 2, 2, 0, 1}, 0, "00000 00000 11122", "encoded runs fill the bottom row first"},
    {8, 5, 3, {0, 3, 1, 2, 3, 0, 2, 4, 0, 1}, 0, "00000 00000 12344", "odd absolute run skips its pad byte"},
    {8, 5, 3, {0, 4, 5, 6, 7, 8, 1, 9, 0, 1}, 0, "00000 00000 56789", "even absolute run has no pad byte"},
    {4, 5, 3, {5, 0x12, 0, 1}, 0, "00000 00000 12121", "RLE4 encoded run alternates high then low nibble"},
    {4, 5, 3, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, 0, "00000 00000 12345", "RLE4 absolute run of 3 bytes and a pad"},
    {4, 5, 3, {0, 3, 0x12, 0x30, 2, 0xAB, 0, 1}, 0, "00000 00000 123AB", "RLE4 absolute run of 2 bytes, no pad"},
    {8, 5, 3, {2, 1, 0, 0, 3, 2, 0, 0, 1, 3, 0, 1}, 0, "30000 22200 11000", "end of line goes up one row"},
    {8, 5, 3, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}, 0, "00000 00020 10000", "delta moves right and up"},
    {8, 5, 3, {1, 1, 0, 1, 1, 2}, 0, "00000 00000 10000", "nothing after the end of bitmap is decoded"},
    {8, 5, 3, {2, 7}, 0, "00000 00000 77000", "stream ending at a pair without end of bitmap"},
    {8, 5, 3, {4, 1, 0, 3, 7, 8, 9, 0, 1, 3, 0, 0, 1, 4}, 0, "00000 40000 11117",
     "runs crossing the right edge are clipped and the next run stays in the row"},
    {8, 5, 3, {0, 2, 9, 0, 1, 5, 0, 0, 1, 6}, 0, "00000 60000 00000", "delta past the right edge stops at the row end"},
    {8, 5, 3, {1, 1, 0, 2, 0, 3, 1, 5}, 0, "00000 00000 10000", "delta past the top row ends decoding"},
    {8, 5, 3, {0, 0, 0, 0, 1, 1, 0, 0, 1, 2}, 0, "10000 00000 00000", "end of line past the top row ends decoding"},
    {8, 5, 3, {0, 2, 0, 0, 0, 2, 0, 0, 1, 3}, 0, "00000 00000 30000", "deltas of 0,0 move nowhere"},
    {8, 5, 3, std::vector<uint8_t>(16, 0), 0, "00000 00000 00000", "a stream of only zero pairs"},
    {8, 5, 3, {}, 0, "00000 00000 00000", "an empty stream leaves the raster 0"},
    {8, 5, 3, {1, 9, 0, 5, 1, 2, 3}, 1, "00000 00000 90000", "cut inside an absolute run"},
    {8, 5, 3, {0, 3, 1, 2, 3}, 1, "00000 00000 00000", "absolute run without its pad byte"},
    {4, 5, 3, {0, 5, 0x12, 0x34}, 1, "00000 00000 00000", "cut inside an RLE4 absolute run"},
    {8, 5, 3, {1, 9, 0}, 1, "00000 00000 90000", "cut after an escape byte"},
    {8, 5, 3, {0, 2, 1}, 1, "00000 00000 00000", "delta cut before its dy"},
    {8, 1, 1, {255, 7, 255, 8, 0, 255}, 1, "7", "huge runs on a 1-pixel raster, then a cut 255-byte run"},
    {4, 1, 1, {255, 0x7F, 0, 0, 255, 1}, 0, "7", "huge RLE4 run on a 1-pixel raster"},
};

// Decodes c into a w x h raster framed by guard bytes; the pixels as text, or a note of a byte
// written outside the raster (guards or row padding)
std::string decoded(const RleCase &c, int *status) {
    const int stride = raster_stride(c.w, 8), guard = 32;
    std::vector<unsigned char> bytes((size_t)(stride * c.h + 2 * guard), 0xAA);
    std::vector<uint8_t> stream(c.stream);   // exactly its size, so a read past it is reported
    *status = rle_decode(stream.data(), stream.size(), c.bits, raster_view(&bytes[guard], c.w, c.h, 8));
    std::string text;
    for (size_t i = 0; i < bytes.size(); i++) {
        long at = (long)i - guard, x = at % stride;
        bool pixel = at >= 0 && at < (long)stride * c.h && x < c.w;
        if (!pixel && bytes[i] != 0xAA) return "written outside the raster";
        if (pixel) text += (x == 0 && at ? " " : "") + std::string(1, "0123456789ABCDEF"[bytes[i] & 15]);
        if (pixel && bytes[i] > 15) text += "+";
    }
    return text;
}

} // namespace

TEST(Rle, HandMadeStreamsGiveTheirStatusAndPixels) {
    for (const RleCase &c : rle_cases) {
        int status = -1;
        EXPECT_EQ(decoded(c, &status), c.pixels) << c.what;
        EXPECT_EQ(status, c.status) << c.what;
    }
}

TEST(Rle, BadBitsOrNoEightBitRasterAreRefusedUntouched) {
    unsigned char px[32];
    memset(px, 0xAA, sizeof px);
    const uint8_t stream[] = {2, 1, 0, 1};
    EXPECT_EQ(rle_decode(stream, sizeof stream, 24, raster_view(px, 4, 2, 8)), 1);
    EXPECT_EQ(rle_decode(stream, sizeof stream, 8, raster_view(px, 4, 2, 32)), 1);
    EXPECT_EQ(rle_decode(stream, sizeof stream, 8, raster_view(nullptr, 4, 2, 8)), 1);
    EXPECT_EQ(rle_decode(stream, sizeof stream, 4, raster_view(px, 0, 2, 8)), 1);
    for (unsigned char b : px) EXPECT_EQ(b, 0xAA);
}
