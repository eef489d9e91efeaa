// tests/native/text_layout_test.cpp - cell layout, wrapping, scrolling, the line editor and the ring.
#include "text/cell_layout.h"
#include "text/key_ring.h"
#include "text/line_editor.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<CellOp> ops;
void record(void *, const CellOp *op) { ops.push_back(*op); }

// A 400 x 300 window with 8 x 12 cells at the top left
CellCursor window_400x300() { return CellCursor{0, 0, 400, 300, 8, 12}; }

std::vector<uint16_t> units(const char *s) {
    std::vector<uint16_t> u;
    for (; *s; s++) u.push_back((uint8_t)*s);
    return u;
}

}  // namespace

TEST(TextLayout, LineFeedsAreNeverDrawnAndLeaveAnEmptyRow) {
    ops.clear();
    CellCursor c = window_400x300();
    auto t = units("ab\n\ncd");
    layout_text(&c, t.data(), (int)t.size(), record, nullptr);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].start, 0); EXPECT_EQ(ops[0].count, 2); EXPECT_EQ(ops[0].y, 0);
    EXPECT_EQ(ops[1].start, 4); EXPECT_EQ(ops[1].count, 2); EXPECT_EQ(ops[1].y, 24);
    EXPECT_EQ(c.x, 16);
    EXPECT_EQ(c.y, 24);
}

TEST(TextLayout, FiftyNarrowCharactersFitARowAndTheFiftyFirstWraps) {
    ops.clear();
    CellCursor c = window_400x300();
    std::vector<uint16_t> t(51, 'x');
    layout_text(&c, t.data(), 51, record, nullptr);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].count, 50);
    EXPECT_EQ(ops[1].start, 50); EXPECT_EQ(ops[1].x, 0); EXPECT_EQ(ops[1].y, 12);
    EXPECT_EQ(c.x, 8);
}

TEST(TextLayout, AWideCharacterThatWouldOverhangMovesWholeToTheNextRow) {
    ops.clear();
    CellCursor c = window_400x300();
    std::vector<uint16_t> t(49, 'x');
    t.push_back(0x3042);   // two cells, would need x 392..408
    layout_text(&c, t.data(), 50, record, nullptr);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].count, 49);
    EXPECT_EQ(ops[1].y, 12);
    EXPECT_EQ(c.x, 16);
}

TEST(TextLayout, TwentyFourRowsAreUsedBeforeScrollingStarts) {
    ops.clear();
    CellCursor c = window_400x300();
    std::vector<uint16_t> t(23, '\n');
    layout_text(&c, t.data(), 23, record, nullptr);
    EXPECT_TRUE(ops.empty());
    EXPECT_EQ(c.y, 23 * 12);
    uint16_t lf = '\n';
    layout_text(&c, &lf, 1, record, nullptr);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, CELL_OP_SCROLL);
    EXPECT_EQ(ops[0].y, 288);
    EXPECT_EQ(c.y, 276);
}

TEST(TextLayout, TextWithoutLineFeedLeavesTheCursorBehindItsLastCharacter) {
    ops.clear();
    CellCursor c = window_400x300();
    auto t = units("abc");
    layout_text(&c, t.data(), 3, record, nullptr);
    layout_text(&c, t.data(), 3, record, nullptr);
    EXPECT_EQ(ops[1].x, 24);
    EXPECT_EQ(c.x, 48);
    EXPECT_EQ(c.y, 0);
}

TEST(LineEditor, BackspaceRemovesTheLastCharacter) {
    ops.clear();
    static LineEditor e;
    line_reset(&e);
    CellCursor c = window_400x300();
    line_insert(&e, &c, 'a', record, nullptr);
    line_insert(&e, &c, 'b', record, nullptr);
    EXPECT_EQ(line_backspace(&e, &c, record, nullptr), 0);
    line_insert(&e, &c, 'c', record, nullptr);
    ASSERT_EQ(e.n, 2);
    EXPECT_EQ(e.line[0], 'a');
    EXPECT_EQ(e.line[1], 'c');
    EXPECT_EQ(c.x, 16);
}

TEST(LineEditor, BackspaceOnAnEmptyLineDoesNothing) {
    static LineEditor e;
    line_reset(&e);
    CellCursor c = window_400x300();
    EXPECT_EQ(line_backspace(&e, &c, record, nullptr), 1);
    EXPECT_EQ(c.x, 0);
}

TEST(LineEditor, TheTwoHundredFiftySixthCharacterIsRefused) {
    static LineEditor e;
    line_reset(&e);
    CellCursor c{0, 0, 4000, 3000, 8, 12};
    for (int i = 0; i < 255; i++) EXPECT_EQ(line_insert(&e, &c, 'a', record, nullptr), 0);
    EXPECT_EQ(line_insert(&e, &c, 'b', record, nullptr), 1);
    EXPECT_EQ(e.n, 255);
    EXPECT_EQ(e.line[255], 0);
}

TEST(LineEditor, BackspaceReturnsAcrossAWrappedRowOntoItsLastCharacter) {
    ops.clear();
    static LineEditor e;
    line_reset(&e);
    CellCursor c = window_400x300();
    // a row wraps once no free cell is left: the 50th character, at x = 392, ends it
    for (int i = 0; i < 49; i++) line_insert(&e, &c, 'a', record, nullptr);
    EXPECT_EQ(c.x, 392);
    EXPECT_EQ(c.y, 0);
    for (int i = 0; i < 1; i++) line_insert(&e, &c, 'a', record, nullptr);
    EXPECT_EQ(c.x, 0);
    EXPECT_EQ(c.y, 12);
    line_backspace(&e, &c, record, nullptr);
    EXPECT_EQ(c.x, 392);
    EXPECT_EQ(c.y, 0);
    EXPECT_EQ(e.n, 49);
    EXPECT_EQ(e.depth, 0);
}

TEST(KeyRing, KeepsOrderDropsWhenFullAndReadsZeroWhenEmpty) {
    KeyRing r;
    key_ring_reset(&r);
    EXPECT_EQ(key_ring_pop(&r), 0);
    for (int i = 0; i < 256; i++) EXPECT_EQ(key_ring_push(&r, (uint16_t)(i + 1)), 0);
    EXPECT_EQ(key_ring_push(&r, 999), 1);
    for (int i = 0; i < 256; i++) EXPECT_EQ(key_ring_pop(&r), i + 1);
    EXPECT_EQ(key_ring_pop(&r), 0);
    EXPECT_EQ(key_ring_push(&r, 7), 0);
    EXPECT_EQ(key_ring_pop(&r), 7);
}
