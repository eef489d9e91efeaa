// tests/e2e/process_e2e_test.cpp - the commands of image windows used from outside the running
// program: the pixel probe read back from the console's log, a line profile, Clipping into the next
// free slot, Save as JPEG, Cut (Ctrl+X) and Load image file, and the Process menu of an 8-bit image.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const UINT IDM_PASTE = 1026, IDM_IMAGEWINDOW = 1027, IDM_TEXTWINDOW = 1028, IDM_WINDOWINFO = 1045;
const UINT IDM_TW_STARTLOG = 1024;
const int PW = 200, PH = 150;   // the pasted picture: orange left half, blue right half
const unsigned ORANGE = 0xFF8000, BLUE = 0x0000FF;
const wchar_t *const JPEG_PATH = L"c:\\quarvex_process_e2e.jpg";

// Waits until the status line of the main window starts with text
bool status_is(HWND main_window, const wchar_t *text) {
    for (int i = 0; i < 250; i++) {
        if (status_line(main_window).rfind(text, 0) == 0) return true;
        pause_ms(20);
    }
    return false;
}

// The image window whose caption starts with prefix, waiting up to 5 s
HWND image_window_titled(const std::wstring &prefix) {
    for (int i = 0; i < 250; i++) {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"vrx_iw", nullptr); w; w = FindWindowExW(nullptr, w, L"vrx_iw", nullptr))
            if (window_text(w).rfind(prefix, 0) == 0) return w;
        pause_ms(20);
    }
    return nullptr;
}

// A left click at client point (x, y) of window w, as the mouse reports it
void click(HWND w, int x, int y) {
    PostMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Puts the test picture on the clipboard as a 24-bit CF_DIB
void put_picture_on_clipboard(void) {
    size_t row = ((size_t)PW * 3 + 3) / 4 * 4;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 40 + row * PH);
    unsigned char *p = (unsigned char *)GlobalLock(block);
    BITMAPINFOHEADER h = {};
    h.biSize = 40;
    h.biWidth = PW;
    h.biHeight = PH;
    h.biPlanes = 1;
    h.biBitCount = 24;
    memcpy(p, &h, 40);
    for (int y = 0; y < PH; y++)
        for (int x = 0; x < PW; x++) {
            unsigned c = x < PW / 2 ? ORANGE : BLUE;
            unsigned char *px = p + 40 + (size_t)y * row + (size_t)x * 3;
            px[0] = (unsigned char)c;
            px[1] = (unsigned char)(c >> 8);
            px[2] = (unsigned char)(c >> 16);
        }
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_DIB, block);
    CloseClipboard();
}

// True when two colours differ by at most the JPEG tolerance in every channel
bool near_colour(unsigned a, unsigned b) {
    for (int shift = 0; shift < 24; shift += 8) {
        int d = (int)((a >> shift) & 0xFF) - (int)((b >> shift) & 0xFF);
        if (d < -40 || d > 40) return false;
    }
    return true;
}

// Answers the file dialog titled title with a path and, when filter is above 0, that file type
bool answer_file_dialog(const Program &p, const wchar_t *title, const wchar_t *path, int filter) {
    HWND dialog = wait_window(p, L"#32770", title, 5000);
    if (!dialog) return false;
    pause_ms(300);
    if (filter > 0) {
        HWND types = GetDlgItem(dialog, 0x470);   // the file type list (cmb1)
        if (!types) return false;
        SendMessageW(types, CB_SETCURSEL, (WPARAM)(filter - 1), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(0x470, CBN_SELENDOK), (LPARAM)types);
    }
    HWND name = GetDlgItem(dialog, 0x480);        // the file name field (edt1)
    if (!name) name = GetDlgItem(dialog, 0x47C);  // or its combo box form (cmb13)
    if (!name) return false;
    SendMessageW(name, WM_SETTEXT, 0, (LPARAM)path);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(dialog); i++) pause_ms(50);
    return !IsWindow(dialog);
}

class ImageCommands : public testing::TestWithParam<const wchar_t *> {
protected:
    void SetUp() override {
        DeleteFileW(log_path(0).c_str());
        DeleteFileW(JPEG_PATH);
        ASSERT_TRUE(start_program(&program, GetParam()));
        PostMessageW(program.main_window, WM_COMMAND, IDM_TEXTWINDOW, 0);
        console = wait_window(program, L"vrx_twi", L"TextWindow 0", 5000);
        ASSERT_NE(console, nullptr);
        PostMessageW(console, WM_COMMAND, IDM_TW_STARTLOG, 0);
        pause_ms(200);
    }
    void TearDown() override {
        stop_program(&program);
        DeleteFileW(log_path(0).c_str());
        DeleteFileW(JPEG_PATH);
    }
    // Posts command id to image window w and waits for the point tool's first prompt
    void start_tool(HWND w, UINT id, const wchar_t *prompt = L"Click a point") {
        PostMessageW(w, WM_COMMAND, id, 0);
        ASSERT_TRUE(status_is(program.main_window, prompt)) << id;
    }
    // Waits until the point tool has ended and the status line shows the colour depth again
    bool tool_ended(void) {
        for (int i = 0; i < 250; i++) {
            if (status_line(program.main_window).find(L"-bit color") != std::wstring::npos) return true;
            pause_ms(20);
        }
        return false;
    }
    // Drags a rectangle with two clicks once the tool waits
    void rectangle(HWND w, int x1, int y1, int x2, int y2) {
        click(w, x1, y1);
        ASSERT_TRUE(status_is(program.main_window, L"Click the second point"));
        click(w, x2, y2);
        ASSERT_TRUE(tool_ended());
    }
    Program program;
    HWND console = nullptr;
};

}  // namespace

TEST_P(ImageCommands, ProbeProfileClippingSaveCutAndLoadOnAPastedPicture) {
    put_picture_on_clipboard();
    PostMessageW(program.main_window, WM_COMMAND, IDM_PASTE, 0);
    HWND image = wait_window(program, L"vrx_iw", nullptr, 5000);
    ASSERT_NE(image, nullptr);
    pause_ms(300);

    // The probe of an orange pixel prints it in every model
    start_tool(image, 1015);
    click(image, 10, 12);
    EXPECT_TRUE(log_holds(0, "(X,Y)=(10,12)\n(R,G,B)=(255,128,0)\n(H,S,V)=(30,255,255)\n(Y,Cr,Cb)=(151,74,-84)\n"
                          "(Y,u,v)=(151,-73,91)\n(Y,I,Q)=(151,117,-10)\n\n")) << read_log(0);

    // Line(RGB) of row 30 opens a (w + 12) x 128 window in slot 1
    start_tool(image, 1016);
    click(image, 40, 30);
    HWND plot = image_window_titled(L"RGB(Y=30)(100%)");
    ASSERT_NE(plot, nullptr);
    RECT client;
    GetClientRect(plot, &client);
    EXPECT_EQ(client.right, PW + 12);
    EXPECT_EQ(client.bottom, 128);

    // With slots 0 and 1 in use, Clipping (Ctrl+R) opens slot 2, which the window report names
    press_keys(image, {VK_CONTROL, 'R'});
    ASSERT_TRUE(status_is(program.main_window, L"Click the first point"));
    rectangle(image, 5, 6, 24, 15);
    ASSERT_NE(image_window_titled(L"(5,6)-(24,15)("), nullptr);
    PostMessageW(program.main_window, WM_COMMAND, IDM_WINDOWINFO, 0);
    EXPECT_TRUE(log_holds(0, " 2 F '(5,6)-(24,15)' X:0 Y:0 W:20 H:10")) << read_log(0);
    EXPECT_NE(read_log(0).find(" 1 F 'RGB(Y=30)'"), std::string::npos) << read_log(0);

    // Save as with the JPEG type writes the picture
    PostMessageW(image, WM_COMMAND, 1010, 0);
    ASSERT_TRUE(answer_file_dialog(program, L"Save as", JPEG_PATH, 3));
    pause_ms(500);
    HANDLE file = CreateFileW(JPEG_PATH, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    unsigned char magic[3] = {};
    DWORD got = 0;
    ReadFile(file, magic, 3, &got, nullptr);
    CloseHandle(file);
    EXPECT_EQ(magic[0], 0xFF);   // a JPEG stream starts with the SOI marker FF D8 FF
    EXPECT_EQ(magic[1], 0xD8);
    EXPECT_EQ(magic[2], 0xFF);

    // Ctrl+X: the content goes to the clipboard, the image turns black
    press_keys(image, {VK_CONTROL, 'X'});
    int width = 0;
    EXPECT_EQ(clipboard_pixel(50, 75, &width), ORANGE);
    EXPECT_EQ(clipboard_pixel(150, 75), BLUE);
    EXPECT_EQ(width, PW);
    press_keys(image, {VK_CONTROL, 'C'});
    EXPECT_EQ(clipboard_pixel(50, 75), 0u);
    EXPECT_EQ(clipboard_pixel(150, 75), 0u);

    // Load image file brings the saved picture back
    PostMessageW(image, WM_COMMAND, 1004, 0);
    ASSERT_TRUE(answer_file_dialog(program, L"Load image file", JPEG_PATH, 0));
    pause_ms(500);
    press_keys(image, {VK_CONTROL, 'C'});
    unsigned left = clipboard_pixel(50, 75), right = clipboard_pixel(150, 75);
    EXPECT_TRUE(near_colour(left, ORANGE)) << std::hex << left;
    EXPECT_TRUE(near_colour(right, BLUE)) << std::hex << right;
}

TEST_P(ImageCommands, InformationMenuOfAnEightBitImageHoldsExactlyPixelAndLineLumi) {
    // Image Window from the main window's menu, answered at the console: 200 x 150, 8 bits
    PostMessageW(program.main_window, WM_COMMAND, IDM_IMAGEWINDOW, 0);
    for (const wchar_t *answer : {L"200\r", L"150\r", L"8\r"}) {
        ASSERT_TRUE(status_is(program.main_window, L"Input text"));
        type_text(console, answer);
        pause_ms(300);
    }
    HWND image = image_window_titled(L"000(100%)[8bit]");
    ASSERT_NE(image, nullptr);
    pause_ms(300);

    // From the Process menu (middle button): Information..., then the item `ups` above the end of its
    // sub-menu. The last item and the third from last are the same only when there are two.
    struct Choice { int ups; bool probe; int row; } choices[] = {{1, false, 7}, {2, true, 4}, {3, false, 9}};
    for (const Choice &c : choices) {
        PostMessageW(image, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(20, 20));
        HWND menu = wait_window(program, L"#32768", nullptr, 5000);
        ASSERT_NE(menu, nullptr);
        pause_ms(200);
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RIGHT}) PostMessageW(menu, WM_KEYDOWN, key, 0), pause_ms(100);
        for (int k = 0; k < c.ups; k++) PostMessageW(menu, WM_KEYDOWN, VK_UP, 0), pause_ms(100);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        ASSERT_TRUE(status_is(program.main_window, L"Click a point")) << c.ups;
        click(image, 3, c.row);
        if (c.probe) {
            EXPECT_TRUE(log_holds(0, "(X,Y)=(3,4)\n(Luminance)=(0)\n\n")) << read_log(0);
        } else {
            EXPECT_NE(image_window_titled(L"Luminance(Y=" + std::to_wstring(c.row) + L")(100%)"), nullptr) << c.ups;
        }
        ASSERT_TRUE(tool_ended());
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ImageCommands, testing::Values(L"quarvex.exe", L"quarvex-swap.exe"),
                         [](const testing::TestParamInfo<const wchar_t *> &info) {
                             return std::string(info.index == 0 ? "quarvex" : "quarvex_swap");
                         });
