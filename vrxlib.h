// vrxlib.h - VRXLIB, the toolkit a user routine calls: image windows, text windows, boxes, files,
// drawing and point tools. Everything a user routine needs is declared here, for C and for C++.
//
// A program hosts one user routine, `int user_routine(void)`, which the main window's Start runs on the
// toolkit's worker thread. That thread owns every toolkit window, so the calls are made from the routine:
// each line below ends with the thread that may make the call, [worker] (the thread running the
// routine) or [any]. The windows answer only while the routine is inside a toolkit call, so a long loop
// calls VRX_PumpMessages now and then and ends once VRX_GetStopRequest reports Stop.
//
// Conventions: calls return VRX_OK (0) on success and the small positive codes named under "Result
// codes" for distinct failures; colours are 0x00RRGGBB (red in bits 16-23); texts are narrow strings in
// the ANSI code page; window numbers are 0..255. Drawing goes into the current image and shows once
// VRX_UpdateImage copies the raster to the window.
//
// Pixels: VRX_GetImagePixels gives an image's raster itself, no copy. Rows run top-down (row 0 is the top
// of the picture), stride bytes apart. A 32-bit pixel is a 32-bit word 0x00RRGGBB; an 8-bit pixel is one
// byte, an index into the image's colour table of 256 VRX_ColorEntry. Pixel (x, y) lies at
//   32-bit: ((uint32_t *)((unsigned char *)pixels + y * stride))[x]
//    8-bit: ((unsigned char *)pixels + y * stride)[x]
//
// NOTE: VRX_DrawBox has two forms, chosen when the program is built: the one-colour form (quarvex,
//       vrx_add_program) and the border-and-fill form (quarvex-swap, vrx_add_program's BORDER_FILL_BOX,
//       which sets VRX_SWAP_VARIANT to 1).

#pragma once

#include <stdint.h>

#ifndef VRX_SWAP_VARIANT
#define VRX_SWAP_VARIANT 0
#endif

// Lets GCC and Clang check the arguments of VRX_Printf against its format (-Wformat); the toolkit
// formats as C99 does, MinGW's own printf included
#if defined(__MINGW32__) && defined(__GNUC__) && !defined(__clang__)
#define VRX_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#elif defined(__GNUC__) || defined(__clang__)
#define VRX_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define VRX_PRINTF_FORMAT(f, a)
#endif

#ifdef __cplusplus
extern "C" {
#endif

//----------------------------------------------------------------------------------
// Constants and types
//----------------------------------------------------------------------------------
#define VRXMAINWINDOW (-1)          // window number of the main window in VRX_SetForeground
#define VRX_MAX_IMAGES 256          // image window numbers are 0..255
#define VRX_MAX_TEXT_WINDOWS 256    // text window numbers are 0..255
#define VRX_MAX_BUTTONS 256         // buttons of the button box, nx * ny
#define VRX_MAX_INPUT_ITEMS 30      // fields of the input box
#define VRX_TEXT_SIZE 256           // bytes of the buffer of VRX_InputText, terminator included
#define VRX_COLOR_TABLE_SIZE 256    // entries of an 8-bit image's colour table

enum {                              // file formats of VRX_SaveImage
    VRX_FORMAT_BMP = 0,
    VRX_FORMAT_JPEG = 1,            // quality 100
    VRX_FORMAT_GIF = 2,
    VRX_FORMAT_PNG = 3,
    VRX_FORMAT_TIFF = 4
};

enum {                              // stretch modes of an image window shown at a zoom
    VRX_STRETCH_COLORONCOLOR = 3,   // nearest pixel (the mode of a new window)
    VRX_STRETCH_HALFTONE = 4        // averaged
};

// One entry of an 8-bit image's colour table (the layout of Windows' RGBQUAD)
typedef struct VRX_ColorEntry {
    uint8_t blue, green, red, reserved;
} VRX_ColorEntry;

//----------------------------------------------------------------------------------
// Result codes (0 is VRX_OK everywhere; the calls say which others they return)
//----------------------------------------------------------------------------------
enum {
    VRX_OK = 0,
    VRX_NOT_OPEN = 1,               // the number names no open window (image or text window calls)
    VRX_IN_USE = 1,                 // VRX_CreateImage(8): the number is taken or outside 0..255
    VRX_TOO_BIG = 2,                // VRX_CreateImage(8), VRX_ResizeImage, VRX_SetZoom: cannot fit the screen
    VRX_NO_RASTER = 3,              // VRX_CreateImage(8), VRX_ResizeImage: the window or raster cannot be made
    VRX_NOT_8BIT = 2,               // VRX_SetColorTable, VRX_GetColorTable: the current image is 32-bit
    VRX_TEXT_ALREADY_OPEN = 1,      // VRX_OpenTextWindow: open already (made current), or n outside 0..255
    VRX_TEXT_FAILED = 2,            // VRX_OpenTextWindow: the window cannot be made
    VRX_UNKNOWN_COMMAND = 1,        // VRX_RunCommand
    VRX_STARTLOG_ALREADY = 1,       // VRX_StartLog: logging already
    VRX_STARTLOG_NO_FILE = 2,       // VRX_StartLog: the file cannot be made
    VRX_STARTLOG_NO_WINDOW = 3,     // VRX_StartLog: no such text window
    VRX_STOPLOG_NOT_LOGGING = 1,    // VRX_StopLog
    VRX_STOPLOG_NO_WINDOW = 2,      // VRX_StopLog
    VRX_COPYLOG_CLIPBOARD = 1,      // VRX_CopyLog: the clipboard cannot be opened or refused the text
    VRX_COPYLOG_NO_FILE = 2,        // VRX_CopyLog: the log file cannot be read
    VRX_COPYLOG_MEMORY = 3,         // VRX_CopyLog: no memory for the text
    VRX_COPYLOG_NO_WINDOW = 4,      // VRX_CopyLog: no such text window
    VRX_LOAD_UNREADABLE = 1,        // VRX_LoadImage, VRX_GetImageFileSize: not a readable image file
    VRX_LOAD_NO_IMAGE = 2,          // VRX_LoadImage: no current image
    VRX_SAVE_FAILED = 1,            // VRX_SaveImage: bad format or path, or the file cannot be written
    VRX_SAVE_NO_SIZE = 2,           // VRX_SaveImage: width or height below 1
    VRX_SAVE_NO_IMAGE = 3,          // VRX_SaveImage: no current image
    VRX_POINT_CANCELLED = 1,        // point tools: right or middle click, or the window was closed
    VRX_POINT_NO_IMAGE = 2,         // point tools: n names no open image
    VRX_POINT_STOPPED = 3,          // point tools: Stop or Exit was chosen
    VRX_WAIT_STOPPED = 1            // VRX_WaitTime: Stop or Exit was chosen
};

//----------------------------------------------------------------------------------
// Routine control
//----------------------------------------------------------------------------------
void VRX_Pause(const char *text);                 // Shows text in a message box titled "Pause" and waits for OK [any]
int VRX_GetStopRequest(void);                     // 1 once Stop or Exit was chosen while the routine runs, else 0 [any]
void VRX_PumpMessages(void);                      // Lets the windows answer what waits for them (paint, keys, boxes, Stop), then returns [worker]
int VRX_WaitTime(int ms);                         // Waits ms milliseconds with the windows answering; VRX_OK, or VRX_WAIT_STOPPED at once on Stop [worker]

//----------------------------------------------------------------------------------
// Text windows and console
//----------------------------------------------------------------------------------
int VRX_OpenTextWindow(int n, int x, int y, int width, int height); // Opens text window n and makes it current (negative x/y: system place, negative size: 400x300); VRX_OK, VRX_TEXT_ALREADY_OPEN, VRX_TEXT_FAILED [worker]
void VRX_ShowConsole(void);                       // Brings the current text window forward, or opens text window 0 centred [worker]
void VRX_Printf(const char *format, ...) VRX_PRINTF_FORMAT(1, 2); // Prints printf-formatted text into the current text window ("\n" new line) [worker]
void VRX_InputText(char *buffer);                 // Reads one typed line into buffer (VRX_TEXT_SIZE bytes) in the current text window; "" when it closes [worker]
int VRX_CloseTextWindow(int n);                   // Closes text window n; VRX_OK, VRX_NOT_OPEN [worker]
int VRX_SelectTextWindow(int n);                  // Makes text window n current; VRX_OK, VRX_NOT_OPEN [worker]
void VRX_PushTextColor(unsigned int text, unsigned int back); // Saves the current text window's colours and sets new ones (8 deep) [worker]
void VRX_PopTextColor(void);                      // Takes back the most recently saved colours [worker]
int VRX_RunCommand(void);                         // Prompts "Cmd>" and obeys one console command (exit, start, help, ver, color); VRX_OK, VRX_UNKNOWN_COMMAND [worker]

//----------------------------------------------------------------------------------
// Log files (VRXLIB<n>.LOG in the folder the program started in)
//----------------------------------------------------------------------------------
int VRX_StartLog(int n);                          // Starts or resumes copying what text window n prints to its log; VRX_OK, VRX_STARTLOG_ALREADY, VRX_STARTLOG_NO_FILE, VRX_STARTLOG_NO_WINDOW [worker]
int VRX_StopLog(int n);                           // Pauses the log of text window n; VRX_OK, VRX_STOPLOG_NOT_LOGGING, VRX_STOPLOG_NO_WINDOW [worker]
int VRX_CopyLog(int n);                           // Copies n's log file to the clipboard as text; VRX_OK, VRX_COPYLOG_CLIPBOARD, _NO_FILE, _MEMORY, _NO_WINDOW [worker]
void VRX_CloseLogs(void);                         // Closes the log file of every open text window [worker]

//----------------------------------------------------------------------------------
// Input box and button box
//----------------------------------------------------------------------------------
void VRX_OpenInputBox(int x, int y, int items);   // Opens the input box with items labelled fields (1..VRX_MAX_INPUT_ITEMS) at (x, y) [worker]
void VRX_CloseInputBox(void);                     // Closes the input box and forgets its values [worker]
void VRX_ResizeInputBox(int isize, int esize);    // Sets the label and edit widths of the input box (also for the next one) [worker]
void VRX_SetInputBoxTitle(int i, const char *title); // Sets the label of input box item i [worker]
const char *VRX_GetInputBoxText(int i);           // Item i's value as typed ("" when there is no such item) [worker]
int VRX_GetInputBoxValue(int i);                  // Item i's value read as a number, as atoi does [worker]
void VRX_OpenButtonBox(int x, int y, int nx, int ny); // Opens the button box of nx x ny buttons (at most VRX_MAX_BUTTONS) at (x, y) [worker]
void VRX_CloseButtonBox(void);                    // Closes the button box [worker]
void VRX_ResizeButtonBox(int width, int height);  // Gives the button box a client area of width x height [worker]
void VRX_SetButtonBoxTitle(int i, const char *caption); // Sets the caption of button i ("\n" starts a new line) [worker]
int VRX_GetButtonBoxCount(int i);                 // How often button i was pressed since the box opened [worker]
void VRX_ClearButtonBoxCount(int i);              // Sets button i's press count back to 0 [worker]

//----------------------------------------------------------------------------------
// Image windows
//----------------------------------------------------------------------------------
int VRX_CreateImage(int n, const char *title, int x, int y, int width, int height, int zoom);  // Opens 32-bit image window n, black, at zoom percent (x, y -1: system place) and makes it current; VRX_OK, VRX_IN_USE, VRX_TOO_BIG, VRX_NO_RASTER [worker]
int VRX_CreateImage8(int n, const char *title, int x, int y, int width, int height, int zoom); // The same with 8 bits per pixel and a grey colour table [worker]
int VRX_DestroyImage(int n);                      // Closes image window n; VRX_OK, VRX_NOT_OPEN [worker]
int VRX_UpdateImage(int n);                       // Shows image n's raster in its window now; VRX_OK, VRX_NOT_OPEN [worker]
int VRX_SelectImage(int n);                       // Makes n the current image, remembering the previous one (8 deep); VRX_OK, VRX_NOT_OPEN [worker]
int VRX_PopImage(void);                           // Makes the previously current image current again; VRX_OK, VRX_NOT_OPEN [worker]
int VRX_ResizeImage(int n, int width, int height); // Gives image n a new black raster, keeping title, place and zoom; VRX_OK, VRX_NOT_OPEN, VRX_TOO_BIG, VRX_NO_RASTER [worker]
int VRX_GetImageWidth(int n);                     // Raster width of image n; 0 when n is not open [worker]
int VRX_GetImageHeight(int n);                    // Raster height of image n; 0 when n is not open [worker]
int VRX_GetImageDepth(int n);                     // 8 or 32; 0 when n is not open [worker]
void *VRX_GetImagePixels(int n, int *stride);     // Image n's raster itself (rows top-down, stride bytes apart, see above); null and stride 0 when n is not open [worker]
void VRX_PutImage(const void *pixels, int x, int width, int height); // Copies a block (packed rows of the image's depth) into the current image at column x of row 0 [worker]
void VRX_GetImage(void *pixels, int x, int y, int width, int height); // Copies a block of the current image out as packed rows (0 outside it) [worker]
int VRX_SetColorTable(const void *colors, int count); // Writes count VRX_ColorEntry of the current 8-bit image's table; VRX_OK, VRX_NOT_OPEN, VRX_NOT_8BIT [worker]
int VRX_GetColorTable(void *colors);              // Reads the 256 VRX_ColorEntry of the current 8-bit image's table; VRX_OK, VRX_NOT_OPEN, VRX_NOT_8BIT [worker]
int VRX_GetStretchMode(int n);                    // VRX_STRETCH_COLORONCOLOR or VRX_STRETCH_HALFTONE; 0 when n is not open [worker]
int VRX_SetStretchMode(int mode, int n);          // Sets the stretch mode of image n and repaints it; VRX_OK, VRX_NOT_OPEN [worker]
int VRX_SetZoom(int n, int zoom);                 // Shows image n at a new zoom percent (fitted to the screen); VRX_OK, VRX_NOT_OPEN, VRX_TOO_BIG [worker]
int VRX_SetForeground(int n);                     // Brings image window n, or the main window for VRXMAINWINDOW, forward; VRX_OK, VRX_NOT_OPEN [worker]

//----------------------------------------------------------------------------------
// Image files and clipboard
//----------------------------------------------------------------------------------
int VRX_GetImageFileSize(const char *path, int *width, int *height); // Reads the size of the picture in an image file; VRX_OK, VRX_LOAD_UNREADABLE (sizes 0) [worker]
int VRX_LoadImage(const char *path, int x, int y); // Draws an image file into the current image at (x, y); VRX_OK, VRX_LOAD_UNREADABLE, VRX_LOAD_NO_IMAGE [worker]
int VRX_SaveImage(int width, int height, int format, const char *path); // Writes the top-left block of the current image as VRX_FORMAT_...; VRX_OK, VRX_SAVE_FAILED, VRX_SAVE_NO_SIZE, VRX_SAVE_NO_IMAGE [worker]

//----------------------------------------------------------------------------------
// Drawing (into the current image; pixels outside it are skipped; VRX_UpdateImage shows the result)
//----------------------------------------------------------------------------------
extern uint32_t vrx_tc;                           // colour of VRX_DrawText, 0x000000 at start [worker]
extern uint32_t vrx_tttc;                         // colour of VRX_DrawTrueTypeText, 0xFFFFFF at start [worker]
void VRX_SetDrawColor(uint32_t color);            // Sets the drawing colour of pixels, lines, boxes, circles, discs and fills (0xFFFFFF at start) [worker]
uint32_t VRX_GetDrawColor(void);                  // The drawing colour [worker]
void VRX_DrawPixel(int x, int y);                 // Sets pixel (x, y) to the drawing colour (an 8-bit image takes its low byte) [worker]
int VRX_GetPixel(int x, int y);                   // Pixel (x, y): 0x00RRGGBB or an 8-bit index; -1 outside the image or without one [worker]
void VRX_DrawLine(int x1, int y1, int x2, int y2); // Draws the line between both end points, both included [worker]
void VRX_DrawBoxOutline(int x1, int y1, int x2, int y2); // Draws the four sides of the box with the corners (x1, y1) and (x2, y2) [worker]
#if VRX_SWAP_VARIANT
void VRX_DrawBox(int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill); // Draws a filled box, its border and its interior in two colours [worker]
#else
void VRX_DrawBox(int x1, int y1, int x2, int y2);  // Draws a box filled in the drawing colour [worker]
#endif
void VRX_DrawCircle(int cx, int cy, int r);       // Draws the circle of radius r around (cx, cy) [worker]
void VRX_DrawDisc(int cx, int cy, int r);         // Draws the filled circle of radius r around (cx, cy) [worker]
void VRX_FillRegion(int x, int y);                // Fills the 4-connected region of (x, y)'s value around it [worker]
void VRX_DrawText(int x, int y, const char *text); // Draws text in the 8x14 bitmap font in vrx_tc, its baseline row y from column x ("\n" new line) [worker]
void VRX_DrawTrueTypeText(int x, int y, const char *text); // Draws text in the TrueType font (16 high) in vrx_tttc, its cell ending at row y [worker]

//----------------------------------------------------------------------------------
// Point tools (prompt on the main window's status line and wait for clicks on image window n, which becomes current)
//----------------------------------------------------------------------------------
int VRX_WaitClick(int n, int *x, int *y);         // Waits for a left click; VRX_OK, VRX_POINT_CANCELLED, VRX_POINT_NO_IMAGE, VRX_POINT_STOPPED [worker]
int VRX_WaitRectangle(int n, int *xmin, int *ymin, int *xmax, int *ymax); // Two clicks with a rubber-band box, corners sorted; results as VRX_WaitClick [worker]
int VRX_WaitLine(int n, int *x1, int *y1, int *x2, int *y2); // Two clicks with a rubber-band line, in click order; results as VRX_WaitClick [worker]

//----------------------------------------------------------------------------------
// The user routine (the program defines it; Start runs it on the worker thread)
//----------------------------------------------------------------------------------
int user_routine(void);                           // The routine itself; its result is not used [worker]

#ifdef __cplusplus
}
#endif
