// base/window_snap.h - the window layout registry: the rectangles a window dragged with Ctrl held snaps
// to. Every toolkit window registers itself when it opens and leaves when it closes; the registry is
// rebuilt from the registered windows on every move.
//
// Thread: any. Both threads register, rebuild and snap; a slim reader/writer lock keeps it whole.

#pragma once

#include <windows.h>

#include "base/snap_core.h"

// The order of the registry, which breaks ties between edges: image windows by number, then text
// windows by number, the input box, the button box, and the main window last
#define SNAP_RANK_IMAGE(n)   (n)
#define SNAP_RANK_TEXT(n)    (256 + (n))
#define SNAP_RANK_INPUT_BOX  512
#define SNAP_RANK_BUTTON_BOX 513
#define SNAP_RANK_MAIN       1024

// Adds window w to the windows others snap to, at rank
void snap_register(HWND w, int rank);
// Removes window w
void snap_unregister(HWND w);
// Rebuilds the snapping registry from the screen and every registered window
void rebuild_layout(void);
// Snaps the proposed drag rectangle of window w while Ctrl is held (WM_MOVING)
void snap_window_rect(HWND w, RECT *proposed);
// A copy of the registry as it was last rebuilt
LayoutRegistry current_layout(void);
