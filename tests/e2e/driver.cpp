// tests/e2e/driver.cpp - starting, finding, typing into and ending the real programs.
#include "tests/e2e/driver.h"

#include "base/gdiplus_api.h"

#include <gtest/gtest.h>

// The folder of this test program, with a trailing backslash
static std::wstring own_folder(void) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L'\\') + 1);
}

void pause_ms(int ms) {
    DWORD end = GetTickCount() + (DWORD)ms;
    MSG msg;
    while ((int)(end - GetTickCount()) > 0) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

// NOTE: windows are matched by process, not by class alone: another program on the same wineserver (or
//       a previous test's program still ending) may have windows of the same class, and FindWindowW
//       gives only the first of them.
HWND find_window(DWORD pid, const wchar_t *cls, const wchar_t *title) {
    struct Search { DWORD pid; const wchar_t *cls, *title; HWND found; } s = {pid, cls, title, nullptr};
    EnumWindows([](HWND w, LPARAM lp) -> BOOL {
        Search *s = (Search *)lp;
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != s->pid) return TRUE;
        wchar_t text[256] = {};
        if (s->cls && (!GetClassNameW(w, text, 256) || _wcsicmp(text, s->cls) != 0)) return TRUE;
        if (s->title) {
            text[0] = 0;
            GetWindowTextW(w, text, 256);
            if (_wcsicmp(text, s->title) != 0) return TRUE;
        }
        s->found = w;
        return FALSE;
    }, (LPARAM)&s);
    return s.found;
}

HWND wait_window(const Program &p, const wchar_t *cls, const wchar_t *title, int ms) {
    DWORD end = GetTickCount() + (DWORD)ms;
    do {
        HWND w = find_window(p.process.dwProcessId, cls, title);
        if (w) return w;
        Sleep(20);
    } while ((int)(end - GetTickCount()) > 0);
    return nullptr;
}

bool start_program(Program *p, const wchar_t *exe_name, int wait_ms) {
    std::wstring exe = own_folder() + exe_name;
    std::wstring folder = own_folder();
    STARTUPINFOW si = {sizeof si};
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                        &p->process))
        return false;
    DWORD end = GetTickCount() + (DWORD)wait_ms;
    while ((int)(end - GetTickCount()) > 0) {
        HWND w = find_window(p->process.dwProcessId, L"vrx_mw", nullptr);
        // The status line shows the colour depth once the drop-in animation is over.
        if (w && status_line(w).find(L"-bit color") != std::wstring::npos) {
            p->main_window = w;
            return true;
        }
        Sleep(10);
    }
    return false;
}

int wait_exit(Program *p, int ms) {
    if (WaitForSingleObject(p->process.hProcess, (DWORD)ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(p->process.hProcess, &code);
    return (int)code;
}

void stop_program(Program *p) {
    if (!p->process.hProcess) return;
    if (WaitForSingleObject(p->process.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(p->process.hProcess, 99);
        WaitForSingleObject(p->process.hProcess, 5000);
    }
    CloseHandle(p->process.hThread);
    CloseHandle(p->process.hProcess);
    p->process = {};
    p->main_window = nullptr;
}

std::wstring window_text(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

std::wstring status_line(HWND main_window) {
    std::wstring s = window_text(GetDlgItem(main_window, 2001));
    size_t first = s.find_first_not_of(L' ');
    return first == std::wstring::npos ? L"" : s.substr(first);
}

void press_keys(HWND target, std::initializer_list<WORD> vks) {
    SetForegroundWindow(target);
    pause_ms(100);
    for (WORD vk : vks) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        SendInput(1, &in, sizeof in);
        pause_ms(30);
    }
    for (auto it = vks.end(); it != vks.begin();) {
        INPUT in = {};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(1, &in, sizeof in);
        pause_ms(30);
    }
    pause_ms(200);
}

// Types text through the system's input queue, one character after the other
void type_text(HWND target, const wchar_t *text) {
    SetForegroundWindow(target);
    pause_ms(100);
    for (; *text; text++) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        if (*text == L'\r') {
            in[0].ki.wVk = in[1].ki.wVk = VK_RETURN;
        } else {
            in[0].ki.wScan = in[1].ki.wScan = *text;
            in[0].ki.dwFlags = KEYEVENTF_UNICODE;
            in[1].ki.dwFlags = KEYEVENTF_UNICODE;
        }
        in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof(INPUT));
        pause_ms(20);
    }
    pause_ms(100);
}

// The log file of text window n, in the folder the programs start from (this program's folder)
std::wstring log_path(int n) {
    return own_folder() + L"VRXLIB" + std::to_wstring(n) + L".LOG";
}

// The text of log n, its CRLF line ends read back as "\n"; empty when there is none
std::string read_log(int n) {
    std::string s;
    FILE *f = _wfopen(log_path(n).c_str(), L"rt");
    if (!f) return s;
    char buf[4096];
    size_t got;
    while ((got = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, got);
    fclose(f);
    return s;
}

// Waits up to ms until log n holds text
bool log_holds(int n, const std::string &text, int ms) {
    for (int waited = 0;; waited += 50) {
        if (read_log(n).find(text) != std::string::npos) return true;
        if (waited >= ms) return false;
        pause_ms(50);
    }
}

// Waits until the status line shows "Input text", then posts text and Enter to text window 0 and
// waits for the line to be taken; false when no line input came
bool answer_prompt(HWND main_window, const wchar_t *text) {
    for (int i = 0; i < 100 && status_line(main_window) != L"Input text"; i++) pause_ms(50);
    DWORD pid = 0;
    GetWindowThreadProcessId(main_window, &pid);
    HWND console = find_window(pid, L"vrx_twi", L"TextWindow 0");
    if (!console || status_line(main_window) != L"Input text") return false;
    for (const wchar_t *c = text; *c; c++) PostMessageW(console, WM_CHAR, *c, 0);
    PostMessageW(console, WM_CHAR, L'\r', 0);
    for (int i = 0; i < 100 && status_line(main_window) == L"Input text"; i++) pause_ms(20);
    return true;
}

// Pixel (x, y) of the clipboard's 24-bit CF_DIB as 0x00RRGGBB, or 0xFFFFFFFF when there is none
unsigned clipboard_pixel(int x, int y, int *width) {
    unsigned colour = 0xFFFFFFFFu;
    if (!OpenClipboard(nullptr)) return colour;
    HANDLE dib = GetClipboardData(CF_DIB);
    const BITMAPINFOHEADER *h = dib ? (const BITMAPINFOHEADER *)GlobalLock(dib) : nullptr;
    if (h && h->biBitCount == 24 && x < h->biWidth && y < h->biHeight) {
        size_t row = ((size_t)h->biWidth * 3 + 3) / 4 * 4;
        const unsigned char *px = (const unsigned char *)h + h->biSize + (size_t)(h->biHeight - 1 - y) * row + (size_t)x * 3;
        colour = (unsigned)px[2] << 16 | (unsigned)px[1] << 8 | px[0];
        if (width) *width = h->biWidth;
    }
    if (h) GlobalUnlock(dib);
    CloseClipboard();
    return colour;
}

// The colour of pixel (x, y) of an image file, 0x00RRGGBB; size into *w, *h
unsigned file_pixel(const wchar_t *path, int x, int y, UINT *w, UINT *h) {
    using namespace Gdiplus::DllExports;
    ULONG_PTR token;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Gdiplus::GpBitmap *bitmap = nullptr;
    Gdiplus::ARGB colour = 0;
    if (GdipCreateBitmapFromFile(path, &bitmap) == Gdiplus::Ok) {
        GdipGetImageWidth(bitmap, w);
        GdipGetImageHeight(bitmap, h);
        GdipBitmapGetPixel(bitmap, x, y, &colour);
        GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return colour & 0xFFFFFF;
}
