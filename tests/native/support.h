// tests/native/support.h - what the native tests share: a raster over owned bytes framed by guard bytes and
// text helpers for comparing results in one string, beside the packed-DIB builder that every layer of
// the tests uses and the C-literal reader shared with the fuzz targets (tests/support/).
#pragma once

#include "imaging/raster.h"
#include "tests/support/c_literal.h"
#include "tests/support/dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdarg>
#include <set>
#include <string>
#include <vector>

typedef std::set<std::pair<int, int>> Points;
typedef std::vector<uint32_t> Words;

// printf into a string
inline std::string fmt(const char *format, ...) {
    char s[1024];
    va_list args;
    va_start(args, format), vsnprintf(s, sizeof s, format, args), va_end(args);
    return s;
}
// The values in hex, apart by spaces; the points of "x,y x,y ..."
inline std::string hex(const Words &v) { std::string s; for (uint32_t x : v) s += (s.empty() ? "" : " ") + fmt("%X", x); return s; }
inline Points points(const char *text) { Points p; for (int x, y, n; sscanf(text, " %d,%d%n", &x, &y, &n) == 2; text += n) p.insert({x, y}); return p; }

// A w x h raster of depth 8 or 32 whose bytes, 64 guard bytes on each side included, all start as fill
struct Raster {
    static const int guard = 64;
    std::vector<unsigned char> bytes, initial;
    RasterView view;
    Raster(int w, int h, int depth = 32, unsigned char fill = 0)
        : bytes((size_t)raster_stride(w, depth) * (size_t)h + 2 * guard, fill), initial(bytes), view(raster_view(bytes.data() + guard, w, h, depth)) {}
    Raster(const Raster &o) : bytes(o.bytes), initial(o.initial), view(o.view) { view.pixels = bytes.data() + guard; }
    int n() const { return view.width * view.height; }
    uint32_t at(int x, int y) const { return get_pixel(view, x, y); }
    uint32_t at(int i) const { return get_pixel(view, i % view.width, i / view.width); }   // pixel i, row by row
    // Sets the pixels row by row to values, or to the hex digits of rows ("012 340")
    Raster &set(const Words &values) { for (size_t i = 0; i < values.size(); i++) put_pixel(view, (int)i % view.width, (int)i / view.width, values[i]); return *this; }
    Raster &paint(const std::string &rows) { Words v; for (char c : rows) if (c != ' ') v.push_back(std::stoul(std::string(1, c), nullptr, 16)); return set(v); }
    // Gives every pixel a value of its own: (x + 1) << 16 | (y + 1), or 8y + x + 1 on 8 bits
    Raster &numbered() { for (int i = 0; i < n(); i++) put_pixel(view, i % view.width, i / view.width, view.depth == 32 ? (uint32_t)(i % view.width + 1) << 16 | (i / view.width + 1) : 8u * (i / view.width) + i % view.width + 1); return *this; }
    // The pixel values row by row, the pixels that are not 0, the pixels as hex digits ('+' above 15)
    Words values() const { Words v; for (int i = 0; i < n(); i++) v.push_back(at(i)); return v; }
    Points lit() const { Points p; for (int i = 0; i < n(); i++) if (at(i)) p.insert({i % view.width, i / view.width}); return p; }
    std::string digits() const { std::string s; for (int i = 0; i < n(); i++) s += std::string(i && i % view.width == 0 ? " " : "") + "0123456789ABCDEF+"[std::min(at(i), 16u)]; return s; }
    // True when no byte outside the pixels (guards, row padding) changed
    bool outside_intact() const {
        for (long i = 0, b = -guard; i < (long)bytes.size(); i++, b++)
            if (bytes[i] != initial[i] && !(b >= 0 && b < (long)view.stride * view.height && b % view.stride < (long)view.width * (view.depth / 8))) return false;
        return true;
    }
};
