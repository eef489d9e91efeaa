// app/convert_swap.cpp - quarvex-swap's user routine: the pair's halves exchanged, centred between two
// black quarters.
//
// Thread: the worker thread (Start runs the user routine there).

#include "app/stereo_canvas.h"
#include "app/stereo_pair.h"
#include "vrxlib.h"

// Two copies side by side, then the outer quarters blacked out: the right half, then the left half
static void fill_swapped(const uint32_t *input, int width, int height) {
    StereoLayout layout = stereo_layout(width, true);
    for (int i = 0; i < layout.copies; i++) VRX_PutImage(input, layout.copy_column[i], width, height);
    for (int i = 0; i < layout.blacks; i++)
        VRX_DrawBox(layout.black_first[i], 0, layout.black_last[i], height - 1, 0, 0);
}

// Start runs this on the worker thread
int user_routine(void) { return convert_stereo_pair(fill_swapped); }
