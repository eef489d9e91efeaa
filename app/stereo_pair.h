// app/stereo_pair.h - what both conversion routines share: the checks around the input and the
// output, the messages, and the saved file. Each program fills the canvas its own way.
//
// Thread: the worker thread (the user routine).

#pragma once

#include <stdint.h>

// The canvas filler of one program: input pixels (W x H words), W and H; draws into image 1
typedef void (*FillCanvas)(const uint32_t *input, int width, int height);

// Runs one conversion of image 0 into image 1 and "c:\quarvex_out.jpg" with fill; 0 when done
int convert_stereo_pair(FillCanvas fill);
