// tests/stress/stress_test.cpp - the long runs of make stress: create/draw/destroy cycles through every
// kind of toolkit object with the GDI table filled to a small headroom (STRESS_CYCLES, 20000), and two
// threads on one state for STRESS_SECONDS (180): the routine stamps images on the worker while the main
// thread makes requests and a third thread posts commands and keys at random.
#include "tests/windows/harness.h"

#include <psapi.h>

#include <random>

namespace {

// The number an environment variable gives, or fallback
int wanted(const char *name, int fallback) { return getenv(name) && atoi(getenv(name)) > 0 ? atoi(getenv(name)) : fallback; }

// The private memory of this process in bytes (0: unknown)
SIZE_T private_bytes(void) {
    PROCESS_MEMORY_COUNTERS_EX c = {sizeof c};
    GetProcessMemoryInfo(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS *)&c, sizeof c);
    return c.PrivateUsage ? c.PrivateUsage : c.PagefileUsage;   // NOTE: Wine leaves PrivateUsage 0
}

// The GDI objects that can still be made, at most limit; with keep, the ones made stay held
// NOTE: Wine counts no GUI objects, so a leak shows through the table itself: filled to a headroom of
//       a few hundred free places, a cycle that leaks one object uses them up long before the end.
int gdi_free_places(int limit, std::vector<HRGN> *keep = nullptr) {
    std::vector<HRGN> made;
    for (HRGN r; (int)made.size() < limit && (r = CreateRectRgn(0, 0, 1, 1)) != nullptr;) made.push_back(r);
    for (HRGN r : made) keep ? keep->push_back(r) : (void)DeleteObject(r);
    return (int)made.size();
}

// Takes the window slots the next windows would get out of use once their handles' generation is high
// NOTE: Wine gives a freed window's slot to the next window at once, one generation (the handle's high
//       word) later, so the slot a cycle frees last takes some three windows a cycle and its handles
//       pass 0x80000000 near cycle 10,000. From there every cycle is slower (on a bare display Wine
//       activates each new window over and over) and Wine's cache of window DCs grows for good by
//       some 70 DCs and their regions, which the check below would count as a leak
//       (docs/wine-notes.md, "Long runs"). A slot held by a hidden window of the test's is out of
//       use, so the handles stay below the turn.
void retire_old_slots(std::vector<HWND> *held) {
    HWND next[8];
    for (HWND &w : next) w = CreateWindowW(L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    for (int k = 7; k >= 0; k--)   // the others freed in reverse, so the slots keep their order
        if (((uintptr_t)next[k] >> 16 & 0xFFFF) >= 0x4000) held->push_back(next[k]);
        else DestroyWindow(next[k]);
}

// One cycle: images of both depths drawn, zoomed, copied, pasted, saved and loaded, a text window and
// both boxes on the worker, then a drop on the main window; the steps that failed
int leak_cycle(int i, const std::string &file) {
    int fails = 0;
    harness_run_on_worker([&] {
        fails += (VRX_CreateImage(0, "leak32", 0, 0, 64, 48, 100) != 0) + (VRX_CreateImage8(1, "leak8", 200, 0, 64, 48, 150) != 0);
        for (int n = 0; n < 2; n++) {
            VRX_SelectImage(n), VRX_DrawLine(0, 0, 63, 47), VRX_DrawDisc(32, 24, 10 + i % 5), VRX_DrawText(2, 40, "x");
            VRX_DrawTrueTypeText(2, 20, "Ab"), fails += VRX_SetZoom(n, 50 + 50 * (i % 3)) != 0;
            // NOTE: Wine keeps 1 KB for every get of a picture that a window of this process put on the
            //       clipboard, so only every 50th cycle pastes
            if (i % 50 == 0) fails += copy_image_to_clipboard(n) != 0, paste_clipboard_image(1 - n, 0, 0);
        }
        fails += VRX_SaveImage(64, 48, 3, file.c_str()) != 0, VRX_SelectImage(0), fails += VRX_LoadImage(file.c_str(), 0, 0) != 0;
        fails += VRX_DestroyImage(0) + VRX_DestroyImage(1) + VRX_OpenTextWindow(1, 0, 300, 160, 48);
        for (int line = 0; line < 6; line++) VRX_Printf("cycle %d line %d\n", i, line);   // scrolls
        fails += VRX_CloseTextWindow(1), VRX_OpenInputBox(0, 400, 3), VRX_SetInputBoxTitle(1, "label"), VRX_CloseInputBox();
        VRX_OpenButtonBox(300, 400, 2, 2), VRX_SetButtonBoxTitle(0, "two\nlines"), VRX_CloseButtonBox();
    });
    SendMessageW(vrx_main_window, WM_DROPFILES, (WPARAM)harness_drop_of({std::wstring(file.begin(), file.end())}), 0);
    return fails + !image_exists(0) + !harness_run_on_worker([] { VRX_DestroyImage(0); });
}

}  // namespace

TEST(LeakCycles, LeaveTheGdiTableAndPrivateMemoryAsTheyWereAfterTheFirstCycles) {
    ASSERT_TRUE(harness_reset());
    const int cycles = wanted("STRESS_CYCLES", 20000), baseline = std::min(1000, cycles / 2);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string file = std::string(folder) + "vrx_leak_cycle.png";
    std::vector<HRGN> fill;
    gdi_free_places(1 << 20, &fill);
    for (int k = 0; k < 400 && !fill.empty(); k++) DeleteObject(fill.back()), fill.pop_back();
    int fails = 0, free_at_baseline = 0;
    SIZE_T memory_at_baseline = 0;
    std::vector<HWND> held;
    const int start = get_milliseconds();
    for (int i = 0; i < cycles; i++) {
        fails += leak_cycle(i, file), retire_old_slots(&held);
        // Progress on stderr (unbuffered): wine-run.sh holds the output in a temporary file until the end
        if ((i + 1) % 500 == 0) fprintf(stderr, "cycle %d at %d s, %d GDI places free, %zu KB, %zu window slots held\n", i + 1,
                    (get_milliseconds() - start) / 1000, gdi_free_places(400), private_bytes() / 1024, held.size());
        if (i + 1 == baseline) free_at_baseline = gdi_free_places(400), memory_at_baseline = private_bytes();
    }
    int free_at_end = gdi_free_places(400);
    for (HRGN r : fill) DeleteObject(r);
    for (HWND w : held) DestroyWindow(w);
    DeleteFileA(file.c_str());
    printf("%d cycles, %d free GDI places after %d and %d at the end, %zu KB then %zu KB\n", cycles, free_at_baseline, baseline,
           free_at_end, memory_at_baseline / 1024, private_bytes() / 1024);
    EXPECT_EQ(fails, 0);
    EXPECT_GE(free_at_end, free_at_baseline - 2) << "GDI objects leaked";
    EXPECT_GT(memory_at_baseline, 0u);
    EXPECT_LE(private_bytes(), memory_at_baseline + memory_at_baseline / 20) << "private memory grew by more than 5 %";
}

namespace {
const int kW = 96, kH = 64;
std::atomic<unsigned> last_stamp[2];   // the stamp each of images 0 (32-bit) and 1 (8-bit) holds
std::atomic<int> runs{0}, finish{0};

// The routine: makes the images it lacks, then stamps each with ever new values until Stop
// NOTE: printing pumps the worker's messages, so the posted commands run inside the routine.
void stamping_routine(void) {
    for (unsigned run = (unsigned)++runs * 1000, pass = 0; pass < 400 && !vrx_stop.load() && !finish.load(); pass++) {
        for (int n = 0; n < 2; n++) {
            if (!image_exists(n)) (n ? VRX_CreateImage8 : VRX_CreateImage)(n, "stamped", 40 + n * 150, 40, kW, kH, 100);
            std::vector<uint32_t> words(kW * kH, (run + pass) * 2654435761u & 0xFFFFFF);
            std::vector<unsigned char> bytes(kW * kH, (unsigned char)(run + pass));
            if (VRX_SelectImage(n) != 0) continue;
            VRX_PutImage(n ? (const void *)bytes.data() : words.data(), 0, kW, kH), VRX_UpdateImage(n), VRX_PopImage();
            last_stamp[n] = run + pass;
        }
        if (pass % 5 == 0) VRX_Printf("run %u pass %u\n", run, pass);
    }
}
}  // namespace

TEST(TwoThreads, RandomRequestsStartStopAndCommandsLeaveTheProgramAnsweringAndTheImagesIntact) {
    ASSERT_TRUE(harness_reset());
    harness_start_routine(stamping_routine);
    ASSERT_TRUE(harness_pump_until([] { return image_exists(1); }, 10000)) << "the routine stamps";
    std::atomic<HWND> targets[4] = {vrx_images[0].window, vrx_images[1].window, vrx_main_window, vrx_main_window};
    const unsigned seed = GetTickCount();
    printf("seed %u\n", seed);
    std::thread poster([&] {
        std::mt19937 rng(seed + 1);
        static const UINT commands[] = {IDM_START, IDM_STOP, IDM_ZOOM_50, IDM_ZOOM_200, IDM_COPY, IDM_START};
        for (HWND w; !finish.load(); Sleep(rng() % 4))
            if ((w = targets[rng() % 4].load()) && rng() % 3) PostMessageW(w, WM_COMMAND, commands[rng() % 6], 0);
            else if (w) PostMessageW(w, rng() % 2 ? WM_MOUSEWHEEL : WM_KEYDOWN, rng() % 2 ? MAKEWPARAM(MK_CONTROL, 120) : 'S', 0);
    });
    std::mt19937 rng(seed);
    for (int mark = get_milliseconds(); get_milliseconds() - mark < wanted("STRESS_SECONDS", 180) * 1000; Sleep(rng() % 3)) {
        pump_messages();
        if (rng() % 3 == 0 && request_create_image(10 + rng() % 4, "requested", 48, 32, rng() % 2 ? 8 : 32) == 0) request_update_image(10);
        if (rng() % 3 == 0) request_text_window(1 + (int)(rng() % 3)), request_update_image((int)(rng() % 2));
    }
    finish = 1, poster.join();
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_STOP, 0);
    ASSERT_TRUE(harness_pump_until([] { return !vrx_running.load() && !vrx_start_request.load() && !request_pending(); }, 20000));
    printf("%d routine runs\n", runs.load());
    EXPECT_GT(runs.load(), 1) << "Stop and Start took turns";
    for (int n = 0; n < 2; n++) {
        unsigned s = last_stamp[n];
        EXPECT_EQ(image_pixel(n, kW - 1, kH - 1), n ? (s & 0xFF) : (s * 2654435761u & 0xFFFFFF)) << n << (image_exists(n) ? "" : ": gone");
        EXPECT_EQ(image_pixel(n, 0, 0), image_pixel(n, kW - 1, kH - 1)) << n;
    }
    EXPECT_EQ(request_create_image(20, "after", 32, 32, 32), 0) << "the worker still answers";
    EXPECT_TRUE(harness_run_on_worker([] { VRX_DestroyImage(20); }, 10000));
}
