// tests/fuzz/ensure_extension_fuzz.cpp - appending a file extension to arbitrary UTF-16 paths.
//
// The path buffer is exactly room units, so a write past it is reported; the result must end in
// the extension (in any case) and stay terminated, or be refused with the path unchanged.
#include "image/file_name.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const char *extensions[] = {".bmp", ".jpg", ".gif", ".png", ".tif"};
    if (size < 2) return 0;
    const char *ext = extensions[data[0] % 5];
    size_t room = 1 + data[1] % 300;
    std::vector<uint16_t> path(room, 0);
    size_t units = (size - 2) / 2;
    for (size_t i = 0; i < units && i < room; i++) path[i] = (uint16_t)(data[2 + 2 * i] | data[3 + 2 * i] << 8);
    std::vector<uint16_t> before = path;
    bool ok = ensure_extension(path.data(), room, ext);
    size_t len = 0;
    while (len < room && path[len]) len++;
    if (!ok) {
        if (path != before) abort();
        return 0;
    }
    if (len >= room || len < 4) abort();
    for (size_t i = 0; i < 4; i++) {
        uint16_t c = path[len - 4 + i];
        if (c >= 'A' && c <= 'Z') c = (uint16_t)(c + 32);
        if (c != (unsigned char)ext[i]) abort();
    }
    return 0;
}
