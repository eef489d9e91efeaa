// image/file_name.h - the extension a saved file's name gets.
//
// Windows-free. Thread: any.

#pragma once

#include <stddef.h>
#include <stdint.h>

// Appends ext (".jpg", four lower-case characters) to a UTF-16 path of room units unless it ends in it;
// false when the path would not fit
bool ensure_extension(uint16_t *path, size_t room, const char *ext);
