// tests/e2e/driver.cpp - starting, finding, typing into, reading and ending the real programs.
//
// NOTE: windows are always matched by process: a program still ending from the previous test, or Wine's
//       own helpers, may have windows of the same class on the same wineserver.
#include "tests/e2e/driver.h"
#include "tests/support/dib.h"

#include "base/gdiplus_api.h"

#include <cstdio>

// This program's folder with a trailing backslash
static std::wstring own_folder(void) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, wcsrchr(path, L'\\') + 1);
}

bool start_program(Program *p, const wchar_t *exe) {
    std::wstring folder = own_folder(), path = folder + exe, cmd = L"\"" + path + L"\"";
    DeleteFileW((folder + L"VRXLIB0.LOG").c_str());
    STARTUPINFOW si = {sizeof si};
    return CreateProcessW(path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &p->process) &&
           (p->main_window = wait_window(*p, L"vrx_mw")) != nullptr &&
           until([&] { return status_line(p->main_window).find(L"-bit color") != std::wstring::npos; });
}

int wait_exit(Program *p, int ms) {
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(p->process.hProcess, (DWORD)ms) == WAIT_OBJECT_0) GetExitCodeProcess(p->process.hProcess, &code);
    return (int)code;
}

void stop_program(Program *p) {
    if (p->process.hProcess && wait_exit(p, 0) == -1) TerminateProcess(p->process.hProcess, 99), wait_exit(p, 5000);
    CloseHandle(p->process.hThread), CloseHandle(p->process.hProcess);
    *p = Program();
}

std::wstring status_line(HWND main_window) {
    std::wstring s = window_text(GetDlgItem(main_window, IDC_STATUS));
    return s.erase(0, s.find_first_not_of(L' '));
}

HWND find_window(DWORD pid, const wchar_t *cls, const wchar_t *title) {
    struct Search { DWORD pid; const wchar_t *cls, *title; HWND found; } s = {pid, cls, title, nullptr};
    EnumWindows([](HWND w, LPARAM lp) -> BOOL {
        Search &s = *(Search *)lp;
        DWORD owner = 0;
        wchar_t name[64] = {};
        GetWindowThreadProcessId(w, &owner);
        GetClassNameW(w, name, 64);
        if (owner == s.pid && !_wcsicmp(name, s.cls) && (!s.title || !window_text(w).rfind(s.title, 0))) s.found = w;
        return !s.found;
    }, (LPARAM)&s);
    return s.found;
}

HWND wait_window(const Program &p, const wchar_t *cls, const wchar_t *title) {
    HWND w = nullptr;
    until([&] { return (w = find_window(p.process.dwProcessId, cls, title)) != nullptr; });
    return w;
}

// NOTE: a message box exists with its caption before it has its text; it is shown once it has it
std::wstring pause_box(const Program &p, bool ok) {
    HWND box = wait_window(p, L"#32770", L"Pause");
    std::wstring text;
    if (box) until([&] { return IsWindowVisible(box) && !(text = window_text(GetDlgItem(box, 0xFFFF))).empty(); }, 5000);
    if (box && ok) PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

// Sends one key (vk) or character (ch) event through the input queue, into target made foreground first
// NOTE: another process's window takes the keyboard focus a while after SetForegroundWindow; a key sent
//       before would go to the window that had it, or nowhere.
static void send_key(HWND target, WORD vk, wchar_t ch, bool up) {
    GUITHREADINFO gui = {sizeof gui};
    if (target && SetForegroundWindow(target))
        until([&] { return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &gui) && gui.hwndFocus == target; }, 3000);
    INPUT in = {INPUT_KEYBOARD};
    in.ki = {vk, ch, (DWORD)((ch ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0))};
    SendInput(1, &in, sizeof in);
    Sleep(20);
}

void press(HWND target, std::initializer_list<WORD> keys) {
    for (const WORD *k = keys.begin(); k != keys.end(); k++) send_key(k == keys.begin() ? target : nullptr, *k, 0, false);
    for (const WORD *k = keys.end(); k != keys.begin();) send_key(nullptr, *--k, 0, true);
}

void type_text(HWND target, const wchar_t *text) {
    for (const wchar_t *c = text; *c; c++)
        for (bool up : {false, true})
            send_key(c == text && !up ? target : nullptr, *c == L'\r' ? VK_RETURN : 0, *c == L'\r' ? 0 : *c, up);
}

void click(HWND w, int x, int y, bool right) {
    PostMessageW(w, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(w, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::string pair_dib(int width, int height, int bits) {
    const std::vector<uint32_t> halves = {RED, BLUE};
    std::vector<unsigned char> b = packed_dib({40, width, height, (uint32_t)bits, 0, bits == 8 ? 2u : 0u, 0, 0}, bits == 8 ? halves : std::vector<uint32_t>(),
                                              dib_rows(bits, width, height, false, [&](int x, int) { return bits == 8 ? (uint32_t)(x >= width / 2) : halves[x >= width / 2]; }));
    return std::string(b.begin(), b.end());
}

bool write_bmp(const wchar_t *path, const std::string &dib) {
    BITMAPFILEHEADER f = {0x4D42, (DWORD)(14 + dib.size()), 0, 0, 14 + 40 + 4 * ((const BITMAPINFOHEADER *)dib.data())->biClrUsed};
    FILE *out = _wfopen(path, L"wb");
    return out && fwrite(&f, 14, 1, out) + fwrite(dib.data(), dib.size(), 1, out) + !fclose(out) == 3;
}

// NOTE: a Ctrl+C pressed right after a message box closed is sometimes lost (the system activates
//       another window a moment later), so it is pressed again every half second.
unsigned copied_pixel(HWND image, int x, int y) {
    unsigned colour = ~0u;
    for (int tries = 0; tries < 10 && colour == ~0u; tries++) {
        if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
        press(image, {VK_CONTROL, 'C'});
        until([&] {
            HANDLE dib = OpenClipboard(nullptr) ? GetClipboardData(CF_DIB) : nullptr;
            const BITMAPINFOHEADER *h = dib ? (const BITMAPINFOHEADER *)GlobalLock(dib) : nullptr;
            int bytes = h ? h->biBitCount / 8 : 0, table = bytes == 1 ? 256 : 0;   // an 8-bit copy has 256 colours
            const unsigned char *px = h ? (const unsigned char *)(h + 1) + 4 * table + (h->biHeight - 1 - y) * ((h->biWidth * bytes + 3) & ~3) + x * bytes : nullptr;
            if (bytes == 3) colour = (unsigned)px[2] << 16 | px[1] << 8 | px[0];
            if (bytes == 1) colour = ((const unsigned *)(h + 1))[*px] & 0xFFFFFF;
            if (h) GlobalUnlock(dib);
            CloseClipboard();
            return colour != ~0u;
        }, 500);
    }
    return colour;
}

unsigned file_pixel(const wchar_t *path, int x, int y, UINT *w, UINT *h) {
    static ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (!token) Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Gdiplus::Bitmap bitmap(path);   // NOTE: holds the file open until it is destroyed
    Gdiplus::Color colour;
    *w = bitmap.GetWidth(), *h = bitmap.GetHeight();
    bitmap.GetPixel(x, y, &colour);
    return colour.GetValue() & 0xFFFFFF;
}

bool log_holds(const std::string &text) {
    return until([&] {
        std::string s(1 << 16, '\0');
        FILE *f = _wfopen((own_folder() + L"VRXLIB0.LOG").c_str(), L"rt");   // CRLF reads back as "\n"
        s.resize(f ? fread(&s[0], 1, s.size(), f) : 0);
        return (!f || !fclose(f)) && s.find(text) != std::string::npos;
    }, 5000);
}
