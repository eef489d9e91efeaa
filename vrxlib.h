// vrxlib.h - VRXLIB, the toolkit a user routine calls: image windows, text windows, boxes, files,
// drawing and analysis. Everything a user routine needs is declared here.
//
// Conventions: calls return 0 on success and small positive codes for distinct failures; colours are
// 0x00RRGGBB; texts are narrow strings in the ANSI code page; window numbers are 0..255. All calls
// are made from the user routine, which runs on the toolkit's worker thread.
//
// NOTE: the box call has two forms. quarvex builds with the one-colour form, quarvex-swap
//       (VRX_SWAP_VARIANT=1) with the border-and-fill form.

#pragma once

#include <stdint.h>

#ifndef VRX_SWAP_VARIANT
#define VRX_SWAP_VARIANT 0
#endif

#define VRXMAINWINDOW (-1)   // window number of the main window in VRX_SetForeground

//----------------------------------------------------------------------------------
// Shell
//----------------------------------------------------------------------------------
void VRX_Pause(const char *text);                 // Shows text in a message box titled "Pause" and waits for OK

//----------------------------------------------------------------------------------
// Text windows and console
//----------------------------------------------------------------------------------
int VRX_OpenTextWindow(int n, int x, int y, int width, int height); // Opens text window n (negative x/y: system place, negative size: 400x300)
void VRX_ShowConsole(void);                       // Brings the current text window forward, or opens text window 0 centred
void VRX_Printf(const char *format, ...);         // Prints formatted text into the current text window
void VRX_InputText(char *buffer);                 // Reads one typed line (buffer of at least 256 bytes) in the current text window
int VRX_CloseTextWindow(int n);                   // Closes text window n; 1 when it is not open
int VRX_SelectTextWindow(int n);                  // Makes text window n current; 1 when it is not open
void VRX_PushTextColor(unsigned int text, unsigned int back); // Saves the current colours and sets new ones (8 deep)
void VRX_PopTextColor(void);                      // Takes back the most recently saved colours
int VRX_RunCommand(void);                         // Prompts "Cmd>" and obeys one console command; 1 when unknown

//----------------------------------------------------------------------------------
// Log files
//----------------------------------------------------------------------------------
int VRX_StartLog(int n);                          // Starts or resumes the log of text window n; 1 already, 2 no file, 3 no window
int VRX_StopLog(int n);                           // Pauses the log of text window n; 1 no log, 2 no window
int VRX_CopyLog(int n);                           // Copies n's log file to the clipboard as text; 0 copied, 1..4 failures
void VRX_CloseLogs(void);                         // Closes the log file of every text window

//----------------------------------------------------------------------------------
// Input box and button box
//----------------------------------------------------------------------------------
void VRX_OpenInputBox(int x, int y, int items);   // Opens the input box with items labelled fields (1..30) at (x, y)
void VRX_CloseInputBox(void);                     // Closes the input box and forgets its values
void VRX_ResizeInputBox(int isize, int esize);    // Sets the label and edit widths of the input box (also for the next one)
void VRX_SetInputBoxTitle(int i, const char *title); // Sets the label of input box item i
const char *VRX_GetInputBoxText(int i);           // Item i's value as typed ("" when there is no such item)
int VRX_GetInputBoxValue(int i);                  // Item i's value read as a number, as atoi does
void VRX_OpenButtonBox(int x, int y, int nx, int ny); // Opens the button box of nx x ny buttons (at most 256) at (x, y)
void VRX_CloseButtonBox(void);                    // Closes the button box
void VRX_ResizeButtonBox(int width, int height);  // Gives the button box a client area of width x height
void VRX_SetButtonBoxTitle(int i, const char *caption); // Sets the caption of button i ("\n" starts a new line)
int VRX_GetButtonBoxCount(int i);                 // How often button i was pressed since the box opened
void VRX_ClearButtonBoxCount(int i);              // Sets button i's press count back to 0
int VRX_SetForeground(int n);                     // Brings image window n, or the main window for VRXMAINWINDOW, forward; 1 when none

//----------------------------------------------------------------------------------
// Image windows
//----------------------------------------------------------------------------------
int VRX_CreateImage(int n, const char *title, int x, int y, int width, int height, int zoom);  // Opens 32-bit image window n (x, y -1: system place); 0, 1 in use, 2 too big, 3 failed
int VRX_CreateImage8(int n, const char *title, int x, int y, int width, int height, int zoom); // The same with 8 bits per pixel and a grey colour table
int VRX_DestroyImage(int n);                      // Closes image window n; 1 when n is not open
int VRX_UpdateImage(int n);                       // Copies image n's raster to its window now; 1 when n is not open
void VRX_PutImage(const void *pixels, int x, int width, int height); // Copies a block into the current image at column x of row 0
int VRX_SelectImage(int n);                       // Makes n the current image, remembering the previous one (8 deep)
int VRX_PopImage(void);                           // Makes the previously current image current again
int VRX_ResizeImage(int n, int width, int height); // Gives image n a new blank raster, keeping title, place and zoom
int VRX_SetColorTable(const void *colors, int count); // Writes count RGBQUAD entries of the current 8-bit image's table; 2 if not 8-bit
int VRX_GetColorTable(void *colors);              // Reads the 256 RGBQUAD entries of the current 8-bit image's table
int VRX_GetStretchMode(int n);                    // 3 COLORONCOLOR or 4 HALFTONE; 0 when n is not open
int VRX_SetStretchMode(int mode, int n);          // Sets the stretch mode of image n (3 or 4) and repaints it
int VRX_SetZoom(int n, int zoom);                 // Shows image n at a new zoom (fitted to the screen); 2 when it cannot
int VRX_GetImageWidth(int n);                     // Raster width of image n; 0 when n is not open
int VRX_GetImageHeight(int n);                    // Raster height of image n; 0 when n is not open
int VRX_GetImageDepth(int n);                     // 8 or 32; 0 when n is not open
void *VRX_GetImagePixels(int n, int *stride);     // Image n's raster, row 0 first, stride bytes per row; null when n is not open

//----------------------------------------------------------------------------------
// Image files and clipboard
//----------------------------------------------------------------------------------
int VRX_LoadImage(const char *path, int x, int y); // Draws an image file into the current image at (x, y); 1 unreadable, 2 no current image
int VRX_SaveImage(int width, int height, int format, const char *path); // Writes the top-left block: 0 BMP, 1 JPEG, 2 GIF, 3 PNG, 4 TIFF
void VRX_GetImage(void *pixels, int x, int y, int width, int height); // Copies a block of the current image out (0 outside it)

//----------------------------------------------------------------------------------
// Drawing
//----------------------------------------------------------------------------------
#if VRX_SWAP_VARIANT
void VRX_DrawBox(int x1, int y1, int x2, int y2, uint32_t border, uint32_t fill); // Draws a box into the current image, border and interior in two colours
#else
void VRX_DrawBox(int x1, int y1, int x2, int y2);  // Draws a box filled in the drawing colour into the current image
#endif

//----------------------------------------------------------------------------------
// The user routine (the application defines it; Start runs it on the worker thread)
//----------------------------------------------------------------------------------
int user_routine(void);
