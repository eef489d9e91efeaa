// tests/e2e/programs_test.cpp - what quarvex and quarvex-swap do differently, seen from outside: the
// Fill box command on a pasted picture, and S turning a pasted stereo pair (even width, odd width,
// 8-bit) into c:\quarvex_out.jpg, black, left, right, black by quarters, and closing the pair's windows.
#include "tests/e2e/driver.h"

#include <gtest/gtest.h>

TEST(Programs, FillBoxInTheDrawingColourAndTheConversionOfEachPair) {
    const struct { int width, bits; } pairs[] = {{80, 24}, {81, 24}, {80, 8}};
    for (bool swap : {false, true}) {
        SCOPED_TRACE(swap ? "quarvex-swap" : "quarvex");
        Program p;
        ASSERT_TRUE(start_program(&p, swap ? L"quarvex-swap.exe" : L"quarvex.exe"));
        const std::wstring idle = status_line(p.main_window);
        for (const auto &pair : pairs) {
            SCOPED_TRACE(testing::Message() << pair.width << " x 30, " << pair.bits << "-bit");
            const std::string dib = pair_dib(pair.width, 30, pair.bits);
            put_clipboard(CF_DIB, dib.data(), dib.size());
            PostMessageW(p.main_window, WM_COMMAND, IDM_PASTE, 0);
            HWND image = wait_window(p, L"vrx_iw", L"000(");
            // NOTE: nothing but a copy of its picture shows that the paste is done; an S pressed before
            //       was lost now and then
            ASSERT_TRUE(image && until([&] { return copied_pixel(image, 2, 2) == RED; })) << "the pasted pair";
            if (&pair == pairs) {   // Draw Box -> Fill from (2, 2) to (12, 8), in white
                const int zoom = _wtoi(window_text(image).c_str() + 4);   // "000(133%)": a small picture is zoomed
                auto at = [&](int v) { return (v * zoom + 50) / 100; };   // the middle of image pixel v in the window
                PostMessageW(image, WM_COMMAND, IDM_BOX_FILL, 0);
                ASSERT_TRUE(wait_status(p, L"Click the first point"));
                click(image, at(2), at(2));
                ASSERT_TRUE(wait_status(p, L"Click the second point"));
                click(image, at(12), at(8));
                ASSERT_TRUE(wait_status(p, idle)) << "the tool ends";
                EXPECT_EQ(copied_pixel(image, 2, 2), WHITE) << "the border";
                EXPECT_EQ(copied_pixel(image, 7, 5), WHITE) << "inside";
            }
            DeleteFileW(L"c:\\quarvex_out.jpg");
            press(p.main_window, {'S'});
            EXPECT_EQ(pause_box(p, true), L"変換終了");
            EXPECT_TRUE(until([&] { return !find_window(p.process.dwProcessId, L"vrx_iw"); })) << "the pair's windows close";
            const unsigned quarters[4] = {0, swap ? BLUE : RED, swap ? RED : BLUE, 0};
            for (int q = 0; q < 4; q++) {
                UINT w, h;
                unsigned c = file_pixel(L"c:\\quarvex_out.jpg", q * 40 + 20, 15, &w, &h);
                // each channel on the right side of the middle: a JPEG's error stays far below that
                EXPECT_TRUE((c & 0x808080) == (quarters[q] & 0x808080) && w == 2u * pair.width && h == 30)
                    << q << ": " << std::hex << c << std::dec << ", " << w << " x " << h;
            }
        }
        stop_program(&p);
    }
}
