// tests/windows/harness.cpp - the toolkit hosted by the Windows test programs: one start per process, a
// reset between cases, the readers and the input a person gives.
#include "tests/windows/harness.h"
#include "tests/support/dib.h"

#include <shlobj.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>

static std::function<void()> routine_body;
static WNDPROC status_proc;
static std::atomic<int> inputs_begun{0};   // line inputs begun: each shows "Input text" on the status line
static char startup_log_folder[MAX_PATH];
int harness_end_code = -1;

// The status line's procedure, counting the line inputs as they begin
static LRESULT CALLBACK counting_status(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT && wcsstr((const wchar_t *)lp, L"Input text")) inputs_begun++;
    return CallWindowProcW(status_proc, w, msg, wp, lp);
}

// Start runs the routine a test gave
int user_routine(void) {
    if (routine_body) routine_body();
    return 0;
}

//----------------------------------------------------------------------------------
// The toolkit in this process
//----------------------------------------------------------------------------------

bool harness_reset(void) {
    static bool started = false;
    if (!started) {
        vrx_end_process = [](UINT code) { harness_end_code = (int)code; };
        if (vrx_startup(GetModuleHandleW(nullptr)) != 0) return false;
        strcpy(startup_log_folder, vrx_log_folder);
        status_proc = (WNDPROC)SetWindowLongPtrW(vrx_status_window, GWLP_WNDPROC, (LONG_PTR)counting_status);
        started = true;
    }
    if (!vrx_main_window) return false;   // Exit ended the toolkit
    harness_hold_ctrl(false);
    return harness_run_on_worker([] {
        harness_hold_ctrl(false);
        for (int n = 0; n < VRX_MAX_IMAGES; n++) VRX_DestroyImage(n), VRX_CloseTextWindow(n);
        VRX_CloseInputBox(), VRX_CloseButtonBox(), VRX_ResizeInputBox(IB_LABEL_WIDTH, IB_EDIT_WIDTH);
        vrx_button_box.button_width = BB_BUTTON_WIDTH, vrx_button_box.button_height = BB_BUTTON_HEIGHT;
        close_all_logs(), strcpy(vrx_log_folder, startup_log_folder);
        clear_image_tables(), vrx_current_text_window = 0, vrx_text_cursor = TextCursor{0, 0, 0};
        vrx_draw_color = 0xFFFFFF, vrx_tc = 0, vrx_tttc = 0xFFFFFF, tt_set_font_size(16, 16);
        clear_console_input(), file_dialogs_startup(), clear_custom_colors();
        if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    });
}

bool harness_exit(void) {
    if (vrx_main_window) PostMessageW(vrx_main_window, WM_COMMAND, IDM_EXIT, 0);
    MSG msg;
    for (int mark = get_milliseconds(); get_milliseconds() - mark < 5000;) {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Sleep(1);
        else if (msg.message == WM_QUIT) {
            // NOTE: after a terminated worker the normal shutdown may wait on a lock the dead thread held
            if (harness_end_code < 0) vrx_shutdown();
            return true;
        } else TranslateMessage(&msg), DispatchMessageW(&msg);
    }
    return false;
}

bool harness_pump_until(const std::function<bool()> &done, int ms) {
    for (int mark = get_milliseconds(); !done(); Sleep(1), pump_messages())
        if (get_milliseconds() - mark > ms) return false;
    return true;
}

void harness_start_routine(std::function<void()> body, bool start) {
    routine_body = std::move(body);
    if (start) PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
}

bool harness_run_on_worker(const std::function<void()> &body, int ms) {
    std::atomic<int> finished{0};
    harness_start_routine([&] { body(), finished = 1; });
    bool ok = harness_pump_until([&] { return finished.load() == 1 && vrx_running.load() == 0; }, ms);
    return routine_body = nullptr, ok;
}

// NOTE: posted by the worker itself, the command is in its queue before the routine returns, so it has
//       run (and any wait in it ended) once the worker takes the next routine.
bool harness_command(HWND w, int id, std::function<bool(HWND)> fill, std::vector<std::wstring> *seen) {
    std::atomic<bool> done{false};
    std::thread answers([&] {
        for (HWND d; !done;)
            if ((d = find_dialog(vrx_worker_id, 20)) != nullptr) {
                if (seen) seen->push_back(dialog_text(d));
                PostMessageW(d, WM_COMMAND, fill && fill(d) ? IDOK : IDCANCEL, 0);
                until([d] { return !IsWindow(d) || !IsWindowVisible(d); });
            }
    });
    bool ok = harness_run_on_worker([&] { PostMessageW(w, WM_COMMAND, (WPARAM)id, 0); }) && harness_run_on_worker([] {});
    return done = true, answers.join(), ok;
}

void harness_hold_ctrl(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys), keys[VK_CONTROL] = down ? 0x80 : 0, SetKeyboardState(keys);
}

//----------------------------------------------------------------------------------
// Readers
//----------------------------------------------------------------------------------

std::string status_text(void) {
    char text[128] = "";
    GetWindowTextA(vrx_status_window, text, sizeof text);
    std::string s = text;
    s.erase(0, s.find_first_not_of(' '));
    return s.erase(s.find_last_not_of(' ') + 1);
}

int harness_window_count(const wchar_t *cls) {
    int count = 0;
    DWORD pid = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, cls, nullptr)) != nullptr;)
        count += GetWindowThreadProcessId(w, &pid) && pid == GetCurrentProcessId();
    return count;
}

uint32_t image_pixel(int n, int x, int y) {
    RasterView v;
    return image_raster(n, &v) && raster_inside(v, x, y) ? get_pixel(v, x, y) : 0xDEADBEEF;
}

uint32_t image_colour(int n, int x, int y) {
    uint32_t p = image_pixel(n, x, y);
    RGBQUAD q = {};
    if (p == 0xDEADBEEF || vrx_images[n].depth == 32) return p & 0xFFFFFF;
    GetDIBColorTable(vrx_images[n].memory_dc, p, 1, &q);
    return (uint32_t)q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue;
}

std::string file_bytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

HWND find_dialog(DWORD tid, int ms) {
    HWND found = nullptr;
    until([&] {
        EnumThreadWindows(tid, [](HWND w, LPARAM lp) -> BOOL {
            wchar_t cls[16] = L"";
            GetClassNameW(w, cls, 16);
            if (wcscmp(cls, L"#32770") || !IsWindowVisible(w)) return TRUE;
            return *(HWND *)lp = w, FALSE;
        }, (LPARAM)&found);
        return found != nullptr;
    }, ms);
    return found;
}

std::wstring dialog_text(HWND d) {
    wchar_t text[256] = L"";
    return GetDlgItemTextW(d, 0xFFFF, text, 256), window_text(d) + L": " + text;
}

// NOTE: edt1 is the field of the dialog Wine shows, cmb13 that of Windows' own
bool type_file_name(HWND d, const std::wstring &path) {
    return SetDlgItemTextW(d, 1152, path.c_str()), SetDlgItemTextW(d, 1148, path.c_str()), true;
}

//----------------------------------------------------------------------------------
// Input
//----------------------------------------------------------------------------------

void post_click(HWND w, int x, int y, bool right) {
    PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(w, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(x, y));
}

std::thread harness_answer_prompts(std::vector<std::wstring> answers) {
    int begun = inputs_begun.load();
    return std::thread([answers, begun] {
        for (size_t k = 0; k < answers.size(); k++) {
            int owner = 0;
            if (!until([&] { return inputs_begun.load() > begun + (int)k && (owner = vrx_input_owner.load()) != 0; })) return;
            for (wchar_t c : answers[k] + L"\r") PostMessageW(vrx_text_windows[owner - 1].window, WM_CHAR, c, 0);
        }
    });
}

HDROP harness_drop_of(const std::vector<std::wstring> &files) {
    std::wstring names;
    for (const std::wstring &f : files) names += f + L'\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + (names.size() + 1) * 2);
    DROPFILES *d = (DROPFILES *)GlobalLock(block);
    d->pFiles = sizeof(DROPFILES), d->fWide = TRUE;
    memcpy(d + 1, names.c_str(), names.size() * 2);
    return GlobalUnlock(block), (HDROP)block;
}

//----------------------------------------------------------------------------------
// Files and the clipboard
//----------------------------------------------------------------------------------

std::wstring data_file(const char *name) {
    std::string path = __FILE__;
    for (char &c : path) c = c == '/' ? '\\' : c;
    path = path.substr(0, path.rfind("\\tests\\windows\\")) + "\\tests\\data\\bad\\" + name;
    return std::wstring(L"Z:") + std::wstring(path.begin(), path.end());
}

const uint32_t kPicture[2][3] = {{0xFF8000, 0xFF8000, 0x2060C0}, {0x2060C0, 0xFF8000, 0xFF8000}};

void put_picture(const DibSpec &d) {
    bool rle = d.compression == 1;
    auto index = [](int y, int x) { return (unsigned char)(kPicture[y][x] != kPicture[0][0]); };
    // RLE8: the bottom row as runs of one, end of line, the top row as an absolute run, end of picture
    std::vector<unsigned char> bits = rle ? std::vector<unsigned char>{1, index(1, 0), 1, index(1, 1), 1, index(1, 2), 0, 0, 0, 3, index(0, 0), index(0, 1), index(0, 2), 0, 0, 1}
                                          : dib_rows(d.bits, 3, 2, d.top_down, [&](int x, int y) { return d.bits <= 8 ? index(y, x) : kPicture[y][x]; });
    std::vector<uint32_t> table(d.bits <= 8 ? (d.used ? d.used : 1u << d.bits) : 0);
    for (size_t k = 0; k < table.size() && k < 2; k++) table[k] = kPicture[k][0];
    std::vector<unsigned char> b = packed_dib({40, d.width, d.top_down ? -d.height : d.height, d.bits, d.compression, d.used, rle ? (uint32_t)bits.size() : 0, 0}, table, bits);
    put_clipboard(CF_DIB, b.data(), b.size() - (size_t)d.cut);
}

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    if (vrx_main_window && harness_end_code < 0) harness_exit();
    fflush(stdout);
    if (harness_end_code >= 0) TerminateProcess(GetCurrentProcess(), (UINT)result);
    return result;
}
