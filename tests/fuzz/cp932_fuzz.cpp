// tests/fuzz/cp932_fuzz.cpp - the cp932 code walk of TrueType text on arbitrary byte strings.
//
// The walk must end, step one or two bytes, and its codes written back must give the bytes walked;
// it may stop early only at a lead byte followed by the terminator.
#include "imaging/text_core.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

// A lead-byte test that differs from cp932, as the ANSI code page's own might
static bool odd_lead(unsigned char b) { return b >= 0xA0; }

static void walk(const std::string &text, bool (*is_lead)(unsigned char)) {
    const char *s = text.c_str(), *end = s + text.size();
    std::string back;
    unsigned code = 0;
    const char *at = s;
    for (const char *next; (next = cp932_next(at, &code, is_lead)) != nullptr; at = next) {
        if (next != at + 1 && next != at + 2) abort();
        if (next > end) abort();
        char bytes[3];
        int n = cp932_code_bytes(code, bytes);
        if (n != next - at || std::memcmp(bytes, at, (size_t)n) != 0) abort();
        back.append(bytes, (size_t)n);
    }
    // Stopped at the end, or at a lead byte whose trail is the terminator
    if (at != end && !(at + 1 == end && is_lead((unsigned char)*at))) abort();
    if (back != std::string(s, at)) abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    std::string text((const char *)data, size);
    text = text.c_str();
    walk(text, cp932_is_lead);
    walk(text, odd_lead);
    return 0;
}
