// tests/native/boxes_and_snap_test.cpp - the geometry of the input box and the button box, the snapping of
// dragged windows, the status line's field and the numbers read from typed answers.
#include "support.h"

#include "base/number_text.h"
#include "base/snap_core.h"
#include "base/status_field.h"
#include "boxes/box_geometry.h"

static std::string rect(BoxRect r) { return fmt("%d,%d %dx%d ", r.x, r.y, r.width, r.height); }

TEST(Boxes, InputBoxRowsOf28ButtonsNumberedRowByRowStatusTextsNearColumn18AndNumbersReadAsAtoiReadsThem) {
    std::string got;
    for (int edge = 1; edge <= 9; edge++) {   // 1..8 drags on that edge to 200 wide; 9: squeezed by the right and by the left
        int l = 80, e = 70;
        edge < 9 ? ib_resize_columns(edge, 200, &l, &e) : (ib_resize_columns(BOX_EDGE_RIGHT, 90, &l, &e), ib_resize_columns(BOX_EDGE_LEFT, 5, &l, &e));
        got += fmt("%d/%d ", l, e);
    }
    for (auto b : {std::vector<int>{217, 34, 2, 1}, {3, 0, 2, 2}, {3, 0, 1, 1}}) {   // a 2 x 1 box 9 wider; squeezed below its gaps
        int bw, bh;
        bb_resize_buttons(b[0], b[1], b[2], b[3], &bw, &bh), got += fmt("%dx%d ", bw, bh);
    }
    for (int n : {0, INT_MIN, 1, 30, 31, 9000, INT_MAX}) got += fmt("%d/%d ", ib_clamp_items(n), ib_clamp_column(n));
    for (int y : {0, 27, 30, 56, 85}) got += fmt("%d ", ib_row_at(y));
    for (auto c : {std::pair<int, int>{1, 1}, {16, 16}, {256, 1}, {1, 256}, {16, 17}, {257, 1}, {0, 5}, {5, 0}, {-1, -1}, {65536, 65536}, {INT_MAX, 2}, {-65536, -65536}})
        got += fmt("%d", bb_counts_valid(c.first, c.second));   // no product overflows
    for (auto p : {std::pair<int, int>{2, 2}, {103, 31}, {150, 500}, {5000, 5}, {-30, -30}}) got += fmt(" %d", bb_button_at(p.first, p.second, 3, 2, 98, 26));
    BoxSize ib = ib_client_size(80, 70, 3), bb = bb_client_size(3, 2, 98, 26);
    EXPECT_EQ(got + fmt(" %dx%d %dx%d ", ib.width, ib.height, bb.width, bb.height) + rect(ib_label_rect(80, 2)) + rect(ib_edit_rect(80, 70, 2)) +
                  rect(bb_button_rect(3, 98, 26, 2)) + rect(bb_button_rect(3, 98, 26, 4)) + rect(bb_button_rect(3, 98, 26, 5)),
              "118/70 80/108 80/108 118/70 80/108 80/108 118/70 80/108 1/1 102x26 0x0 1x1 1/1 1/1 1/1 30/30 30/31 30/8192 30/8192 0 0 1 2 3 111100000000 0 4 4 2 0 "
              "162x86 310x64 4,63 80x24 88,60 70x24 208,4 98x26 106,34 98x26 208,34 98x26 ") << "points beyond the grid: its nearest cell";
    got.clear();   // start column / length of each text in the field, then the numbers read (any text against strtoll: the fuzz target)
    char field[VRX_STATUS_FIELD + 1];
    field[VRX_STATUS_FIELD] = '#';
    for (std::string t : {std::string("32-bit color"), std::string("0123456789"), std::string("Click the first point"), std::string(40, 'x'), std::string(500, 'y'), std::string()})
        format_status_field(t.c_str(), field), got += fmt("%zu/%zu ", strspn(field, " "), strlen(field));
    for (const char *n : {"640", "  \t 32x", "-8", "+16", "abc", (const char *)nullptr, "-99999999999999999999"}) got += fmt("%d ", parse_number(n));
    EXPECT_EQ(got + field[VRX_STATUS_FIELD], "12/24 13/23 8/29 0/40 0/63 18/18 640 32 -8 16 0 0 -2147483648 #") << "cut at 63, nothing past the field";
}

TEST(Snap, DraggedWindowsSnapToEdgesCloserThan8) {   // windows of 100 x 100 dragged to (x, y) on a screen of 1280 x 1054
    const std::vector<LayoutRect> windows[] = {{}, {{300, 200, 500, 400}}, {{300, 200, 502, 400}, {300, 200, 498, 400}}, {{300, 200, 498, 400}, {300, 200, 502, 400}},
                                               {{-100, 300, 3, 500}}, {{503, 260, 603, 360}, {503, 260, 603, 360}}};
    struct Case { const char *what; int windows, x, y, to_x, to_y; } cases[] = {   // windows 5: the moving window and its twin, skipped
        {"7 right of an edge: pulled onto it", 1, 507, 260, 500, 260}, {"8 right: left there", 1, 508, 260, 508, 260}, {"overlapping it by 1: pushed out", 1, 499, 260, 500, 260},
        {"tops 5 apart aligned in the same step", 1, 497, 205, 500, 200}, {"bottoms 4 apart", 1, 497, 296, 500, 300},
        {"in the gap: only sideways, overlaps are of the proposed place", 1, 503, 203, 500, 203}, {"on top of a window, left edges aligned", 1, 304, 103, 300, 100},
        {"5 above it: no overlap, no alignment", 1, 304, 95, 304, 100}, {"the screen's top", 0, 600, 5, 600, 0}, {"its right", 0, 1177, 600, 1180, 600},
        {"its bottom", 0, 600, 950, 600, 954}, {"the middle", 0, 600, 500, 600, 500}, {"the earlier entry wins", 2, 500, 300, 502, 300},
        {"in either order", 3, 500, 300, 498, 300}, {"the screen band before a window", 4, 2, 350, 0, 350}, {"itself and a twin are skipped", 5, 505, 262, 505, 262},
    };
    LayoutRegistry reg;
    for (const Case &c : cases) {
        LayoutRect p = {c.x, c.y, c.x + 100, c.y + 100};
        layout_begin(&reg, 1280, 1054);
        for (LayoutRect w : windows[c.windows]) layout_append(&reg, w);
        layout_snap(&reg, c.windows == 5 ? LayoutRect{503, 260, 603, 360} : LayoutRect{900, 700, 1000, 800}, &p);
        EXPECT_EQ(fmt("%d,%d,%d,%d", p.left, p.top, p.right, p.bottom), fmt("%d,%d,%d,%d", c.to_x, c.to_y, c.to_x + 100, c.to_y + 100)) << c.what;
    }
    int refused = 0;
    layout_begin(&reg, 1280, 1054);
    for (int i = 0; i < 600; i++) refused += layout_append(&reg, LayoutRect{i, i, i + 10, i + 10});
    EXPECT_EQ(fmt("%d %d %d", reg.count, refused, reg.left[259]), "260 344 255") << "the registry holds 256 windows after the 4 screen bands";
}
