// base/snap_core.cpp - building the snapping registry and snapping a dragged rectangle to it.
//
// NOTE: every distance is measured from the rectangle as it was proposed, also after it has been
//       shifted on one axis, and the overlap tests use the proposed rectangle too. The registry
//       order is the tie-break: the first entry that snaps an axis wins.
//
// Thread: any.

#include "base/snap_core.h"

//----------------------------------------------------------------------------------
// Registry
//----------------------------------------------------------------------------------

// Empties the registry and enters the four bands around a screen of w x h pixels
void layout_begin(LayoutRegistry *reg, int w, int h) {
    reg->count = 0;
    layout_append(reg, LayoutRect{-1000, 0, 0, h});        // left of the screen
    layout_append(reg, LayoutRect{0, -1000, w, 0});        // above
    layout_append(reg, LayoutRect{w, 0, w + 1000, h});     // right
    layout_append(reg, LayoutRect{0, h, w, h + 1000});     // below
}

// Appends one window rectangle; returns 0, or 1 when the registry is full and nothing was written
int layout_append(LayoutRegistry *reg, LayoutRect r) {
    if (reg->count < 0 || reg->count >= VRX_LAYOUT_CAPACITY) return 1;
    int i = reg->count++;
    reg->left[i] = r.left;
    reg->top[i] = r.top;
    reg->right[i] = r.right;
    reg->bottom[i] = r.bottom;
    return 0;
}

//----------------------------------------------------------------------------------
// Snapping
//----------------------------------------------------------------------------------

// True when two edges are closer than 8 pixels
static bool close_to(int d) { return d > -8 && d < 8; }

// Shifts p so that every snap found moves both edges of an axis by the same amount
void layout_snap(const LayoutRegistry *reg, LayoutRect current, LayoutRect *p) {
    const LayoutRect o = *p;
    bool x_snapped = false, y_snapped = false;
    auto shift_x = [&](int d) { p->left += d; p->right += d; x_snapped = true; };
    auto shift_y = [&](int d) { p->top += d; p->bottom += d; y_snapped = true; };

    for (int i = 0; i < reg->count && i < VRX_LAYOUT_CAPACITY; i++) {
        const LayoutRect e{reg->left[i], reg->top[i], reg->right[i], reg->bottom[i]};
        if (e.left == current.left && e.top == current.top &&
            e.right == current.right && e.bottom == current.bottom)
            continue;   // the moving window itself, or one exactly on top of it

        const bool overlaps_h = e.left <= o.right && e.right >= o.left;
        const bool overlaps_v = e.top <= o.bottom && e.bottom >= o.top;

        // Side by side
        if (!x_snapped && overlaps_v) {
            if (close_to(e.right - o.left)) shift_x(e.right - o.left);
            else if (close_to(e.left - o.right)) shift_x(e.left - o.right);
        }
        if (!y_snapped) {
            // Beside a window: align tops or bottoms
            if (x_snapped && overlaps_h) {
                if (close_to(e.top - o.top)) shift_y(e.top - o.top);
                else if (close_to(e.bottom - o.bottom)) shift_y(e.bottom - o.bottom);
            }
            // Above or below
            if (!y_snapped && overlaps_h) {
                if (close_to(e.bottom - o.top)) shift_y(e.bottom - o.top);
                else if (close_to(e.top - o.bottom)) shift_y(e.top - o.bottom);
            }
        }
        // Above or below a window: align left or right edges
        if (!x_snapped && y_snapped && overlaps_v) {
            if (close_to(e.left - o.left)) shift_x(e.left - o.left);
            else if (close_to(e.right - o.right)) shift_x(e.right - o.right);
        }
        if (x_snapped && y_snapped) break;
    }
}
