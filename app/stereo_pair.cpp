// app/stereo_pair.cpp - one conversion: image 0 in, image 1 of twice its width out, shown at zoom 50,
// written as a JPEG file, reported in a "Pause" box, then both windows closed.
//
// Thread: the worker thread (the user routine).
// NOTE: an 8-bit input is read through its colour table as 0x00RRGGBB words; an image 1 that
//       existed before is reported and kept, and a save that fails is reported and keeps the pair.

#include "app/stereo_pair.h"

#include "vrxlib.h"

#include <stdlib.h>

//----------------------------------------------------------------------------------
// Messages (cp932)
//----------------------------------------------------------------------------------
static const char msg_drag_pair[] =   // "ステレオペア画像をドラッグして下さい"
    "\x83\x58\x83\x65\x83\x8C\x83\x49\x83\x79\x83\x41\x89\xE6\x91\x9C\x82\xF0\x83\x68\x83\x89\x83\x62"
    "\x83\x4F\x82\xB5\x82\xC4\x89\xBA\x82\xB3\x82\xA2";
static const char msg_finished[] = "\x95\xCF\x8A\xB7\x8F\x49\x97\xB9";   // "変換終了"
static const char msg_no_output[] =   // "変換できませんでした（画像1を作れません）"
    "\x95\xCF\x8A\xB7\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x69\x89\xE6"
    "\x91\x9C\x31\x82\xF0\x8D\xEC\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x81\x6A";
static const char msg_not_saved[] =   // "変換結果を保存できませんでした"
    "\x95\xCF\x8A\xB7\x8C\x8B\x89\xCA\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1"
    "\x82\xC5\x82\xB5\x82\xBD";

static const char output_path[] = "c:\\quarvex_out.jpg";

//----------------------------------------------------------------------------------
// Conversion
//----------------------------------------------------------------------------------

// An 8-bit image 0's pixels through its colour table as 0x00RRGGBB words in a new buffer; null on failure
static uint32_t *widened_input(int width, int height) {
    size_t count = (size_t)width * (size_t)height;
    uint32_t *words = (uint32_t *)malloc(count * sizeof(uint32_t));
    if (!words) return nullptr;
    // The indices land in the front quarter of the buffer and are widened from the back, so every
    // word is written after the byte it reads.
    unsigned char *indices = (unsigned char *)words;
    VRX_GetImage(indices, 0, 0, width, height);
    uint32_t table[256];
    VRX_GetColorTable(table);
    for (size_t i = count; i-- > 0;) words[i] = table[indices[i]] & 0xFFFFFF;
    return words;
}

// Runs one conversion of image 0 into image 1 and the output file with fill; 0 when done
int convert_stereo_pair(FillCanvas fill) {
    if (VRX_SelectImage(0) != 0 || VRX_GetStretchMode(0) == 0) {
        VRX_Pause(msg_drag_pair);
        return 1;
    }
    int width = VRX_GetImageWidth(0), height = VRX_GetImageHeight(0);
    // A 32-bit pair is read straight from its raster; an 8-bit one through a widened copy.
    uint32_t *widened = VRX_GetImageDepth(0) == 8 ? widened_input(width, height) : nullptr;
    const uint32_t *input = VRX_GetImageDepth(0) == 8 ? widened : (const uint32_t *)VRX_GetImagePixels(0, nullptr);
    VRX_PopImage();
    if (!input) {
        VRX_Pause(msg_no_output);
        return 1;
    }
    if (VRX_CreateImage(1, "convert...", -1, -1, 2 * width, height, 50) != 0) {
        free(widened);
        VRX_Pause(msg_no_output);
        return 1;
    }
    VRX_SelectImage(1);
    fill(input, width, height);
    free(widened);
    VRX_UpdateImage(1);
    if (VRX_SaveImage(VRX_GetImageWidth(1), VRX_GetImageHeight(1), 1, output_path) != 0) {
        // The pair stays for another try; only the canvas made here goes.
        VRX_Pause(msg_not_saved);
        VRX_DestroyImage(1);
        return 1;
    }
    VRX_Pause(msg_finished);
    VRX_DestroyImage(0);
    VRX_DestroyImage(1);
    return 0;
}
