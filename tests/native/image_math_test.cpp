// tests/native/image_math_test.cpp - the arithmetic of image windows: the zoom that fits the screen (an exact
// sweep against an independent reference), captions, file extensions, packed DIBs from the clipboard and
// the decoding of their run-length streams, the key map and zoom steps, and the feedback of the point tools.
#include "support.h"

#include "base/command_ids.h"
#include "image/file_name.h"
#include "image/key_map.h"
#include "image/packed_dib.h"
#include "image/point_tool_core.h"
#include "image/zoom_fit.h"
#include "imaging/rle_decode.h"

static const ScreenLimits screen = {112, 27, 1024, 744};   // 1024 x 768 with a 24-pixel caption

typedef std::array<long long, 4> Fit;   // status, zoom, view width and height
static Fit fit4(int w, int h, int zoom, ScreenLimits s) {
    int z = -1, vw = -1, vh = -1, status = fit_zoom(w, h, zoom, s, &z, &vw, &vh);
    return {status, z, vw, vh};
}
static std::string fit(int w, int h, int zoom) { Fit f = fit4(w, h, zoom, screen); return fmt("%lld %lld %lldx%lld", f[0], f[1], f[2], f[3]); }
// The fit as the rules read, in exact integers: the largest zoom F whose view stays within min(screen, size x
// zoom / 100) (at least 1) on both axes; a view below the minimum takes the smallest zoom reaching it, and
// fails past the screen. Sizes are positive.
static Fit reference_fit(long long w, long long h, long long zoom, ScreenLimits s) {
    long long x100 = std::max(100LL, std::min(100LL * s.screen_w, w * zoom)), y100 = std::max(100LL, std::min(100LL * s.screen_h, h * zoom));
    long long f = std::min(x100 / w, y100 / h);
    if (f * w / 100 < s.min_w || f * h / 100 < s.min_h) {
        f = std::max((100LL * s.min_w + w - 1) / w, (100LL * s.min_h + h - 1) / h);
        if (f * w / 100 > s.screen_w || f * h / 100 > s.screen_h) return {2, -1, -1, -1};
    }
    return {0, f, f * w / 100, f * h / 100};
}

TEST(FitZoom, ShrinksToTheScreenMagnifiesToTheMinimumMatchesExactArithmeticAndCaptionsTellZoomDepthAndHalftone) {
    // Kept; shrunk to the largest whole percent that fits (744 rows, 1024 / 3000, the stereo output); magnified to the smallest window (0 x 0 as
    // 1 x 1, zoom 0 too), the zoom reaching 112 rounded up; no zoom shows it; 3e9 does not overflow; no percent lost to rounding
    EXPECT_EQ(fit(640, 480, 100) + "|" + fit(300, 400, 250) + "|" + fit(3000, 1000, 100) + "|" + fit(15384, 3330, 100) + "|" + fit(0, 0, 100) + "|" + fit(200, 100, 0) + "|" +
              fit(3, 1, 100) + "|" + fit(1, 744 * 100 + 1, 100) + "|" + fit(30000, 3000, 100000) + "|" + fit(102, 30, 111) + "|" + fit(128, 44, 89) + "|" + fit(170, 48, 67),
              "0 100 640x480|0 186 558x744|0 34 1020x340|0 6 923x199|0 11200 112x112|0 56 112x56|0 3734 112x37|2 -1 -1x-1|0 3 900x90|0 111 113x33|0 89 113x39|0 67 113x32");
    std::vector<int> sizes = {739, 744, 745, 1023, 1025, 3001, 15384, 73901, 74401}, zooms = {-5, 0, 11199, 11200, 100000};
    for (int v = 1; v <= 700; v += 7) sizes.push_back(v);
    for (int z = 1; z <= 400; z++) zooms.push_back(z);
    int mismatches = 0;   // the first five shown
    for (ScreenLimits s : {screen, ScreenLimits{117, 31, 1023, 739}})
        for (int w : sizes)
            for (size_t hi = 0; hi < sizes.size(); hi += 2)
                for (int z : zooms)
                    if (fit4(w, sizes[hi], z, s) != reference_fit(w, sizes[hi], z, s) && ++mismatches <= 5)
                        ADD_FAILURE() << w << "x" << sizes[hi] << " at " << z << ": zoom " << fit4(w, sizes[hi], z, s)[1] << ", not " << reference_fit(w, sizes[hi], z, s)[1];
    EXPECT_EQ(mismatches, 0);
    char out[4][32];
    memset(out, '#', sizeof out);
    format_image_caption(out[0], 32, "pic", 50, 32, false), format_image_caption(out[1], 32, "a", 100, 8, true);
    format_image_caption(out[2], 32, "001 pair.jpg", 6, 32, true), format_image_caption(out[3], 6, "abcdefgh", 100, 32, false);
    EXPECT_EQ(fmt("%s|%s|%s|%s|%c", out[0], out[1], out[2], out[3], out[3][6]), "pic(50%)|a(100%)[8bit]*|001 pair.jpg(6%)*|abcde|#") << "cut to its buffer";
    struct Name { std::string path; const char *ext; std::string after; size_t room = 260; } names[] = {   // kept, extended, or refused as it was
        {"C:\\out\\photo.JPG", ".jpg", "C:\\out\\photo.JPG"}, {"noname", ".jpg", "noname.jpg"}, {"a.jpeg", ".jpg", "a.jpeg.jpg"}, {".png", ".png", ".png"},
        {std::string(255, 'x'), ".gif", std::string(255, 'x') + ".gif"}, {std::string(256, 'x'), ".gif", "refused"}, {"abc", ".jpg", "refused", 7},
        {"abc", ".jpg", "abc.jpg", 8}, {".Jpg", ".jpg", "refused", 4},   // the last with no terminator in its room: none may be read past it
    };
    for (const Name &n : names) {
        std::vector<uint16_t> path(n.path.begin(), n.path.end());
        std::string after;
        path.resize(n.room, 0);
        bool ok = ensure_extension(path.data(), n.room, n.ext);
        for (size_t i = 0; i < n.room && path[i]; i++) after += (char)path[i];
        EXPECT_EQ(!ok ? (after == n.path ? "refused" : "changed") : after, n.after) << n.path;
    }
}

TEST(PackedDib, TakesWhatLiesInsideTheBlockRefusesTheRestAndItsRunLengthStreamsDecodeToTheirPixels) {
    const int32_t big = (1 << 26) / 8;   // rows of 8 bytes: 64 MB of decoded run-length rows
    // colours, masks at, rows at, row bytes, bytes of rows (blocks too short for what they declare are left to the fuzz target)
    struct Case { const char *what; Dib dib; const char *info; } cases[] = {
        {"24 bits, rows of 9 bytes padded to 12", {40, 3, 2, 24, 0, 0, 0, 64}, "0 0 40 12 24"}, {"one byte short", {40, 3, 2, 24, 0, 0, 0, 63}, nullptr},
        {"8 bits, biClrUsed 0: 256 entries", {40, 5, 2, 8, 0, 0, 0, 1080}, "256 0 1064 8 16"}, {"1 bit 9 wide: 2 entries", {40, 9, 3, 1, 0, 0, 0, 60}, "2 0 48 4 12"},
        {"32 bits top-down", {40, 2, -2, 32, 0, 0, 0, 56}, "0 0 40 8 16"}, {"1 bit, biClrUsed 1000: 2 taken, rows after 1000", {40, 1, 1, 1, 0, 1000, 0, 4044}, "2 0 4040 4 4"},
        {"8 bits, biClrUsed 1000: 256 taken", {40, 4, 1, 8, 0, 1000, 0, 4044}, "256 0 4040 4 4"}, {"24 bits, biClrUsed 2: skipped", {40, 1, 1, 24, 0, 2, 0, 52}, "0 0 48 4 4"},
        {"bit fields after a 40-byte header", {40, 2, 1, 16, 3, 0, 0, 56}, "0 40 52 4 4"}, {"after 44 bytes", {44, 1, 1, 16, 3, 0, 0, 60}, "0 44 56 4 4"},
        {"in a V5 header", {124, 2, 1, 32, 3, 0, 0, 132}, "0 40 124 8 8"}, {"bit fields at 8 bits", {40, 2, 1, 8, 3, 0, 0, 1080}, nullptr},
        {"RLE8: the rest of the block", {40, 5, 3, 8, 1, 0, 0, 1074}, "256 0 1064 8 10"}, {"RLE4: biSizeImage", {40, 5, 3, 4, 2, 0, 6, 114}, "16 0 104 8 6"},
        {"RLE8 top-down", {40, 5, -3, 8, 1, 0, 0, 1074}, nullptr}, {"RLE8 at 4 bits", {40, 5, 3, 4, 1, 0, 0, 114}, nullptr}, {"2 bits", {40, 1, 1, 2, 0, 0, 0, 64}, nullptr},
        {"RLE8 decoding to 64 MB", {40, 5, big, 8, 1, 0, 0, 1074}, "256 0 1064 8 10"}, {"and a row more", {40, 5, big + 1, 8, 1, 0, 0, 1074}, nullptr},
        {"header size below 40", {39, 1, 1, 24, 0, 0, 0, 64}, nullptr}, {"two planes", {40, 1, 1, 24, 0, 0, 0, 64, 2}, nullptr}, {"BI_JPEG", {40, 1, 1, 24, 4, 0, 0, 1100}, nullptr},
    };
    for (const Case &c : cases) {
        std::vector<unsigned char> block = packed_dib(c.dib);
        PackedDibInfo i;
        EXPECT_EQ(read_packed_dib(block.data(), block.size(), &i) ? "refused" : fmt("%d %zu %zu %zu %zu|%d %d %d %d %d", i.colours, i.masks_offset, i.bits_offset, i.row_bytes, i.bits_bytes,
                  i.width, i.height, i.top_down, i.bit_count, i.compression),
                  c.info ? fmt("%s|%d %d %d %d %d", c.info, c.dib.w, abs(c.dib.h), c.dib.h < 0, c.dib.bits, c.dib.compression) : "refused") << c.what;
    }
    EXPECT_EQ(read_packed_dib(nullptr, 100, nullptr), 1);
    struct Stream { int bits, w, h; std::vector<uint8_t> stream; const char *result, *what; } streams[] = {   // status, then the rows top-down
        {8, 5, 3, {3, 1, 2, 2, 0, 1}, "0 00000 00000 11122", "encoded runs fill the bottom row first"}, {8, 5, 3, {2, 7}, "0 00000 00000 77000", "no end of bitmap"},
        {8, 5, 3, {0, 3, 1, 2, 3, 0, 2, 4, 0, 1}, "0 00000 00000 12344", "an odd absolute run skips its pad"}, {8, 5, 3, {}, "0 00000 00000 00000", "an empty stream"},
        {8, 5, 3, {0, 4, 5, 6, 7, 8, 1, 9, 0, 1}, "0 00000 00000 56789", "an even one has none"}, {4, 5, 3, {5, 0x12, 0, 1}, "0 00000 00000 12121", "RLE4: high nibble first"},
        {4, 5, 3, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, "0 00000 00000 12345", "an RLE4 absolute run of 3 bytes and a pad"},
        {8, 5, 3, {2, 1, 0, 0, 3, 2, 0, 0, 1, 3, 0, 1}, "0 30000 22200 11000", "an end of line goes up one row"},
        {8, 5, 3, {1, 1, 0, 2, 2, 1, 1, 2, 0, 1}, "0 00000 00020 10000", "a delta moves right and up"}, {8, 5, 3, {1, 1, 0, 1, 1, 2}, "0 00000 00000 10000", "the end"},
        {8, 5, 3, {4, 1, 0, 3, 7, 8, 9, 0, 1, 3, 0, 0, 1, 4}, "0 00000 40000 11117", "runs past the right edge are clipped"},
        {8, 5, 3, {0, 2, 9, 0, 1, 5, 0, 0, 1, 6}, "0 00000 60000 00000", "a delta past the right edge stops at the row end"},
        {8, 5, 3, {0, 0, 0, 0, 1, 1, 0, 0, 1, 2}, "0 10000 00000 00000", "an end of line past the top row ends decoding"},
        {8, 5, 3, {1, 9, 0, 5, 1, 2, 3}, "1 00000 00000 90000", "cut in an absolute run"}, {8, 5, 3, {0, 3, 1, 2, 3}, "1 00000 00000 00000", "no pad"},
        {4, 5, 3, {0, 5, 0x12, 0x34}, "1 00000 00000 00000", "cut RLE4 run"}, {24, 4, 2, {2, 1, 0, 1}, "1 ++++ ++++", "24 bits: refused untouched"},
        {8, 1, 1, {255, 7, 255, 8, 0, 255}, "1 7", "huge runs on one pixel, then a cut 255-byte run"}, {4, 1, 1, {255, 0x7F, 0, 0, 255, 1}, "0 7", "a huge RLE4 run"},
    };
    for (const Stream &c : streams) {
        Raster r(c.w, c.h, 8, 0xAA);   // the stream in a vector of exactly its size, so a read past it is reported
        int status = rle_decode(c.stream.data(), c.stream.size(), c.bits, r.view);
        EXPECT_EQ(fmt("%d ", status) + r.digits() + (r.outside_intact() ? "" : " spilt"), c.result) << c.what;
    }
    Raster wide(4, 2, 32, 0xAA);   // not an 8-bit raster, or none: refused untouched
    EXPECT_EQ(rle_decode(wide.bytes.data(), 2, 8, wide.view) + rle_decode(wide.bytes.data(), 2, 8, raster_view(nullptr, 4, 2, 8)) + 10 * (wide.bytes != wide.initial), 2);
}

TEST(ImageKeys, EachKeyHasItsActionInEachWaitAndZoomStepsMoveByATenth) {
    const bool C = true, W = true, I = true, _ = false;   // Ctrl held, a point tool waits, a line input waits
    const ImageKeyAction post = IMAGE_KEY_POST_COMMAND, no = IMAGE_KEY_NOTHING, main = IMAGE_KEY_FORWARD_MAIN, tab = IMAGE_KEY_TOGGLE_STRETCH, in = IMAGE_KEY_ZOOM_IN;
    struct Case { unsigned vk; bool ctrl, waiting, input; ImageKeyAction action; int command; } cases[] = {   // V: paste at the top left, not at a click
        {'X', C, _, _, post, IDM_CUT}, {'C', C, _, _, post, IDM_COPY}, {'V', C, _, _, post, IDM_PASTE_TOP_LEFT}, {'Q', C, _, _, post, IDM_DESTROY}, {'R', C, _, _, post, IDM_CLIPPING}, {0x6B, C, _, _, in, 0},
        {0x6D, C, _, _, IMAGE_KEY_ZOOM_OUT, 0}, {0x60, C, _, _, IMAGE_KEY_ZOOM_100, 0}, {'0', C, _, _, no, 0}, {0x6B, _, _, _, no, 0}, {'X', _, _, _, main, 0}, {'S', C, _, _, main, 0},
        {0x1B, _, _, _, main, 0}, {0x09, _, _, _, tab, 0}, {'A', _, _, _, no, 0}, {'X', _, W, _, no, 0}, {'V', C, W, _, no, 0}, {0x09, _, W, _, no, 0}, {0x6B, C, W, _, no, 0},
        {'R', C, _, I, no, 0}, {0x6B, C, _, I, in, 0}, {'X', _, _, I, main, 0}, {0x09, _, _, I, tab, 0},
    };
    for (const Case &c : cases) {
        int command = -1, action = image_key_action(c.vk, c.ctrl, c.waiting, c.input, &command);
        EXPECT_EQ(fmt("%d %d", action, command), fmt("%d %d", c.action, c.command)) << c.vk << (c.ctrl ? " Ctrl" : "") << (c.waiting ? " tool" : "") << (c.input ? " input" : "");
    }
    std::string got;   // zoom steps in/out; mouse words (unsigned) at a zoom; the wheel with Ctrl; whether a command may start
    for (int z : {100, 111, 9, 6, 5, 4, 2, 1, INT_MAX}) got += fmt("%d/%d ", zoom_step_in(z), zoom_step_out(z));
    for (auto m : {std::pair<unsigned, int>{50, 50}, {99, 200}, {10, 33}, {0xFFFF, 100}, {0x1FFFF, 100}, {5, 0}}) got += fmt("%d ", mouse_to_image(m.first, m.second));
    for (auto w : {std::pair<int, bool>{-120, C}, {120, C}, {-1, C}, {0, C}, {-120, _}}) got += fmt("%d ", image_wheel_action(w.first, w.second));
    EXPECT_EQ(got + fmt("%d%d%d", image_command_may_start(_, _), image_command_may_start(W, _), image_command_may_start(_, I)), "111/90 123/100 10/8 7/5 6/4 5/3 3/1 2/1 "
              "2147483647/1932735282 100 49 30 65535 65535 0 " + fmt("%d %d %d %d %d 100", in, IMAGE_KEY_ZOOM_OUT, in, no, no));
}

TEST(PointTools, TheFeedbackShowsEachPhaseAndLeavesNoTrace) {   // the outputs of each tool, clicked: the Windows tests
    Raster r(40, 40), small(5, 7, 8);
    PointTool t, box, edge;
    std::string seen;   // pixels inverted (and the prompt) after each step
    point_tool_begin(&t, r.view, POINT_TOOL_RECTANGLE, 0, 0, 0, 0), point_tool_click(&t, r.view, 12, 8), seen += fmt("%d %zu ", t.prompt, r.lit().size());
    point_tool_move(&t, r.view, 15, 10), seen += fmt("%zu ", r.lit().size()), point_tool_cancel(&t, r.view), seen += fmt("%zu %d ", r.lit().size(), t.prompt);
    point_tool_click(&t, r.view, 12, 8), point_tool_move(&t, r.view, 2, 3), point_tool_click(&t, r.view, 3, 1), point_tool_end(&t, r.view);   // a cancel starts again
    point_tool_begin(&box, r.view, POINT_TOOL_BOX, 9, 9, 20, 20), seen += fmt("%zu ", r.lit().size()), point_tool_move(&box, r.view, 5, 5), point_tool_click(&box, r.view, 5, 6);
    point_tool_end(&box, r.view), point_tool_begin(&edge, small.view, POINT_TOOL_BOX, 30, 30, 2, 3), point_tool_move(&edge, small.view, -40, 90), point_tool_end(&edge, small.view);
    EXPECT_EQ(seen + fmt("%d %d %d %d %d %d|%d %d %d", t.finished, t.result, t.out[0], t.out[1], t.out[2], t.out[3], box.out[0], box.out[1], edge.finished),
              "2 1 10 0 1 44 1 0 3 1 12 8|5 6 0") << "a rectangle sorted; a 9 x 9 box with its diagonals crossing at the centre";
    EXPECT_TRUE(r.bytes == r.initial && small.bytes == small.initial) << "a trace is left";
}
