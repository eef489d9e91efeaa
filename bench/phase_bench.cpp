// bench/phase_bench.cpp - where the conversion's time goes: each toolkit call of the conversion timed
// on its own, inside a process that hosts the real toolkit, beside the GDI+ JPEG encoder alone.
//
//   vrx_bench_phases <pair.bmp> <out.jpg> <results>         (built once per program: quarvex's box
//   vrx_bench_phases_swap <pair.bmp> <out.jpg> <results>     call, or quarvex-swap's)
//
// The pair is pasted into image 0 before the clock starts; then the program's own steps run as its
// user routine would: create image 1 at zoom 50, fill it (the program's copies and boxes), repaint it,
// save it as JPEG, and close both images. The encoder alone then writes the same picture again from
// 24-bit rows that are already in memory, as `vrx_bench_driver floor` does, so "save - encoder" is the
// save's own work. One conversion per process, so every run starts from the memory a fresh program has.
// Appends "phases.<program>.<step>_ms" lines to the results file.

#include "tests/windows/toolkit.h"
#include "bench/bench_common.h"
#include "image/image_files.h"

#include "app/stereo_canvas.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

#if VRX_SWAP_VARIANT
static const char program[] = "quarvex-swap";
#else
static const char program[] = "quarvex";
#endif

static const char *pair_path, *out_path, *results_path;
static int status = 1;
static volatile LONG finished;
static double start_posted, start_to_routine;   // when Start was posted; from then to the routine
static volatile double pause_called = -1, box_shown = -1;   // when VRX_Pause was called; its box seen

// Appends "phases.<program>.<step>_ms value" to the results file
static void record(const char *step, double ms) {
    FILE *f = fopen(results_path, "a");
    if (!f) return;
    fprintf(f, "phases.%s.%s_ms %.3f\n", program, step, ms);
    fclose(f);
}

// The encoder alone on 24-bit rows already in memory; its time, or -1
static double encoder_alone(int width, int height, unsigned char *rows, const wchar_t *path) {
    GpBitmap *picture = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, (INT)rgb24_stride(width), PixelFormat24bppRGB, rows, &picture) != Ok)
        return -1;
    double ms = timed_jpeg_save(picture, path, (ULONG)vrx_jpeg_quality);
    GdipDisposeImage(picture);
    return ms;
}

// Writes a small JPEG file once, so that the encoder is loaded and set up before any timing: the first
// save of a process pays for that, in the program and in the encoder alone alike
static void warm_up_encoder(const wchar_t *path) {
    CLSID encoder;
    std::vector<unsigned char> rows(48 * 16, 0x80);
    GpBitmap *picture = nullptr;
    if (!jpeg_encoder(&encoder) ||
        GdipCreateBitmapFromScan0(16, 16, 48, PixelFormat24bppRGB, rows.data(), &picture) != Ok)
        return;
    GdipSaveImageToFile(picture, path, &encoder, nullptr);
    GdipDisposeImage(picture);
}

// The conversion's steps, timed one by one
static int user_routine_steps(void) {
    start_to_routine = now_ms() - start_posted;
    // The pair in image 0 as a paste leaves it: a bitmap of the screen's format copied into the raster
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, pair_path, -1, wide, MAX_PATH);
    HBITMAP pair = (HBITMAP)LoadImageW(nullptr, wide, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    BITMAP size = {};
    if (!pair || !GetObjectW(pair, sizeof size, &size) ||
        VRX_CreateImage(0, "000", -1, -1, size.bmWidth, size.bmHeight, 100) != 0) {
        fprintf(stderr, "bench: cannot load %s\n", pair_path);
        return 1;
    }
    paste_bitmap_into_current(pair);
    UINT w = (UINT)size.bmWidth, h = (UINT)size.bmHeight;
    VRX_UpdateImage(0);
    MultiByteToWideChar(CP_ACP, 0, out_path, -1, wide, MAX_PATH);
    warm_up_encoder((std::wstring(wide) + L".warm.jpg").c_str());
    int width = (int)w, height = (int)h;
    const uint32_t *input = (const uint32_t *)VRX_GetImagePixels(0, nullptr);
    StereoLayout layout = stereo_layout(width, VRX_SWAP_VARIANT != 0);

    double t0 = now_ms();
    VRX_CreateImage(1, "convert...", -1, -1, 2 * width, height, 50);
    VRX_SelectImage(1);
    double t1 = now_ms();
    for (int i = 0; i < layout.copies; i++) VRX_PutImage(input, layout.copy_column[i], width, height);
#if VRX_SWAP_VARIANT
    for (int i = 0; i < layout.blacks; i++)
        VRX_DrawBox(layout.black_first[i], 0, layout.black_last[i], height - 1, 0, 0);
#endif
    double t2 = now_ms();
    VRX_UpdateImage(1);
    double t3 = now_ms();
    int saved = VRX_SaveImage(VRX_GetImageWidth(1), VRX_GetImageHeight(1), 1, out_path);
    double t4 = now_ms();
    pause_called = t4;
    VRX_Pause("\x95\xCF\x8A\xB7\x8F\x49\x97\xB9");   // "変換終了", answered by the main thread
    // The same picture as 24-bit rows for the encoder alone, made outside the clock
    RasterView canvas;
    std::vector<unsigned char> rows;
    if (image_raster(1, &canvas)) {
        rows.assign(rgb24_stride(canvas.width) * (size_t)canvas.height, 0);
        pack_block_rgb24(canvas, canvas.width, canvas.height, rows.data());
    }
    double t5 = now_ms();
    VRX_DestroyImage(0);
    VRX_DestroyImage(1);
    double t6 = now_ms();
    double encoder = rows.empty() ? -1 : encoder_alone(2 * width, height, rows.data(),
                                                       (std::wstring(wide) + L".alone.jpg").c_str());
    if (saved != 0 || encoder < 0 || box_shown < 0) {
        fprintf(stderr, "bench: the save failed (%d), the encoder alone could not run or no box came\n", saved);
        return 1;
    }
    record("start", start_to_routine);
    record("create", t1 - t0);
    record("fill", t2 - t1);
    record("update", t3 - t2);
    record("save", t4 - t3);
    record("box", box_shown - t4);
    record("encoder", encoder);
    record("save_own", t4 - t3 - encoder);
    record("to_box", box_shown - t0 + start_to_routine);
    record("toolkit", box_shown - t0 + start_to_routine - encoder);
    record("destroy", t6 - t5);
    status = 0;
    return 0;
}

// The user routine with the end marked for the main thread
static int timed_routine(void) {
    int result = user_routine_steps();
    InterlockedExchange(&finished, 1);
    return result;
}

// Dispatches the main thread's messages for about ms milliseconds
static void harness_pump_for(int ms) {
    double end = now_ms() + ms;
    MSG msg;
    while (now_ms() < end) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
}

// Start runs this on the worker thread
int user_routine(void) { return timed_routine(); }

int main(int argc, char **argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: vrx_bench_phases <pair.bmp> <out.jpg> <results>\n");
        return 2;
    }
    pair_path = argv[1];
    out_path = argv[2];
    results_path = argv[3];
    if (vrx_startup(GetModuleHandleW(nullptr)) != 0) return 1;
    harness_pump_for(300);   // the start-up's own messages
    start_posted = now_ms();
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    MSG msg;
    double end = now_ms() + 120000;
    while (now_ms() < end && (!finished || vrx_running.load() == 1)) {
        // The "Pause" box is answered as soon as it is seen, as the outside driver does
        HWND box = pause_called >= 0 ? FindWindowW(L"#32770", L"Pause") : nullptr;
        if (box && box_shown < 0) {
            box_shown = now_ms();
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } else {
            Sleep(1);
        }
    }
    exit_procedure();
    run_to_quit(5000);
    vrx_shutdown();
    return status;
}
