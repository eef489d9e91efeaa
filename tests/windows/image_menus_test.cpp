// tests/windows/image_menus_test.cpp - the two pop-up menus of image windows as they are built for a
// given image (items, ids, check marks, sub-menus), and the window's own commands Clipping, Cut, Load
// and Save as on real image windows.
#include "tests/windows/harness.h"
#include "tests/windows/worker_dialog.h"

#include "tests/windows/toolkit.h"
#include "imaging/draw_core.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

// One menu item as the system reports it
struct Item {
    std::wstring text;   // empty for a separator
    int id;              // 0 for separators and sub-menus
    bool checked, greyed;
    HMENU sub;
};

// The items of a menu, top to bottom
std::vector<Item> items_of(HMENU menu) {
    std::vector<Item> out;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 127;
        GetMenuItemInfoW(menu, (UINT)i, TRUE, &info);
        Item it;
        it.text = (info.fType & MFT_SEPARATOR) ? L"" : text;
        it.id = info.hSubMenu ? 0 : (int)info.wID;
        it.checked = (info.fState & MFS_CHECKED) != 0;
        it.greyed = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
        it.sub = info.hSubMenu;
        out.push_back(it);
    }
    return out;
}

// "text=id" for every item of a menu, separators as "-" and sub-menus as "text>"
std::vector<std::wstring> listing(HMENU menu) {
    std::vector<std::wstring> out;
    for (const Item &it : items_of(menu)) {
        if (it.text.empty()) out.push_back(L"-");
        else if (it.sub) out.push_back(it.text + L">");
        else out.push_back(it.text + L"=" + std::to_wstring(it.id));
    }
    return out;
}

class ImageMenus : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(harness_start(), 0);
        ASSERT_TRUE(harness_run_on_worker([] {
            VRX_CreateImage(0, "first", 0, 0, 200, 150, 100);
            VRX_CreateImage(1, "second", 220, 0, 400, 300, 100);
            VRX_CreateImage8(4, "eight", 440, 0, 200, 150, 100);
        }));
        ASSERT_TRUE(image_exists(0) && image_exists(1) && image_exists(4));
    }
    void TearDown() override { EXPECT_TRUE(harness_exit()); }
};

}  // namespace

//----------------------------------------------------------------------------------
// Context menu
//----------------------------------------------------------------------------------
TEST_F(ImageMenus, ContextMenuListsItsItemsWithTheCheckAtTheZoomShown) {
    HMENU menu = build_context_menu(vrx_images[0].window);
    EXPECT_EQ(listing(menu), (std::vector<std::wstring>{
        L"Cut\tCtrl+X=1011", L"Copy\tCtrl+C=1012", L"Paste\tCtrl+V=1013", L"-", L"&Load image file=1004",
        L"&Save as=1010", L"-", L"Zoom: 50%=1007", L"Zoom:100%\tCtrl+0=1008", L"Zoom:200%=1009",
        L"&Zoom...=1046", L"-", L"&Resize...=1047", L"&Destroy\tCtrl+Q=1005"}));
    std::vector<Item> items = items_of(menu);
    for (size_t i = 0; i < items.size(); i++) {
        EXPECT_EQ(items[i].checked, i == 8) << i;
        EXPECT_FALSE(items[i].greyed) << i;
    }
    DestroyMenu(menu);
}

TEST_F(ImageMenus, ContextMenuChecksFiftyAndTwoHundredAndNothingInBetween) {
    const struct { int zoom; int checked; } cases[] = {{50, 7}, {200, 9}, {141, -1}};
    for (auto c : cases) {
        ASSERT_TRUE(harness_run_on_worker([&] { ASSERT_EQ(VRX_SetZoom(1, c.zoom), 0); }));
        ASSERT_EQ(vrx_images[1].zoom, c.zoom);
        HMENU menu = build_context_menu(vrx_images[1].window);
        std::vector<Item> items = items_of(menu);
        ASSERT_EQ(items.size(), 14u);
        for (int i = 0; i < 14; i++) EXPECT_EQ(items[i].checked, i == c.checked) << c.zoom << " item " << i;
        DestroyMenu(menu);
    }
    HMENU other = build_context_menu(vrx_images[0].window);   // image 0 is still at 100 %
    EXPECT_TRUE(items_of(other)[8].checked);
    DestroyMenu(other);
}

//----------------------------------------------------------------------------------
// Process menu
//----------------------------------------------------------------------------------
TEST_F(ImageMenus, ProcessMenuOfAThirtyTwoBitImageHasEverySubMenu) {
    HMENU menu = build_process_menu(0);
    EXPECT_EQ(listing(menu), (std::vector<std::wstring>{
        L"Process...>", L"-", L"Information...>", L"-", L"Test Pattern...>", L"-", L"Clipping\tCtrl+R=1019", L"-",
        L"Color...>", L"Draw Line...>", L"Draw Box...>", L"Draw Circle...>", L"TrueType...>", L"Draw Text=1042",
        L"Paint=1043"}));
    std::vector<Item> items = items_of(menu);
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(listing(items[0].sub), (std::vector<std::wstring>{
        L"Invert=1058", L"-", L"R. Rotate=1061", L"L. Rotate=1062", L"-", L"Horz. Flip=1059", L"Vert. Flip=1060",
        L"-", L"Size 50.0%=1063", L"Size 70.7%=1064", L"Size 141.4%=1065", L"Size 200.0%=1066"}));
    EXPECT_EQ(listing(items[2].sub), (std::vector<std::wstring>{
        L"Pixel=1015", L"Line(RGB)=1016", L"Line(HSV)=1017", L"Line(YCrCb)=1018", L"Line(CrCb)=1021", L"-",
        L"Area(CrCb)=1022"}));
    EXPECT_EQ(listing(items[4].sub), (std::vector<std::wstring>{
        L"RGB=1053", L"HSV=1054", L"YCrCb=1055", L"Yuv=1067", L"YIQ=1068", L"Grey=1071"}));
    EXPECT_EQ(listing(items[8].sub), (std::vector<std::wstring>{L"Change=1031", L"Pick=1052"}));
    EXPECT_EQ(listing(items[9].sub), (std::vector<std::wstring>{L"Normal=1032", L"Horz.=1034", L"Vert.=1035"}));
    EXPECT_EQ(listing(items[10].sub), (std::vector<std::wstring>{L"Normal=1036", L"Fill=1037", L"Fill XOR=1038"}));
    EXPECT_EQ(listing(items[11].sub), (std::vector<std::wstring>{L"Normal=1039", L"Fill=1040", L"Fill XOR=1041"}));
    EXPECT_EQ(listing(items[12].sub), (std::vector<std::wstring>{L"Draw=1048", L"Font Change=1049"}));
    for (const Item &it : items) {
        EXPECT_FALSE(it.checked || it.greyed) << std::string(it.text.begin(), it.text.end());
        if (!it.sub) continue;
        for (const Item &s : items_of(it.sub)) EXPECT_FALSE(s.checked || s.greyed);
    }
    DestroyMenu(menu);
}

TEST_F(ImageMenus, ProcessMenuOfAnEightBitImageOffersOnlyPixelAndLineLumi) {
    HMENU menu = build_process_menu(4);
    std::vector<Item> items = items_of(menu);
    ASSERT_EQ(items.size(), 15u);
    EXPECT_EQ(items[2].text, L"Information...");
    EXPECT_EQ(listing(items[2].sub), (std::vector<std::wstring>{L"Pixel=1015", L"Line(Lumi)=1070"}));
    EXPECT_EQ(GetMenuItemCount(items[4].sub), 6) << "the other sub-menus do not depend on the depth";
    DestroyMenu(menu);
}

//----------------------------------------------------------------------------------
// The window's own commands
//----------------------------------------------------------------------------------
namespace {

// Posts command id to window w and waits until the point tool waits
void start_tool(HWND w, int id) {
    PostMessageW(w, WM_COMMAND, id, 0);
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 1; }, 5000)) << id;
}

// Two clicks of a rectangle on window w; returns once the command has run
void drag(HWND w, int x1, int y1, int x2, int y2) {
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x1, y1));
    ASSERT_TRUE(harness_pump_until([] {
        wchar_t t[128] = {};
        GetWindowTextW(vrx_status_window, t, 128);
        return std::wstring(t).find(L"second") != std::wstring::npos;
    }, 5000));
    PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x2, y2));
    ASSERT_TRUE(harness_pump_until([] { return vrx_waiting.load() == 0; }, 5000));
    ASSERT_TRUE(harness_run_on_worker([] {}));
}

}  // namespace

TEST_F(ImageMenus, ClippingAnEightBitBlockOpensTheLowestFreeSlotWithItsPaletteAndPixels) {
    ASSERT_TRUE(harness_run_on_worker([] {
        VRX_SelectImage(4);
        RGBQUAD table[256];
        for (int i = 0; i < 256; i++) table[i] = RGBQUAD{(BYTE)(255 - i), (BYTE)(i * 3), (BYTE)i, 0};
        VRX_SetColorTable(table, 256);
        int stride = 200;
        for (int y = 0; y < 150; y++)
            for (int x = 0; x < 200; x++) pixels8[4][y * stride + x] = (unsigned char)(x + 5 * y);
    }));
    start_tool(vrx_images[4].window, 1019);
    drag(vrx_images[4].window, 19, 14, 10, 10);   // 10 x 5
    ASSERT_TRUE(image_exists(2)) << "slots 0 and 1 are in use";
    EXPECT_EQ(vrx_current_image, 2);
    EXPECT_STREQ(vrx_images[2].title, "(10,10)-(19,14)");
    EXPECT_EQ(vrx_images[2].depth, 8);
    EXPECT_EQ(vrx_images[2].width, 10);
    EXPECT_EQ(vrx_images[2].height, 5);
    RECT place;
    GetWindowRect(vrx_images[2].window, &place);
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.top, 0);
    std::vector<unsigned char> px;
    RGBQUAD copied[256] = {};
    ASSERT_TRUE(harness_run_on_worker([&] {
        px.assign(pixels8[2], pixels8[2] + 12 * 5);
        GetDIBColorTable(vrx_images[2].memory_dc, 0, 256, copied);
    }));
    for (int y = 0; y < 5; y++)
        for (int x = 0; x < 10; x++) EXPECT_EQ(px[y * 12 + x], (unsigned char)(10 + x + 5 * (10 + y))) << x << "," << y;
    for (int i = 0; i < 256; i++) {
        ASSERT_EQ(copied[i].rgbRed, (BYTE)i) << i;
        ASSERT_EQ(copied[i].rgbGreen, (BYTE)(i * 3)) << i;
        ASSERT_EQ(copied[i].rgbBlue, (BYTE)(255 - i)) << i;
    }
}

TEST_F(ImageMenus, CutClearsTheImageOnlyOnceItsContentIsOnTheClipboard) {
    ASSERT_TRUE(harness_run_on_worker([] {
        for (int i = 0; i < 400 * 300; i++) pixels32[1][i] = 0x00C08040;
    }));
    // Another window holds the clipboard open, so the copy fails and the image must stay
    HWND holder = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));
    HWND second = vrx_images[1].window;
    ASSERT_TRUE(harness_run_on_worker([&] { SendMessageW(second, WM_COMMAND, 1011, 0); }));
    CloseClipboard();
    DestroyWindow(holder);
    uint32_t kept = 0;
    ASSERT_TRUE(harness_run_on_worker([&] { kept = pixels32[1][400 * 150 + 200]; }));
    EXPECT_EQ(kept, 0x00C08040u) << "a failed copy clears nothing";

    ASSERT_TRUE(harness_run_on_worker([&] { SendMessageW(second, WM_COMMAND, 1011, 0); }));
    std::vector<uint32_t> after;
    ASSERT_TRUE(harness_run_on_worker([&] { after.assign(pixels32[1], pixels32[1] + 400 * 300); }));
    for (uint32_t p : after) ASSERT_EQ(p, 0u);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)GlobalLock(dib);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->biWidth, 400);
    EXPECT_EQ(h->biHeight, 300);
    const unsigned char *bits = (const unsigned char *)h + h->biSize;
    EXPECT_EQ(bits[0], 0x40);   // blue, green, red of the former content
    EXPECT_EQ(bits[1], 0x80);
    EXPECT_EQ(bits[2], 0xC0);
    GlobalUnlock(dib);
    CloseClipboard();
}

TEST_F(ImageMenus, LoadAndSaveAsActOnTheirOwnImageWhateverRunsWhileTheDialogIsOpen) {
    // While the dialog of image 0 is open, a command on image 1 makes image 1 current; the dialog is
    // then confirmed, and its file must come from, or go into, image 0.
    struct Case {
        const char *what;
        int command;         // on image 0
        int meanwhile;       // on image 1, from inside the dialog
    } cases[] = {
        {"Save as, Test Pattern meanwhile", IDM_SAVE_AS, IDM_PATTERN_RGB},
        {"Save as, R. Rotate meanwhile", IDM_SAVE_AS, IDM_ROTATE_RIGHT},
        {"Load, Test Pattern meanwhile", IDM_LOAD, IDM_PATTERN_RGB},
    };
    const std::wstring saved = L"C:\\vrx_menus_test_interleaved", picture = L"C:\\vrx_menus_test_picture.bmp";
    ASSERT_TRUE(harness_run_on_worker([&] {
        ASSERT_EQ(VRX_CreateImage(5, "picture", 0, 0, 16, 8, 100), 0);
        for (int i = 0; i < 16 * 8; i++) pixels32[5][i] = 0x00FF00;
        ASSERT_EQ(VRX_SaveImage(16, 8, 0, "C:\\vrx_menus_test_picture"), 0);
        VRX_DestroyImage(5);
    }));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW((saved + L".bmp").c_str());
        ASSERT_TRUE(harness_run_on_worker([] {
            for (int i = 0; i < 200 * 150; i++) pixels32[0][i] = 0x123456;
            VRX_SelectImage(4);
        }));
        HWND first = vrx_images[0].window, second = vrx_images[1].window;
        std::atomic<int> state{0};   // 1 done, -1 no dialog, -2 the other command did not run
        std::thread driver([&] {
            HWND dlg = find_worker_dialog(10000);
            if (!dlg) { state = -1; return; }
            PostMessageW(second, WM_COMMAND, c.meanwhile, 0);
            if (!harness_wait_for([] { return vrx_current_image == 1; })) state = -2;
            const std::wstring &path = c.command == IDM_SAVE_AS ? saved : picture;
            SetDlgItemTextW(dlg, 1152, path.c_str());
            SetDlgItemTextW(dlg, 1148, path.c_str());
            PostMessageW(dlg, WM_COMMAND, IDOK, 0);
            harness_wait_for([&] { return !IsWindow(dlg); });
            if (state == 0) state = 1;
        });
        PostMessageW(first, WM_COMMAND, c.command, 0);
        harness_pump_until([&] { return state.load() != 0; }, 15000);
        driver.join();
        ASSERT_EQ(state.load(), 1);
        ASSERT_TRUE(harness_run_on_worker([] {}));   // the command has returned
        ASSERT_TRUE(harness_run_on_worker([&] {
            if (c.command == IDM_LOAD) {
                // The picture is in image 0, which is current; image 1 keeps its pattern.
                EXPECT_EQ(vrx_current_image, 0);
                EXPECT_EQ(pixels32[0][0] & 0xFFFFFF, 0x00FF00u);
                EXPECT_EQ(pixels32[0][16], 0x123456u);
                EXPECT_NE(pixels32[1][0] & 0xFFFFFF, 0x00FF00u);
                return;
            }
            // The file holds image 0's pixels at image 0's size.
            VRX_DestroyImage(6);
            ASSERT_EQ(VRX_CreateImage(6, "back", 0, 0, 400, 400, 100), 0);
            for (int i = 0; i < 400 * 400; i++) pixels32[6][i] = 0xABCDEF;
            std::string narrow(saved.begin(), saved.end());
            ASSERT_EQ(VRX_LoadImage((narrow + ".bmp").c_str(), 0, 0), 0);
            for (int y = 0; y < 150; y += 7)
                for (int x = 0; x < 200; x += 9) ASSERT_EQ(pixels32[6][y * 400 + x] & 0xFFFFFF, 0x123456u) << x << "," << y;
            EXPECT_EQ(pixels32[6][200], 0xABCDEFu) << "wider than image 0";
            EXPECT_EQ(pixels32[6][150 * 400], 0xABCDEFu) << "taller than image 0";
        }));
    }
    DeleteFileW((saved + L".bmp").c_str());
    DeleteFileW(picture.c_str());
}

