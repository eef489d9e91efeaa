// tests/native/image_layout_test.cpp - the zoom that fits the screen, captions, file extensions and
// the checks on packed DIBs from the clipboard.
#include "image/file_name.h"
#include "image/packed_dib.h"
#include "image/zoom_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

//----------------------------------------------------------------------------------
// fit_zoom
//----------------------------------------------------------------------------------

// A 1024 x 768 screen with a 24-pixel caption; the smallest client area is 112 x 27
static const ScreenLimits kScreen = {112, 27, 1024, 744};

struct Fit {
    int status, zoom, view_w, view_h;
};

static Fit fit(int w, int h, int zoom) {
    Fit f = {-1, -1, -1, -1};
    f.status = fit_zoom(w, h, zoom, kScreen, &f.zoom, &f.view_w, &f.view_h);
    return f;
}

TEST(FitZoom, KeepsTheAskedZoomWhenTheWindowFits) {
    Fit f = fit(640, 480, 100);
    EXPECT_EQ(f.status, 0);
    EXPECT_EQ(f.zoom, 100);
    EXPECT_EQ(f.view_w, 640);
    EXPECT_EQ(f.view_h, 480);
    f = fit(300, 400, 250);   // 1000 rows at 250 %: the screen's 744 allow 186 %
    EXPECT_EQ(f.zoom, 186);
    EXPECT_EQ(f.view_w, 558);
    EXPECT_EQ(f.view_h, 744);
}

TEST(FitZoom, MagnifiesATinyImageToTheSmallestWindow) {
    // 1 x 1 at 100 %: the larger of 112 and 27, times 100, so the client area is a 112-pixel square.
    Fit f = fit(1, 1, 100);
    EXPECT_EQ(f.status, 0);
    EXPECT_EQ(f.zoom, 11200);
    EXPECT_EQ(f.view_w, 112);
    EXPECT_EQ(f.view_h, 112);
    Fit zero = fit(0, 0, 100);   // 0 x 0 is taken as 1 x 1
    EXPECT_EQ(zero.zoom, 11200);
    // Zoom 0 ends at the smallest size: 200 x 100 needs 56 % for the width of 112.
    f = fit(200, 100, 0);
    EXPECT_EQ(f.zoom, 56);
    EXPECT_EQ(f.view_w, 112);
    EXPECT_EQ(f.view_h, 56);
}

TEST(FitZoom, ShrinksALargeImageToTheLargestWholePercentThatFits) {
    Fit f = fit(3000, 1000, 100);   // 1024 / 3000 = 34.1 %, 744 / 1000 = 74.4 %
    EXPECT_EQ(f.status, 0);
    EXPECT_EQ(f.zoom, 34);
    EXPECT_EQ(f.view_w, 1020);
    EXPECT_EQ(f.view_h, 340);
    // The stereo output size: 15384 x 3330 at 100 % fits at 6 %.
    f = fit(15384, 3330, 100);
    EXPECT_EQ(f.zoom, 6);
    EXPECT_EQ(f.view_w, 923);
    EXPECT_EQ(f.view_h, 199);
}

TEST(FitZoom, RefusesWhatNoZoomCanShow) {
    // One pixel wide and more than a hundred screens tall: the width needs 11200 %, the height 1 %.
    Fit f = fit(1, 744 * 100 + 1, 100);
    EXPECT_EQ(f.status, 2);
    EXPECT_EQ(f.zoom, -1) << "nothing is written on failure";
}

TEST(FitZoom, LargeProductsDoNotOverflow) {
    // 30000 x 100000 would be 3e9, past 32 bits; the screen limits it to 3 %.
    Fit f = fit(30000, 3000, 100000);
    EXPECT_EQ(f.status, 0);
    EXPECT_EQ(f.zoom, 3);
    EXPECT_EQ(f.view_w, 900);
    EXPECT_EQ(f.view_h, 90);
}

TEST(FitZoom, WholePercentQuotientsAreNotLostToRounding) {
    // Sizes where 100 x (width x zoom / 100) / width in floating point falls just short of the zoom.
    struct Case { int w, h, zoom; } cases[] = {{102, 30, 111}, {128, 44, 89}, {170, 48, 67}};
    for (const Case &c : cases) EXPECT_EQ(fit(c.w, c.h, c.zoom).zoom, c.zoom) << c.w << "x" << c.h;
}

// The largest f >= 0 with f x step <= limit, found from an estimate and checked exactly
static long long most_within(long long limit, long long step) {
    long long f = (long long)((long double)limit / step);
    while (f > 0 && f * step > limit) f--;
    while ((f + 1) * step <= limit) f++;
    return f;
}

// The smallest f >= 0 with f x step >= goal, likewise
static long long least_reaching(long long goal, long long step) {
    if (goal <= 0) return 0;
    long long f = (long long)((long double)goal / step);
    while (f * step < goal) f++;
    while (f > 0 && (f - 1) * step >= goal) f--;
    return f;
}

// fit_zoom as the rules read: F the largest zoom whose width x F / 100 stays within X and height x F / 100
// within Y (X = min(screen_w, width x zoom / 100) but at least 1, as 100 X; Y likewise); a window below
// the minimum takes the smallest zoom that reaches min_w and min_h, and fails past the screen
static Fit reference_fit(int w, int h, int zoom, ScreenLimits s) {
    long long x100 = std::max(100LL, std::min((long long)s.screen_w * 100, (long long)w * zoom));
    long long y100 = std::max(100LL, std::min((long long)s.screen_h * 100, (long long)h * zoom));
    long long f = std::min(most_within(x100, w), most_within(y100, h));
    long long vw = most_within(f * w, 100), vh = most_within(f * h, 100);
    if (vw < s.min_w || vh < s.min_h) {
        f = std::max(least_reaching(100LL * s.min_w, w), least_reaching(100LL * s.min_h, h));
        vw = most_within(f * w, 100);
        vh = most_within(f * h, 100);
        if (vw > s.screen_w || vh > s.screen_h) return Fit{2, -1, -1, -1};
    }
    return Fit{0, (int)f, (int)vw, (int)vh};
}

TEST(FitZoom, MatchesExactArithmeticOverASweepOfSizesAndZooms) {
    const ScreenLimits screens[] = {kScreen, {117, 31, 1023, 739}};
    std::vector<int> sizes;
    for (int v = 1; v <= 700; v += 7) sizes.push_back(v);
    for (int v : {739, 744, 745, 1023, 1025, 3001, 15384, 73901, 74401}) sizes.push_back(v);
    std::vector<int> zooms = {-5, 0, 11199, 11200, 100000};
    for (int z = 1; z <= 400; z++) zooms.push_back(z);
    int mismatches = 0;
    for (const ScreenLimits &s : screens)
        for (int w : sizes)
            for (size_t hi = 0; hi < sizes.size(); hi += 2)
                for (int z : zooms) {
                    int h = sizes[hi];
                    Fit want = reference_fit(w, h, z, s), got = {-1, -1, -1, -1};
                    got.status = fit_zoom(w, h, z, s, &got.zoom, &got.view_w, &got.view_h);
                    if (got.status == want.status && got.zoom == want.zoom && got.view_w == want.view_w &&
                        got.view_h == want.view_h)
                        continue;
                    if (++mismatches <= 5)
                        ADD_FAILURE() << w << "x" << h << " at " << z << ": zoom " << got.zoom << " view " << got.view_w
                                      << "x" << got.view_h << ", expected " << want.zoom << " " << want.view_w << "x"
                                      << want.view_h << " status " << want.status;
                }
    EXPECT_EQ(mismatches, 0);
}

//----------------------------------------------------------------------------------
// Captions
//----------------------------------------------------------------------------------

TEST(ImageCaption, AddsTheZoomTheDepthAndTheHalftoneMark) {
    char out[256];
    format_image_caption(out, sizeof out, "pic", 50, 32, false);
    EXPECT_STREQ(out, "pic(50%)");
    format_image_caption(out, sizeof out, "a", 100, 8, true);
    EXPECT_STREQ(out, "a(100%)[8bit]*");
    format_image_caption(out, sizeof out, "001 pair.jpg", 6, 32, true);
    EXPECT_STREQ(out, "001 pair.jpg(6%)*");
}

TEST(ImageCaption, StaysInsideItsBuffer) {
    char out[8];
    std::memset(out, '#', sizeof out);
    format_image_caption(out, 6, "abcdefgh", 100, 32, false);
    EXPECT_STREQ(out, "abcde");
    EXPECT_EQ(out[6], '#');
}

//----------------------------------------------------------------------------------
// ensure_extension
//----------------------------------------------------------------------------------

static std::vector<uint16_t> wide(const std::string &s, size_t room = 260) {
    std::vector<uint16_t> v(room, 0xAAAA);
    for (size_t i = 0; i < s.size(); i++) v[i] = (unsigned char)s[i];
    v[s.size()] = 0;
    return v;
}

static std::string narrow(const std::vector<uint16_t> &v) {
    std::string s;
    for (size_t i = 0; i < v.size() && v[i]; i++) s += (char)v[i];
    return s;
}

TEST(EnsureExtension, KeepsAMatchingEndingInAnyCase) {
    auto p = wide("C:\\out\\photo.JPG");
    EXPECT_TRUE(ensure_extension(p.data(), p.size(), ".jpg"));
    EXPECT_EQ(narrow(p), "C:\\out\\photo.JPG");
    p = wide(".png");
    EXPECT_TRUE(ensure_extension(p.data(), p.size(), ".png"));
    EXPECT_EQ(narrow(p), ".png");
}

TEST(EnsureExtension, AppendsOtherwise) {
    auto p = wide("noname");
    EXPECT_TRUE(ensure_extension(p.data(), p.size(), ".jpg"));
    EXPECT_EQ(narrow(p), "noname.jpg");
    p = wide("a.jpeg");
    EXPECT_TRUE(ensure_extension(p.data(), p.size(), ".jpg"));
    EXPECT_EQ(narrow(p), "a.jpeg.jpg");
    p = wide("ab");   // shorter than an extension
    EXPECT_TRUE(ensure_extension(p.data(), p.size(), ".bmp"));
    EXPECT_EQ(narrow(p), "ab.bmp");
}

TEST(EnsureExtension, RefusesAPathThatWouldNotFit) {
    auto fits = wide(std::string(255, 'x'));   // 255 + 4 + the terminator = 260
    EXPECT_TRUE(ensure_extension(fits.data(), fits.size(), ".gif"));
    EXPECT_EQ(narrow(fits).size(), 259u);
    auto full = wide(std::string(256, 'x'));
    EXPECT_FALSE(ensure_extension(full.data(), full.size(), ".gif"));
    EXPECT_EQ(narrow(full), std::string(256, 'x')) << "the path is left as it was";
    // A path without a terminator inside its room is not read past the room.
    std::vector<uint16_t> unterminated(8, 'y');
    EXPECT_FALSE(ensure_extension(unterminated.data(), unterminated.size(), ".tif"));
}

TEST(EnsureExtension, AnUnterminatedPathIsRefusedEvenWhenItEndsInTheExtension) {
    // Found by fuzzing: ".Jpg" filling a room of 4 units has no terminator, yet was kept as a path
    // that already ends in ".jpg" and handed on unterminated.
    std::vector<uint16_t> path = {'.', 'J', 'p', 'g'};
    EXPECT_FALSE(ensure_extension(path.data(), path.size(), ".jpg"));
    EXPECT_EQ(path, (std::vector<uint16_t>{'.', 'J', 'p', 'g'}));
    std::vector<uint16_t> longer(300, 'x');
    const char *tail = "a.png";
    for (size_t i = 0; i < 5; i++) longer[295 + i] = (unsigned char)tail[i];
    EXPECT_FALSE(ensure_extension(longer.data(), longer.size(), ".png"));
}

//----------------------------------------------------------------------------------
// read_packed_dib
//----------------------------------------------------------------------------------

// Little-endian writers for building headers by hand
static void put16(std::vector<unsigned char> &b, size_t at, unsigned v) {
    b[at] = (unsigned char)v;
    b[at + 1] = (unsigned char)(v >> 8);
}
static void put32(std::vector<unsigned char> &b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + i] = (unsigned char)(v >> (8 * i));
}

// A block of total bytes whose first header_size bytes are a BITMAPINFOHEADER (or a longer one)
static std::vector<unsigned char> dib(size_t total, uint32_t header_size, int32_t w, int32_t h,
                                      unsigned bits, uint32_t compression = 0, uint32_t used = 0) {
    std::vector<unsigned char> b(total, 0);
    if (total < 40) return b;
    put32(b, 0, header_size);
    put32(b, 4, (uint32_t)w);
    put32(b, 8, (uint32_t)h);
    put16(b, 12, 1);
    put16(b, 14, bits);
    put32(b, 16, compression);
    put32(b, 32, used);
    return b;
}

static int check(const std::vector<unsigned char> &b, PackedDibInfo *info) {
    return read_packed_dib(b.data(), b.size(), info);
}

TEST(PackedDib, ReadsTheLayoutOfEveryDepth) {
    PackedDibInfo info;
    // 24 bits, 3 x 2: rows of 9 bytes padded to 12.
    ASSERT_EQ(check(dib(40 + 24, 40, 3, 2, 24), &info), 0);
    EXPECT_EQ(info.row_bytes, 12u);
    EXPECT_EQ(info.bits_offset, 40u);
    EXPECT_EQ(info.colours, 0);
    EXPECT_EQ(info.top_down, 0);
    // 8 bits with biClrUsed 0: a full 256-entry table.
    ASSERT_EQ(check(dib(40 + 1024 + 16, 40, 5, 2, 8), &info), 0);
    EXPECT_EQ(info.colours, 256);
    EXPECT_EQ(info.table_offset, 40u);
    EXPECT_EQ(info.bits_offset, 40u + 1024u);
    EXPECT_EQ(info.row_bytes, 8u);
    // 4 bits: 16 entries; 1 bit, 9 wide: 2 entries and rows of 4 bytes.
    ASSERT_EQ(check(dib(40 + 64 + 4, 40, 7, 1, 4), &info), 0);
    EXPECT_EQ(info.colours, 16);
    EXPECT_EQ(info.bits_offset, 104u);
    ASSERT_EQ(check(dib(40 + 8 + 12, 40, 9, 3, 1), &info), 0);
    EXPECT_EQ(info.colours, 2);
    EXPECT_EQ(info.row_bytes, 4u);
    // 32 bits, top-down.
    ASSERT_EQ(check(dib(40 + 16, 40, 2, -2, 32), &info), 0);
    EXPECT_EQ(info.height, 2);
    EXPECT_EQ(info.top_down, 1);
    EXPECT_EQ(info.bit_count, 32);
}

TEST(PackedDib, FindsTheMasksOfBitfieldsInEitherPlace) {
    PackedDibInfo info;
    // A 40-byte header is followed by three masks.
    ASSERT_EQ(check(dib(40 + 12 + 4, 40, 2, 1, 16, 3), &info), 0);
    EXPECT_EQ(info.bits_offset, 52u);
    // A V5 header (124 bytes) holds them inside.
    ASSERT_EQ(check(dib(124 + 8, 124, 2, 1, 32, 3), &info), 0);
    EXPECT_EQ(info.bits_offset, 124u);
    EXPECT_EQ(info.header_size, 124u);
    // Bit fields are only for 16 and 32 bits.
    EXPECT_EQ(check(dib(40 + 1024 + 4 + 12, 40, 2, 1, 8, 3), &info), 1);
}

TEST(PackedDib, MasksAfterAShortHeaderMustLieInsideTheBlock) {
    PackedDibInfo info;
    // A 44-byte header with BI_BITFIELDS: the masks follow it at 44..55, so a block of 48 bytes (one
    // 16-bit pixel right after the header) is too short for them.
    EXPECT_EQ(check(dib(48, 44, 1, 1, 16, 3), &info), 1);
    ASSERT_EQ(check(dib(44 + 12 + 4, 44, 1, 1, 16, 3), &info), 0);
    EXPECT_EQ(info.masks_offset, 44u);
    EXPECT_EQ(info.bits_offset, 56u);
    // 52- and 56-byte headers carry the masks inside, at 40.
    for (uint32_t header : {52u, 56u, 108u, 124u}) {
        ASSERT_EQ(check(dib(header + 4, header, 1, 1, 32, 3), &info), 0) << header;
        EXPECT_EQ(info.masks_offset, 40u);
        EXPECT_EQ(info.bits_offset, header);
    }
    // Without bit fields there are no masks to read.
    ASSERT_EQ(check(dib(44 + 4, 44, 1, 1, 16), &info), 0);
    EXPECT_EQ(info.masks_offset, 0u);
}

TEST(PackedDib, NothingItAcceptsLiesOutsideTheBlock) {
    // Every header size from 40 to 130, both compressions, every depth, and blocks from the header
    // to 80 bytes past it: what is accepted keeps masks, colours and rows inside the block.
    PackedDibInfo info;
    for (uint32_t header = 40; header <= 130; header++)
        for (uint32_t compression : {0u, 3u})
            for (unsigned bits : {1u, 4u, 8u, 16u, 24u, 32u})
                for (uint32_t used : {0u, 1u, 3u})
                    for (size_t total = header; total <= header + 80 + 1024; total += 7) {
                        auto b = dib(total, header, 2, -2, bits, compression, used);
                        if (check(b, &info) != 0) continue;
                        if (info.masks_offset) {
                            EXPECT_GE(info.masks_offset, 40u);
                            EXPECT_LE(info.masks_offset + 12, total) << header << " " << total;
                        }
                        EXPECT_LE(info.table_offset + (size_t)info.colours * 4, total);
                        EXPECT_LE(info.bits_offset + info.row_bytes * (size_t)info.height, total);
                        EXPECT_LE(info.colours, bits <= 8 ? 1 << bits : 0);
                    }
}

TEST(PackedDib, ColoursPastWhatTheDepthIndexesAreNotTaken) {
    PackedDibInfo info;
    // 1 bit with biClrUsed 1000: two colours are taken, the rows follow all 1000 entries.
    ASSERT_EQ(check(dib(40 + 4000 + 4, 40, 1, 1, 1, 0, 1000), &info), 0);
    EXPECT_EQ(info.colours, 2);
    EXPECT_EQ(info.bits_offset, 40u + 4000u);
    ASSERT_EQ(check(dib(40 + 4000 + 4, 40, 1, 1, 4, 0, 1000), &info), 0);
    EXPECT_EQ(info.colours, 16);
    // A 24-bit picture with biClrUsed: the optional table is skipped, no colours are taken.
    ASSERT_EQ(check(dib(40 + 8 + 4, 40, 1, 1, 24, 0, 2), &info), 0);
    EXPECT_EQ(info.colours, 0);
    EXPECT_EQ(info.bits_offset, 48u);
}

TEST(PackedDib, TakesAtMost256ColoursButKeepsTheRowsWhereTheHeaderPutsThem) {
    PackedDibInfo info;
    ASSERT_EQ(check(dib(40 + 4000 + 4, 40, 4, 1, 8, 0, 1000), &info), 0);
    EXPECT_EQ(info.colours, 256);
    EXPECT_EQ(info.bits_offset, 40u + 4000u);
    // The same header on a block holding only 256 entries is too short.
    EXPECT_EQ(check(dib(40 + 1024 + 4, 40, 4, 1, 8, 0, 1000), &info), 1);
    // biClrUsed smaller than the depth allows: only those entries, rows right after.
    ASSERT_EQ(check(dib(40 + 8 + 4, 40, 4, 1, 8, 0, 2), &info), 0);
    EXPECT_EQ(info.colours, 2);
    EXPECT_EQ(info.bits_offset, 48u);
}

TEST(PackedDib, RefusesWhatItCannotRead) {
    PackedDibInfo info;
    EXPECT_EQ(read_packed_dib(nullptr, 100, &info), 1);
    EXPECT_EQ(check(dib(39, 40, 1, 1, 24), &info), 1) << "shorter than a header";
    EXPECT_EQ(check(dib(40 + 3, 40, 3, 2, 24), &info), 1) << "rows missing";
    EXPECT_EQ(check(dib(40 + 23, 40, 3, 2, 24), &info), 1) << "one byte short";
    EXPECT_EQ(check(dib(64, 39, 1, 1, 24), &info), 1) << "header size below 40";
    EXPECT_EQ(check(dib(64, 65, 1, 1, 24), &info), 1) << "header size past the block";
    EXPECT_EQ(check(dib(64, 40, 0, 1, 24), &info), 1) << "zero width";
    EXPECT_EQ(check(dib(64, 40, -3, 1, 24), &info), 1) << "negative width";
    EXPECT_EQ(check(dib(64, 40, 1, 0, 24), &info), 1) << "zero height";
    EXPECT_EQ(check(dib(64, 40, 1, INT32_MIN, 24), &info), 1) << "height that has no absolute value";
    EXPECT_EQ(check(dib(64, 40, 1, 1, 2), &info), 1) << "2 bits per pixel";
    EXPECT_EQ(check(dib(1100, 40, 1, 1, 24, 4), &info), 1) << "BI_JPEG";
    auto planes = dib(64, 40, 1, 1, 24);
    put16(planes, 12, 2);
    EXPECT_EQ(check(planes, &info), 1) << "two planes";
    // 100000 x 100000 at 24 bits is 30 GB of rows: refused without overflowing.
    EXPECT_EQ(check(dib(64, 40, 100000, 100000, 24), &info), 1);
    EXPECT_EQ(check(dib(64, 40, INT32_MAX, INT32_MAX, 32), &info), 1);
    EXPECT_EQ(check(dib(64, 40, 1, 1, 8, 0, 0xFFFFFFFFu), &info), 1) << "a colour count past the block";
}

TEST(PackedDib, TakesRunLengthPicturesBottomUpWithTheirStreamInsideTheBlock) {
    // A 5 x 3 picture after a full table (1024 bytes at 8 bits, 64 at 4), with 10 bytes left in the
    // block; biSizeImage 0 takes them all, otherwise biSizeImage is the stream and must fit them.
    struct Case {
        const char *what;
        unsigned bits;
        uint32_t compression;
        int32_t height;
        uint32_t size_image;
        int result;
        size_t stream;   // when taken
    } cases[] = {
        {"RLE8, the rest of the block", 8, 1, 3, 0, 0, 10},
        {"RLE4, biSizeImage", 4, 2, 3, 6, 0, 6},
        {"RLE8, biSizeImage of all that is left", 8, 1, 3, 10, 0, 10},
        {"RLE8, biSizeImage past the block", 8, 1, 3, 11, 1, 0},
        {"RLE8, top-down", 8, 1, -3, 0, 1, 0},
        {"RLE8 at 4 bits", 4, 1, 3, 0, 1, 0},
        {"RLE4 at 8 bits", 8, 2, 3, 0, 1, 0},
        {"RLE8 at 24 bits", 24, 1, 3, 0, 1, 0},
        {"RLE8 decoding to 64 MB and a row", 8, 1, (1 << 26) / 8 + 1, 0, 1, 0},
        {"RLE8 decoding to 64 MB", 8, 1, (1 << 26) / 8, 0, 0, 10},
    };
    for (const Case &c : cases) {
        size_t table = c.bits <= 8 ? (size_t)4 << c.bits : 0;
        auto b = dib(40 + table + 10, 40, 5, c.height, c.bits, c.compression);
        put32(b, 20, c.size_image);
        PackedDibInfo info;
        ASSERT_EQ(check(b, &info), c.result) << c.what;
        if (c.result != 0) continue;
        EXPECT_EQ(info.compression, (int)c.compression) << c.what;
        EXPECT_EQ(info.bits_offset, 40 + table) << c.what;
        EXPECT_EQ(info.bits_bytes, c.stream) << c.what;
        EXPECT_EQ(info.row_bytes, 8u) << c.what << ": the decoded 8-bit rows";
        EXPECT_EQ(info.colours, 1 << c.bits) << c.what;
    }
}

