// tests/stress/thread_stress_test.cpp - two threads, one state: while a user routine fills four image
// windows with ever new values on the worker thread, the main thread fires requests and a third thread
// posts Start, Stop, keys, wheel turns and menu commands at random, for STRESS_SECONDS (180 by default).
// Afterwards the program still answers on both threads and every open image holds exactly what was
// last put into it.
#include "tests/windows/harness.h"

#include "tests/windows/toolkit.h"
#include "vrxlib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

namespace {

const int kDrawn = 4;            // images 0..3 belong to the routine
const int kRequested = 4;        // images 10..13 are made by requests and stay blank
const int kW = 96, kH = 64;

std::atomic<int> stop_all{0};
std::atomic<int> routine_runs{0};
unsigned last_stamp[kDrawn];     // written by the routine, read only while the worker is idle
bool stamped[kDrawn];

// The value every pixel of image m holds after the stamp
uint32_t stamp_value(int m, unsigned stamp) { return (stamp * 2654435761u + (unsigned)m * 40503u) & 0xFFFFFF; }

// The routine: makes the images it lacks, then fills each with a new stamp per pass until Stop
void drawing_routine(void) {
    if (stop_all.load()) return;
    unsigned run = (unsigned)routine_runs.fetch_add(1) + 1;
    if (!text_window_open(0)) VRX_OpenTextWindow(0, 700, 0, 300, 200);
    for (int m = 0; m < kDrawn; m++) {
        if (image_exists(m)) continue;
        int status = m % 2 ? VRX_CreateImage8(m, "drawn", 40 + m * 150, 40, kW, kH, 100)
                           : VRX_CreateImage(m, "drawn", 40 + m * 150, 40, kW, kH, 100);
        if (status == 0) stamped[m] = false;
    }
    std::vector<uint32_t> words((size_t)kW * kH);
    std::vector<unsigned char> bytes((size_t)kW * kH);
    for (unsigned pass = 0; pass < 400 && vrx_stop.load() == 0 && !stop_all.load(); pass++) {
        for (int m = 0; m < kDrawn; m++) {
            if (!image_exists(m) || VRX_SelectImage(m) != 0) continue;
            unsigned stamp = run * 1000 + pass;
            uint32_t v = stamp_value(m, stamp);
            if (vrx_images[m].depth == 32) {
                std::fill(words.begin(), words.end(), v);
                VRX_PutImage(words.data(), 0, kW, kH);
            } else {
                std::fill(bytes.begin(), bytes.end(), (unsigned char)v);
                VRX_PutImage(bytes.data(), 0, kW, kH);
            }
            VRX_UpdateImage(m);
            VRX_PopImage();
            last_stamp[m] = stamp;
            stamped[m] = true;
        }
        // Printing pumps the worker's messages: posted commands run here, inside the routine.
        if (pass % 5 == 0) VRX_Printf("run %u pass %u\n", run, pass);
        Sleep(1);
    }
}

// The number of seconds: STRESS_SECONDS, or 180
int seconds_wanted(void) {
    const char *text = getenv("STRESS_SECONDS");
    int n = text ? atoi(text) : 0;
    return n > 0 ? n : 180;
}

// Window handles the poster may aim at, refreshed by the main thread from the tables
std::atomic<HWND> image_windows[kDrawn + kRequested];
std::atomic<HWND> text_windows[4];

// The slot number of entry i of image_windows
int image_slot(int i) { return i < kDrawn ? i : 10 + (i - kDrawn); }

// Copies the current window handles for the poster
void refresh_targets(void) {
    for (int i = 0; i < kDrawn + kRequested; i++) {
        int n = image_slot(i);
        image_windows[i] = image_exists(n) ? vrx_images[n].window : nullptr;
    }
    for (int n = 0; n < 4; n++) text_windows[n] = text_window_open(n) ? vrx_text_windows[n].window : nullptr;
}

// Posts one random message from outside: Start, Stop, keys, wheel turns and harmless commands
void post_one(std::mt19937 &rng, HWND main_window, long *posted) {
    HWND image = image_windows[rng() % (kDrawn + kRequested)].load();
    HWND text = text_windows[rng() % 4].load();
    switch (rng() % 12) {
    case 0: PostMessageW(main_window, WM_COMMAND, IDM_START, 0); break;
    case 1: PostMessageW(main_window, WM_COMMAND, IDM_STOP, 0); break;
    case 2: PostMessageW(main_window, WM_KEYDOWN, rng() % 2 ? 'S' : 'C', 0); break;
    case 3: if (image) PostMessageW(image, WM_COMMAND, 1007 + rng() % 3, 0); break;   // zoom 50, 100, 200
    case 4: if (image) PostMessageW(image, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, rng() % 2 ? 120 : -120), 0); break;
    case 5: if (image) PostMessageW(image, WM_KEYDOWN, VK_TAB, 0); break;            // stretch mode
    case 6: if (image) PostMessageW(image, WM_COMMAND, 1012, 0); break;              // Copy
    case 7: if (image) PostMessageW(image, WM_MOUSEMOVE, 0, MAKELPARAM(rng() % 90, rng() % 60)); break;
    case 8: if (text) PostMessageW(text, WM_COMMAND, rng() % 2 ? 1020 : 1069, 0); break;   // About, Select
    case 9: if (text) PostMessageW(text, WM_COMMAND, 1045, 0); break;                 // Window Info
    case 10: {                                                                        // a requested window closed
        HWND extra = image_windows[kDrawn + rng() % kRequested].load();
        if (extra) PostMessageW(extra, WM_CLOSE, 0, 0);
        HWND console = text_windows[1 + rng() % 3].load();
        if (console && rng() % 4 == 0) PostMessageW(console, WM_CLOSE, 0, 0);
        break;
    }
    case 11: PostMessageW(main_window, WM_COMMAND, IDM_START, 0); break;
    }
    ++*posted;
}

// Fires one random request from the main thread
void request_one(std::mt19937 &rng, long *requested) {
    switch (rng() % 4) {
    case 0: request_text_window(1 + (int)(rng() % 3)); break;
    case 1: {
        int n = 10 + (int)(rng() % kRequested);
        if (request_create_image(n, "requested", 48, 32, rng() % 2 ? 8 : 32) == 0) request_update_image(n);
        break;
    }
    case 2: request_update_image((int)(rng() % kDrawn)); break;
    case 3: PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0); break;
    }
    ++*requested;
}

// Pixels of image n that differ from value (the low byte of it for an 8-bit image)
long wrong_pixels(int n, uint32_t value) {
    const ImageRecord &r = vrx_images[n];
    long wrong = 0;
    for (int y = 0; y < r.height; y++) {
        for (int x = 0; x < r.width; x++) {
            if (r.depth == 32) wrong += pixels32[n][y * r.width + x] != value;
            else wrong += pixels8[n][y * ((r.width + 3) & ~3) + x] != (unsigned char)value;
        }
    }
    return wrong;
}

}  // namespace

TEST(TwoThreads, RandomRequestsStopStartAndCommandsLeaveTheProgramAnsweringAndTheImagesIntact) {
    ASSERT_EQ(harness_start(), 0);
    unsigned seed = (unsigned)GetTickCount();
    printf("seed %u, %d s\n", seed, seconds_wanted());
    harness_user_routine = drawing_routine;
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_START, 0);
    ASSERT_TRUE(harness_pump_until([] { return image_exists(kDrawn - 1); }, 10000)) << "the routine draws";

    std::atomic<int> done{0};
    long posted = 0, requested = 0;
    HWND main_window = vrx_main_window;
    std::thread poster([&] {
        std::mt19937 rng(seed + 1);
        while (!done.load()) {
            post_one(rng, main_window, &posted);
            Sleep(rng() % 4);
        }
    });
    std::mt19937 rng(seed);
    int mark = get_milliseconds();
    while (get_milliseconds() - mark < seconds_wanted() * 1000) {
        refresh_targets();
        pump_messages();
        if (rng() % 3 == 0) request_one(rng, &requested);
        Sleep(rng() % 3);
    }
    done = 1;
    poster.join();

    // Let everything settle: the routine ends at its next pass and no request is left.
    stop_all = 1;
    PostMessageW(vrx_main_window, WM_COMMAND, IDM_STOP, 0);
    ASSERT_TRUE(harness_pump_until([] {
        return vrx_running.load() == 0 && vrx_start_request.load() == 0 && !request_pending();
    }, 20000)) << "the worker comes back to rest";
    harness_pump(200);
    printf("%d routine runs, %ld requests, %ld posted messages\n", routine_runs.load(), requested, posted);
    EXPECT_GT(routine_runs.load(), 1) << "Stop and Start took turns";

    for (int m = 0; m < kDrawn; m++) {
        ASSERT_TRUE(image_exists(m)) << m;
        const ImageRecord &r = vrx_images[m];
        EXPECT_TRUE(IsWindow(r.window)) << m;
        EXPECT_EQ(r.width, kW) << m;
        EXPECT_EQ(r.height, kH) << m;
        EXPECT_EQ(r.depth, m % 2 ? 8 : 32) << m;
        EXPECT_STREQ(r.title, "drawn") << m;
        ASSERT_TRUE(stamped[m]) << m;
        EXPECT_EQ(wrong_pixels(m, stamp_value(m, last_stamp[m])), 0) << "image " << m << " after stamp " << last_stamp[m];
    }
    for (int i = 0; i < kRequested; i++) {
        int n = 10 + i;
        if (!image_exists(n)) continue;
        EXPECT_TRUE(IsWindow(vrx_images[n].window)) << n;
        EXPECT_EQ(wrong_pixels(n, 0), 0) << "requested image " << n << " stays blank";
    }
    for (int n = 0; n < 4; n++) {
        if (!text_window_open(n)) continue;
        EXPECT_TRUE(IsWindow(vrx_text_windows[n].window)) << n;
    }

    // Still answering: the worker's windows, a new request and a run of the routine.
    DWORD_PTR reply = 0;
    EXPECT_NE(SendMessageTimeoutW(vrx_images[0].window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &reply), 0);
    EXPECT_EQ(request_create_image(20, "after", 32, 32, 32), 0);
    EXPECT_TRUE(image_exists(20));
    bool ran = false;
    EXPECT_TRUE(harness_run_on_worker([&] { ran = VRX_DestroyImage(20) == 0; }, 10000));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(harness_exit());
}
