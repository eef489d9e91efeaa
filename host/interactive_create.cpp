// host/interactive_create.cpp - the main window's prompts that create an image window, the input box
// or the button box, asked and answered in text window 0.
//
// Thread: the main thread.
// NOTE: the line input keeps the main window's messages flowing, so Exit can run while a prompt waits;
//       an answer not ended with Enter (Exit, the console closed) abandons the command.

#include "host/host.h"

#include "base/number_text.h"
#include "image/image_table.h"
#include "text/console.h"
#include "vrxlib.h"

#include <cstdio>

// The largest raster the Image Window prompt asks for: 2^29 pixels, 2 GB at 32 bits
#define VRX_MAX_PROMPTED_PIXELS (1LL << 29)

// Prints a prompt and reads the typed answer as a number; false when the wait ended without Enter
// (Exit, or text window 0 closed), which abandons the creation
static bool ask_number(const char *prompt, int *value) {
    char answer[256];
    if (console_ask(answer, "%s", prompt) != CONSOLE_ENTER) return false;
    *value = parse_number(answer);
    return true;
}

// Asks for width, height and depth and creates the lowest free image window number
void interactive_create_image_window(void) {
    request_text_window(0);
    VRX_Printf("Creating ImageWindow...\n");
    int width, height, depth;
    if (!ask_number(" Width=", &width) || !ask_number("Height=", &height) ||
        !ask_number("Bit[32 or 8]=", &depth))
        return;
    if (depth != 32 && depth != 8) return;
    // A raster the system could never allocate is refused here rather than by a failed DIB section.
    if ((long long)width * height > VRX_MAX_PROMPTED_PIXELS) return;
    int n = lowest_free_image(0);
    if (n < 0) return;
    char title[16];
    snprintf(title, sizeof title, "%03d", n);
    request_create_image(n, title, width, height, depth);
}

// Asks for the number of fields and opens the input box at (0, 0)
void interactive_create_input_box(void) {
    request_text_window(0);
    VRX_Printf("Creating InpuxBox...\n");
    int items;
    if (!ask_number("How many items? >", &items)) return;
    request_input_box(items);
}

// Asks for columns and rows and opens the button box at (0, 0)
void interactive_create_button_box(void) {
    request_text_window(0);
    VRX_Printf("Creating ButtonBox...\n");
    int columns, rows;
    if (!ask_number("Number[X]=>", &columns) || !ask_number("Number[Y]=>", &rows)) return;
    request_button_box(columns, rows);
}
