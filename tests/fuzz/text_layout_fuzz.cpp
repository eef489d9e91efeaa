// tests/fuzz/text_layout_fuzz.cpp - bitmap-font text with any cursor, raster size and text.
//
// The first bytes choose the raster (up to 64 x 64, 8 or 32 bits) and the cursor (anywhere in the
// int range); the rest is drawn as text. Sanitizers report an overflow of the cursor or a pixel
// written outside the raster.
#include "imaging/text_core.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

static int32_t take32(const uint8_t *&p, size_t &left) {
    uint32_t v = 0;
    for (int i = 0; i < 4 && left; i++, left--) v |= (uint32_t)*p++ << (8 * i);
    return (int32_t)v;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 3) return 0;
    const int width = 1 + data[0] % 64, height = 1 + data[1] % 64, depth = (data[2] & 1) ? 32 : 8;
    const uint8_t *p = data + 3;
    size_t left = size - 3;
    TextCursor cursor = {take32(p, left), take32(p, left), take32(p, left)};   // x, y and margin, in this order
    std::vector<uint8_t> pixels((size_t)raster_stride(width, depth) * height, 0);
    RasterView r = raster_view(pixels.data(), width, height, depth);
    std::string text((const char *)p, left);
    text = text.c_str();
    draw_string(r, &cursor, 0xFFFFFF, text.c_str());
    // The same text once more through the formatter, which must cut instead of overflowing.
    va_list none;
    auto draw = [&](const char *format, ...) {
        va_start(none, format);
        draw_textv(r, &cursor, 0x123456, format, none);
        va_end(none);
    };
    draw("%s%s", text.c_str(), text.c_str());
    return 0;
}
