// app/stereo_canvas.h - where the stereo pair goes on the double-width canvas in each program: the
// columns at which copies of the pair are put, and the column ranges blacked out afterwards.
//
// Windows-free: the conversion routines carry a layout out with the toolkit's put and box calls, and
// the tests carry it out on a plain raster. Thread: any.

#pragma once

//----------------------------------------------------------------------------------
// Types
//----------------------------------------------------------------------------------

// The canvas steps for a pair W pixels wide on a canvas 2W wide, H rows high; the canvas starts black
struct StereoLayout {
    int copies;               // 1 or 2
    int copy_column[2];       // left edge of each whole copy of the pair
    int blacks;               // 0 or 2
    int black_first[2];       // first and last column of each black box, all rows
    int black_last[2];
};

//----------------------------------------------------------------------------------
// Functions
//----------------------------------------------------------------------------------

// The layout of quarvex (centred, swap false) or quarvex-swap (halves exchanged, swap true)
StereoLayout stereo_layout(int width, bool swap);
