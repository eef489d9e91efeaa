// tests/windows/commands_test.cpp - every command of an image window chosen from its real pop-up menu
// with the items it offers checked, answered with clicks, typed lines or its dialog, and told apart by
// one check of what it did; then what the main window offers and does while the routine runs.
#include "tests/windows/harness.h"

#include <cstring>

namespace {

using Commands = Toolkit;
using Menus = Toolkit;

// One item of a tracked menu as the person sees it (text without '&' and shortcut), with its submenu
struct MenuItem {
    std::wstring text;
    UINT id;
    bool checked, greyed;
    std::vector<MenuItem> sub;
};

// Reads the items of a menu and its submenus
std::vector<MenuItem> items_of(HMENU menu) {
    std::vector<MenuItem> out;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        wchar_t text[128] = L"";
        MENUITEMINFOW info = {sizeof info, MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING};
        info.dwTypeData = text, info.cch = 127;
        GetMenuItemInfoW(menu, (UINT)i, TRUE, &info);
        std::wstring t;
        for (wchar_t *c = text; *c && *c != L'\t' && !(info.fType & MFT_SEPARATOR); c++)
            if (*c != L'&') t += *c;
        out.push_back({t, info.wID, (info.fState & MFS_CHECKED) != 0, (info.fState & MFS_GRAYED) != 0,
                       info.hSubMenu ? items_of(info.hSubMenu) : std::vector<MenuItem>()});
    }
    return out;
}

// The visible menu window (class #32768) of this process, or null
HWND tracked_menu(void) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32768", nullptr)) != nullptr;)
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

// Reads the pop-up menu once any thread tracks it, then dismisses it; the reading runs on a new thread
std::thread read_menu_when_tracked(std::vector<MenuItem> *items) {
    return std::thread([items] {
        HWND m = nullptr;
        if (!until([&] { return (m = tracked_menu()) != nullptr; })) return;
        *items = items_of((HMENU)SendMessageW(m, MN_GETHMENU, 0, 0));
        PostMessageW(m, WM_KEYDOWN, VK_ESCAPE, 0);
        until([] { return tracked_menu() == nullptr; });
    });
}

// The item at a path "Sub/Item" of a read menu, or null
const MenuItem *menu_item(const std::vector<MenuItem> &items, const std::wstring &path) {
    size_t slash = path.find(L'/');
    for (const MenuItem &i : items)
        if (i.text == path.substr(0, slash)) return slash == std::wstring::npos ? &i : menu_item(i.sub, path.substr(slash + 1));
    return nullptr;
}

// Clicks the given client points in turn on w from a new thread, each once a point tool waits for it
// (a negative x: a right click at -x)
std::thread click_when_waiting(HWND w, std::vector<POINT> points) {
    return std::thread([w, points] {
        for (size_t i = 0; i < points.size(); i++) {
            if (!until([i] { return vrx_waiting.load() == 1 && (i == 0 || status_text() == "Click the second point"); })) return;
            post_click(w, abs(points[i].x), points[i].y, points[i].x < 0);
        }
    });
}

const int W = 320, H = 240;
// Every pixel of the 32-bit canvas (image 0) differs; the 8-bit one (image 1) is 240 x 180
uint32_t mark(int x, int y) { return 0x800000u | x << 8 | y; }
uint32_t px(int x, int y) { return image_colour(0, x, y); }
bool kept(int x, int y) { return px(x, y) == mark(x, y); }
bool lit(int x, int y) { return px(x, y) == 0xFFFFFF; }
bool inverted(int x, int y) { return px(x, y) == (mark(x, y) ^ 0xFFFFFF); }
bool width_is(int w) { return VRX_GetImageWidth(0) == w; }
bool zoom_is(int z) { return vrx_images[0].zoom == z; }
bool current_title(const char *t) { return image_exists(vrx_current_image) && !strcmp(vrx_images[vrx_current_image].title, t); }
bool logged(const char *text) { return file_bytes(std::string(vrx_log_folder) + "VRXLIB0.LOG").find(text) != std::string::npos; }
std::vector<std::wstring> seen;   // the dialogs a case answered

// The canvas shows what the core's test pattern draws
bool pattern_is(int kind) {
    std::vector<uint32_t> want(W * H);
    fill_pattern(raster_view(want.data(), W, H, 32), kind);
    return std::equal(want.begin(), want.end(), pixels32[0]);
}

// The width of the picture on the clipboard, 0 without one
int clipboard_width(void) {
    int width = 0;
    if (!OpenClipboard(nullptr)) return 0;
    if (HANDLE h = GetClipboardData(CF_DIB)) width = ((BITMAPINFOHEADER *)GlobalLock(h))->biWidth, GlobalUnlock(h);
    CloseClipboard();
    return width;
}

// While a file dialog of image 0 waits, a command makes image 1 current; then the file is chosen
bool file_dialog(HWND d, const wchar_t *path, int filter) {
    PostMessageW(vrx_images[1].window, WM_COMMAND, IDM_PATTERN_RGB, 0);
    if (!until([] { return vrx_current_image == 1; })) return false;
    type_file_name(d, path);
    HWND types = GetDlgItem(d, 1136);
    if (filter) SendMessageW(types, CB_SETCURSEL, filter - 1, 0), SendMessageW(d, WM_COMMAND, MAKEWPARAM(1136, CBN_SELENDOK), (LPARAM)types);
    return true;
}
bool load_good(HWND d) { return file_dialog(d, data_file("good_48x32.png").c_str(), 0); }
bool save_jpeg(HWND d) { return file_dialog(d, L"C:\\vrx_saved", 3); }
// The font dialog shows the TrueType font's face; cancelled
std::wstring face;
bool font_face(HWND d) {
    wchar_t text[64] = L"";
    GetDlgItemTextW(d, 1136, text, 64);
    return face = text, false;
}
bool colour_c86432(HWND d) { return SetDlgItemInt(d, 706, 200, 0) && SetDlgItemInt(d, 707, 100, 0) && SetDlgItemInt(d, 708, 50, 0); }

struct CommandCase {
    char menu;                        // 'c' context menu, 'p' Process menu
    const char *item;                 // the item's path in the menu
    int image;                        // 0 the 32-bit canvas, 1 the 8-bit one
    std::vector<POINT> clicks;
    std::vector<std::wstring> typed;
    bool (*dialog)(HWND);             // fills the dialog it opens; OK when true
    bool (*check)(void);
    void (*setup)(void);
};

const CommandCase kCases[] = {
    {'c', "Cut", 0, {}, {}, nullptr, [] { return px(5, 5) == 0 && clipboard_width() == W; }},
    {'c', "Copy", 0, {}, {}, nullptr, [] { return kept(5, 5) && clipboard_width() == W; }},
    {'c', "Paste", 0, {{50, 30}}, {}, nullptr, [] { return px(49, 29) == kPicture[0][0] && px(51, 30) == kPicture[1][2]; }},
    {'c', "Load image file", 0, {}, {}, load_good, [] { return px(0, 0) == 0xFF0000 && kept(48, 0) && image_pixel(1, 0, 0) != 0; }},
    {'c', "Save as", 0, {}, {}, save_jpeg, [] {
         int w = 0, h = 0;
         return file_bytes("C:\\vrx_saved.jpg").substr(0, 2) == "\xFF\xD8" && VRX_GetImageFileSize("C:\\vrx_saved.jpg", &w, &h) == 0 && w == W && h == H;
     }},
    {'c', "Zoom: 50%", 0, {}, {}, nullptr, [] { return zoom_is(50); }}, {'c', "Zoom:200%", 0, {}, {}, nullptr, [] { return zoom_is(200); }},
    {'c', "Zoom:100%", 0, {}, {}, nullptr, [] { return zoom_is(100); }, [] { VRX_SetZoom(0, 200); }},
    {'c', "Zoom...", 0, {}, {L"150"}, nullptr, [] { return zoom_is(150); }},
    {'c', "Resize...", 0, {}, {L"30", L"20"}, nullptr, [] { return width_is(30) && VRX_GetImageHeight(0) == 20; }},
    {'c', "Destroy", 0, {}, {}, nullptr, [] { return !image_exists(0); }},
    {'p', "Process.../Invert", 0, {}, {}, nullptr, [] { return inverted(3, 4); }},
    {'p', "Process.../R. Rotate", 0, {}, {}, nullptr, [] { return width_is(H) && px(0, 0) == mark(0, H - 1); }},
    {'p', "Process.../L. Rotate", 0, {}, {}, nullptr, [] { return width_is(H) && px(0, 0) == mark(W - 1, 0); }},
    {'p', "Process.../Horz. Flip", 0, {}, {}, nullptr, [] { return px(0, 0) == mark(W - 1, 0); }},
    {'p', "Process.../Vert. Flip", 0, {}, {}, nullptr, [] { return px(0, 0) == mark(0, H - 1); }},
    {'p', "Process.../Size 50.0%", 0, {}, {}, nullptr, [] { return width_is(160); }}, {'p', "Process.../Size 70.7%", 0, {}, {}, nullptr, [] { return width_is(226); }},
    {'p', "Information.../Pixel", 0, {{7, 9}}, {}, nullptr, [] { return logged("(X,Y)=(7,9)"); }},
    {'p', "Information.../Line(RGB)", 0, {{30, 5}}, {}, nullptr, [] { return current_title("RGB(Y=5)"); }},
    {'p', "Information.../Line(CrCb)", 0, {{30, 5}}, {}, nullptr, [] { return current_title("CrCb(Y=5)"); }},
    {'p', "Information.../Area(CrCb)", 0, {{11, 21}, {10, 20}}, {}, nullptr, [] { return current_title("CrCb(10,20)-(11,21)"); }},
    {'p', "Information.../Line(Lumi)", 1, {{3, 6}}, {}, nullptr, [] { return current_title("Luminance(Y=6)"); }},
    {'p', "Test Pattern.../RGB", 0, {}, {}, nullptr, [] { return pattern_is(PATTERN_RGB); }}, {'p', "Test Pattern.../Grey", 0, {}, {}, nullptr, [] { return pattern_is(PATTERN_GREY); }},
    {'p', "Clipping", 0, {{19, 14}, {10, 10}}, {}, nullptr, [] { return current_title("(10,10)-(19,14)") && image_pixel(2, 0, 0) == mark(10, 10); }},
    {'p', "Color.../Change", 0, {}, {}, colour_c86432, [] { return vrx_draw_color == 0xC86432 && vrx_tc == 0xC86432; }},
    {'p', "Color.../Pick", 0, {{3, 7}}, {}, nullptr, [] { return vrx_draw_color == mark(3, 7); }},
    {'p', "Draw Line.../Normal", 0, {{10, 20}, {16, 22}}, {}, nullptr, [] { return lit(13, 21) && kept(10, 22); }},
    {'p', "Draw Line.../Horz.", 0, {{30, 40}}, {}, nullptr, [] { return lit(0, 40) && lit(W - 1, 40); }},
    {'p', "Draw Line.../Vert.", 0, {{50, 60}}, {}, nullptr, [] { return lit(50, 0) && lit(50, H - 1); }},
    // A right click cancels the tool: nothing drawn, and the command ends
    {'p', "Draw Line.../Horz.", 0, {{-30, 40}}, {}, nullptr, [] { return kept(0, 40) && vrx_waiting.load() == 0; }},
    {'p', "Draw Box.../Normal", 0, {{9, 8}, {5, 5}}, {}, nullptr, [] { return lit(5, 5) && kept(7, 6); }},
    {'p', "Draw Box.../Fill", 0, {{9, 8}, {5, 5}}, {}, nullptr, [] { return lit(7, 6) && kept(4, 4); }},
    {'p', "Draw Circle.../Normal", 0, {{30, 30}, {33, 34}}, {}, nullptr, [] { return lit(35, 30) && kept(30, 30); }},
    {'p', "TrueType.../Draw", 0, {{10, 10}, {49, 39}}, {L"WW"}, nullptr, [] { return vrx_tt_cell_height == 30; }},
    {'p', "TrueType.../Font Change", 0, {}, {}, font_face, [] { return face == L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF"; }},
    {'p', "Draw Text", 0, {{4, 30}}, {L"A"}, nullptr, [] { return vrx_text_cursor.x == 12 && vrx_tc == 0xFFFFFF; }},
    {'p', "Paint", 0, {{15, 15}}, {}, nullptr, [] { return lit(15, 15) && kept(16, 15); }},
};

// Opens the 8-bit image 1, the marked canvas 0 and the logging console
void open_canvases(void) {
    for (int n = 0; n < VRX_MAX_IMAGES; n++) VRX_DestroyImage(n);
    VRX_CreateImage8(1, "eight", 300, 0, 240, 180, 100);
    VRX_CreateImage(0, "canvas", 0, 0, W, H, 100);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) pixels32[0][y * W + x] = mark(x, y);
    if (VRX_OpenTextWindow(0, 600, 0, -1, -1) == 0) VRX_StartLog(0);
    vrx_draw_color = 0xFFFFFF, vrx_tc = 0;
}

// The menu of image n as a right click (with Ctrl: the Process menu) shows it
std::vector<MenuItem> menu_of(int n, bool process) {
    std::vector<MenuItem> items;
    std::thread reader = read_menu_when_tracked(&items);
    HWND w = vrx_images[n].window;
    harness_run_on_worker([&] { SendMessageW(w, WM_RBUTTONDOWN, process ? MK_CONTROL : 0, MAKELPARAM(5, 5)); });
    reader.join();
    return items;
}

}  // namespace

TEST_F(Commands, EachMenuItemRunsItsOwnCommandOnTheImageItWasChosenFor) {
    for (const CommandCase &c : kCases) {
        SCOPED_TRACE(c.item);
        seen.clear(), face.clear();
        ASSERT_TRUE(harness_run_on_worker([&] {
            open_canvases();
            if (c.setup) c.setup();
        }));
        put_picture();
        HWND w = vrx_images[c.image].window;
        std::thread clicks = click_when_waiting(w, c.clicks), typed = harness_answer_prompts(c.typed);
        std::vector<MenuItem> menu = menu_of(c.image, c.menu == 'p');
        const MenuItem *item = menu_item(menu, std::wstring(c.item, c.item + strlen(c.item)));
        // The zoom shown is checked; Line(Lumi) is only for an 8-bit image
        if (c.menu == 'c') { EXPECT_TRUE(menu_item(menu, L"Zoom:200%")->checked == zoom_is(200) && menu_item(menu, L"Zoom:100%")->checked == zoom_is(100)); }
        else { EXPECT_EQ(menu_item(menu, L"Information.../Line(Lumi)") != nullptr, c.image == 1); }
        EXPECT_TRUE(item && harness_command(w, (int)item->id, c.dialog, &seen));
        clicks.join(), typed.join();
        EXPECT_EQ(seen.size(), c.dialog ? 1u : 0u);
        EXPECT_TRUE(c.check());
    }
    DeleteFileA("C:\\vrx_saved.jpg");
}

// A routine started by S typed into a text window: while it runs the main window greys Start but not
// Stop (which items grey is the command table's; what is tried here is when the menu counts as busy),
// and a request made meanwhile waits until it returns; a waiting line input greys Start as well
TEST_F(Menus, WhileARoutineStartedInATextWindowRunsStartIsGreyedNotStopAndARequestWaitsForIt) {
    auto main_menu = [] {
        std::vector<MenuItem> items;
        std::thread reader = read_menu_when_tracked(&items);
        SendMessageW(vrx_main_window, WM_RBUTTONDOWN, 0, MAKELPARAM(10, 10));
        reader.join();
        return items;
    };
    EXPECT_FALSE(menu_item(main_menu(), L"Start")->greyed);
    std::atomic<int> seen_during{-1};
    harness_run_on_worker([] { VRX_OpenTextWindow(2, 0, 0, 200, 100); });
    harness_start_routine([&] {
        while (!request_pending() && !image_exists(4)) VRX_PumpMessages();
        seen_during = image_exists(4);
    }, false);
    PostMessageW(vrx_text_windows[2].window, WM_KEYDOWN, 'S', 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_running.load() == 1; })) << "S started the routine";
    std::vector<MenuItem> busy = main_menu();
    EXPECT_TRUE(menu_item(busy, L"Start")->greyed && !menu_item(busy, L"Stop")->greyed);
    EXPECT_EQ(request_create_image(4, "late", 8, 8, 32), 0);
    EXPECT_EQ(seen_during.load(), 0) << "the request was carried out while the routine ran";
    ASSERT_TRUE(harness_pump_until([] { return vrx_running.load() == 0; }));
    vrx_input_owner = 1;
    EXPECT_TRUE(menu_item(main_menu(), L"Start")->greyed) << "while a line input waits";
    vrx_input_owner = 0;
}
