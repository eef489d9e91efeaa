// app/convert_centre.cpp - quarvex's user routine: the stereo pair centred in a double-width canvas,
// a black quarter on each side.
//
// Thread: the worker thread (Start runs the user routine there).

#include "app/stereo_canvas.h"
#include "app/stereo_pair.h"
#include "vrxlib.h"

// Puts the pair at column W / 2 of the black canvas
static void fill_centred(const uint32_t *input, int width, int height) {
    StereoLayout layout = stereo_layout(width, false);
    VRX_PutImage(input, layout.copy_column[0], width, height);
}

// Start runs this on the worker thread
int user_routine(void) { return convert_stereo_pair(fill_centred); }
