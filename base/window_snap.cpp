// base/window_snap.cpp - the window layout registry: rebuilt from the registered toolkit windows on every
// move, read by every window procedure on WM_MOVING to snap a window dragged with Ctrl held.
//
// Thread: any.
// NOTE: both threads rebuild and snap. A rebuild fills a private copy and publishes it under a slim
//       reader/writer lock, so a snap never sees a half-built registry.

#include "base/window_snap.h"

#include "base/process.h"

//----------------------------------------------------------------------------------
// Registered windows, kept in rank order
//----------------------------------------------------------------------------------
struct SnapWindow {
    HWND window;
    int rank;
};
static SnapWindow windows[VRX_LAYOUT_CAPACITY];
static int window_count;
static LayoutRegistry registry;
static SRWLOCK lock = SRWLOCK_INIT;

// Adds window w at rank
// NOTE: windows beyond the registry's places are not kept; with 256 images and 256 text windows open
//       the registry holds the first of them.
void snap_register(HWND w, int rank) {
    if (!w) return;
    AcquireSRWLockExclusive(&lock);
    if (window_count < VRX_LAYOUT_CAPACITY) {
        int i = window_count++;
        while (i > 0 && windows[i - 1].rank > rank) {
            windows[i] = windows[i - 1];
            i--;
        }
        windows[i] = SnapWindow{w, rank};
    }
    ReleaseSRWLockExclusive(&lock);
}

// Removes window w
void snap_unregister(HWND w) {
    AcquireSRWLockExclusive(&lock);
    int kept = 0;
    for (int i = 0; i < window_count; i++)
        if (windows[i].window != w) windows[kept++] = windows[i];
    window_count = kept;
    ReleaseSRWLockExclusive(&lock);
}

// Rebuilds the snapping registry from the screen and every registered window
// NOTE: entries beyond the 260 places are dropped; the main window, always last, may then be missing.
void rebuild_layout(void) {
    static LayoutRegistry fresh;   // only written under the lock below
    AcquireSRWLockExclusive(&lock);
    layout_begin(&fresh, GetSystemMetrics(SM_CXFULLSCREEN),
                 GetSystemMetrics(SM_CYFULLSCREEN) + GetSystemMetrics(SM_CYCAPTION));
    for (int i = 0; i < window_count; i++) {
        RECT r;
        if (GetWindowRect(windows[i].window, &r)) layout_append(&fresh, LayoutRect{r.left, r.top, r.right, r.bottom});
    }
    registry = fresh;
    ReleaseSRWLockExclusive(&lock);
}

// Snaps the proposed drag rectangle of window w while Ctrl is held (WM_MOVING)
void snap_window_rect(HWND w, RECT *proposed) {
    if (!proposed || !ctrl_held()) return;
    RECT c;
    GetWindowRect(w, &c);
    LayoutRect p{proposed->left, proposed->top, proposed->right, proposed->bottom};
    AcquireSRWLockShared(&lock);
    layout_snap(&registry, LayoutRect{c.left, c.top, c.right, c.bottom}, &p);
    ReleaseSRWLockShared(&lock);
    *proposed = RECT{p.left, p.top, p.right, p.bottom};
}

// A copy of the registry as it was last rebuilt
LayoutRegistry current_layout(void) {
    AcquireSRWLockShared(&lock);
    LayoutRegistry copy = registry;
    ReleaseSRWLockShared(&lock);
    return copy;
}
