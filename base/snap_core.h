// base/snap_core.h - the rectangles that dragged windows snap to, and the snapping rule itself.
//
// Windows-free: the registry is plain arrays of edges and the snap is a pure function of the
// registry, the moving window's current rectangle and the proposed drag rectangle. Thread: any.

#pragma once

//----------------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------------
#define VRX_LAYOUT_CAPACITY 260   // 4 screen bands and up to 256 windows

// A rectangle in screen coordinates; right and bottom are exclusive
struct LayoutRect {
    int left, top, right, bottom;
};

// The snapping registry: entry i is (left[i], top[i], right[i], bottom[i])
struct LayoutRegistry {
    int left[VRX_LAYOUT_CAPACITY];
    int top[VRX_LAYOUT_CAPACITY];
    int right[VRX_LAYOUT_CAPACITY];
    int bottom[VRX_LAYOUT_CAPACITY];
    int count;
};

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// Empties the registry and enters the four bands around a screen of w x h pixels
void layout_begin(LayoutRegistry *reg, int w, int h);

// Appends one window rectangle; returns 0, or 1 when the registry is full and nothing was written
int layout_append(LayoutRegistry *reg, LayoutRect r);

// Shifts the proposed rectangle p onto nearby registry edges (closer than 8 pixels); current is
// the moving window's rectangle, whose own entry is skipped. Keeps p's size.
void layout_snap(const LayoutRegistry *reg, LayoutRect current, LayoutRect *p);
