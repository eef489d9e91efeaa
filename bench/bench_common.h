// bench/bench_common.h - what the Windows benchmark programs share: the clock, the GDI+ JPEG encoder
// timed alone, and the last message loop of a program that hosts the toolkit.
//
// Thread: the benchmark program's main thread.
#pragma once

#include "base/gdiplus_api.h"

#include <windows.h>

#include <vector>

// Milliseconds of the performance counter, with its full resolution
static inline double now_ms(void) {
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart * 1000.0 / (double)frequency.QuadPart;
}

// The class identifier of the JPEG encoder; false when none is installed
static inline bool jpeg_encoder(CLSID *clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::DllExports::GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || !size) return false;
    std::vector<unsigned char> buffer(size);
    Gdiplus::ImageCodecInfo *codecs = (Gdiplus::ImageCodecInfo *)buffer.data();
    if (Gdiplus::DllExports::GdipGetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; i++)
        if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, L"image/jpeg") == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    return false;
}

// Writes picture as a JPEG file at quality and times only the encoder; its milliseconds, or -1
static inline double timed_jpeg_save(Gdiplus::GpBitmap *picture, const wchar_t *path, ULONG quality) {
    CLSID encoder;
    if (!jpeg_encoder(&encoder)) return -1;
    Gdiplus::EncoderParameters parameters;
    parameters.Count = 1;
    parameters.Parameter[0].Guid = Gdiplus::EncoderQuality;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    parameters.Parameter[0].Value = &quality;
    double start = now_ms();
    Gdiplus::Status saved = Gdiplus::DllExports::GdipSaveImageToFile(picture, path, &encoder, &parameters);
    double end = now_ms();
    return saved == Gdiplus::Ok ? end - start : -1;
}

// Dispatches messages until the quit message, at most ms milliseconds, as a program's own loop would
static inline void run_to_quit(int ms) {
    MSG msg;
    for (double end = now_ms() + ms; now_ms() < end;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
