// tests/stress/leak_cycles.cpp - one create/draw/destroy cycle through every kind of toolkit object, and
// the yardsticks of the leak tests.
#include "tests/stress/leak_cycles.h"

#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"

#include <gtest/gtest.h>
#include "vrxlib.h"

#include <psapi.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

//----------------------------------------------------------------------------------
// Files
//----------------------------------------------------------------------------------

// The scratch file names of this process
CycleFiles cycle_files(void) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    char name[64];
    snprintf(name, sizeof name, "vrx_leak_%lu", (unsigned long)GetCurrentProcessId());
    CycleFiles f;
    f.bmp = std::string(folder) + name + ".bmp";
    f.png = std::string(folder) + name + ".png";
    return f;
}

// Removes the scratch files
void remove_cycle_files(const CycleFiles &files) {
    DeleteFileA(files.bmp.c_str());
    DeleteFileA(files.png.c_str());
}

//----------------------------------------------------------------------------------
// The cycle
//----------------------------------------------------------------------------------

// True when cycle i puts pictures on the clipboard and reads them back
// NOTE: Wine's clipboard keeps about 1 KB of every picture put on it and read back (a loop of plain
//       SetClipboardData and GetClipboardData calls grows as much), so under Wine only every 50th cycle
//       goes through the clipboard and private memory measures the toolkit, not Wine.
static bool clipboard_cycle(int i) { return !under_wine() || i % 50 == 0; }

// Draws lines, a box, a circle and both kinds of text into the current image
static void draw_into_current(int i) {
    draw_line(0xFF8000, 0, 0, 63, 47);
    draw_box_filled(4, 4, 20, 12);
    draw_circle(32, 24, 10 + i % 5, 0x00FF00);
    vrx_text_cursor.x = 2;
    vrx_text_cursor.y = 40;
    tt_draw_string("Ab");
    draw_string("x");
}

// The worker's part of a cycle; failed steps counted into *fails
static void worker_cycle(int i, const CycleFiles &files, int *fails) {
    auto check = [fails](bool ok) { if (!ok) ++*fails; };
    check(VRX_CreateImage(0, "leak32", 0, 0, 64, 48, 100) == 0);
    check(VRX_CreateImage8(1, "leak8", 200, 0, 64, 48, 150) == 0);
    if (!image_exists(0) || !image_exists(1)) return;
    VRX_SelectImage(0);
    draw_into_current(i);
    VRX_UpdateImage(0);
    VRX_SelectImage(1);
    draw_into_current(i);
    VRX_UpdateImage(1);
    // Zoom, stretch mode, a new raster and a new font every few cycles.
    if (i % 4 == 0) {
        check(VRX_SetZoom(0, 200) == 0);
        check(VRX_SetStretchMode(HALFTONE, 1) == 0);
        check(VRX_ResizeImage(1, 40 + i % 7, 30) == 0);
        check(tt_set_font_size(16 + 2 * (i % 3), 16 + 2 * (i % 3)) == 0);
    }
    if (clipboard_cycle(i)) {
        check(copy_image_to_clipboard(0) == 0);
        paste_clipboard_image(1, 0, 0);
        check(copy_image_to_clipboard(1) == 0);
        paste_clipboard_image(0, 0, 0);
    }
    VRX_SelectImage(0);
    check(VRX_SaveImage(64, 48, 3, files.png.c_str()) == 0);
    VRX_SelectImage(1);
    check(VRX_SaveImage(40, 30, 0, files.bmp.c_str()) == 0);
    check(VRX_LoadImage(files.png.c_str(), 0, 0) == 0);
    VRX_SelectImage(0);
    check(VRX_LoadImage(files.bmp.c_str(), 0, 0) == 0);
    HMENU menu = build_process_menu(i % 2);
    check(menu != nullptr);
    DestroyMenu(menu);
    menu = build_context_menu(vrx_images[0].window);
    check(menu != nullptr);
    DestroyMenu(menu);
    check(VRX_DestroyImage(0) == 0);
    check(VRX_DestroyImage(1) == 0);

    check(VRX_OpenTextWindow(1, 0, 300, 160, 48) == 0);
    VRX_PushTextColor(0xFFFF00, 0x000080);
    for (int line = 0; line < 6; line++) VRX_Printf("cycle %d line %d\n", i, line);   // scrolls
    VRX_PopTextColor();
    if (i % 4 == 0) SetWindowPos(vrx_text_windows[1].window, nullptr, 0, 0, 200 + i % 9, 90, SWP_NOMOVE | SWP_NOZORDER);
    check(VRX_CloseTextWindow(1) == 0);

    VRX_OpenInputBox(0, 400, 3);
    check(vrx_input_box_window != nullptr);
    VRX_SetInputBoxTitle(1, "label");
    VRX_CloseInputBox();
    VRX_OpenButtonBox(300, 400, 2, 2);
    check(vrx_button_box_window != nullptr);
    VRX_SetButtonBoxTitle(0, "two\nlines");
    VRX_ResizeButtonBox(240, 80);
    VRX_CloseButtonBox();
}

// Closes image n through its close box and waits until it is gone; false when it stays
static bool close_image(int n) {
    if (!image_exists(n)) return false;
    PostMessageW(vrx_images[n].window, WM_CLOSE, 0, 0);
    return harness_pump_until([n] { return !image_exists(n); }, 5000);
}

// One cycle on both threads; the number of steps that failed
int run_leak_cycle(int i, const CycleFiles &files) {
    int fails = 0;
    if (!harness_run_on_worker([&] { worker_cycle(i, files, &fails); }, 20000)) fails++;
    // The main window's paste (the 8-bit copy is on the clipboard) and a drop of the PNG.
    if (clipboard_cycle(i)) {
        SendMessageW(vrx_main_window, WM_COMMAND, IDM_PASTE, 0);
        if (!close_image(0)) fails++;
    }
    SendMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)harness_drop_of({std::wstring(files.png.begin(), files.png.end())}), 0);
    if (!close_image(0)) fails++;
    return fails;
}

//----------------------------------------------------------------------------------
// Yardsticks
//----------------------------------------------------------------------------------

// The private memory of this process in bytes
// NOTE: Wine leaves PrivateUsage at 0 and reports the process's committed memory as PagefileUsage,
//       which is the same figure on Windows.
SIZE_T private_bytes(void) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&counters, sizeof counters)) return 0;
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

// True when running under Wine
bool under_wine(void) { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Creates count each of memory DCs, bitmaps, fonts, brushes and regions, then deletes them
bool gdi_creation_works(int count) {
    std::vector<HGDIOBJ> made;
    std::vector<HDC> dcs;
    bool ok = true;
    for (int i = 0; i < count && ok; i++) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ objects[] = {CreateBitmap(8, 8, 1, 32, nullptr), CreateFontW(12, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"),
                             CreateSolidBrush(RGB(i, 0, 0)), CreateRectRgn(0, 0, i + 1, 1)};
        if (!dc) ok = false;
        else dcs.push_back(dc);
        for (HGDIOBJ o : objects) {
            if (!o) ok = false;
            else made.push_back(o);
        }
    }
    for (HGDIOBJ o : made) DeleteObject(o);
    for (HDC dc : dcs) DeleteDC(dc);
    return ok;
}

// GDI and USER objects this process holds (Windows only; Wine answers 0)
DWORD gui_objects(DWORD kind) { return GetGuiResources(GetCurrentProcess(), kind); }

// Creates regions until the GDI table is full, then frees headroom of them again
bool fill_gdi_table(GdiFill *fill, int headroom) {
    const int kMost = 200000;   // far beyond any per-process GDI limit
    for (int i = 0; i < kMost; i++) {
        HRGN r = CreateRectRgn(0, 0, 1, 1);
        if (!r) break;
        fill->held.push_back(r);
    }
    if (fill->held.size() >= (size_t)kMost || fill->held.size() < (size_t)headroom) {
        release_gdi_fill(fill);
        return false;
    }
    for (int i = 0; i < headroom; i++) {
        DeleteObject(fill->held.back());
        fill->held.pop_back();
    }
    return true;
}

// The number of GDI objects that can still be made, at most limit
int gdi_free_places(int limit) {
    std::vector<HGDIOBJ> made;
    for (int i = 0; i < limit; i++) {
        HRGN r = CreateRectRgn(0, 0, 1, 1);
        if (!r) break;
        made.push_back(r);
    }
    for (HGDIOBJ o : made) DeleteObject(o);
    return (int)made.size();
}

// Frees every held object
void release_gdi_fill(GdiFill *fill) {
    for (HGDIOBJ o : fill->held) DeleteObject(o);
    fill->held.clear();
}

//----------------------------------------------------------------------------------
// A run of cycles
//----------------------------------------------------------------------------------

// Fills the GDI table to headroom free places, runs cycles, checks GDI creation, frees the fill
LeakRun run_leak_cycles(int cycles, int baseline, int headroom) {
    LeakRun run;
    CycleFiles files = cycle_files();
    GdiFill fill;
    run.filled = fill_gdi_table(&fill, headroom);
    printf("GDI table filled with %d regions, %d places left\n", (int)fill.held.size(), headroom);
    int mark = get_milliseconds();
    for (int i = 0; i < cycles; i++) {
        if (i == baseline) {
            run.memory_at_baseline = private_bytes();
            run.gdi_at_baseline = gui_objects(GR_GDIOBJECTS);
            run.user_at_baseline = gui_objects(GR_USEROBJECTS);
            run.free_at_baseline = gdi_free_places(headroom * 2);
        }
        int failed = run_leak_cycle(i, files);
        run.failed_steps += failed;
        run.cycles = i + 1;
        if (failed) {   // a used-up table makes every later cycle fail too
            run.first_failed_cycle = i;
            break;
        }
        if (getenv("LEAK_TRACE")) printf("cycle %d: %d free\n", i, gdi_free_places(headroom * 2));
        if ((i + 1) % 1000 == 0)
            printf("cycle %d: %lu KB private, %d ms\n", i + 1, (unsigned long)(private_bytes() / 1024),
                   get_milliseconds() - mark);
    }
    run.memory_at_end = private_bytes();
    run.gdi_at_end = gui_objects(GR_GDIOBJECTS);
    run.user_at_end = gui_objects(GR_USEROBJECTS);
    run.free_at_end = gdi_free_places(headroom * 2);
    run.gdi_works_at_end = gdi_creation_works(headroom / 10);
    release_gdi_fill(&fill);
    remove_cycle_files(files);
    printf("%d cycles in %d ms, GDI table filled: %s (%d places left; %d free after %d cycles, %d at the end), "
           "private memory %lu KB -> %lu KB\n",
           run.cycles, get_milliseconds() - mark, run.filled ? "yes" : "no", headroom, run.free_at_baseline, baseline,
           run.free_at_end, (unsigned long)(run.memory_at_baseline / 1024), (unsigned long)(run.memory_at_end / 1024));
    return run;
}

// Expects a run without failed steps, with GDI creation still working, the free GDI places and the
// private memory (at most 5 % more) as they were after the baseline cycles, and on Windows flat counts
void expect_no_leak(const LeakRun &run) {
    EXPECT_EQ(run.failed_steps, 0) << "in cycle " << run.first_failed_cycle;
    EXPECT_TRUE(run.gdi_works_at_end);
    EXPECT_GE(run.free_at_end, run.free_at_baseline - 10) << "GDI places used up after the first cycles";
    EXPECT_LE((double)run.memory_at_end, run.memory_at_baseline * 1.05) << "private memory grew more than 5 %";
    if (!under_wine()) {
        EXPECT_LE(run.gdi_at_end, run.gdi_at_baseline + 5);
        EXPECT_LE(run.user_at_end, run.user_at_baseline + 5);
    }
}
