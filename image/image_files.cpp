// image/image_files.cpp - image files through GDI+: loading into the current image, and saving a block of
// it with one of five encoders.
//
// Thread: the worker thread.

#include "image/image_files.h"

#include "base/gdiplus_api.h"
#include "base/row_split.h"
#include "image/file_name.h"
#include "image/image_table.h"
#include "imaging/raster.h"
#include "vrxlib.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

//----------------------------------------------------------------------------------
// Settings
//----------------------------------------------------------------------------------
int vrx_jpeg_quality = 100;

// The encoders by format code: MIME type and extension
static const struct { const wchar_t *mime; const char *ext; } formats[] = {
    {L"image/bmp", ".bmp"}, {L"image/jpeg", ".jpg"}, {L"image/gif", ".gif"},
    {L"image/png", ".png"}, {L"image/tiff", ".tif"},
};

//----------------------------------------------------------------------------------
// Loading
//----------------------------------------------------------------------------------

// Draws the image file at a UTF-16 path into the current image at (x, y); 0, 1 unreadable, 2 no image
int load_image_file_wide(const wchar_t *path, int x, int y) {
    int n = vrx_current_image;
    if (!image_exists(n)) return 2;
    GpImage *image = nullptr;
    if (!path || !path[0] || GdipLoadImageFromFile(path, &image) != Ok || !image) return 1;
    UINT width = 0, height = 0;
    GdipGetImageWidth(image, &width);
    GdipGetImageHeight(image, &height);
    if (width == 0 || height == 0) {
        GdipDisposeImage(image);
        return 1;
    }
    // An 8-bit image takes the file's palette before the draw, which maps the colours to its table;
    // the old table is kept to be put back when the draw fails.
    RGBQUAD old_table[256];
    bool table_changed = false;
    if (vrx_images[n].depth == 8) {
        INT size = 0;
        if (GdipGetImagePaletteSize(image, &size) == Ok && size > 8) {
            std::vector<unsigned char> buffer((size_t)size);
            ColorPalette *palette = (ColorPalette *)buffer.data();
            if (GdipGetImagePalette(image, palette, size) == Ok) {
                int count = (size - 8) / 4;
                if (count > (int)palette->Count) count = (int)palette->Count;
                if (count > 256) count = 256;   // room for 256 entries only
                if (count < 0) count = 0;
                DWORD table[256];
                for (int i = 0; i < count; i++) table[i] = palette->Entries[i] & 0xFFFFFF;
                GetDIBColorTable(vrx_images[n].memory_dc, 0, 256, old_table);
                table_changed = count > 0;
                VRX_SetColorTable(table, count);
            }
        }
    }
    // NOTE: a decoder may read a damaged file's header and fail only when it decodes the pixels
    //       here; that is a file that cannot be read as well.
    GpGraphics *graphics = nullptr;
    Status drawn = GdipCreateFromHDC(vrx_images[n].memory_dc, &graphics);
    if (drawn == Ok) drawn = GdipDrawImageRectI(graphics, image, x, y, (INT)width, (INT)height);
    if (graphics) GdipDeleteGraphics(graphics);
    GdipDisposeImage(image);
    if (drawn != Ok && table_changed) VRX_SetColorTable(old_table, 256);
    return drawn == Ok ? 0 : 1;
}

// Draws an image file (ANSI path) into the current image at (x, y); 1 unreadable, 2 no current image
int VRX_LoadImage(const char *path, int x, int y) {
    if (!image_exists(vrx_current_image)) return 2;
    // NOTE: a path of more than 259 characters is refused: cut to fit it would name another file.
    wchar_t wide[MAX_PATH];
    if (!path || MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0) return 1;
    return load_image_file_wide(wide, x, y);
}

//----------------------------------------------------------------------------------
// Saving
//----------------------------------------------------------------------------------

// Fills clsid with the first encoder of exactly this MIME type; false when none is installed
static bool find_encoder(const wchar_t *mime, CLSID *clsid) {
    UINT count = 0, size = 0;
    if (GdipGetImageEncodersSize(&count, &size) != Ok || size == 0) return false;
    std::vector<unsigned char> buffer(size);
    ImageCodecInfo *codecs = (ImageCodecInfo *)buffer.data();
    if (GdipGetImageEncoders(count, size, codecs) != Ok) return false;
    for (UINT i = 0; i < count; i++) {
        if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, mime) == 0) {
            *clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// A GDI+ bitmap of the top-left width x height block of the current 32-bit image, as 24-bit RGB, over
// *bits, which the caller frees after disposing of the bitmap; null when the memory is not there
// NOTE: the block is packed from the DIB section into 24-bit rows in one pass, and the bitmap is made
//       over those rows: no 32-bit copy of the block and no second, converting copy by GDI+
static GpBitmap *block_bitmap_32(int width, int height, unsigned char **bits) {
    RasterView view;
    *bits = nullptr;
    size_t stride = rgb24_stride(width);
    if (!image_raster(vrx_current_image, &view) || stride > 0x7FFFFFFF) return nullptr;
    *bits = (unsigned char *)malloc(stride * (size_t)height);
    if (!*bits) return nullptr;
    pack_block_rgb24(view, width, height, *bits);
    GpBitmap *bitmap = nullptr;
    if (GdipCreateBitmapFromScan0(width, height, (INT)stride, PixelFormat24bppRGB, *bits, &bitmap) != Ok) return nullptr;
    return bitmap;
}

// The rows of a 32-bit raster packed for a save inside the raster itself, shared by row between two threads
struct PackJob {
    int image;                   // the image whose raster it is
    RasterView view;
    int width;                   // pixels of each row that are packed
    std::vector<unsigned char> packed;   // 1 for each row packed
    std::vector<TopByteRun> runs;        // the top bytes of each packed row
    std::atomic<int> failed{0};  // a row could not be packed: the others stop
};

// Makes the pages under bytes 0..bytes-1 of a row writable memory of its own before the row is read
// NOTE: a page of a new raster that nothing has written yet is read as the system's shared zero page
//       and then faults a second time when it is written; a locked add of 0 is a write that changes
//       nothing, so such a page faults once. The word touched lies in the row itself, which no other
//       thread writes meanwhile.
static void touch_row_pages(unsigned char *row, size_t bytes) {
    const uintptr_t page = 4096;
    uintptr_t start = (uintptr_t)row, end = start + bytes;
    for (uintptr_t p = start; p < end; p = (p | (page - 1)) + 1)
        InterlockedExchangeAdd((volatile LONG *)((p + 3) & ~(uintptr_t)3), 0);
}

// Packs rows first..last-1 of the job, each one that can be
static void pack_job_rows(void *context, int first, int last) {
    PackJob &job = *(PackJob *)context;
    for (int j = first; j < last && !job.failed.load(std::memory_order_relaxed); j++) {
        touch_row_pages(raster_row(job.view, j), (size_t)job.width * 3);
        if (pack_rows_rgb24_in_place(job.view, job.width, j, j + 1, &job.runs[(size_t)j * TOP_BYTE_RUNS]) == 1)
            job.packed[j] = 1;
        else job.failed.store(1, std::memory_order_relaxed);
    }
}

// Widens the packed rows among first..last-1 back to 32-bit words
static void unpack_job_rows(void *context, int first, int last) {
    PackJob &job = *(PackJob *)context;
    for (int j = first; j < last; j++)
        if (job.packed[j]) unpack_rows_rgb24_in_place(job.view, job.width, j, j + 1, &job.runs[(size_t)j * TOP_BYTE_RUNS]);
}

// Gives back the words of the rows block_bitmap_in_place packed and shows the image again
static void unpack_in_place(PackJob *job) {
    split_rows(unpack_job_rows, job, (int)job->packed.size(), (size_t)job->view.stride * job->packed.size());
    job->packed.clear();
    set_raster_hidden(job->image, false);
}

// Packs the top-left width x height block of the current 32-bit image into 24-bit rows inside its own
// raster and makes a GDI+ bitmap over them; null, the raster as it was, when that cannot be done
// NOTE: under Wine the save of a large image spent most of its own time in the page faults of a new
//       buffer as big as the picture; the raster's memory is in place already. Repaints of the image
//       are put off while its rows are packed, and unpack_in_place gives back every word after the
//       save, whether it was written or not.
static GpBitmap *block_bitmap_in_place(int width, int height, PackJob *job) {
    if (!image_raster(vrx_current_image, &job->view) || job->view.depth != 32 || width > job->view.width ||
        height > job->view.height)
        return nullptr;
    job->image = vrx_current_image;
    job->width = width;
    job->packed.assign((size_t)height, 0);
    job->runs.resize((size_t)height * TOP_BYTE_RUNS);
    set_raster_hidden(job->image, true);
    split_rows(pack_job_rows, job, height, (size_t)job->view.stride * (size_t)height);
    GpBitmap *bitmap = nullptr;
    if (job->failed.load() ||
        GdipCreateBitmapFromScan0(width, height, job->view.stride, PixelFormat24bppRGB, (BYTE *)job->view.pixels,
                                  &bitmap) != Ok) {
        if (bitmap) GdipDisposeImage(bitmap);
        unpack_in_place(job);
        return nullptr;
    }
    return bitmap;
}

// A GDI+ bitmap of the top-left block of the current 8-bit image with its colour table; *section is
// the DIB section holding the bits, deleted by the caller after the save
static GpBitmap *block_bitmap_8(int width, int height, HBITMAP *section) {
    struct { BITMAPINFOHEADER header; RGBQUAD colours[256]; } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biXPelsPerMeter = info.header.biYPelsPerMeter = 2834;
    VRX_GetColorTable(info.colours);
    void *bits = nullptr;
    *section = CreateDIBSection(nullptr, (BITMAPINFO *)&info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!*section || !bits) return nullptr;
    size_t stride = ((size_t)width + 3) / 4 * 4;
    std::vector<unsigned char> row((size_t)width);
    for (int j = 0; j < height; j++) {
        VRX_GetImage(row.data(), 0, j, width, 1);
        memcpy((unsigned char *)bits + (size_t)j * stride, row.data(), (size_t)width);
    }
    GpBitmap *bitmap = nullptr;
    GdipCreateBitmapFromGdiDib((BITMAPINFO *)&info, bits, &bitmap);
    return bitmap;
}

// Writes the top-left width x height block of the current image to a UTF-16 path, which gets the
// format's extension unless it has it; 0, 1 not written (also when the extension does not fit), 2 no
// size, 3 no image
int save_image_file_wide(int width, int height, int format, const wchar_t *path) {
    if (!image_exists(vrx_current_image)) return 3;
    if (width <= 0 || height <= 0) return 2;
    if (format < 0 || format > 4 || !path) return 1;
    CLSID encoder;
    if (!find_encoder(formats[format].mime, &encoder)) return 1;
    wchar_t wide[MAX_PATH];
    size_t length = wcslen(path);
    if (length >= MAX_PATH) return 1;
    memcpy(wide, path, (length + 1) * sizeof(wchar_t));
    if (!ensure_extension((uint16_t *)wide, MAX_PATH, formats[format].ext)) return 1;

    HBITMAP section = nullptr;
    unsigned char *rows = nullptr;
    PackJob in_place;
    GpBitmap *bitmap = nullptr;
    if (vrx_images[vrx_current_image].depth == 32) {
        bitmap = block_bitmap_in_place(width, height, &in_place);
        if (!bitmap) bitmap = block_bitmap_32(width, height, &rows);
    } else {
        bitmap = block_bitmap_8(width, height, &section);
    }
    Status status = GenericError;
    if (bitmap) {
        ULONG quality = (ULONG)vrx_jpeg_quality;
        EncoderParameters parameters;
        parameters.Count = 1;
        parameters.Parameter[0].Guid = EncoderQuality;
        parameters.Parameter[0].NumberOfValues = 1;
        parameters.Parameter[0].Type = EncoderParameterValueTypeLong;
        parameters.Parameter[0].Value = &quality;
        status = GdipSaveImageToFile(bitmap, wide, &encoder, format == 1 ? &parameters : nullptr);
        GdipDisposeImage(bitmap);
    }
    if (!in_place.packed.empty()) unpack_in_place(&in_place);
    if (section) DeleteObject(section);
    free(rows);
    return status == Ok ? 0 : 1;
}

// Writes the top-left width x height block of the current image; 0, 1 not written, 2 no size, 3 no image
// NOTE: a path whose UTF-16 form does not fit 259 units is refused: cut to fit it would name another file.
int VRX_SaveImage(int width, int height, int format, const char *path) {
    if (!image_exists(vrx_current_image)) return 3;
    if (width <= 0 || height <= 0) return 2;
    wchar_t wide[MAX_PATH];
    if (!path || MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH) == 0) return 1;
    return save_image_file_wide(width, height, format, wide);
}
