// image/file_name.cpp - the extension a saved file's name gets.
//
// Thread: any.

#include "image/file_name.h"

#include <cstring>

// Appends ext unless the path already ends in it (compared in lower case); false when it does not fit
bool ensure_extension(uint16_t *path, size_t room, const char *ext) {
    size_t len = 0;
    while (len < room && path[len]) len++;
    if (len == room) return false;   // no terminator inside the room: not a path to keep or extend
    size_t ext_len = std::strlen(ext);
    if (len >= ext_len) {
        bool same = true;
        for (size_t i = 0; i < ext_len; i++) {
            uint16_t c = path[len - ext_len + i];
            if (c >= 'A' && c <= 'Z') c = (uint16_t)(c - 'A' + 'a');
            if (c != (unsigned char)ext[i]) same = false;
        }
        if (same) return true;
    }
    if (len + ext_len + 1 > room) return false;
    for (size_t i = 0; i <= ext_len; i++) path[len + i] = (unsigned char)ext[i];
    return true;
}
