// app/stereo_canvas.cpp - the canvas layouts of the two programs.
//
// Thread: any.

#include "app/stereo_canvas.h"

// The layout of quarvex (centred) or quarvex-swap (halves exchanged)
StereoLayout stereo_layout(int width, bool swap) {
    StereoLayout l = {};
    int half = width / 2;
    if (!swap) {
        // One copy at W / 2: a black quarter stays on each side.
        l.copies = 1;
        l.copy_column[0] = half;
        return l;
    }
    // Two copies side by side show the right half, then the left half, once the outer parts are black.
    // NOTE: with an odd W the middle is W - 1 columns wide: the last W - W / 2 columns of the pair,
    //       then only its first W / 2 - 1, since the second box starts at 3 * (W / 2).
    l.copies = 2;
    l.copy_column[0] = 0;
    l.copy_column[1] = width;
    l.blacks = 2;
    l.black_first[0] = 0;
    l.black_last[0] = half - 1;
    l.black_first[1] = 3 * half;
    l.black_last[1] = 2 * width - 1;
    return l;
}
