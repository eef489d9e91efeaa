// bench/pixel_bench.cpp - speed of the Windows-free pixel core, each routine beside its reference in
// the same run: the block copy of VRX_PutImage / VRX_GetImage against memcpy of the same bytes, the
// whole-image operations against a memcpy of the same raster, the bitmap font against filling its
// glyph boxes.
//
// NOTE: every raster is a plain heap buffer touched once before timing, so page faults of first use
//       are not counted; the sizes are 1 MP (1000 x 1000) and 25 MP (5000 x 5000).

#include "app/stereo_canvas.h"
#include "imaging/color_core.h"
#include "imaging/draw_core.h"
#include "imaging/raster.h"
#include "imaging/text_core.h"
#include "imaging/transform_core.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

//----------------------------------------------------------------------------------
// Rasters
//----------------------------------------------------------------------------------

// The side of a square raster of megapixels MP
int side_of(int megapixels) { return megapixels == 1 ? 1000 : 5000; }

// A 32-bit raster with its own pixels, filled with a varied picture
struct Picture {
    std::vector<uint32_t> words;
    RasterView view;
    Picture(int width, int height) : words((size_t)width * height) {
        for (size_t i = 0; i < words.size(); i++) words[i] = (uint32_t)(i * 2654435761u) & 0xFFFFFF;
        view = raster_view(words.data(), width, height, 32);
    }
};

// Counts pixels per iteration as a rate in pixels per second
void count_pixels(benchmark::State &state, double pixels) {
    state.counters["pixels_per_s"] = benchmark::Counter(pixels, benchmark::Counter::kIsIterationInvariantRate);
}

//----------------------------------------------------------------------------------
// The 32-bit block copy of VRX_PutImage and VRX_GetImage
//----------------------------------------------------------------------------------

// VRX_PutImage's copy: a W x W pair into a 2W-wide canvas at column W / 2, as the conversion does
void BM_PutBlock(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture pair(w, w), canvas(2 * w, w);
    for (auto _ : state) {
        write_block(canvas.view, w / 2, pair.words.data(), w, w);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * w * w * 4);
}

// VRX_GetImage's copy: the W x W middle of a 2W-wide canvas out into a packed block
void BM_GetBlock(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture block(w, w), canvas(2 * w, w);
    for (auto _ : state) {
        copy_block_out(canvas.view, w / 2, 0, w, w, block.words.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * w * w * 4);
}

// The reference: one memcpy of the same number of bytes
void BM_Memcpy(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture from(w, w), to(w, w);
    for (auto _ : state) {
        memcpy(to.words.data(), from.words.data(), (size_t)w * w * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * w * w * 4);
    count_pixels(state, (double)w * w);
}

// The save's pass: the W x W block of a 32-bit raster into padded 24-bit rows for the JPEG encoder
void BM_PackRgb24(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture p(w, w);
    std::vector<unsigned char> rows(rgb24_stride(w) * w, 1);
    for (auto _ : state) {
        pack_block_rgb24(p.view, w, w, rows.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * w * w * 4);
    count_pixels(state, (double)w * w);
}

// Carries a layout out on a 32-bit canvas raster from a W x H pair (rows packed), as the programs do with
// their put and box calls
static void apply_stereo_layout(const StereoLayout &layout, const RasterView &canvas, const uint32_t *pair,
                                int width, int height) {
    for (int i = 0; i < layout.copies; i++) write_block(canvas, layout.copy_column[i], pair, width, height);
    for (int i = 0; i < layout.blacks; i++)
        draw_box(canvas, layout.black_first[i], 0, layout.black_last[i], height - 1, 0, 0);
}

// The conversion's canvas of each program: a W x W pair laid out on a 2W x W canvas (one copy; or two
// copies and two black boxes), in canvas pixels per second
template <bool swap>
void BM_StereoLayout(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture pair(w, w), canvas(2 * w, w);
    StereoLayout layout = stereo_layout(w, swap);
    for (auto _ : state) {
        apply_stereo_layout(layout, canvas.view, pair.words.data(), w, w);
        benchmark::ClobberMemory();
    }
    count_pixels(state, 2.0 * w * w);
}

// The same rows copied with one memcpy each into the same canvas layout, without write_block's clipping:
// what the put costs by its shape alone
void BM_MemcpyRows(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture pair(w, w), canvas(2 * w, w);
    for (auto _ : state) {
        for (int j = 0; j < w; j++)
            memcpy(canvas.words.data() + (size_t)j * 2 * w + w / 2, pair.words.data() + (size_t)j * w, (size_t)w * 4);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed((int64_t)state.iterations() * w * w * 4);
}

//----------------------------------------------------------------------------------
// Whole-image operations
//----------------------------------------------------------------------------------

// Flood fill of a one-colour image: the whole raster is one region, filled in two colours by turns
void BM_FloodFill(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture p(w, w);
    std::fill(p.words.begin(), p.words.end(), 0u);
    uint32_t colour = 0x00FF00;
    for (auto _ : state) {
        flood_fill(p.view, w / 2, w / 2, colour);
        colour ^= 0x00FF00;
        benchmark::ClobberMemory();
    }
    count_pixels(state, (double)w * w);
}

// The right rotation: the raster into a packed copy, then turned clockwise into the new raster
void BM_RotateRight(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture p(w, w), turned(w, w);
    std::vector<uint32_t> packed((size_t)w * w);
    for (auto _ : state) {
        copy_to_packed(p.view, packed.data());
        rotate_packed(packed.data(), w, w, turned.view, true);
        benchmark::ClobberMemory();
    }
    count_pixels(state, (double)w * w);
}

// The RGB test pattern over the whole image
void BM_PatternRGB(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture p(w, w);
    for (auto _ : state) {
        fill_pattern(p.view, PATTERN_RGB);
        benchmark::ClobberMemory();
    }
    count_pixels(state, (double)w * w);
}

// Invert over the whole image
void BM_Invert(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture p(w, w);
    for (auto _ : state) {
        invert_raster(p.view);
        benchmark::ClobberMemory();
    }
    count_pixels(state, (double)w * w);
}

// One colour model computed for every pixel of the image, as the probes compute it for one
template <int model>
void BM_ColourModel(benchmark::State &state) {
    int w = side_of((int)state.range(0));
    Picture p(w, w);
    for (auto _ : state) {
        long long sum = 0;
        for (uint32_t c : p.words) {
            if (model == 0) sum += color_y(c) + color_cr(c) + color_cb(c);
            if (model == 1) sum += color_y(c) + color_u(c) + color_v(c);
            if (model == 2) sum += color_y(c) + color_i(c) + color_q(c);
            if (model == 3) {
                int h, s, v;
                rgb_to_hsv(c, &h, &s, &v);
                sum += h + s + v;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    count_pixels(state, (double)w * w);
}

//----------------------------------------------------------------------------------
// Bitmap-font text
//----------------------------------------------------------------------------------

const char text_line[] = "The quick brown fox jumps over the lazy dog 0123456789 (){}[]<>!?#$%&*+-=/~^";

// Lines of the built-in 8x14 font across a 1 MP image, wrapping and starting again at the top
void BM_BitmapText(benchmark::State &state) {
    Picture p(1000, 1000);
    TextCursor cursor = {0, FONT_HEIGHT, 0};
    size_t chars = sizeof text_line - 1;
    for (auto _ : state) {
        if (cursor.y > 1000 - FONT_LINE) cursor = {0, FONT_HEIGHT, 0};
        draw_string(p.view, &cursor, 0xFFFFFF, text_line);
        benchmark::ClobberMemory();
    }
    state.counters["chars_per_s"] = benchmark::Counter((double)chars, benchmark::Counter::kIsIterationInvariantRate);
}

// The reference: filling the same number of 8 x 14 glyph boxes with a colour, row by row
void BM_GlyphBoxFill(benchmark::State &state) {
    Picture p(1000, 1000);
    size_t chars = sizeof text_line - 1;
    int x = 0, y = 0;
    for (auto _ : state) {
        for (size_t c = 0; c < chars; c++) {
            if (x + FONT_WIDTH > 1000) { x = 0; y += FONT_LINE; }
            if (y + FONT_HEIGHT > 1000) y = 0;
            for (int j = 0; j < FONT_HEIGHT; j++) {
                uint32_t *row = p.words.data() + (size_t)(y + j) * 1000 + x;
                for (int i = 0; i < FONT_WIDTH; i++) row[i] = 0xFFFFFF;
            }
            x += FONT_WIDTH;
        }
        benchmark::ClobberMemory();
    }
    state.counters["chars_per_s"] = benchmark::Counter((double)chars, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

BENCHMARK(BM_Memcpy)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyRows)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PutBlock)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetBlock)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackRgb24)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_StereoLayout, false)->Name("BM_LayoutCentre")->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_StereoLayout, true)->Name("BM_LayoutSwap")->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloodFill)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RotateRight)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PatternRGB)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Invert)->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ColourModel, 0)->Name("BM_ColourYCrCb")->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ColourModel, 1)->Name("BM_ColourYUV")->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ColourModel, 2)->Name("BM_ColourYIQ")->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ColourModel, 3)->Name("BM_ColourHSV")->Arg(1)->Arg(25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BitmapText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GlyphBoxFill)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
