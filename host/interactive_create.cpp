// host/interactive_create.cpp - the main window's prompts that create an image window, the input box
// or the button box, asked and answered in text window 0.
//
// NOTE: these run on the main thread; the line input keeps the main window's messages flowing, so Exit
//       can run while a prompt waits. After each answer a set vrx_quit abandons the command.

#include "host/modules.h"
#include "host/host.h"
#include "base/status_field.h"
#include "vrxlib.h"

#include <cstdio>

// The largest raster the Image Window prompt asks for: 2^29 pixels, 2 GB at 32 bits
#define VRX_MAX_PROMPTED_PIXELS (1LL << 29)

// Prints a prompt and reads the typed answer as a number; false when the wait ended without Enter
// (Exit, or text window 0 closed), which abandons the creation
static bool ask_number(const char *prompt, int *value) {
    char answer[256] = "";
    VRX_Printf("%s", prompt);
    VRX_InputText(answer);
    if (vrx_quit.load(std::memory_order_acquire) != 0 || !console_input_completed()) return false;
    *value = parse_number(answer);
    return true;
}

// Empties the table entries of the start-up (image slots, image stack, text slots, console line)
void clear_toolkit_tables(void) {
    clear_image_tables();
    clear_text_tables();
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
    for (int n = 0; n < VRX_MAX_IMAGES; n++) {
        if (!vrx_images[n].exists) {
            char title[16];
            snprintf(title, sizeof title, "%03d", n);
            request_create_image(n, title, width, height, depth);
            return;
        }
    }
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
