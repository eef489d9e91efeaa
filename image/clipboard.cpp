// image/clipboard.cpp - pictures between the clipboard and image windows: copy as a packed DIB, paste
// from CF_DIB (uncompressed, bit fields, or run-length RLE8/RLE4) or CF_BITMAP.
//
// Thread: the worker thread (the main window's paste reads the clipboard's picture on the main thread).
// NOTE: a packed DIB from another program is checked before use (header size, masks, colour count,
//       size of the block), so a malformed one is refused instead of read past its end.

#include "image/clipboard.h"

#include "base/clipboard.h"
#include "image/click_wait.h"
#include "image/image_table.h"
#include "image/packed_dib.h"
#include "imaging/raster.h"
#include "imaging/rle_decode.h"
#include "vrxlib.h"

#include <cstdlib>
#include <cstring>

//----------------------------------------------------------------------------------
// From the clipboard
//----------------------------------------------------------------------------------

// A device-dependent bitmap made from a checked packed DIB; its colour table into table/count
// NOTE: a run-length picture is decoded here into 8-bit rows, bounded by its stream and its size, and
//       handed to the system as a plain 8-bit top-down DIB with its colour table: the system's own
//       decoder would trust the header about how long the stream is.
static HBITMAP bitmap_from_packed_dib(const void *block, size_t size, RGBQUAD *table, int *count) {
    PackedDibInfo info;
    if (read_packed_dib(block, size, &info) != 0) return nullptr;
    // Rebuild a plain header: the system then reads exactly what was checked.
    struct { BITMAPINFOHEADER header; RGBQUAD colours[256]; } plain = {};
    memcpy(&plain.header, block, sizeof(BITMAPINFOHEADER));
    plain.header.biSize = sizeof(BITMAPINFOHEADER);
    plain.header.biClrUsed = (DWORD)info.colours;
    plain.header.biSizeImage = 0;   // the rows' length comes from the checked layout alone
    const unsigned char *bytes = (const unsigned char *)block;
    if (info.colours) memcpy(plain.colours, bytes + info.table_offset, (size_t)info.colours * 4);
    // The three masks of BI_BITFIELDS, inside a larger header or right after a small one
    if (info.masks_offset) memcpy(plain.colours, bytes + info.masks_offset, 3 * sizeof(DWORD));
    const void *rows = bytes + info.bits_offset;
    unsigned char *decoded = nullptr;
    if (info.compression == BI_RLE8 || info.compression == BI_RLE4) {
        decoded = (unsigned char *)malloc(info.row_bytes * (size_t)info.height);
        RasterView out = raster_view(decoded, info.width, info.height, 8);
        if (!decoded || rle_decode(bytes + info.bits_offset, info.bits_bytes, info.bit_count, out) != 0) {
            free(decoded);
            return nullptr;
        }
        plain.header.biBitCount = 8;
        plain.header.biCompression = BI_RGB;
        plain.header.biHeight = -info.height;   // the decoder writes the rows top-down
        rows = decoded;
    }
    memcpy(table, plain.colours, (size_t)info.colours * 4);
    *count = info.colours;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &plain.header, CBM_INIT, rows, (BITMAPINFO *)&plain, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    free(decoded);
    return bitmap;
}

// A new bitmap of the clipboard's picture, owned by the caller; count receives its colour entries
HBITMAP get_clipboard_bitmap(HWND owner, RGBQUAD *table, int *count) {
    *count = 0;
    HBITMAP result = nullptr;
    if (IsClipboardFormatAvailable(CF_DIB) && open_clipboard(owner)) {
        HANDLE data = GetClipboardData(CF_DIB);
        const void *block = data ? GlobalLock(data) : nullptr;
        if (block) {
            result = bitmap_from_packed_dib(block, GlobalSize(data), table, count);
            GlobalUnlock(data);
        }
        CloseClipboard();
        return result;
    }
    if (IsClipboardFormatAvailable(CF_BITMAP) && open_clipboard(owner)) {
        HANDLE data = GetClipboardData(CF_BITMAP);
        if (data) result = (HBITMAP)CopyImage(data, IMAGE_BITMAP, 0, 0, 0);
        CloseClipboard();
    }
    return result;
}

// The size of a bitmap
SIZE bitmap_size(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// Copies a whole bitmap into image n's raster at (x, y)
static void blit_bitmap_into(int n, HBITMAP bitmap, int x, int y) {
    HDC source = CreateCompatibleDC(vrx_images[n].memory_dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    SIZE s = bitmap_size(bitmap);
    BitBlt(vrx_images[n].memory_dc, x, y, s.cx, s.cy, source, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(source, old);
    DeleteDC(source);
}

// Worker thread: copies bitmap into the current image at (0, 0) and deletes it
void paste_bitmap_into_current(HBITMAP bitmap) {
    if (image_exists(vrx_current_image)) blit_bitmap_into(vrx_current_image, bitmap, 0, 0);
    DeleteObject(bitmap);
}

// Pastes the clipboard's picture into image n at (x, y); at x or y -1 the person clicks the place
void paste_clipboard_image(int n, int x, int y) {
    if (!image_exists(n)) return;
    HWND window = vrx_images[n].window;
    RGBQUAD table[256];
    int count = 0;
    HBITMAP bitmap = get_clipboard_bitmap(window, table, &count);
    if (!bitmap) return;
    SIZE s = bitmap_size(bitmap);
    if (x == -1 || y == -1) {
        int cx, cy;
        // The wait pumps: the window may have been closed, or its slot given to another, meanwhile.
        if (wait_box_point(n, s.cx, s.cy, &cx, &cy) != 0 || !image_shown_in(n, window)) {
            DeleteObject(bitmap);
            return;
        }
        x = cx - s.cx / 2;
        y = cy - s.cy / 2;
    }
    if (count > 0) SetDIBColorTable(vrx_images[n].memory_dc, 0, (UINT)count, table);
    blit_bitmap_into(n, bitmap, x, y);
    InvalidateRect(vrx_images[n].window, nullptr, FALSE);
    DeleteObject(bitmap);
}

//----------------------------------------------------------------------------------
// To the clipboard
//----------------------------------------------------------------------------------

// Copies image n to the clipboard as a packed DIB (24-bit, or 8-bit with its colour table)
// NOTE: the rows are packed from the raster itself (no GetDIBits, which wants the bitmap out of its
//       DC and may deliver fewer rows); the block is zeroed, built before the clipboard is emptied,
//       and freed when the clipboard refuses it.
int copy_image_to_clipboard(int n) {
    RasterView view;
    if (!image_raster(n, &view)) return 1;
    const ImageRecord &r = vrx_images[n];
    size_t table = r.depth == 8 ? 1024 : 0, rows = dib_rows_bytes(view);
    HGLOBAL block = rows ? GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, 40 + table + rows) : nullptr;
    unsigned char *p = block ? (unsigned char *)GlobalLock(block) : nullptr;
    if (!p) {
        if (block) GlobalFree(block);
        VRX_Pause("No enough memory for copy");
        return 1;
    }
    BITMAPINFOHEADER *header = (BITMAPINFOHEADER *)p;
    header->biSize = 40;
    header->biWidth = r.width;
    header->biHeight = r.height;
    header->biPlanes = 1;
    header->biBitCount = (WORD)(r.depth == 32 ? 24 : 8);
    header->biCompression = BI_RGB;
    if (r.depth == 8) GetDIBColorTable(r.memory_dc, 0, 256, (RGBQUAD *)(p + 40));
    pack_dib_rows(view, p + 40 + table);
    GlobalUnlock(block);
    return hand_block_to_clipboard(r.window, CF_DIB, block) == 0 ? 0 : 1;
}
