// base/text_convert.cpp - narrow texts (the ANSI code page) and UTF-16, for window texts and paths.
//
// Thread: any.

#include "base/text_convert.h"

#include <cstring>
#include <vector>

// Converts ANSI text to UTF-16 into dst (count units, terminated); returns dst
wchar_t *narrow_to_wide(const char *text, wchar_t *dst, int count) {
    if (count <= 0) return dst;
    dst[0] = 0;
    if (!text) return dst;
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, dst, count);
    if (n == 0) {
        // Too long for dst: convert what fits and cut there.
        int len = (int)strnlen(text, (size_t)count - 1);
        n = MultiByteToWideChar(CP_ACP, 0, text, len, dst, count - 1);
        dst[n > 0 ? n : 0] = 0;
    }
    dst[count - 1] = 0;
    return dst;
}

// Converts UTF-16 text to ANSI into dst (count bytes, terminated); returns dst
char *wide_to_narrow(const wchar_t *text, char *dst, int count) {
    if (count <= 0) return dst;
    dst[0] = 0;
    if (!text) return dst;
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, dst, count, nullptr, nullptr);
    if (n == 0) {
        // Too long for dst: convert whole characters while they fit.
        int len = (int)wcslen(text);
        while (len > 0 && (n = WideCharToMultiByte(CP_ACP, 0, text, len, dst, count - 1, nullptr, nullptr)) == 0)
            len--;
        dst[n > 0 ? n : 0] = 0;
    }
    dst[count - 1] = 0;
    return dst;
}

// Reads at most max UTF-16 units of a window's text into dst as ANSI text of at most max bytes
void get_window_text_narrow(HWND w, char *dst, int max) {
    if (!dst || max <= 0) return;
    wchar_t wide[256];
    int units = max < 256 ? max : 256;
    GetWindowTextW(w, wide, units);
    wide_to_narrow(wide, dst, max);
}

// Sets a window's text from ANSI text (at most 255 characters)
void set_window_text_narrow(HWND w, const char *text) {
    wchar_t wide[256];
    SetWindowTextW(w, narrow_to_wide(text, wide, 256));
}

// The whole text of window w, converted to the ANSI code page (empty for no window)
std::string window_text_ansi(HWND w) {
    if (!w) return std::string();
    int units = GetWindowTextLengthW(w);
    if (units <= 0) return std::string();
    std::vector<wchar_t> wide((size_t)units + 1);
    units = GetWindowTextW(w, wide.data(), units + 1);
    if (units <= 0) return std::string();
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::string();
    std::string narrow((size_t)bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), units, &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}

// Sets the text of window w from ANSI text of any length
void set_window_text_ansi(HWND w, const char *text) {
    if (!w) return;
    if (!text) text = "";
    int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (units <= 0) {
        SetWindowTextW(w, L"");
        return;
    }
    std::vector<wchar_t> wide((size_t)units);
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
    SetWindowTextW(w, wide.data());
}
