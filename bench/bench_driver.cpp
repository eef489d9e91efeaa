// bench/bench_driver.cpp - whole-program timings under Windows (or Wine), taken from outside as a person
// would work the programs, and the GDI+ and GDI references they are compared with.
//
//   vrx_bench_driver convert <program.exe> <pair.bmp> <results> [settle]
//                                                                 Start -> "変換終了" for a pair pasted
//                                                                 settle ms before (6000); with 0, paste
//                                                                 -> "変換終了", Start right after Paste
//   vrx_bench_driver startup <program.exe> <results>              process start -> "32-bit color"
//   vrx_bench_driver bare <results>                               process start -> first window of a
//                                                                 program that does nothing else
//   vrx_bench_driver floor <pair.bmp> <out.jpg> <results>         the GDI+ JPEG encoder alone
//   vrx_bench_driver rescale <results>                            GDI StretchBlt at 70.7 % against BitBlt
//   vrx_bench_driver touch <width> <height> <results>             the first write to each page of a new
//                                                                 32-bit DIB section, on one thread and two
//
// Each run appends "name value" lines to the results file (milliseconds or Mpixel/s); one round per
// run, so the calling script can alternate the programs and the references.
//
// NOTE: the programs are started and found with the end-to-end test driver (tests/e2e/driver.cpp); the
//       waits that are timed here poll every millisecond instead of its 10-20 ms steps.

#include "tests/e2e/driver.h"

#include "base/gdiplus_api.h"
#include "bench/bench_common.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

//----------------------------------------------------------------------------------
// Clock and results
//----------------------------------------------------------------------------------

// Appends one "name value" line to the results file
void record(const char *results, const char *name, double value) {
    FILE *f = fopen(results, "a");
    if (!f) return;
    fprintf(f, "%s %.3f\n", name, value);
    fclose(f);
}

// The last path component of a narrow path, without ".exe"
std::string program_name(const char *exe) {
    std::string s = exe;
    size_t slash = s.find_last_of("\\/");
    if (slash != std::string::npos) s = s.substr(slash + 1);
    if (s.size() > 4 && s.compare(s.size() - 4, 4, ".exe") == 0) s.resize(s.size() - 4);
    return s;
}

// UTF-16 copy of a narrow command-line argument
std::wstring wide(const char *s) {
    wchar_t w[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, s, -1, w, MAX_PATH);
    return w;
}

//----------------------------------------------------------------------------------
// Working the programs
//----------------------------------------------------------------------------------

// Puts a BMP file on the clipboard as CF_DIB (the file without its 14-byte file header); false on failure
bool put_bmp_on_clipboard(const char *path) {
    FILE *f = fopen(path, "rb");
    if (!f) return false;
    fseek(f, 0, SEEK_END);
    long size = ftell(f);
    fseek(f, 14, SEEK_SET);
    HGLOBAL block = size > 54 ? GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)(size - 14)) : nullptr;
    bool read = false;
    if (block) {
        void *p = GlobalLock(block);
        read = fread(p, 1, (size_t)(size - 14), f) == (size_t)(size - 14);
        GlobalUnlock(block);
    }
    fclose(f);
    if (!read || !OpenClipboard(nullptr)) {
        if (block) GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
    return true;
}

// Waits, polling every millisecond, for a shown top-level window of class and title; null after ms
// NOTE: a message box is found by its caption before it has its text, and shown once it has it
HWND poll_window(const wchar_t *cls, const wchar_t *title, int ms) {
    double end = now_ms() + ms;
    while (now_ms() < end) {
        HWND w = FindWindowW(cls, title);
        if (w && IsWindowVisible(w)) return w;
        Sleep(1);
    }
    return nullptr;
}

// Exit from the main window's menu, then wait for the program to end
void exit_program(Program *p) {
    PostMessageW(p->main_window, WM_COMMAND, 1002, 0);
    wait_exit(p, 5000);
    stop_program(p);
}

// One conversion: paste the pair, Start, time until the "変換終了" box; 0 when it went as expected
int run_convert(const char *exe, const char *pair, const char *results, int settle_ms) {
    Program p;
    if (!start_program(&p, wide(exe).c_str())) {
        fprintf(stderr, "bench: %s did not start\n", exe);
        return 1;
    }
    DeleteFileW(L"c:\\quarvex_out.jpg");
    if (!put_bmp_on_clipboard(pair)) {
        fprintf(stderr, "bench: cannot put %s on the clipboard\n", pair);
        stop_program(&p);
        return 1;
    }
    double paste_start = now_ms();
    PostMessageW(p.main_window, WM_COMMAND, 1026, 0);   // Paste
    // With no settling time Start follows the paste at once: the program starts the routine only
    // after the paste's last request, so the time to the box is the whole paste -> "変換終了".
    if (settle_ms == 0) PostMessageW(p.main_window, WM_COMMAND, 1001, 0);
    if (!poll_window(L"vrx_iw", nullptr, 30000)) {
        fprintf(stderr, "bench: the paste made no image window\n");
        stop_program(&p);
        return 1;
    }
    // NOTE: the paste's last two requests (fill, repaint) follow the window's creation; nothing outside
    //       the program shows their end, so the driver waits a fixed time well beyond their cost.
    pause_ms(settle_ms);
    double start = settle_ms == 0 ? paste_start : now_ms();
    if (settle_ms) PostMessageW(p.main_window, WM_COMMAND, 1001, 0);   // Start
    HWND box = poll_window(L"#32770", L"Pause", 60000);
    double end = now_ms();
    int status = 0;
    std::wstring text = box ? window_text(GetDlgItem(box, 0xFFFF)) : L"";
    if (text != L"\x5909\x63DB\x7D42\x4E86") {   // "変換終了"
        fprintf(stderr, "bench: no \"finished\" box after Start (%s, %d characters of text, %.0f ms)\n",
                box ? "another box" : "no box", (int)text.size(), end - start);
        if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
        status = 1;
    } else {
        std::string name = program_name(exe);
        if (settle_ms == 0) {
            record(results, (name + ".paste_convert_ms").c_str(), end - start);
        } else {
            record(results, (name + ".convert_ms").c_str(), end - start);
            record(results, (name + ".paste_window_ms").c_str(), start - paste_start - settle_ms);
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        double closing = now_ms();
        while (FindWindowW(L"vrx_iw", nullptr) && now_ms() - closing < 10000) Sleep(5);
    }
    exit_program(&p);
    return status;
}

// Process start to the status line "32-bit color", after the drop-in animation
int run_startup(const char *exe, const char *results) {
    Program p;
    double start = now_ms();
    if (!start_program(&p, wide(exe).c_str())) {
        fprintf(stderr, "bench: %s did not start\n", exe);
        return 1;
    }
    double end = now_ms();
    std::wstring status = status_line(p.main_window);
    record(results, (program_name(exe) + ".startup_ms").c_str(), end - start);
    exit_program(&p);
    return status == L"32-bit color" ? 0 : 1;
}

// The reference of the start-up: this program started again as a bare window ("window" mode), timed
// from process start to its window, which is what Wine's process start costs before any of the
// program's own work
int run_bare(const char *results) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring cmd = L"\"" + std::wstring(self) + L"\" window";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    double start = now_ms();
    if (!CreateProcessW(self, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 1;
    HWND w = poll_window(L"vrx_bench_bare", nullptr, 10000);
    double end = now_ms();
    if (w) {
        record(results, "bare.startup_ms", end - start);
        PostMessageW(w, WM_CLOSE, 0, 0);
    }
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return w ? 0 : 1;
}

// Window procedure of the bare window: closing it ends the program
LRESULT CALLBACK bare_proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(w, msg, wp, lp);
}

// "window" mode: one visible top-level window and its message loop, nothing else
int run_window(void) {
    WNDCLASSW c = {};
    c.lpfnWndProc = bare_proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.lpszClassName = L"vrx_bench_bare";
    RegisterClassW(&c);
    CreateWindowExW(0, L"vrx_bench_bare", L"bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                    nullptr, c.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

//----------------------------------------------------------------------------------
// The GDI+ JPEG encoder alone
//----------------------------------------------------------------------------------

// Builds the program's 2W x H output (the pair centred, black quarters) as a 24-bit GDI+ bitmap,
// then times only its JPEG encoding at the program's quality setting
int run_floor(const char *pair, const char *out, const char *results) {
    ULONG_PTR token;
    GdiplusStartupInput input;
    if (GdiplusStartup(&token, &input, nullptr) != Ok) return 1;
    int status = 1;
    GpBitmap *source = nullptr;
    CLSID encoder;
    if (GdipCreateBitmapFromFile(wide(pair).c_str(), &source) == Ok && jpeg_encoder(&encoder)) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(source, &w);
        GdipGetImageHeight(source, &h);
        int stride = (int)(2 * w * 3 + 3) / 4 * 4;
        std::vector<BYTE> canvas((size_t)stride * h, 0);
        BitmapData data;
        GpRect all = {0, 0, (INT)w, (INT)h};
        if (GdipBitmapLockBits(source, &all, ImageLockModeRead, PixelFormat24bppRGB, &data) == Ok) {
            for (UINT y = 0; y < h; y++)
                memcpy(&canvas[(size_t)y * stride + (size_t)(w / 2) * 3], (BYTE *)data.Scan0 + (size_t)y * data.Stride,
                       (size_t)w * 3);
            GdipBitmapUnlockBits(source, &data);
            GpBitmap *picture = nullptr;
            if (GdipCreateBitmapFromScan0((INT)(2 * w), (INT)h, stride, PixelFormat24bppRGB, canvas.data(),
                                          &picture) == Ok) {
                double ms = timed_jpeg_save(picture, wide(out).c_str(), 100);
                if (ms >= 0) {
                    record(results, "encoder.floor_ms", ms);
                    status = 0;
                }
                GdipDisposeImage(picture);
            }
        }
    }
    if (source) GdipDisposeImage(source);
    GdiplusShutdown(token);
    if (status) fprintf(stderr, "bench: the encoder floor could not be measured\n");
    return status;
}

//----------------------------------------------------------------------------------
// GDI rescale
//----------------------------------------------------------------------------------

// A top-down 32-bit DIB section selected into a new memory DC; its bits filled with a varied picture
HDC dib_dc(int w, int h, HBITMAP *bitmap) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    *bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!*bitmap) return nullptr;
    uint32_t *p = (uint32_t *)bits;
    for (size_t i = 0; i < (size_t)w * h; i++) p[i] = (uint32_t)(i * 2654435761u) & 0xFFFFFF;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, *bitmap);
    SetStretchBltMode(dc, COLORONCOLOR);
    return dc;
}

// Median of a few values
double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The image window's rescale by 707/1000 (StretchBlt between memory DCs in COLORONCOLOR) at 1 MP and
// 25 MP, in source Mpixel/s, beside a same-size BitBlt of the same source
int run_rescale(const char *results) {
    int status = 0;
    for (int side : {1000, 5000}) {
        int small = (side * 707 + 500) / 1000;
        HBITMAP a, b, c;
        HDC from = dib_dc(side, side, &a), to = dib_dc(small, small, &b), copy = dib_dc(side, side, &c);
        if (!from || !to || !copy) return 1;
        std::vector<double> stretch, blit;
        for (int round = 0; round < 5; round++) {
            double t0 = now_ms();
            StretchBlt(to, 0, 0, small, small, from, 0, 0, side, side, SRCCOPY);
            GdiFlush();
            double t1 = now_ms();
            BitBlt(copy, 0, 0, side, side, from, 0, 0, SRCCOPY);
            GdiFlush();
            double t2 = now_ms();
            stretch.push_back(t1 - t0);
            blit.push_back(t2 - t1);
        }
        double mpix = (double)side * side / 1e6;
        std::string mp = side == 1000 ? "1" : "25";
        record(results, ("gdi.rescale707_" + mp + "mp_mpix_s").c_str(), mpix / (median(stretch) / 1000.0));
        record(results, ("gdi.bitblt_" + mp + "mp_mpix_s").c_str(), mpix / (median(blit) / 1000.0));
        DeleteDC(from);
        DeleteDC(to);
        DeleteDC(copy);
        DeleteObject(a);
        DeleteObject(b);
        DeleteObject(c);
    }
    return status;
}

//----------------------------------------------------------------------------------
// First touch of a new raster
//----------------------------------------------------------------------------------

// Writes one word of every page of bytes 0..size-1 from p
struct TouchBand { unsigned char *p; size_t size; };
DWORD WINAPI touch_band(LPVOID v) {
    TouchBand *b = (TouchBand *)v;
    for (size_t i = 0; i < b->size; i += 4096) *(volatile uint32_t *)(b->p + i) = 0;
    return 0;
}

// The time of the first write to every page of a new w x h 32-bit DIB section, split into that many
// halves run at once (1 or 2); -1 when it cannot be made
// NOTE: the floor under any pass that fills a new canvas: the memory a raster gets is mapped on first
//       touch, page by page, whatever the pass writes.
double first_touch_ms(int w, int h, int threads) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB};
    void *bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) return -1;
    size_t size = (size_t)w * 4 * (size_t)h, half = size / 2 / 4096 * 4096;
    TouchBand bands[2] = {{(unsigned char *)bits, threads == 2 ? half : size}, {(unsigned char *)bits + half, size - half}};
    double t0 = now_ms();
    HANDLE other = threads == 2 ? CreateThread(nullptr, 0, touch_band, &bands[1], 0, nullptr) : nullptr;
    touch_band(&bands[0]);
    if (other) WaitForSingleObject(other, INFINITE), CloseHandle(other);
    double ms = now_ms() - t0;
    DeleteObject(section);
    return ms;
}

int run_touch(int w, int h, const char *results) {
    double one = first_touch_ms(w, h, 1), two = first_touch_ms(w, h, 2);
    if (one < 0 || two < 0) return 1;
    record(results, "memory.first_touch_ms", one);
    record(results, "memory.first_touch_two_ms", two);
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc >= 5 && strcmp(argv[1], "convert") == 0)
        return run_convert(argv[2], argv[3], argv[4], argc >= 6 ? atoi(argv[5]) : 6000);
    if (argc >= 4 && strcmp(argv[1], "startup") == 0) return run_startup(argv[2], argv[3]);
    if (argc >= 5 && strcmp(argv[1], "floor") == 0) return run_floor(argv[2], argv[3], argv[4]);
    if (argc >= 3 && strcmp(argv[1], "rescale") == 0) return run_rescale(argv[2]);
    if (argc >= 5 && strcmp(argv[1], "touch") == 0) return run_touch(atoi(argv[2]), atoi(argv[3]), argv[4]);
    if (argc >= 3 && strcmp(argv[1], "bare") == 0) return run_bare(argv[2]);
    if (argc >= 2 && strcmp(argv[1], "window") == 0) return run_window();
    fprintf(stderr, "usage: vrx_bench_driver convert|startup|bare|floor|rescale|touch ...\n");
    return 2;
}
