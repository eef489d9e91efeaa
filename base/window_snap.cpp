// base/window_snap.cpp - the window layout registry: rebuilt from the open toolkit windows on every move,
// read by every window procedure on WM_MOVING to snap a window dragged with Ctrl held.
//
// NOTE: both threads rebuild and snap. A rebuild fills a private copy and publishes it under a slim
//       reader/writer lock, so a snap never sees a half-built registry.

#include "host/host.h"
#include "base/snap_core.h"
#include "host/modules.h"

//----------------------------------------------------------------------------------
// Registry
//----------------------------------------------------------------------------------
LayoutRegistry vrx_layout;
static SRWLOCK layout_lock = SRWLOCK_INIT;

// Appends the window rectangle of w when w is a window
static void append_window(LayoutRegistry *reg, HWND w) {
    RECT r;
    if (w && GetWindowRect(w, &r)) layout_append(reg, LayoutRect{r.left, r.top, r.right, r.bottom});
}

// Rebuilds the snapping registry from the screen and every open toolkit window
// NOTE: entries beyond the 260 places are dropped; the main window, always last, may then be missing.
void rebuild_layout(void) {
    static LayoutRegistry fresh;   // only written under the lock below
    AcquireSRWLockExclusive(&layout_lock);
    layout_begin(&fresh, GetSystemMetrics(SM_CXFULLSCREEN),
                 GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION));
    for (int n = 0; n < VRX_MAX_IMAGES; n++)
        if (vrx_images[n].exists) append_window(&fresh, vrx_images[n].window);
    for (int n = 0; n < VRX_MAX_TEXT_WINDOWS; n++)
        if (vrx_text_windows[n].in_use) append_window(&fresh, vrx_text_windows[n].window);
    append_window(&fresh, vrx_input_box_window);
    append_window(&fresh, vrx_button_box_window);
    append_window(&fresh, vrx_main_window);
    vrx_layout = fresh;
    ReleaseSRWLockExclusive(&layout_lock);
}

// Snaps the proposed drag rectangle of window w while Ctrl is held (WM_MOVING)
void snap_window_rect(HWND w, RECT *proposed) {
    if (!proposed || !ctrl_held()) return;
    RECT c;
    GetWindowRect(w, &c);
    LayoutRect p{proposed->left, proposed->top, proposed->right, proposed->bottom};
    AcquireSRWLockShared(&layout_lock);
    layout_snap(&vrx_layout, LayoutRect{c.left, c.top, c.right, c.bottom}, &p);
    ReleaseSRWLockShared(&layout_lock);
    *proposed = RECT{p.left, p.top, p.right, p.bottom};
}
