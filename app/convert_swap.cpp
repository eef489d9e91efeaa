// app/convert_swap.cpp - quarvex-swap's user routine: the pair's halves exchanged, centred between two
// black quarters.

#include "app/stereo_pair.h"
#include "vrxlib.h"

// Two copies side by side, then the outer quarters blacked out: the right half, then the left half
static void fill_swapped(const uint32_t *input, int width, int height) {
    VRX_PutImage(input, 0, width, height);
    VRX_PutImage(input, width, width, height);
    VRX_DrawBox(0, 0, width / 2 - 1, height - 1, 0, 0);
    VRX_DrawBox(3 * (width / 2), 0, 2 * width - 1, height - 1, 0, 0);
}

// Start runs this on the worker thread
int user_routine(void) { return convert_stereo_pair(fill_swapped); }
